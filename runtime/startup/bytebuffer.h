// An owned block of bytes from the runtime's allocator: the in-memory form of
// one image section.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <utility>

#include "startup/bytes.h"

namespace ql {

class ByteBuffer {
 public:
  ByteBuffer() = default;
  ~ByteBuffer();
  ByteBuffer(ByteBuffer&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  ByteBuffer& operator=(ByteBuffer&& other) noexcept;
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  // Replaces the contents with `size` bytes for the caller to fill; false
  // (and empty) when the memory cannot be had.
  bool Resize(size_t size);
  // A copy of `size` bytes.
  bool Assign(const void* bytes, size_t size);

  uint8_t* data() { return data_; }
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  ByteView view() const { return ByteView{data_, size_}; }

 private:
  void Free();

  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace ql
