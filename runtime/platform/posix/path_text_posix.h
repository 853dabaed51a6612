// Path bytes as runtime strings, for the POSIX file layer.
#pragma once

#include <string>

#include "core/string.h"

namespace ql::platform {

// File names on POSIX systems are taken to be UTF-8.
inline String PathString(const std::string& bytes) {
  return NewStringFromBytes(bytes.data(), static_cast<int32_t>(bytes.size()), QL_ENCODING_UTF8);
}

}  // namespace ql::platform
