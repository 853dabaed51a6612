// The resource manager: the index of the image's resource section, one
// entry per record in section order, and lookups by type and number. The
// section's buffer lives for the process; entries point into it.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/array.h"
#include "startup/bytes.h"
#include "startup/loadfailure.h"

namespace ql {

// A four-character code as the section holds it: the first character in the
// most significant byte.
constexpr uint32_t FourCharCode(const char (&code)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8 | static_cast<uint8_t>(code[3]);
}

namespace resource_type {
inline constexpr uint32_t kBitmap = FourCharCode("BMP ");
inline constexpr uint32_t kCursor = FourCharCode("CURS");
inline constexpr uint32_t kWave = FourCharCode("WAVE");
inline constexpr uint32_t kSound = FourCharCode("SND ");
inline constexpr uint32_t kMidi = FourCharCode("MIDI");
inline constexpr uint32_t kMpeg = FourCharCode("MPEG");
inline constexpr uint32_t kText = FourCharCode("TEXT");
inline constexpr uint32_t kMovie = FourCharCode("moov");
inline constexpr uint32_t kDatabase = FourCharCode("DBAS");
inline constexpr uint32_t kPlugin = FourCharCode("QLPl");
}  // namespace resource_type

struct ResourceEntry {
  uint32_t type = 0;  // four-character code
  uint16_t number = 0;
  const uint8_t* data = nullptr;  // inside the rsrc section; null: the empty entry (no resource)
  uint32_t size = 0;              // bytes of data
  uint64_t fileOffset = 0;        // of the data in the executable: the section's offset plus the data's position

  bool found() const { return data != nullptr; }
  ByteView bytes() const { return ByteView{data, size}; }
};

// The record layout: u32 type, u16 number, u32 reserved, u32 size, then the data.
constexpr size_t kResourceRecordHeaderSize = 14;

// Whether every record of `section` lies inside it; `failure` says where not.
bool CheckResourceSection(ByteView section, LoadFailure* failure);

class ResourceIndex {
 public:
  // Appends one entry per record of `section`, whose first byte lies at
  // `fileOffset` in the executable. A record that runs past the section
  // refuses the whole section: nothing is appended, `failure` says where.
  bool Index(ByteView section, uint64_t fileOffset, LoadFailure* failure);

  size_t Count() const { return entries_.Count(); }
  // The entry at `index` in section order; an index at or beyond the count
  // is reported ("WindowsResourceManager", 109) and gives the empty entry.
  ResourceEntry EntryAt(size_t index) const;
  // The first entry in section order of that type and number; the empty
  // entry when there is none.
  ResourceEntry Find(uint32_t type, uint16_t number) const;

  void Clear() { entries_.Clear(); }

 private:
  Array<ResourceEntry> entries_;
};

// The index of the running image (filled by the loader before the image is entered).
ResourceIndex& CurrentResources();

}  // namespace ql
