#include "startup/resourcemanager.h"

#include "core/assertion.h"

namespace ql {
namespace {

struct RecordHeader {
  uint32_t type;
  uint16_t number;
  uint32_t size;
};

RecordHeader ReadRecordHeader(const uint8_t* p) { return RecordHeader{LoadU32(p), LoadU16(p + 4), LoadU32(p + 10)}; }

}  // namespace

bool CheckResourceSection(ByteView section, LoadFailure* failure) {
  size_t position = 0;
  while (position < section.size) {
    if (!section.Holds(position, kResourceRecordHeaderSize)) {
      failure->Add("the resource record at rsrc offset %zu ends inside its header", position);
      return false;
    }
    const RecordHeader header = ReadRecordHeader(section.data + position);
    if (!section.Holds(position + kResourceRecordHeaderSize, header.size)) {
      failure->Add("the resource record at rsrc offset %zu runs past the end of the section (%u bytes of data)",
                   position, header.size);
      return false;
    }
    position += kResourceRecordHeaderSize + header.size;
  }
  return true;
}

bool ResourceIndex::Index(ByteView section, uint64_t fileOffset, LoadFailure* failure) {
  // Every record is checked before any is entered.
  if (!CheckResourceSection(section, failure)) return false;
  size_t position = 0;
  while (position < section.size) {
    const RecordHeader header = ReadRecordHeader(section.data + position);
    const size_t dataAt = position + kResourceRecordHeaderSize;
    entries_.Append(ResourceEntry{header.type, header.number, section.data + dataAt, header.size, fileOffset + dataAt});
    position = dataAt + header.size;
  }
  return true;
}

ResourceEntry ResourceIndex::EntryAt(size_t index) const {
  if (!QL_CHECK(index < entries_.Count(), "WindowsResourceManager", 109, "index < GetCount()")) return ResourceEntry();
  return entries_[index];
}

ResourceEntry ResourceIndex::Find(uint32_t type, uint16_t number) const {
  for (const ResourceEntry& entry : entries_)
    if (entry.type == type && entry.number == number) return entry;
  return ResourceEntry();
}

ResourceIndex& CurrentResources() {
  static ResourceIndex& index = *new ResourceIndex;  // entries point into a section that is never freed
  return index;
}

}  // namespace ql
