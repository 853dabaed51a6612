#include "coff_object.h"

#include <string.h>

namespace qlimage {

const char* MachineName(Machine machine) { return machine == Machine::Amd64 ? "amd64" : "i386"; }

unsigned RelocationWidth(Machine machine, uint16_t type) {
  if (machine == Machine::I386) {
    switch (type) {
      case kRelI386Dir32:
      case kRelI386Dir32Nb:
      case kRelI386SecRel:
      case kRelI386Rel32:
        return 4;
      case kRelI386Section:
        return 2;
      default:
        return 0;
    }
  }
  switch (type) {
    case kRelAmd64Addr64:
      return 8;
    case kRelAmd64Addr32:
    case kRelAmd64Addr32Nb:
    case kRelAmd64SecRel:
      return 4;
    case kRelAmd64Section:
      return 2;
    default:
      return type >= kRelAmd64Rel32 && type <= kRelAmd64Rel32_5 ? 4 : 0;
  }
}

std::string RelocationName(Machine machine, uint16_t type) {
  if (machine == Machine::I386) {
    switch (type) {
      case kRelI386Absolute: return "ABSOLUTE";
      case kRelI386Dir32: return "DIR32";
      case kRelI386Dir32Nb: return "DIR32NB";
      case kRelI386Section: return "SECTION";
      case kRelI386SecRel: return "SECREL";
      case kRelI386Rel32: return "REL32";
      default: return "type " + Hex(type);
    }
  }
  switch (type) {
    case kRelAmd64Absolute: return "ABSOLUTE";
    case kRelAmd64Addr64: return "ADDR64";
    case kRelAmd64Addr32: return "ADDR32";
    case kRelAmd64Addr32Nb: return "ADDR32NB";
    case kRelAmd64Rel32: return "REL32";
    case kRelAmd64Section: return "SECTION";
    case kRelAmd64SecRel: return "SECREL";
    default:
      if (type > kRelAmd64Rel32 && type <= kRelAmd64Rel32_5) return "REL32_" + std::to_string(type - kRelAmd64Rel32);
      return "type " + Hex(type);
  }
}

namespace {

struct Header {
  uint16_t machine = 0;
  uint16_t sectionCount = 0;
  uint32_t symbolTable = 0;
  uint32_t symbolCount = 0;
  uint16_t optionalHeaderSize = 0;
};

class Reader {
 public:
  Reader(const std::string& name, ByteView bytes, Diagnostics& diagnostics)
      : name_(name), bytes_(bytes), diagnostics_(diagnostics) {}

  bool Read(CoffObject& out) {
    out.name = name_;
    if (!ReadHeader()) return false;
    out.machine = header_.machine == kMachineAmd64 ? Machine::Amd64 : Machine::I386;
    if (!ReadStringTable()) return false;
    ReadSections(out);
    if (failed_) return false;
    ReadSymbols(out);
    if (failed_) return false;
    CheckRelocations(out);
    return !failed_;
  }

 private:
  void Fail(const std::string& what) {
    diagnostics_.Error(name_ + ": " + what);
    failed_ = true;
  }

  bool ReadHeader() {
    uint16_t second = 0;
    if (!ReadU16(bytes_, 0, header_.machine) || !ReadU16(bytes_, 2, second) || bytes_.size() < kCoffHeaderSize) {
      Fail("too short for a COFF object (" + std::to_string(bytes_.size()) + " bytes)");
      return false;
    }
    if (header_.machine == 0 && second == 0xFFFF) {
      Fail("is an import library member or an extended object, not a plain COFF object");
      return false;
    }
    if (header_.machine == 0x5A4D) {
      Fail("is an executable or library (MZ), not a COFF object");
      return false;
    }
    if (header_.machine != kMachineI386 && header_.machine != kMachineAmd64) {
      Fail("machine " + Hex(header_.machine) + " is neither i386 nor amd64");
      return false;
    }
    header_.sectionCount = second;
    ReadU32(bytes_, 8, header_.symbolTable);
    ReadU32(bytes_, 12, header_.symbolCount);
    ReadU16(bytes_, 16, header_.optionalHeaderSize);
    if (header_.optionalHeaderSize != 0) {
      Fail("has an optional header: an image, not a relocatable object");
      return false;
    }
    if (!Fits(bytes_.size(), kCoffHeaderSize, uint64_t{header_.sectionCount} * kSectionHeaderSize)) {
      Fail("section table (" + std::to_string(header_.sectionCount) + " sections) runs past the end of the file");
      return false;
    }
    if (header_.symbolCount != 0 &&
        !Fits(bytes_.size(), header_.symbolTable, uint64_t{header_.symbolCount} * kSymbolSize)) {
      Fail("symbol table (" + std::to_string(header_.symbolCount) + " symbols at " + Hex(header_.symbolTable) +
           ") runs past the end of the file");
      return false;
    }
    return true;
  }

