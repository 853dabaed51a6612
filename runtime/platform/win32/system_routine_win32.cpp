#include "platform/win32/system_routine_win32.h"

#include <string>

namespace ql::platform {

void* SystemRoutineAddress(const wchar_t* library, const char* routine) {
  wchar_t folder[MAX_PATH + 1];
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, n) + L"\\" + library;
  // Kept loaded for the process: the routine is cached by its callers.
  const HMODULE module = LoadLibraryW(path.c_str());
  return module ? reinterpret_cast<void*>(GetProcAddress(module, routine)) : nullptr;
}

}  // namespace ql::platform
