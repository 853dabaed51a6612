#include "diagnostics.h"

#include <algorithm>
#include <charconv>

#include "bytes.h"

namespace qlimage {

std::string Printable(const std::string& name) {
  constexpr size_t kMaximum = 200;
  constexpr char kDigits[] = "0123456789abcdef";
  const size_t shown = name.size() < kMaximum ? name.size() : kMaximum;
  // Written in place: dumps of damaged images escape thousands of bytes.
  std::string out(shown * 4 + 3, '\0');
  char* at = out.data();
  for (size_t i = 0; i < shown; ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      *at++ = static_cast<char>(c);
    } else {
      *at++ = '\\';
      *at++ = 'x';
      *at++ = kDigits[c >> 4];
      *at++ = kDigits[c & 15];
    }
  }
  if (name.size() > kMaximum) at = std::copy_n("...", 3, at);
  out.resize(static_cast<size_t>(at - out.data()));
  return out;
}

std::string Hex(uint64_t value) {
  char buffer[24] = {'0', 'x'};
  const auto end = std::to_chars(buffer + 2, buffer + sizeof buffer, value, 16).ptr;
  return std::string(buffer, end);
}

}  // namespace qlimage
