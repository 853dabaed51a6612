#include "diagnostics.h"

#include <stdio.h>

#include "bytes.h"

namespace qlimage {

std::string Printable(const std::string& name) {
  constexpr size_t kMaximum = 200;
  std::string out;
  for (size_t i = 0; i < name.size() && i < kMaximum; ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char buffer[8];
      snprintf(buffer, sizeof buffer, "\\x%02x", c);
      out += buffer;
    }
  }
  if (name.size() > kMaximum) out += "...";
  return out;
}

std::string Hex(uint64_t value) {
  char buffer[24];
  snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
  return buffer;
}

}  // namespace qlimage
