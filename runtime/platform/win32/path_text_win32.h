// Path bytes of the system's (ANSI) code page and the UTF-16 form the wide
// Win32 file calls take.
#pragma once

#include <windows.h>

#include <string>

#include "core/string.h"

namespace ql::platform {

inline std::wstring WidePath(const char* bytes) {
  const int count = MultiByteToWideChar(CP_ACP, 0, bytes, -1, nullptr, 0);
  if (count <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes, -1, wide.data(), count);
  wide.resize(static_cast<size_t>(count - 1));
  return wide;
}

// Tagged Windows Latin 1 until the runtime strings offer the system encoding
// of the script code; the bytes are those of the ANSI code page either way.
inline String PathFromWide(const wchar_t* wide, size_t count) {
  if (count == 0) return String();
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(count), nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return String();
  std::string text(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(count), text.data(), bytes, nullptr, nullptr);
  return NewStringFromBytes(text.data(), bytes, QL_ENCODING_WINLATIN1);
}

inline String PathFromWide(const std::wstring& wide) { return PathFromWide(wide.data(), wide.size()); }

}  // namespace ql::platform
