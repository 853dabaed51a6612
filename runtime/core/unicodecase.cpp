#include "core/unicodecase.h"

#include <stddef.h>
#include <stdint.h>

namespace ql {
namespace {

struct CaseMapping {
  char16_t from;
  char16_t to;
};

#include "core/unicodecase_table.inc"

// An open-addressed hash map from a code unit to its partner, filled from
// one direction of the table on first use.
class CaseMap {
 public:
  template <size_t N>
  explicit CaseMap(const CaseMapping (&mappings)[N]) {
    static_assert(N < kSlots / 2, "the case map stays at most half full");
    for (const CaseMapping& m : mappings) {
      uint32_t i = Hash(m.from);
      while (used_[i]) i = (i + 1) & (kSlots - 1);
      used_[i] = true;
      slots_[i] = m;
    }
  }

  char16_t Map(char16_t unit) const {
    for (uint32_t i = Hash(unit); used_[i]; i = (i + 1) & (kSlots - 1))
      if (slots_[i].from == unit) return slots_[i].to;
    return unit;
  }

 private:
  static constexpr uint32_t kSlots = 4096;
  static uint32_t Hash(char16_t unit) { return (static_cast<uint32_t>(unit) * 40503u) & (kSlots - 1); }

  CaseMapping slots_[kSlots] = {};
  bool used_[kSlots] = {};
};

const CaseMap& UpperMap() {
  static const CaseMap map(kSimpleUpperCase);
  return map;
}

const CaseMap& LowerMap() {
  static const CaseMap map(kSimpleLowerCase);
  return map;
}

}  // namespace

char16_t UnicodeToUpper(char16_t unit) {
  if (unit < 0x80) return unit >= 'a' && unit <= 'z' ? static_cast<char16_t>(unit - 32) : unit;
  return UpperMap().Map(unit);
}

char16_t UnicodeToLower(char16_t unit) {
  if (unit < 0x80) return unit >= 'A' && unit <= 'Z' ? static_cast<char16_t>(unit + 32) : unit;
  return LowerMap().Map(unit);
}

bool HasCasePartner(char16_t unit) { return UnicodeToUpper(unit) != unit || UnicodeToLower(unit) != unit; }

int UnicodeCasePairCount() { return kCasePairCount; }

}  // namespace ql
