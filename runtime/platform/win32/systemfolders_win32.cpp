#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/systemfolders.h"
#include "platform/win32/path_text_win32.h"
#include "platform/win32/system_routine_win32.h"

namespace ql::platform {
namespace {

std::wstring WithoutTrailingSeparator(std::wstring path) {
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

// "C:\..." or "\\server\...": a relative name would depend on the current folder.
bool IsAbsolute(const wchar_t* path) {
  const bool drive = path[0] && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  return drive || (path[0] == L'\\' && path[1] == L'\\');
}

bool IsFolder(const wchar_t* path) {
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder the environment names in every logged-on session, when it
// exists; otherwise the shell's folder service, which creates it. The shell
// costs most of a megabyte of working set, and start-up asks for this folder
// (the plug-in goes there).
std::wstring ApplicationDataFolder() {
  wchar_t named[MAX_PATH + 1] = {};
  const DWORD n = GetEnvironmentVariableW(L"APPDATA", named, MAX_PATH + 1);
  if (n > 0 && n <= MAX_PATH && IsAbsolute(named) && IsFolder(named)) return named;
  static const auto folderPath = LoadSystemRoutine<decltype(SHGetFolderPathW)>(L"shell32.dll", "SHGetFolderPathW");
  wchar_t path[MAX_PATH] = {};
  if (!folderPath || FAILED(folderPath(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
    return std::wstring();
  return path;
}

std::wstring TemporaryFolder() {
  wchar_t path[MAX_PATH + 2] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, path);
  if (n == 0 || n > MAX_PATH + 1) return std::wstring();
  if (!IsFolder(path) && !CreateDirectoryW(path, nullptr)) return std::wstring();
  return path;
}

// The drive of the Windows folder, as "C:".
std::wstring SystemDriveRoot() {
  wchar_t path[MAX_PATH + 1] = {};
  const UINT n = GetWindowsDirectoryW(path, MAX_PATH + 1);
  if (n < 2 || n > MAX_PATH || path[1] != L':') return std::wstring();
  return std::wstring(path, 2);
}

}  // namespace

String SpecialFolderPath(SpecialFolder folder) {
  switch (folder) {
    case SpecialFolder::Preferences:
      return PathFromWide(WithoutTrailingSeparator(ApplicationDataFolder()));
    case SpecialFolder::Temporary:
      return PathFromWide(WithoutTrailingSeparator(TemporaryFolder()));
    case SpecialFolder::Root:
      return PathFromWide(SystemDriveRoot());
  }
  return String();
}

}  // namespace ql::platform
