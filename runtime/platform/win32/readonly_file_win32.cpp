#include <windows.h>

#include "platform/readonly_file.h"

namespace ql::platform {
namespace {

HANDLE H(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

ReadOnlyFile* ReadOnlyFile::Open(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) {
    CloseHandle(file);
    return nullptr;
  }
  return new ReadOnlyFile(reinterpret_cast<intptr_t>(file), static_cast<uint64_t>(size.QuadPart));
}

ReadOnlyFile::~ReadOnlyFile() { CloseHandle(H(handle_)); }

bool ReadOnlyFile::ReadAt(uint64_t offset, void* out, size_t count) {
  if (offset > size_ || count > size_ - offset) return false;
  uint8_t* to = static_cast<uint8_t*>(out);
  while (count > 0) {
    const DWORD chunk = count > (1u << 30) ? (1u << 30) : static_cast<DWORD>(count);
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    if (!ReadFile(H(handle_), to, chunk, &read, &at) || read == 0) return false;
    to += read;
    offset += read;
    count -= read;
  }
  return true;
}

}  // namespace ql::platform
