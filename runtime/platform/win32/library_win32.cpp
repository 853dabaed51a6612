#include <windows.h>

#include "platform/library.h"

namespace ql::platform {

void* LoadLibraryNamed(const char* fileName) { return reinterpret_cast<void*>(LoadLibraryA(fileName)); }

void* FindLibraryRoutine(void* library, const char* routineName) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), routineName));
}

}  // namespace ql::platform
