#include "diagnostics.h"

#include <charconv>

#include "bytes.h"

namespace qlimage {

std::string Printable(const std::string& name) {
  constexpr size_t kMaximum = 200;
  constexpr char kDigits[] = "0123456789abcdef";
  const size_t shown = name.size() < kMaximum ? name.size() : kMaximum;
  std::string out;
  out.reserve(shown + 3);
  size_t plain = 0;  // start of the run of bytes that stand for themselves
  for (size_t i = 0; i < shown; ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') continue;
    out.append(name, plain, i - plain);
    const char escaped[] = {'\\', 'x', kDigits[c >> 4], kDigits[c & 15]};
    out.append(escaped, sizeof escaped);
    plain = i + 1;
  }
  out.append(name, plain, shown - plain);
  if (name.size() > kMaximum) out += "...";
  return out;
}

std::string Hex(uint64_t value) {
  char buffer[24] = {'0', 'x'};
  const auto end = std::to_chars(buffer + 2, buffer + sizeof buffer, value, 16).ptr;
  return std::string(buffer, end);
}

}  // namespace qlimage
