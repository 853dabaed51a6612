#include "file_io.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

namespace qlimage {

bool ReadWholeFile(const std::string& path, Bytes& out, Diagnostics& diagnostics) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) {
    diagnostics.Error(path + ": cannot open (" + strerror(errno) + ")");
    return false;
  }
  out.clear();
  uint8_t buffer[65536];
  bool ok = true;
  for (;;) {
    size_t n = fread(buffer, 1, sizeof buffer, file);
    out.insert(out.end(), buffer, buffer + n);
    if (out.size() > kMaximumInputFile) {
      diagnostics.Error(path + ": larger than " + std::to_string(kMaximumInputFile >> 20) + " MiB");
      ok = false;
      break;
    }
    if (n < sizeof buffer) {
      if (ferror(file)) {
        diagnostics.Error(path + ": read error");
        ok = false;
      }
      break;
    }
  }
  fclose(file);
  return ok;
}

bool WriteWholeFile(const std::string& path, ByteView bytes, Diagnostics& diagnostics) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) {
    diagnostics.Error(path + ": cannot create (" + strerror(errno) + ")");
    return false;
  }
  // An empty view may have no storage at all, and fwrite must not see a null pointer.
  bool ok = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = fclose(file) == 0 && ok;
  if (!ok) diagnostics.Error(path + ": write error");
  return ok;
}

}  // namespace qlimage