  // The string table follows the symbol table; a file that ends right after
  // the symbols has an empty one.
  bool ReadStringTable() {
    uint64_t start = uint64_t{header_.symbolTable} + uint64_t{header_.symbolCount} * kSymbolSize;
    if (header_.symbolCount == 0 || start == bytes_.size()) return true;
    uint32_t size = 0;
    if (!ReadU32(bytes_, start, size)) {
      Fail("string table size at " + Hex(start) + " runs past the end of the file");
      return false;
    }
    if (size < 4 || !Fits(bytes_.size(), start, size)) {
      Fail("string table of " + std::to_string(size) + " bytes at " + Hex(start) + " does not fit in the file");
      return false;
    }
    strings_ = bytes_.subspan(start, size);
    return true;
  }

  // A NUL-terminated name at `offset` of the string table.
  bool LongName(uint64_t offset, std::string& out) {
    if (offset < 4 || offset >= strings_.size()) return false;
    const uint8_t* start = strings_.data() + offset;
    const void* end = memchr(start, 0, strings_.size() - offset);
    if (end == nullptr) return false;
    size_t length = static_cast<const uint8_t*>(end) - start;
    // Names may share bytes; the cap keeps a hostile table from multiplying memory.
    nameBytes_ += length;
    if (nameBytes_ > kMaximumNameBytes) return false;
    out.assign(reinterpret_cast<const char*>(start), length);
    return true;
  }

  static std::string ShortName(ByteView field) {
    size_t length = 0;
    while (length < 8 && field[length] != 0) ++length;
    return std::string(reinterpret_cast<const char*>(field.data()), length);
  }

  bool SectionName(ByteView field, std::string& out) {
    if (field[0] != '/') {
      out = ShortName(field);
      return true;
    }
    uint64_t offset = 0;
    for (size_t i = 1; i < 8 && field[i] != 0; ++i) {
      if (field[i] < '0' || field[i] > '9') return false;
      offset = offset * 10 + (field[i] - '0');
    }
    return LongName(offset, out);
  }

  void ReadSections(CoffObject& out) {
    for (uint32_t i = 0; i < header_.sectionCount; ++i) {
      uint64_t at = kCoffHeaderSize + uint64_t{i} * kSectionHeaderSize;
      CoffSection section;
      std::string number = "section " + std::to_string(i + 1);
      if (!SectionName(bytes_.subspan(at, 8), section.name)) {
        Fail(number + ": its long name does not lie in the string table");
        continue;
      }
      std::string label = "section " + Printable(section.name);
      uint32_t rawData = 0, relocations = 0;
      uint16_t relocationCount = 0;
      ReadU32(bytes_, at + 16, section.size);
      ReadU32(bytes_, at + 20, rawData);
      ReadU32(bytes_, at + 24, relocations);
      ReadU16(bytes_, at + 32, relocationCount);
      ReadU32(bytes_, at + 36, section.characteristics);
      uint32_t alignCode = (section.characteristics & kScnAlignMask) >> 20;
      if (alignCode > 14) {
        Fail(label + ": alignment code " + std::to_string(alignCode) + " is not defined");
        continue;
      }
      section.alignment = alignCode == 0 ? 1 : 1u << (alignCode - 1);
      if (!section.IsUninitialized() && section.size != 0) {
        if (!Fits(bytes_.size(), rawData, section.size)) {
          Fail(label + ": contents (" + std::to_string(section.size) + " bytes at " + Hex(rawData) +
               ") run past the end of the file");
          continue;
        }
        // Sections never overlap in a sound object; the sum bounds the memory taken.
        contentBytes_ += section.size;
        if (contentBytes_ > bytes_.size()) {
          Fail(label + ": section contents overlap (together larger than the file)");
          continue;
        }
        section.contents.assign(bytes_.begin() + rawData, bytes_.begin() + rawData + section.size);
      }
      ReadRelocations(label, relocations, relocationCount, section);
      out.sections.push_back(std::move(section));
    }
  }

  void ReadRelocations(const std::string& label, uint32_t at, uint16_t count16, CoffSection& section) {
    uint64_t count = count16;
    uint64_t first = at;
    if ((section.characteristics & kScnLnkNrelocOvfl) != 0 && count16 == 0xFFFF) {
      // The real count, including this record, is in the first record's site field.
      uint32_t real = 0;
      if (!ReadU32(bytes_, at, real) || real == 0) {
        Fail(label + ": extended relocation count at " + Hex(at) + " is unreadable");
        return;
      }
      count = real - 1;
      first = uint64_t{at} + kRelocationSize;
    }
    if (count == 0) return;
    if (!Fits(bytes_.size(), first, count * kRelocationSize)) {
      Fail(label + ": " + std::to_string(count) + " relocations at " + Hex(first) + " run past the end of the file");
      return;
    }
    relocationBytes_ += count * kRelocationSize;
    if (relocationBytes_ > bytes_.size()) {
      Fail(label + ": relocation tables overlap (together larger than the file)");
      return;
    }
    section.relocations.reserve(count);
    for (uint64_t r = 0; r < count; ++r) {
      uint64_t p = first + r * kRelocationSize;
      CoffRelocation relocation{};
      ReadU32(bytes_, p, relocation.offset);
      ReadU32(bytes_, p + 4, relocation.symbolIndex);
      ReadU16(bytes_, p + 8, relocation.type);
      section.relocations.push_back(relocation);
    }
  }

