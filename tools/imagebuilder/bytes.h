// Little-endian reads and writes over byte buffers. Every read is checked
// against the buffer's end first; a read that does not fit reports false and
// leaves its output untouched.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <span>
#include <string>
#include <vector>

namespace qlimage {

using Bytes = std::vector<uint8_t>;
using ByteView = std::span<const uint8_t>;

// True when [offset, offset + length) lies inside a buffer of `size` bytes,
// computed without overflow.
inline bool Fits(uint64_t size, uint64_t offset, uint64_t length) {
  return offset <= size && length <= size - offset;
}

inline bool ReadU8(ByteView bytes, uint64_t offset, uint8_t& out) {
  if (!Fits(bytes.size(), offset, 1)) return false;
  out = bytes[offset];
  return true;
}

inline bool ReadU16(ByteView bytes, uint64_t offset, uint16_t& out) {
  if (!Fits(bytes.size(), offset, 2)) return false;
  out = static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
  return true;
}

inline bool ReadU32(ByteView bytes, uint64_t offset, uint32_t& out) {
  if (!Fits(bytes.size(), offset, 4)) return false;
  out = static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
        static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
  return true;
}

inline bool ReadU64(ByteView bytes, uint64_t offset, uint64_t& out) {
  uint32_t low = 0, high = 0;
  if (!Fits(bytes.size(), offset, 8)) return false;
  ReadU32(bytes, offset, low);
  ReadU32(bytes, offset + 4, high);
  out = static_cast<uint64_t>(high) << 32 | low;
  return true;
}

// Reads a word of `width` bytes (4 or 8).
inline bool ReadWord(ByteView bytes, uint64_t offset, unsigned width, uint64_t& out) {
  if (width == 8) return ReadU64(bytes, offset, out);
  uint32_t v = 0;
  if (!ReadU32(bytes, offset, v)) return false;
  out = v;
  return true;
}

// Writes into an existing buffer; the caller has checked the range.
inline void PutU32(Bytes& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}
inline void PutU64(Bytes& bytes, size_t offset, uint64_t value) {
  for (int i = 0; i < 8; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}
inline void PutWord(Bytes& bytes, size_t offset, unsigned width, uint64_t value) {
  if (width == 8) PutU64(bytes, offset, value);
  else PutU32(bytes, offset, static_cast<uint32_t>(value));
}

// Appends at the end of a buffer being built.
inline void AppendU8(Bytes& out, uint8_t v) { out.push_back(v); }
inline void AppendU16(Bytes& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void AppendU32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void AppendBytes(Bytes& out, ByteView bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }
inline void AppendText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

inline uint64_t AlignUp(uint64_t value, uint64_t alignment) {
  return alignment <= 1 ? value : (value + alignment - 1) / alignment * alignment;
}

// "0x1a2b" for messages.
std::string Hex(uint64_t value);

}  // namespace qlimage
