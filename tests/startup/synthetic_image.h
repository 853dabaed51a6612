// Builders for synthetic images: import records, code with threaded chains,
// data with static string records, and the appended block.
#pragma once

#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace ql::test {

using Bytes = std::vector<uint8_t>;

inline void Put32(Bytes& b, size_t at, uint32_t v) { memcpy(b.data() + at, &v, 4); }
inline void Put64(Bytes& b, size_t at, uint64_t v) { memcpy(b.data() + at, &v, 8); }
inline uint32_t Get32(const Bytes& b, size_t at) {
  uint32_t v;
  memcpy(&v, b.data() + at, 4);
  return v;
}
inline uint64_t Get64(const Bytes& b, size_t at) {
  uint64_t v;
  memcpy(&v, b.data() + at, 8);
  return v;
}
inline uint64_t GetWord(const Bytes& b, size_t at, size_t width) { return width == 8 ? Get64(b, at) : Get32(b, at); }
inline void PutWord(Bytes& b, size_t at, size_t width, uint64_t v) {
  if (width == 8)
    Put64(b, at, v);
  else
    Put32(b, at, static_cast<uint32_t>(v));
}

inline void Append32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void AppendBytes(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

// Threads `sites` of `code` into a chain of `width`-byte words; the head.
inline uint32_t Thread(Bytes& code, const std::vector<uint32_t>& sites, size_t width) {
  for (size_t i = 0; i < sites.size(); ++i) PutWord(code, sites[i], width, i + 1 < sites.size() ? sites[i + 1] : 0);
  return sites.empty() ? 0 : sites[0];
}

class Imports {
 public:
  Imports& Entry(uint8_t mode, uint32_t head, const std::string& name) {
    b_.push_back(0x01);
    b_.push_back(mode);
    Append32(b_, head);
    Name(name);
    return *this;
  }
  Imports& Site(uint8_t kind, uint32_t site) {
    b_.push_back(kind);
    Append32(b_, site);
    return *this;
  }
  Imports& Win32(uint32_t head, const std::string& routine, const std::string& library) {
    b_.push_back(0x04);
    Append32(b_, head);
    Name(routine);
    Name(library);
    return *this;
  }
  Imports& Raw(std::initializer_list<uint8_t> bytes) {
    b_.insert(b_.end(), bytes);
    return *this;
  }
  const Bytes& bytes() const { return b_; }

 private:
  void Name(const std::string& name) {
    b_.push_back(static_cast<uint8_t>(name.size()));
    b_.insert(b_.end(), name.begin(), name.end());
    b_.push_back(0);
  }
  Bytes b_;
};

// A static string record of the given layout at `at` of `data`.
inline void PutStaticString(Bytes& data, size_t at, const std::string& text, size_t header, size_t textOffset,
                            size_t lengthOffset) {
  data.resize(std::max(data.size(), at + header + text.size() + 2));
  Put32(data, at, 1);
  PutWord(data, at + textOffset, textOffset == 8 ? 8 : 4, 0);
  Put32(data, at + lengthOffset - 4, static_cast<uint32_t>(text.size() + 2));
  Put32(data, at + lengthOffset, static_cast<uint32_t>(text.size()));
  Put32(data, at + lengthOffset + 4, 0x08000100);
  data[at + header] = static_cast<uint8_t>(text.size() > 255 ? 255 : text.size());
  memcpy(data.data() + at + header + 1, text.data(), text.size());
  data[at + header + 1 + text.size()] = 0;
}

// A resource section: records of u32 type, u16 number, u32 reserved, u32
// size and the data.
class Resources {
 public:
  Resources& Add(uint32_t type, uint16_t number, const Bytes& data) {
    Append32(b_, type);
    b_.push_back(static_cast<uint8_t>(number));
    b_.push_back(static_cast<uint8_t>(number >> 8));
    Append32(b_, 0);
    Append32(b_, static_cast<uint32_t>(data.size()));
    AppendBytes(b_, data);
    return *this;
  }
  // A plug-in resource: u8 N, N bytes of file name, the library's bytes.
  Resources& Plugin(uint16_t number, const std::string& fileName, const Bytes& library) {
    Bytes data = {static_cast<uint8_t>(fileName.size())};
    data.insert(data.end(), fileName.begin(), fileName.end());
    AppendBytes(data, library);
    return Add(0x514C506C, number, data);  // 'QLPl'
  }
  const Bytes& bytes() const { return b_; }

 private:
  Bytes b_;
};

// The appended block: five length-prefixed sections.
inline Bytes AppendedBlock(const Bytes& code, const Bytes& data, const Bytes& imports, const Bytes& rsrc,
                           const Bytes& options) {
  Bytes block;
  for (const Bytes* section : {&code, &data, &imports, &rsrc, &options}) {
    Append32(block, static_cast<uint32_t>(section->size()));
    AppendBytes(block, *section);
  }
  return block;
}

}  // namespace ql::test
