// Random-access reading of a file's bytes, so that the image reader is a pure
// function of the bytes: the platform supplies files, tests supply memory.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <memory>

#include "startup/bytes.h"

namespace ql {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Bytes in the source.
  virtual uint64_t Size() const = 0;
  // Reads exactly `count` bytes from `offset`; false when they are not all
  // there or the read fails.
  virtual bool ReadAt(uint64_t offset, void* out, size_t count) = 0;
};

using ByteSourcePtr = std::unique_ptr<ByteSource>;

// A source over bytes the caller keeps alive.
class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(ByteView bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size; }
  bool ReadAt(uint64_t offset, void* out, size_t count) override;

 private:
  ByteView bytes_;
};

}  // namespace ql
