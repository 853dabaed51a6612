#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/specialfolders.h"
#include "platform/win32/path_text_win32.h"

namespace ql::platform {
namespace {

std::wstring WithoutTrailingSeparator(std::wstring path) {
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

// The shell's folder service, creating the folder when it is missing.
std::wstring ApplicationDataFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
    return std::wstring();
  return path;
}

std::wstring TemporaryFolder() {
  wchar_t path[MAX_PATH + 2] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, path);
  if (n == 0 || n > MAX_PATH + 1) return std::wstring();
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    if (!CreateDirectoryW(path, nullptr)) return std::wstring();
  }
  return path;
}

}  // namespace

String SpecialFolderPath(SpecialFolder folder) {
  switch (folder) {
    case SpecialFolder::Preferences:
      return PathFromWide(WithoutTrailingSeparator(ApplicationDataFolder()));
    case SpecialFolder::Temporary:
      return PathFromWide(WithoutTrailingSeparator(TemporaryFolder()));
  }
  return String();
}

}  // namespace ql::platform
