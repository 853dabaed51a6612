#include "platform/locale.h"

#include "core/allocator.h"
#include "core/unicodecase.h"
#include "platform/codepage.h"

namespace ql::platform {
namespace {

constexpr uint16_t kEnglishUnitedStates = 0x0409;

// Decoded text in a block of the runtime's allocator.
class WideText {
 public:
  WideText(uint32_t codePage, const char* bytes, int32_t length) {
    count_ = MultiByteToWide(codePage, bytes, length, nullptr, 0);
    if (count_ <= 0) return;
    units_ = static_cast<char16_t*>(Allocate(static_cast<size_t>(count_) * sizeof(char16_t)));
    if (!units_ || MultiByteToWide(codePage, bytes, length, units_, count_) != count_) count_ = 0;
  }
  ~WideText() { Release(units_, static_cast<size_t>(capacity()) * sizeof(char16_t)); }
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;

  int32_t count() const { return units_ ? count_ : 0; }
  char16_t operator[](int32_t i) const { return units_[i]; }

 private:
  int32_t capacity() const { return units_ ? count_ : 0; }
  char16_t* units_ = nullptr;
  int32_t count_ = 0;
};

}  // namespace

uint16_t UserDefaultLanguage() { return kEnglishUnitedStates; }

LocaleSeparators UserLocaleSeparators() { return LocaleSeparators{".", ","}; }

LocaleOrder CompareTextIgnoringCase(uint32_t codePage, const char* a, int32_t aLength, const char* b,
                                    int32_t bLength) {
  if (aLength < 0 || bLength < 0) return LocaleOrder::Failed;
  WideText x(codePage, a, aLength), y(codePage, b, bLength);
  if ((aLength > 0 && x.count() == 0) || (bLength > 0 && y.count() == 0)) return LocaleOrder::Failed;
  const int32_t common = x.count() < y.count() ? x.count() : y.count();
  for (int32_t i = 0; i < common; ++i) {
    const char16_t p = UnicodeToUpper(x[i]), q = UnicodeToUpper(y[i]);
    if (p != q) return p < q ? LocaleOrder::Less : LocaleOrder::Greater;
  }
  if (x.count() == y.count()) return LocaleOrder::Equal;
  return x.count() < y.count() ? LocaleOrder::Less : LocaleOrder::Greater;
}

}  // namespace ql::platform
