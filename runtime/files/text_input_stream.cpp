#include "files/text_input_stream.h"

#include <string.h>

#include "core/allocator.h"

namespace ql {
namespace {

constexpr uint8_t kCarriageReturn = 13;
constexpr uint8_t kLineFeed = 10;

// A runtime string's length is a signed 32-bit count.
constexpr int32_t kLongestLine = INT32_MAX - 16;

// The bytes of a line that spans several buffer fills. Growing by doubling
// keeps a line far longer than the buffer linear in its length.
class SpanningLine {
 public:
  SpanningLine() = default;
  ~SpanningLine() { Release(bytes_, static_cast<size_t>(capacity_)); }
  SpanningLine(const SpanningLine&) = delete;
  SpanningLine& operator=(const SpanningLine&) = delete;

  bool empty() const { return count_ == 0; }

  // Appends as many bytes as fit (all, unless memory runs out or the line
  // reaches the longest string); returns how many.
  int32_t Append(const uint8_t* bytes, int32_t count) {
    if (count > kLongestLine - count_) count = kLongestLine - count_;
    if (count_ + count > capacity_ && !Grow(count_ + count)) count = capacity_ - count_;
    if (count <= 0) return 0;
    memcpy(bytes_ + count_, bytes, static_cast<size_t>(count));
    count_ += count;
    return count;
  }

  String ToString(uint32_t encoding) const { return NewStringFromBytes(bytes_, count_, encoding); }

 private:
  bool Grow(int32_t needed) {
    int32_t capacity = capacity_ < 2 * kStreamBufferSize ? 2 * kStreamBufferSize : capacity_;
    while (capacity < needed) capacity = capacity > kLongestLine / 2 ? kLongestLine : 2 * capacity;
    uint8_t* bytes = static_cast<uint8_t*>(Allocate(static_cast<size_t>(capacity)));
    if (!bytes) return false;
    if (count_) memcpy(bytes, bytes_, static_cast<size_t>(count_));
    Release(bytes_, static_cast<size_t>(capacity_));
    bytes_ = bytes;
    capacity_ = capacity;
    return true;
  }

  uint8_t* bytes_ = nullptr;
  int32_t count_ = 0;
  int32_t capacity_ = 0;
};

// The first CR or LF, or end. Two memchr passes (LF, then CR before it)
// run far faster than one loop testing both bytes.
const uint8_t* FindLineEnding(const uint8_t* begin, const uint8_t* end) {
  const size_t n = static_cast<size_t>(end - begin);
  const void* lf = n ? memchr(begin, kLineFeed, n) : nullptr;
  const uint8_t* stop = lf ? static_cast<const uint8_t*>(lf) : end;
  const size_t before = static_cast<size_t>(stop - begin);
  const void* cr = before ? memchr(begin, kCarriageReturn, before) : nullptr;
  return cr ? static_cast<const uint8_t*>(cr) : stop;
}

// Reads the next part of the file into the buffer; false when nothing came.
bool Refill(TextInputStreamObject& stream) {
  const int32_t n = stream.file->Read(stream.buffer, kStreamBufferSize);
  stream.pos = 0;
  stream.size = n > 0 ? n : 0;
  if (stream.size > 0) return true;
  // Nothing read before the end means the file fails: retrying would never
  // end, so the stream gives up as if it had been closed.
  if (!stream.file->AtEnd()) CloseInputStream(stream);
  return false;
}

// A CR LF pair split across two fills is still one ending.
void SkipLineFeedAfterCarriageReturn(TextInputStreamObject& stream) {
  if (stream.pos == stream.size && !Refill(stream)) return;
  if (stream.buffer[stream.pos] == kLineFeed) ++stream.pos;
}

}  // namespace

String ReadLine(TextInputStreamObject& stream, uint32_t encoding) {
  if (!stream.file) return String();
  SpanningLine spanning;
  for (;;) {
    const uint8_t* begin = stream.buffer + stream.pos;
    const uint8_t* end = stream.buffer + stream.size;
    const uint8_t* ending = FindLineEnding(begin, end);
    const int32_t available = static_cast<int32_t>(ending - begin);

    if (ending == end || !spanning.empty()) {
      const int32_t taken = spanning.Append(begin, available);
      stream.pos += taken;
      // Cut where memory or the longest string ran out; the rest follows as the next line.
      if (taken < available) return spanning.ToString(encoding);
    }
    if (ending == end) {
      if (!Refill(stream)) return spanning.ToString(encoding);
      continue;
    }

    String line = spanning.empty() ? NewStringFromBytes(begin, available, encoding) : spanning.ToString(encoding);
    stream.pos = static_cast<int32_t>(ending - stream.buffer) + 1;
    if (*ending == kCarriageReturn) SkipLineFeedAfterCarriageReturn(stream);
    return line;
  }
}

bool StreamAtEnd(TextInputStreamObject& stream) {
  if (!stream.file) return true;
  return stream.pos >= stream.size && stream.file->AtEnd();
}

void CloseInputStream(TextInputStreamObject& stream) {
  CloseOwnedFile(stream.file);
}

}  // namespace ql
