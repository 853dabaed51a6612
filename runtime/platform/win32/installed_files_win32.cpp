#include <windows.h>

#include "platform/installed_files.h"
#include "platform/win32/path_text_win32.h"

namespace ql::platform {

bool DeleteFileAt(const char* path) {
  const std::wstring wide = WidePath(path);
  return !wide.empty() && DeleteFileW(wide.c_str()) != FALSE;
}

bool CreateHiddenFile(const char* path, const void* bytes, size_t size) {
  const std::wstring wide = WidePath(path);
  if (wide.empty() || size > MAXDWORD) return false;
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool complete =
      size == 0 || (WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) && written == size);
  CloseHandle(file);
  if (!complete) DeleteFileW(wide.c_str());
  return complete;
}

}  // namespace ql::platform
