#include <windows.h>

#include "platform/named_mutex.h"

namespace ql::platform {

CreatedMutex CreateOwnedNamedMutex(const char* name) {
  CreatedMutex created;
  HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
  created.alreadyExisted = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
  created.handle = mutex;
  return created;
}

bool WaitForNamedMutex(MutexHandle mutex, uint32_t milliseconds) {
  if (!mutex) return false;
  const DWORD result = WaitForSingleObject(static_cast<HANDLE>(mutex), milliseconds);
  // An abandoned mutex (its owner ended without releasing it) is owned now too.
  return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void ReleaseNamedMutex(MutexHandle mutex) {
  if (!mutex) return;
  ReleaseMutex(static_cast<HANDLE>(mutex));  // fails harmlessly when not owned
  CloseHandle(static_cast<HANDLE>(mutex));
}

}  // namespace ql::platform
