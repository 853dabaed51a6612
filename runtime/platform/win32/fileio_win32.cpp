#include <windows.h>

#include "platform/fileio.h"
#include "platform/win32/path_text_win32.h"

namespace ql::platform {
namespace {

HANDLE Native(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

OpenedFile Failed(DWORD error) { return OpenedFile{kNoFile, static_cast<uint32_t>(error)}; }

}  // namespace

OpenedFile OpenFileAt(const char* path, OpenDisposition disposition) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return Failed(ERROR_INVALID_NAME);
  const bool read = disposition == OpenDisposition::ReadExisting;
  HANDLE h = CreateFileW(wide.c_str(), read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
                         read ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ, nullptr,
                         read ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Failed(GetLastError());
  // Devices and pipes ("CON", "\\.\pipe\x") would block or never end.
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    return Failed(ERROR_ACCESS_DENIED);
  }
  return OpenedFile{reinterpret_cast<FileHandle>(h), 0};
}

int32_t ReadFromFile(FileHandle file, void* buffer, int32_t count) {
  if (count <= 0) return 0;
  DWORD read = 0;
  if (!ReadFile(Native(file), buffer, static_cast<DWORD>(count), &read, nullptr)) return 0;
  return static_cast<int32_t>(read);
}

int32_t WriteToFile(FileHandle file, const void* bytes, int32_t count) {
  const char* p = static_cast<const char*>(bytes);
  int32_t written = 0;
  while (written < count) {
    DWORD n = 0;
    if (!WriteFile(Native(file), p + written, static_cast<DWORD>(count - written), &n, nullptr) || n == 0) break;
    written += static_cast<int32_t>(n);
  }
  return written;
}

int64_t FilePosition(FileHandle file) {
  LARGE_INTEGER zero{}, position{};
  return SetFilePointerEx(Native(file), zero, &position, FILE_CURRENT) ? position.QuadPart : -1;
}

int64_t FileLength(FileHandle file) {
  LARGE_INTEGER size{};
  return GetFileSizeEx(Native(file), &size) ? size.QuadPart : -1;
}

bool SetFilePosition(FileHandle file, int64_t position) {
  LARGE_INTEGER to{};
  to.QuadPart = position;
  return position >= 0 && SetFilePointerEx(Native(file), to, nullptr, FILE_BEGIN);
}

void CloseFileHandle(FileHandle file) {
  if (file != kNoFile) CloseHandle(Native(file));
}

int32_t FileErrorCode(uint32_t systemError) {
  switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return 101;
    case ERROR_ACCESS_DENIED:
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_WRITE_PROTECT:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_DRIVE_LOCKED:
    case ERROR_PATH_BUSY:
    case ERROR_CANNOT_COPY:
      return 102;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
    case ERROR_HANDLE_DISK_FULL:
      return 103;
    case ERROR_NOT_DOS_DISK:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return 104;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILE_INVALID:
      return 105;
    default:
      return static_cast<int32_t>(systemError);
  }
}

}  // namespace ql::platform
