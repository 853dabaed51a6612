#include "reference_loader.h"

namespace qlimage::test {

ReferenceLoader::ReferenceLoader(const Image& image)
    : image_(image),
      word_(WordWidth(image.machine)),
      codeBase_(image.machine == Machine::Amd64 ? 0x140000000ull : 0x10000000ull),
      dataBase_(codeBase_ + AlignUp(image.code.size(), 16)) {
  block_ = image.code;
  block_.resize(dataBase_ - codeBase_, 0);
  AppendBytes(block_, image.data);
}

ReferenceLoader::ReferenceLoader(const Image& image, uint64_t codeBase, std::map<std::string, uint64_t> addresses)
    : ReferenceLoader(image) {
  addresses_ = std::move(addresses);
  codeBase_ = codeBase;
  dataBase_ = codeBase_ + AlignUp(image.code.size(), 16);
}

uint64_t ReferenceLoader::Resolve(const std::string& name, bool routine) const {
  auto it = addresses_.find(name);
  if (it != addresses_.end()) return it->second;
  return routine ? RoutineAddress(name) : EntryAddress(name);
}

uint64_t ReferenceLoader::EntryAddress(const std::string& linkName) {
  uint64_t h = 0;
  for (char c : linkName) h = h * 31 + static_cast<uint8_t>(c);
  return 0x60000000 + (h % 0x100000) * 16;
}

uint64_t ReferenceLoader::RoutineAddress(const std::string& routine) { return EntryAddress(routine) + 0x10000000; }

uint64_t ReferenceLoader::Get(uint64_t offset, unsigned width) const {
  uint64_t v = 0;
  ReadWord(block_, offset, width, v);
  return v;
}

void ReferenceLoader::Put(uint64_t offset, unsigned width, uint64_t value) { PutWord(block_, offset, width, value); }

bool ReferenceLoader::Walk(uint32_t head, unsigned width, bool relative, uint64_t destination, std::string& error) {
  uint64_t site = head;
  size_t visited = 0;
  while (site != 0) {
    if (!Fits(image_.code.size(), site, width) || ++visited > image_.code.size()) {
      error = "chain leaves the code at " + Hex(site);
      return false;
    }
    uint64_t next = Get(site, width);
    Put(site, width, relative ? destination - (codeBase_ + site + 4) : destination);
    site = next;
  }
  return true;
}

bool ReferenceLoader::Link(std::string& error) {
  ByteView section = image_.import;
  size_t at = 0;
  auto name = [&](std::string& out) {
    uint8_t n = 0;
    if (!ReadU8(section, at, n) || !Fits(section.size(), at + 1, n + 1u)) return false;
    out.assign(reinterpret_cast<const char*>(section.data() + at + 1), n);
    at += 2 + n;
    return true;
  };
  while (at < section.size()) {
    uint8_t kind = section[at++];
    uint8_t mode = 0;
    uint32_t head = 0;
    std::string link, library;
    switch (kind) {
      case kImportRuntime:
        if (!ReadU8(section, at, mode) || !ReadU32(section, at + 1, head) || !(at += 5, name(link))) {
          error = "kind 1 record cut off";
          return false;
        }
        if (!Walk(head, mode == kModeRelative ? 4 : word_, mode == kModeRelative, Resolve(link, false), error))
          return false;
        break;
      case kImportWin32: {
        if (!ReadU32(section, at, head) || !(at += 4, name(link)) || !name(library)) {
          error = "kind 4 record cut off";
          return false;
        }
        bool relative = image_.machine == Machine::I386;
        if (!Walk(head, relative ? 4 : 8, relative, Resolve(link, true), error)) return false;
        break;
      }
      case kImportData:
      case kImportCode:
      case kImportString: {
        uint32_t site = 0;
        if (!ReadU32(section, at, site) || !Fits(image_.code.size(), site, word_)) {
          error = "site of a kind " + std::to_string(kind) + " record lies outside the code";
          return false;
        }
        at += 4;
        uint64_t value = Get(site, word_);
        uint64_t base = kind == kImportCode ? codeBase_ : dataBase_;
        Put(site, word_, value + base);
        if (kind == kImportString) {
          uint64_t text = dataBase_ - codeBase_ + value + word_;
          if (!Fits(block_.size(), text, word_)) {
            error = "string record " + Hex(value) + " lies outside the data";
            return false;
          }
          if (Get(text, word_) == 0) Put(text, word_, dataBase_ + value + StringHeaderSize(image_.machine));
        }
        break;
      }
      default:
        break;
    }
  }
  return true;
}

uint64_t ReferenceLoader::Word(uint64_t codeOffset) const { return Get(codeOffset, word_); }

uint64_t ReferenceLoader::ReadAddress(uint64_t address, unsigned width) const {
  if (address < codeBase_ || address - codeBase_ + width > block_.size()) return 0;
  return Get(address - codeBase_, width);
}

uint64_t ReferenceLoader::FollowJumps(uint64_t address) const {
  for (int hops = 0; hops < 4; ++hops) {
    if (address < codeBase_ || address - codeBase_ + 6 > block_.size()) return address;
    uint64_t offset = address - codeBase_;
    if (block_[offset] == 0xE9) {
      address = address + 5 + static_cast<int32_t>(Get(offset + 1, 4));
    } else if (block_[offset] == 0xFF && block_[offset + 1] == 0x25 && image_.machine == Machine::Amd64) {
      address = ReadAddress(address + 6 + static_cast<int32_t>(Get(offset + 2, 4)), 8);
    } else {
      return address;
    }
  }
  return address;
}

uint64_t ReferenceLoader::DisplacementTarget(uint64_t codeOffset, unsigned extra) const {
  return codeBase_ + codeOffset + 4 + extra + static_cast<int32_t>(Get(codeOffset, 4));
}

}  // namespace qlimage::test
