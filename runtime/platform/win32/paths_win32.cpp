#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <string.h>

#include <string>

#include "platform/paths.h"
#include "platform/win32/path_text_win32.h"

namespace ql::platform {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Worked on in UTF-16: a trailing 0x5C byte of the ANSI form may be the
// second half of a double-byte character.
std::wstring WithoutTrailingSeparators(std::wstring path) {
  while (!path.empty() && IsSeparator(path.back())) path.pop_back();
  return path;
}

std::wstring ExecutableFolderWide() {
  std::wstring exe(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
    if (n == 0) return std::wstring();
    if (n < exe.size()) {
      exe.resize(n);
      break;
    }
    exe.resize(exe.size() * 2);
  }
  const size_t separator = exe.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : exe.substr(0, separator);
}

bool IsAbsoluteWide(const std::wstring& path) {
  return (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == L':') ||
         (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\');
}

// Two fields before the server name, then server and share: "\\server\share".
bool IsShareRoot(const std::wstring& path) {
  if (path.size() < 2 || path[0] != L'\\' || path[1] != L'\\') return false;
  size_t fields = 1;
  for (size_t i = 0; i < path.size(); ++i)
    if (path[i] == L'\\') {
      if (i >= 2 && (path[i - 1] == L'\\' || i + 1 == path.size())) return false;  // an empty server or share
      ++fields;
    }
  return fields == 4;
}

bool HasWildcard(const std::wstring& path) { return path.find_first_of(L"*?") != std::wstring::npos; }

bool IsLogicalDrive(const std::wstring& path) {
  wchar_t drives[512];
  const DWORD n = GetLogicalDriveStringsW(static_cast<DWORD>(sizeof drives / sizeof drives[0]), drives);
  if (n == 0 || n >= sizeof drives / sizeof drives[0]) return false;
  for (const wchar_t* d = drives; *d; d += wcslen(d) + 1) {
    if (CompareStringOrdinal(d, 2, path.c_str(), static_cast<int>(path.size()), TRUE) == CSTR_EQUAL) return true;
  }
  return false;
}

// The apartment the shell-link object needs, entered only when this thread
// has none yet.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** out() { return &p_; }
  T* operator->() const { return p_; }

 private:
  T* p_ = nullptr;
};

// Only a plain file can be a shortcut; folders and devices ("CON") are never
// handed to the shell-link object.
bool IsPlainFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

// A shell link starts with its header's size (76) and the link class; the
// shell-link object is made only for such a file. It refuses every other file
// anyway, but making it loads the shell, about a megabyte, and it would read
// a large file through.
bool HasShellLinkHeader(const std::wstring& path) {
  static constexpr unsigned char kHeader[20] = {0x4C, 0, 0, 0, 0x01, 0x14, 0x02, 0, 0, 0, 0, 0,
                                                0xC0, 0,    0, 0, 0,    0,    0,    0x46};
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  unsigned char bytes[sizeof kHeader];
  DWORD read = 0;
  const bool ok = ReadFile(file, bytes, sizeof bytes, &read, nullptr) && read == sizeof bytes;
  CloseHandle(file);
  return ok && memcmp(bytes, kHeader, sizeof kHeader) == 0;
}

std::wstring ShortcutTarget(const std::wstring& path) {
  if (path.empty() || HasWildcard(path) || !IsPlainFile(path) || !HasShellLinkHeader(path)) return std::wstring();
  ComApartment apartment;
  ComRef<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(link.out()))))
    return std::wstring();
  ComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.out())))) return std::wstring();
  if (FAILED(file->Load(path.c_str(), STGM_READ))) return std::wstring();
  // No window, and the user's link file is never rewritten.
  if (FAILED(link->Resolve(nullptr, SLR_NO_UI | SLR_NOUPDATE))) return std::wstring();
  wchar_t target[MAX_PATH] = {};
  if (link->GetPath(target, MAX_PATH, nullptr, 0) != S_OK) return std::wstring();
  return target;
}

}  // namespace

uint32_t PathEncoding() { return SystemEncoding(); }

String ExecutableFolder() { return PathFromWide(ExecutableFolderWide()); }

bool IsAbsolutePath(const char* path) { return IsAbsoluteWide(WidePath(path)); }

// Joined in UTF-16, where a trailing backslash cannot be half of a character.
String ChildPath(const char* folder, const char* name) {
  std::wstring path = WidePath(folder);
  if (path.empty() || !IsSeparator(path.back())) path += L'\\';
  return PathFromWide(path + WidePath(name));
}

String AbsolutePath(const char* path) {
  std::wstring wide = WidePath(path);
  if (wide.empty()) return String();
  if (!IsAbsoluteWide(wide)) {
    const std::wstring folder = ExecutableFolderWide();
    if (folder.empty()) return String();
    wide = folder + L'\\' + wide;
  }
  return PathFromWide(WithoutTrailingSeparators(std::move(wide)));
}

String LongPathName(const String& path) {
  const std::wstring wide = WidePath(path.text());
  const DWORD needed = GetLongPathNameW(wide.c_str(), nullptr, 0);
  if (needed == 0) return path;
  std::wstring longName(needed, L'\0');
  const DWORD n = GetLongPathNameW(wide.c_str(), longName.data(), needed);
  if (n == 0 || n >= needed) return path;
  longName.resize(n);
  return PathFromWide(longName);
}

String ResolveShortcut(const char* path) {
  const std::wstring target = ShortcutTarget(WidePath(path));
  return target.empty() ? String() : PathFromWide(target);
}

bool IsVolumeRoot(const char* path) {
  const std::wstring wide = WithoutTrailingSeparators(WidePath(path));
  if (wide.size() == 2 && IsDriveLetter(wide[0]) && wide[1] == L':') return true;
  return IsShareRoot(wide);
}

bool PathExists(const char* path, bool volumeRoot) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return false;
  // A pattern would match other names: "*.txt" is no file.
  if (!volumeRoot && HasWildcard(wide)) return false;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((volumeRoot ? wide + L"\\*" : wide).c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    FindClose(search);
    return true;
  }
  return wide.back() == L':' && IsLogicalDrive(wide);
}

bool IsReadOnly(const char* path, bool volumeRoot) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return false;
  const DWORD attributes = GetFileAttributesW((volumeRoot ? wide + L"\\" : wide).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace ql::platform
