// Whole-file reads and writes with messages naming the file.
#pragma once

#include <string>

#include "bytes.h"
#include "diagnostics.h"

namespace qlimage {

// Files larger than this are refused: no input of the builder is that big.
constexpr uint64_t kMaximumInputFile = 1ull << 30;

bool ReadWholeFile(const std::string& path, Bytes& out, Diagnostics& diagnostics);
bool WriteWholeFile(const std::string& path, ByteView bytes, Diagnostics& diagnostics);

}  // namespace qlimage
