#include <windows.h>

#include "platform/library.h"
#include "platform/win32/path_text_win32.h"

namespace ql::platform {

void* LoadLibraryNamed(const char* fileName) { return reinterpret_cast<void*>(LoadLibraryA(fileName)); }

void* FindLibraryRoutine(void* library, const char* routineName) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), routineName));
}

void* LoadLibraryAtPath(const char* path) {
  const std::wstring wide = WidePath(path);
  return wide.empty() ? nullptr : reinterpret_cast<void*>(LoadLibraryW(wide.c_str()));
}

void FreeLibraryHandle(void* library) {
  if (library) FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace ql::platform
