// The running executable: its module instance, its file and its locator
// resource.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace ql::platform {

// The instance handle WinMain received (before that: the executable's own
// module). POSIX: nullptr.
void SetModuleInstance(void* instance);
void* ModuleInstance();

// The executable's full path (GetModuleFileNameA with a 1024-byte buffer);
// false when it cannot be had.
bool ExecutablePath(char (&out)[1024]);

// Copies up to 8 bytes of the "PICKLE"/101 resource of the module and
// returns its size; -1 when there is none (always on POSIX).
int64_t ReadLocatorResource(uint8_t (&out)[8]);

}  // namespace ql::platform
