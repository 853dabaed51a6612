// Path bytes in the system's encoding and the UTF-16 form the wide Win32
// file calls take.
#pragma once

#include <windows.h>

#include <string>

#include "core/string.h"

namespace ql::platform {

// The code page of the system encoding (of the script code), or the ANSI
// code page when the system lacks it.
inline UINT PathCodePage() {
  const uint32_t codePage = CodePageForEncoding(SystemEncoding());
  return codePage ? codePage : CP_ACP;
}

inline std::wstring WidePath(const char* bytes) {
  const UINT codePage = PathCodePage();
  const int count = MultiByteToWideChar(codePage, 0, bytes, -1, nullptr, 0);
  if (count <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(codePage, 0, bytes, -1, wide.data(), count);
  wide.resize(static_cast<size_t>(count - 1));
  return wide;
}

inline String PathFromWide(const wchar_t* wide, size_t count) {
  if (count == 0) return String();
  const UINT codePage = PathCodePage();
  const int bytes = WideCharToMultiByte(codePage, 0, wide, static_cast<int>(count), nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return String();
  std::string text(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, 0, wide, static_cast<int>(count), text.data(), bytes, nullptr, nullptr);
  return NewStringFromBytes(text.data(), bytes, SystemEncoding());
}

inline String PathFromWide(const std::wstring& wide) { return PathFromWide(wide.data(), wide.size()); }

}  // namespace ql::platform
