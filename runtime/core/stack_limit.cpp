#include "core/stack_limit.h"

namespace ql {
namespace {

thread_local uintptr_t t_limit = 0;

// Positions below the distance clamp at 0 instead of wrapping.
uintptr_t Below(uintptr_t position, uintptr_t distance) { return position > distance ? position - distance : 0; }

}  // namespace

void RecordMainThreadStackLimit() {
  const uintptr_t position = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  t_limit = Below(position, kMainThreadStackReserve);
}

uintptr_t StackLimit() { return t_limit; }

void SetStackLimit(uintptr_t limit) { t_limit = limit; }

int32_t EffectiveThreadStackSize(int32_t requested) { return requested > 0 ? requested : kDefaultThreadStackSize; }

uintptr_t ThreadStackLimit(uintptr_t startPosition, int32_t requestedSize) {
  return Below(startPosition, static_cast<uintptr_t>(EffectiveThreadStackSize(requestedSize)));
}

}  // namespace ql
