#include "startup/bytebuffer.h"

#include <string.h>

#include "core/allocator.h"

namespace ql {

ByteBuffer::~ByteBuffer() { Free(); }

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
  if (this != &other) {
    Free();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void ByteBuffer::Free() {
  if (data_) Release(data_, size_);
  data_ = nullptr;
  size_ = 0;
}

bool ByteBuffer::Resize(size_t size) {
  Free();
  if (size == 0) return true;
  data_ = static_cast<uint8_t*>(Allocate(size));
  if (!data_) return false;
  size_ = size;
  return true;
}

bool ByteBuffer::Assign(const void* bytes, size_t size) {
  if (!Resize(size)) return false;
  if (size) memcpy(data_, bytes, size);
  return true;
}

}  // namespace ql
