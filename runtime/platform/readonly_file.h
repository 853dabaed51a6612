// A file opened for reading only (others may still read and write it), read
// at explicit offsets.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace ql::platform {

class ReadOnlyFile {
 public:
  // nullptr when the file cannot be opened. Relative paths start in the
  // current folder.
  static ReadOnlyFile* Open(const char* path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // The size when it was opened.
  uint64_t Size() const { return size_; }
  // Exactly `count` bytes from `offset`; false on a short or failed read.
  bool ReadAt(uint64_t offset, void* out, size_t count);

 private:
  ReadOnlyFile(intptr_t handle, uint64_t size) : handle_(handle), size_(size) {}

  intptr_t handle_;
  uint64_t size_;
};

}  // namespace ql::platform
