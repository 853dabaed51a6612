#include <windows.h>

#include <new>

#include "platform/lock.h"

namespace ql::platform {
namespace {

CRITICAL_SECTION& State(unsigned char* storage) {
  return *std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}

static_assert(sizeof(CRITICAL_SECTION) <= 64);

}  // namespace

Lock::Lock() { InitializeCriticalSection(new (state_) CRITICAL_SECTION); }

Lock::~Lock() { DeleteCriticalSection(&State(state_)); }

void Lock::Enter() { EnterCriticalSection(&State(state_)); }

void Lock::Leave() { LeaveCriticalSection(&State(state_)); }

}  // namespace ql::platform
