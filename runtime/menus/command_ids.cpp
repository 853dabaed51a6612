#include "menus/command_ids.h"

namespace ql::menus {
namespace {

constexpr uint32_t kSlots = kLastCommandId - kFirstCommandId + 1;
constexpr uint32_t kWordBits = 64;
constexpr uint32_t kWords = (kSlots + kWordBits - 1) / kWordBits;

struct CommandIdTable {
  uint64_t taken[kWords];
  size_t inUse;
};

CommandIdTable g_ids;  // zero at start: every identifier free

bool IsOurs(uint32_t id) { return id >= kFirstCommandId && id <= kLastCommandId; }

}  // namespace

uint32_t TakeCommandId() {
  for (uint32_t w = 0; w < kWords; ++w) {
    const uint64_t free = ~g_ids.taken[w];
    if (!free) continue;
    const uint32_t slot = w * kWordBits + static_cast<uint32_t>(__builtin_ctzll(free));
    if (slot >= kSlots) break;
    g_ids.taken[w] |= uint64_t{1} << (slot % kWordBits);
    ++g_ids.inUse;
    return kFirstCommandId + slot;
  }
  return kNoCommandId;
}

void FreeCommandId(uint32_t id) {
  if (!IsOurs(id)) return;
  const uint32_t slot = id - kFirstCommandId;
  uint64_t& word = g_ids.taken[slot / kWordBits];
  const uint64_t bit = uint64_t{1} << (slot % kWordBits);
  if (!(word & bit)) return;
  word &= ~bit;
  --g_ids.inUse;
}

size_t CommandIdsInUse() { return g_ids.inUse; }

}  // namespace ql::menus
