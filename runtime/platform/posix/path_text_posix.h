// Path bytes as runtime strings, for the POSIX file layer.
#pragma once

#include <string>

#include "core/string.h"

namespace ql::platform {

inline String PathString(const std::string& bytes) {
  return NewStringFromBytes(bytes.data(), static_cast<int32_t>(bytes.size()), QL_ENCODING_UTF8);
}

}  // namespace ql::platform
