// A file in memory for the stream tests: reads can be made short, and can
// fail from a chosen byte on, as a broken disk would.
#pragma once

#include <algorithm>
#include <string>

#include "files/file.h"

namespace ql::test {

class MemoryFile final : public File {
 public:
  explicit MemoryFile(std::string bytes, int32_t chunk = INT32_MAX, size_t failFrom = std::string::npos)
      : bytes_(std::move(bytes)), chunk_(chunk), failFrom_(failFrom) {}

  int32_t Read(void* buffer, int32_t count) override {
    ++reads_;
    if (closed_ || position_ >= std::min(failFrom_, bytes_.size())) return 0;
    const size_t n = std::min({static_cast<size_t>(count), static_cast<size_t>(chunk_),
                               std::min(failFrom_, bytes_.size()) - position_});
    bytes_.copy(static_cast<char*>(buffer), n, position_);
    position_ += n;
    return static_cast<int32_t>(n);
  }
  int32_t Write(const void* bytes, int32_t count) override {
    if (closed_) return 0;
    ++writes_;
    bytes_.append(static_cast<const char*>(bytes), static_cast<size_t>(count));
    position_ = bytes_.size();
    return count;
  }
  int64_t Position() override { return static_cast<int64_t>(position_); }
  int64_t Length() override { return static_cast<int64_t>(bytes_.size()); }
  bool SetPosition(int64_t position) override {
    position_ = static_cast<size_t>(position);
    return true;
  }
  void Close() override { closed_ = true; }

  const std::string& bytes() const { return bytes_; }
  int reads() const { return reads_; }
  int writes() const { return writes_; }

 private:
  std::string bytes_;
  int32_t chunk_;
  size_t failFrom_;
  size_t position_ = 0;
  bool closed_ = false;
  int reads_ = 0;
  int writes_ = 0;
};

}  // namespace ql::test
