// Mutexes shared between the processes of one user, found by name: the
// plug-in installation takes one so that instances started together do not
// install the same file at once.
#pragma once

#include <stdint.h>

namespace ql::platform {

// Owned by whoever holds it; ReleaseNamedMutex frees it.
using MutexHandle = void*;

struct CreatedMutex {
  MutexHandle handle = nullptr;  // nullptr when the system refused
  bool alreadyExisted = false;   // another process holds it: ownership was not granted
};

// Creates (or opens) the mutex asking for ownership at once. Win32:
// CreateMutexA without security attributes, ERROR_ALREADY_EXISTS read from
// GetLastError. POSIX: an exclusive lock on a file of that name in the
// temporary folder, "already existed" when another holder has it.
CreatedMutex CreateOwnedNamedMutex(const char* name);

// Waits at most `milliseconds` for ownership; false when it did not come.
bool WaitForNamedMutex(MutexHandle mutex, uint32_t milliseconds);

// Gives up ownership (when held) and closes the handle.
void ReleaseNamedMutex(MutexHandle mutex);

}  // namespace ql::platform
