#include "pe_locator.h"

#include <vector>

namespace qlimage {

bool PeLocator::HasImage() const { return blockOffset != kPick; }

namespace {

constexpr uint16_t kResourceTypeNameLength = 6;
constexpr char16_t kResourceTypeName[] = u"PICKLE";
constexpr uint32_t kResourceName = 101;
constexpr uint32_t kLocatorSize = 8;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kSubdirectoryBit = 0x80000000;

struct PeSection {
  uint32_t virtualAddress;
  uint32_t virtualSize;
  uint32_t rawSize;
  uint32_t rawOffset;
};

class PeReader {
 public:
  PeReader(const std::string& name, ByteView bytes, Diagnostics& diagnostics)
      : name_(name), bytes_(bytes), diagnostics_(diagnostics) {}

  bool Find(PeLocator& out) {
    if (!ReadHeaders(out)) return false;
    uint64_t data = 0;
    if (!FindLocatorData(data)) return false;
    out.locatorOffset = data;
    ReadU32(bytes_, data, out.blockOffset);
    ReadU32(bytes_, data + 4, out.auxiliaryOffset);
    return true;
  }

 private:
  bool Fail(const std::string& what) {
    diagnostics_.Error(name_ + ": " + what);
    return false;
  }

  bool ReadHeaders(PeLocator& out) {
    uint16_t mz = 0;
    uint32_t pe = 0, signature = 0;
    if (!ReadU16(bytes_, 0, mz) || mz != 0x5A4D || !ReadU32(bytes_, 0x3C, pe) || !ReadU32(bytes_, pe, signature) ||
        signature != 0x00004550) {
      return Fail("is not a PE executable");
    }
    uint64_t header = uint64_t{pe} + 4;
    uint16_t machine = 0, sectionCount = 0, optionalSize = 0, magic = 0;
    if (!ReadU16(bytes_, header, machine) || !ReadU16(bytes_, header + 2, sectionCount) ||
        !ReadU16(bytes_, header + 16, optionalSize)) {
      return Fail("its PE header is cut off");
    }
    if (machine == kMachineI386) out.machine = Machine::I386;
    else if (machine == kMachineAmd64) out.machine = Machine::Amd64;
    else return Fail("machine " + Hex(machine) + " is neither i386 nor amd64");
    uint64_t optional = header + kCoffHeaderSize;
    if (!ReadU16(bytes_, optional, magic) || (magic != 0x10B && magic != 0x20B)) {
      return Fail("has no PE32 or PE32+ optional header");
    }
    // The data directories start at 96 (PE32) or 112 (PE32+), after their count.
    uint64_t countAt = optional + (magic == 0x10B ? 92 : 108);
    uint32_t directoryCount = 0;
    if (!ReadU32(bytes_, countAt, directoryCount) || countAt + 4 > optional + optionalSize) {
      return Fail("its optional header is cut off");
    }
    if (directoryCount <= kResourceDirectoryIndex ||
        countAt + 4 + (kResourceDirectoryIndex + 1) * 8 > optional + optionalSize) {
      return Fail("has no resource directory");
    }
    uint64_t directory = countAt + 4 + kResourceDirectoryIndex * 8;
    ReadU32(bytes_, directory, resourceRva_);
    ReadU32(bytes_, directory + 4, resourceSize_);
    uint64_t table = optional + optionalSize;
    if (!Fits(bytes_.size(), table, uint64_t{sectionCount} * kSectionHeaderSize)) {
      return Fail("its section table runs past the end of the file");
    }
    for (uint32_t i = 0; i < sectionCount; ++i) {
      uint64_t at = table + uint64_t{i} * kSectionHeaderSize;
      PeSection section{};
      ReadU32(bytes_, at + 8, section.virtualSize);
      ReadU32(bytes_, at + 12, section.virtualAddress);
      ReadU32(bytes_, at + 16, section.rawSize);
      ReadU32(bytes_, at + 20, section.rawOffset);
      sections_.push_back(section);
    }
    if (resourceRva_ == 0 || resourceSize_ == 0) return Fail("has no resources (the \"PICKLE\" locator is missing)");
    if (!RvaToFile(resourceRva_, resourceSize_, resourceFile_)) {
      return Fail("its resource directory does not lie in the file");
    }
    return true;
  }