  void ReadSymbols(CoffObject& out) {
    out.symbols.resize(header_.symbolCount);
    for (uint32_t i = 0; i < header_.symbolCount; ++i) {
      uint64_t at = uint64_t{header_.symbolTable} + uint64_t{i} * kSymbolSize;
      CoffSymbol& symbol = out.symbols[i];
      uint32_t zeroes = 0, nameOffset = 0;
      ReadU32(bytes_, at, zeroes);
      ReadU32(bytes_, at + 4, nameOffset);
      if (zeroes != 0) {
        symbol.name = ShortName(bytes_.subspan(at, 8));
      } else if (!LongName(nameOffset, symbol.name)) {
        Fail("symbol " + std::to_string(i) + ": its name does not lie in the string table");
        return;
      }
      uint16_t section = 0;
      ReadU32(bytes_, at + 8, symbol.value);
      ReadU16(bytes_, at + 12, section);
      symbol.section = static_cast<int16_t>(section);
      ReadU16(bytes_, at + 14, symbol.type);
      ReadU8(bytes_, at + 16, symbol.storageClass);
      ReadU8(bytes_, at + 17, symbol.auxCount);
      std::string label = "symbol " + Printable(symbol.name);
      if (uint64_t{i} + symbol.auxCount >= header_.symbolCount && symbol.auxCount != 0) {
        Fail(label + ": its " + std::to_string(symbol.auxCount) + " auxiliary records run past the symbol table");
        return;
      }
      if (symbol.section > 0 && static_cast<size_t>(symbol.section) > out.sections.size()) {
        Fail(label + ": section number " + std::to_string(symbol.section) + " does not exist");
        return;
      }
      ReadAuxiliary(out, i, at + kSymbolSize, label);
      if (failed_) return;
      for (uint32_t a = 1; a <= symbol.auxCount; ++a) out.symbols[i + a].isAux = true;
      i += symbol.auxCount;
    }
  }

  // Section definitions carry the COMDAT selection; weak externals their default.
  void ReadAuxiliary(CoffObject& out, uint32_t index, uint64_t aux, const std::string& label) {
    CoffSymbol& symbol = out.symbols[index];
    if (symbol.auxCount == 0) return;
    if (symbol.storageClass == kSymStatic && symbol.section > 0 && symbol.value == 0) {
      CoffSection& section = out.sections[symbol.section - 1];
      if (section.hasDefinition || symbol.name != section.name) return;
      section.hasDefinition = true;
      uint16_t number = 0;
      uint8_t selection = 0;
      ReadU16(bytes_, aux + 12, number);
      ReadU8(bytes_, aux + 14, selection);
      if (section.IsComdat()) {
        section.selection = selection;
        section.associated = number;
      }
    } else if (symbol.storageClass == kSymWeakExternal) {
      ReadU32(bytes_, aux, symbol.weakDefault);
      if (symbol.weakDefault >= header_.symbolCount) Fail(label + ": weak default symbol index out of range");
    }
  }

  void CheckRelocations(CoffObject& out) {
    for (const CoffSection& section : out.sections) {
      for (const CoffRelocation& relocation : section.relocations) {
        std::string at = "section " + Printable(section.name) + ": relocation at " + Hex(relocation.offset);
        if (relocation.symbolIndex >= out.symbols.size() || out.symbols[relocation.symbolIndex].isAux) {
          Fail(at + " names symbol " + std::to_string(relocation.symbolIndex) + ", which does not exist");
          continue;
        }
        unsigned width = RelocationWidth(out.machine, relocation.type);
        if (!Fits(section.size, relocation.offset, width)) {
          Fail(at + " patches bytes past the end of the section (" + std::to_string(section.size) + " bytes)");
        }
      }
    }
    for (const CoffSymbol& symbol : out.symbols) {
      if (symbol.storageClass == kSymWeakExternal && out.symbols[symbol.weakDefault].isAux) {
        Fail("symbol " + Printable(symbol.name) + ": weak default is an auxiliary record");
      }
    }
  }

  std::string name_;
  ByteView bytes_;
  Diagnostics& diagnostics_;
  Header header_;
  ByteView strings_;
  bool failed_ = false;
  uint64_t contentBytes_ = 0;
  uint64_t relocationBytes_ = 0;
  uint64_t nameBytes_ = 0;
  static constexpr uint64_t kMaximumNameBytes = 64u << 20;
};

}  // namespace

bool ReadCoffObject(const std::string& name, ByteView bytes, CoffObject& out, Diagnostics& diagnostics) {
  return Reader(name, bytes, diagnostics).Read(out);
}

}  // namespace qlimage
