#include <windows.h>

#include "platform/codepage.h"

namespace ql::platform {

bool IsValidCodePage(uint32_t codePage) {
  // The system does not list UTF-16 among the code pages of its byte
  // conversions; the runtime never hands it to them.
  if (codePage == kCodePageUTF16) return true;
  return ::IsValidCodePage(codePage) != 0;
}

int32_t MultiByteToWide(uint32_t codePage, const char* bytes, int32_t length, char16_t* out, int32_t capacity) {
  if (!bytes || length <= 0 || capacity < 0) return 0;
  if (codePage == kCodePageUTF16) {
    const int32_t units = length / 2;
    if (capacity == 0) return units;
    if (capacity < units) return 0;
    CopyMemory(out, bytes, static_cast<size_t>(units) * 2);
    return units;
  }
  return ::MultiByteToWideChar(codePage, 0, bytes, length, capacity ? reinterpret_cast<LPWSTR>(out) : nullptr,
                               capacity);
}

int32_t WideToMultiByte(uint32_t codePage, const void* units, int32_t count, char* out, int32_t capacity) {
  if (!units || count <= 0 || capacity < 0) return 0;
  if (codePage == kCodePageUTF16) {
    const int32_t bytes = count * 2;
    if (capacity == 0) return bytes;
    if (capacity < bytes) return 0;
    CopyMemory(out, units, static_cast<size_t>(bytes));
    return bytes;
  }
  return ::WideCharToMultiByte(codePage, 0, static_cast<LPCWSTR>(units), count, capacity ? out : nullptr, capacity,
                               nullptr, nullptr);
}

}  // namespace ql::platform