  // File offset of `length` bytes at an RVA, when they lie in one section's raw data.
  bool RvaToFile(uint32_t rva, uint64_t length, uint64_t& out) const {
    for (const PeSection& s : sections_) {
      if (rva < s.virtualAddress) continue;
      uint64_t inside = rva - s.virtualAddress;
      if (!Fits(s.rawSize, inside, length)) continue;
      uint64_t file = uint64_t{s.rawOffset} + inside;
      if (!Fits(bytes_.size(), file, length)) return false;
      out = file;
      return true;
    }
    return false;
  }

  // Reads a resource directory table; entries are (name or id, offset).
  struct Entry {
    uint32_t name;
    uint32_t offset;
  };
  bool ReadDirectory(uint32_t offset, std::vector<Entry>& entries) {
    uint16_t named = 0, ids = 0;
    if (!Fits(resourceSize_, offset, 16)) return false;
    ReadU16(bytes_, resourceFile_ + offset + 12, named);
    ReadU16(bytes_, resourceFile_ + offset + 14, ids);
    uint64_t count = uint64_t{named} + ids;
    if (!Fits(resourceSize_, uint64_t{offset} + 16, count * 8)) return false;
    for (uint64_t i = 0; i < count; ++i) {
      Entry entry{};
      ReadU32(bytes_, resourceFile_ + offset + 16 + i * 8, entry.name);
      ReadU32(bytes_, resourceFile_ + offset + 20 + i * 8, entry.offset);
      entries.push_back(entry);
    }
    return true;
  }

  bool IsTypeName(uint32_t name) {
    if ((name & kSubdirectoryBit) == 0) return false;
    uint64_t at = name & ~kSubdirectoryBit;
    uint16_t length = 0;
    if (!Fits(resourceSize_, at, 2) || !ReadU16(bytes_, resourceFile_ + at, length)) return false;
    if (length != kResourceTypeNameLength || !Fits(resourceSize_, at + 2, uint64_t{length} * 2)) return false;
    for (uint16_t i = 0; i < length; ++i) {
      uint16_t unit = 0;
      ReadU16(bytes_, resourceFile_ + at + 2 + i * 2, unit);
      if (unit >= 'a' && unit <= 'z') unit = static_cast<uint16_t>(unit - 'a' + 'A');
      if (unit != kResourceTypeName[i]) return false;
    }
    return true;
  }

  bool FindLocatorData(uint64_t& out) {
    std::vector<Entry> types, names, languages;
    if (!ReadDirectory(0, types)) return Fail("its resource directory is malformed");
    const Entry* type = nullptr;
    for (const Entry& e : types) {
      if (IsTypeName(e.name)) type = &e;
    }
    if (type == nullptr) return Fail("has no \"PICKLE\" resource (is it the Quillon runtime?)");
    if ((type->offset & kSubdirectoryBit) == 0 || !ReadDirectory(type->offset & ~kSubdirectoryBit, names)) {
      return Fail("its \"PICKLE\" resource directory is malformed");
    }
    const Entry* name = nullptr;
    for (const Entry& e : names) {
      if (e.name == kResourceName) name = &e;
    }
    if (name == nullptr) return Fail("has no \"PICKLE\" resource 101");
    if ((name->offset & kSubdirectoryBit) == 0 || !ReadDirectory(name->offset & ~kSubdirectoryBit, languages) ||
        languages.empty() || (languages[0].offset & kSubdirectoryBit) != 0) {
      return Fail("its \"PICKLE\" resource 101 is malformed");
    }
    uint32_t entry = languages[0].offset;  // any language
    uint32_t dataRva = 0, dataSize = 0;
    if (!Fits(resourceSize_, entry, 16)) return Fail("its \"PICKLE\" data entry lies outside the resources");
    ReadU32(bytes_, resourceFile_ + entry, dataRva);
    ReadU32(bytes_, resourceFile_ + entry + 4, dataSize);
    if (dataSize != kLocatorSize) {
      return Fail("its \"PICKLE\" resource 101 has " + std::to_string(dataSize) + " bytes; the locator has 8");
    }
    if (!RvaToFile(dataRva, kLocatorSize, out)) return Fail("its \"PICKLE\" resource data does not lie in the file");
    return true;
  }

  std::string name_;
  ByteView bytes_;
  Diagnostics& diagnostics_;
  std::vector<PeSection> sections_;
  uint32_t resourceRva_ = 0;
  uint32_t resourceSize_ = 0;
  uint64_t resourceFile_ = 0;
};

}  // namespace

bool FindPeLocator(const std::string& name, ByteView exe, PeLocator& out, Diagnostics& diagnostics) {
  return PeReader(name, exe, diagnostics).Find(out);
}

}  // namespace qlimage
