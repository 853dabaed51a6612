#include "image_linker.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

namespace qlimage {

namespace {

enum class SectionClass { Code, ReadOnly, Data, Strings, Bss, Dropped };
enum class Area { Code, Data };

struct Placement {
  SectionClass cls = SectionClass::Dropped;
  bool discarded = false;  // a COMDAT duplicate, or associated with one
  Area area = Area::Code;
  uint64_t offset = 0;     // in its area
  bool Kept() const { return cls != SectionClass::Dropped && !discarded; }
};

struct SymbolRef {
  size_t object;
  uint32_t index;
};

struct Common {
  uint32_t size = 0;
  uint64_t offset = 0;  // in the data area
  std::string firstObject;
};

// One static string record of the data area.
struct StringRecord {
  uint64_t end = 0;          // data offset just past the record
  bool absolute = false;     // some kind 0x05 record names it
  bool referenced = false;   // some reference reaches it
  uint64_t anchor = 0;       // code offset of its anchor word, when it needs one
};

enum class TargetKind { Internal, Absolute, Runtime, RuntimeSlot, Win32, Win32Slot };

struct Target {
  TargetKind kind = TargetKind::Internal;
  Area area = Area::Code;
  uint64_t offset = 0;  // Internal: offset in the area; Absolute: the value
  std::string name;     // link name or routine name
};

struct Fixup {
  std::string where;      // "OBJ: section S: REL at 0x..", for messages
  uint64_t site = 0;      // code offset of the patched bytes
  bool relative = false;  // REL32 family
  unsigned extra = 0;     // REL32_n: bytes between the field and the end of the instruction
  uint64_t addend = 0;    // the value the compiler left at the site
  Target target;
};

// Builder-made code for one imported name: a jump thunk and/or an
// absolute slot (docs/image-builder.md, "Thunks and slots").
struct Stub {
  bool needThunk = false;
  bool needSlot = false;
  uint64_t thunk = 0;
  uint64_t slot = 0;
};

constexpr uint8_t kFillCode = 0xCC;
// Largest code or data section the builder makes: far above any real image,
// and a bound on what a hostile object can make it allocate.
constexpr uint64_t kMaximumSection = 64u << 20;

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

bool IsDroppedName(const std::string& name) {
  return StartsWith(name, ".debug") || StartsWith(name, ".pdata") || StartsWith(name, ".xdata") ||
         name == ".drectve" || StartsWith(name, ".rdata$zzz") || StartsWith(name, ".eh_frame") ||
         StartsWith(name, ".zdebug");
}

// Sections the image has no way to run or express.
const char* RefusalReason(const std::string& name) {
  if (StartsWith(name, ".ctors") || StartsWith(name, ".dtors") || StartsWith(name, ".init_array") ||
      StartsWith(name, ".fini_array"))
    return "static constructors and destructors are not supported in an image";
  if (StartsWith(name, ".CRT$X")) return "C runtime initialiser tables are not supported in an image";
  if (StartsWith(name, ".tls")) return "thread-local storage is not supported in an image";
  if (StartsWith(name, ".gcc_except_table")) return "C++ exception tables are not supported (compile with -fno-exceptions)";
  return nullptr;
}

// Static string records: .qlstr sections, and the COMDAT sections of the
// SDK's record template (quillon::detail::kStaticString<...>), whose section
// attribute the compiler drops for template instances.
bool IsStringsName(const std::string& name) {
  return name == ".qlstr" || StartsWith(name, ".qlstr$") || StartsWith(name, ".data$_ZN7quillon6detail13kStaticString");
}

class Linker {
 public:
  Linker(const std::vector<CoffObject>& objects, const Manifest& manifest, const EntryNames& names,
         Diagnostics& diagnostics)
      : objects_(objects), manifest_(manifest), names_(names), diagnostics_(diagnostics) {}

  bool Link(Image& image) {
    size_t errors = diagnostics_.Count();
    if (!CheckMachines()) return false;
    image.machine = machine_;
    word_ = WordWidth(machine_);
    ClassifySections();
    ResolveComdats();
    DefineSymbols();
    if (diagnostics_.Count() != errors) return false;
    LayOutCode();
    LayOutData();
    if (diagnostics_.Count() != errors) return false;
    uint64_t entry = FindEntry();
    CollectFixups();
    if (diagnostics_.Count() != errors) return false;
    LayOutStubs();
    LayOutAnchors();
    if (!CheckSizes()) return false;
    ApplyFixups();
    if (diagnostics_.Count() != errors) return false;
    WriteEntryJump(entry);
    WriteImports(image.import);
    if (diagnostics_.Count() != errors) return false;
    image.code = std::move(code_);
    image.data = std::move(data_);
    return true;
  }

 private:
  void Error(const std::string& message) { diagnostics_.Error(message); }

  // --- Inputs ---

  bool CheckMachines() {
    if (objects_.empty()) {
      Error("no objects to link");
      return false;
    }
    machine_ = objects_[0].machine;
    bool ok = true;
    for (const CoffObject& object : objects_) {
      if (object.machine != machine_) {
        Error(object.name + ": is an " + MachineName(object.machine) + " object, but " + objects_[0].name +
              " is " + MachineName(machine_));
        ok = false;
      }
    }
    return ok;
  }

  void ClassifySections() {
    placements_.resize(objects_.size());
    for (size_t o = 0; o < objects_.size(); ++o) {
      const CoffObject& object = objects_[o];
      placements_[o].resize(object.sections.size());
      for (size_t s = 0; s < object.sections.size(); ++s) {
        placements_[o][s].cls = Classify(object, object.sections[s]);
      }
    }
  }

  SectionClass Classify(const CoffObject& object, const CoffSection& section) {
    uint32_t c = section.characteristics;
    if (IsDroppedName(section.name) || (c & (kScnLnkRemove | kScnLnkInfo)) != 0) return SectionClass::Dropped;
    if (const char* reason = RefusalReason(section.name)) {
      if (section.size != 0) Error(object.name + ": section " + Printable(section.name) + ": " + reason);
      return SectionClass::Dropped;
    }
    if (IsStringsName(section.name)) {
      if ((c & kScnCntCode) != 0 || section.IsUninitialized()) {
        Error(object.name + ": section " + Printable(section.name) + " must hold initialised string records");
        return SectionClass::Dropped;
      }
      return SectionClass::Strings;
    }
    if ((c & (kScnCntCode | kScnMemExecute)) != 0) return SectionClass::Code;
    if (section.IsUninitialized()) return SectionClass::Bss;
    if ((c & kScnCntInitializedData) != 0) {
      return (c & kScnMemWrite) != 0 ? SectionClass::Data : SectionClass::ReadOnly;
    }
    if (section.size != 0) {
      Error(object.name + ": section " + Printable(section.name) + " (characteristics " + Hex(c) +
            ") is neither code nor data");
    }
    return SectionClass::Dropped;
  }

  // The COMDAT symbol of a section: the first symbol after its definition
  // that lies in it.
  const CoffSymbol* ComdatSymbol(const CoffObject& object, size_t sectionIndex) {
    bool sawDefinition = false;
    for (const CoffSymbol& symbol : object.symbols) {
      if (symbol.isAux || symbol.section != static_cast<int16_t>(sectionIndex + 1)) continue;
      if (!sawDefinition && symbol.storageClass == kSymStatic && symbol.value == 0 &&
          symbol.name == object.sections[sectionIndex].name) {
        sawDefinition = true;
        continue;
      }
      return &symbol;
    }
    return nullptr;
  }

  // The first definition of each COMDAT symbol is kept; later ones are
  // discarded with every section associated with them.
  void ResolveComdats() {
    std::unordered_map<std::string, std::string> claimed;  // COMDAT symbol -> object that keeps it
    for (size_t o = 0; o < objects_.size(); ++o) {
      const CoffObject& object = objects_[o];
      for (size_t s = 0; s < object.sections.size(); ++s) {
        const CoffSection& section = object.sections[s];
        if (!section.IsComdat() || placements_[o][s].cls == SectionClass::Dropped) continue;
        if (section.selection == kComdatAssociative) continue;
        if (section.selection < kComdatNoDuplicates || section.selection > kComdatLargest) {
          Error(object.name + ": COMDAT section " + Printable(section.name) + " has selection " +
                std::to_string(section.selection) + ", which is not defined");
          continue;
        }
        const CoffSymbol* key = ComdatSymbol(object, s);
        if (key == nullptr || !key->IsExternal()) continue;  // private to this object
        auto [it, inserted] = claimed.emplace(key->name, object.name);
        if (inserted) continue;
        if (section.selection == kComdatNoDuplicates) {
          Error(object.name + ": " + Printable(key->name) + " is also defined in " + it->second +
                " and its COMDAT section forbids duplicates");
        }
        placements_[o][s].discarded = true;
      }
      FollowAssociations(o);
    }
  }

  void FollowAssociations(size_t o) {
    const CoffObject& object = objects_[o];
    std::vector<Placement>& placements = placements_[o];
    for (size_t s = 0; s < object.sections.size(); ++s) {
      const CoffSection& section = object.sections[s];
      if (!section.IsComdat() || section.selection != kComdatAssociative) continue;
      if (section.associated == 0 || section.associated > object.sections.size() || section.associated == s + 1) {
        Error(object.name + ": associative section " + Printable(section.name) + " names section " +
              std::to_string(section.associated) + ", which does not exist");
        continue;
      }
    }
    // Associations may chain; each pass settles at least one more level.
    for (size_t pass = 0; pass < object.sections.size(); ++pass) {
      bool changed = false;
      for (size_t s = 0; s < object.sections.size(); ++s) {
        const CoffSection& section = object.sections[s];
        if (!section.IsComdat() || section.selection != kComdatAssociative || placements[s].discarded) continue;
        if (section.associated == 0 || section.associated > object.sections.size()) continue;
        const Placement& parent = placements[section.associated - 1];
        if (parent.discarded || parent.cls == SectionClass::Dropped) {
          placements[s].discarded = true;
          changed = true;
        }
      }
      if (!changed) break;
    }
  }

  void DefineSymbols() {
    for (size_t o = 0; o < objects_.size(); ++o) {
      const CoffObject& object = objects_[o];
      for (uint32_t i = 0; i < object.symbols.size(); ++i) {
        const CoffSymbol& symbol = object.symbols[i];
        if (symbol.isAux || symbol.storageClass != kSymExternal) continue;
        if (symbol.section > 0) {
          const Placement& placement = placements_[o][symbol.section - 1];
          if (!placement.Kept()) continue;  // a discarded duplicate, or a dropped section
          if (symbol.value > object.sections[symbol.section - 1].size) {
            Error(object.name + ": symbol " + Printable(symbol.name) + " lies past the end of its section");
            continue;
          }
          auto [it, inserted] = globals_.emplace(symbol.name, SymbolRef{o, i});
          if (!inserted) {
            Error(Printable(symbol.name) + " is defined in both " + objects_[it->second.object].name + " and " +
                  object.name);
          }
        } else if (symbol.section == kSymUndefined && symbol.value != 0) {
          Common& common = commons_[symbol.name];
          if (common.firstObject.empty()) common.firstObject = object.name;
          common.size = std::max(common.size, symbol.value);
        }
      }
    }
    // A real definition wins over common blocks of the same name.
    for (auto it = commons_.begin(); it != commons_.end();) {
      it = globals_.count(it->first) != 0 ? commons_.erase(it) : std::next(it);
    }
  }

  // --- Layout ---

  void Place(Bytes& area, Placement& placement, const CoffSection& section, uint8_t fill) {
    uint64_t alignment = std::max<uint64_t>(section.alignment, 1);
    if (AlignUp(area.size(), alignment) + section.size > kMaximumSection) {
      if (!tooLarge_) Error("section " + Printable(section.name) + " (" + std::to_string(section.size) +
                            " bytes) makes the image larger than " + std::to_string(kMaximumSection >> 20) + " MiB");
      tooLarge_ = true;
      return;
    }
    area.resize(AlignUp(area.size(), alignment), fill);
    placement.offset = area.size();
    if (section.IsUninitialized()) area.resize(area.size() + section.size, 0);
    else AppendBytes(area, section.contents);
  }

  void PlaceClass(SectionClass cls, Area area, Bytes& bytes, uint8_t fill) {
    for (size_t o = 0; o < objects_.size(); ++o) {
      for (size_t s = 0; s < objects_[o].sections.size(); ++s) {
        Placement& placement = placements_[o][s];
        if (placement.cls != cls || !placement.Kept()) continue;
        placement.area = area;
        Place(bytes, placement, objects_[o].sections[s], fill);
        if (cls == SectionClass::Strings) ReadStringRecords(objects_[o], objects_[o].sections[s], placement.offset);
      }
    }
  }

  // Offset 0 holds the jump to the entry; sections follow from 16.
  void LayOutCode() {
    code_.assign(16, kFillCode);
    PlaceClass(SectionClass::Code, Area::Code, code_, kFillCode);
    PlaceClass(SectionClass::ReadOnly, Area::Code, code_, 0);
  }

  void LayOutData() {
    PlaceClass(SectionClass::Data, Area::Data, data_, 0);
    PlaceClass(SectionClass::Strings, Area::Data, data_, 0);
    PlaceClass(SectionClass::Bss, Area::Data, data_, 0);
    for (auto& [name, common] : commons_) {
      if (data_.size() + common.size > kMaximumSection) {
        Error("common symbol " + Printable(name) + " makes the image too large");
        return;
      }
      uint64_t alignment = 1;
      while (alignment < common.size && alignment < 16) alignment *= 2;
      data_.resize(AlignUp(data_.size(), alignment), 0);
      common.offset = data_.size();
      data_.resize(data_.size() + common.size, 0);
    }
  }

  // Records follow one another at word boundaries, with zero padding between.
  void ReadStringRecords(const CoffObject& object, const CoffSection& section, uint64_t base) {
    std::string label = object.name + ": section " + Printable(section.name);
    ByteView bytes = section.contents;
    unsigned header = StringHeaderSize(machine_);
    uint64_t at = 0;
    if (section.alignment < word_) {
      Error(label + ": string records need " + std::to_string(word_) + "-byte alignment");
      return;
    }
    stringSections_.emplace_back(base, base + bytes.size());
    while (at < bytes.size()) {
      uint64_t first = 0;
      if (!Fits(bytes.size(), at, word_)) {
        // Trailing padding shorter than a word.
        if (std::any_of(bytes.begin() + at, bytes.end(), [](uint8_t b) { return b != 0; }))
          Error(label + ": bytes after the last string record at " + Hex(at) + " are not a record");
        return;
      }
      ReadWord(bytes, at, word_, first);
      if (first == 0) {
        at += word_;  // padding between records
        continue;
      }
      std::string where = label + ": string record at " + Hex(at);
      uint32_t refCount = 0;
      uint64_t text = 0;
      uint32_t size = 0, length = 0;
      uint8_t lengthByte = 0, nul = 1;
      bool read = Fits(bytes.size(), at, header) && ReadU32(bytes, at, refCount) &&
                  ReadWord(bytes, at + word_, word_, text) && ReadU32(bytes, at + 2 * word_, size) &&
                  ReadU32(bytes, at + 2 * word_ + 4, length);
      if (!read) {
        Error(where + " is cut off by the end of the section");
        return;
      }
      if (refCount != 1 || text != 0 || length < 1 || length > kMaximumSection || size != length + 2) {
        Error(where + " is malformed (reference count " + std::to_string(static_cast<int32_t>(refCount)) + ", text " + Hex(text) +
              ", size " + std::to_string(size) + ", length " + std::to_string(length) +
              "; expected 1, 0, length + 2 and a length of at least 1)");
        return;
      }
      uint64_t buffer = at + header;
      if (!Fits(bytes.size(), buffer, uint64_t{length} + 2) || !ReadU8(bytes, buffer, lengthByte) ||
          !ReadU8(bytes, buffer + 1 + length, nul)) {
        Error(where + ": its text runs past the end of the section");
        return;
      }
      if (lengthByte != std::min<uint32_t>(length, 255) || nul != 0) {
        Error(where + ": its buffer must hold the length byte, the text and a NUL");
        return;
      }
      uint64_t end = buffer + length + 2;
      strings_[base + at] = StringRecord{base + end};
      at = AlignUp(end, word_);
    }
  }

  uint64_t FindEntry() {
    std::string symbol = (machine_ == Machine::I386 ? "_" : "") + manifest_.entry;
    auto it = globals_.find(symbol);
    if (it == globals_.end()) {
      Error("the entry function " + manifest_.entry + " is not defined by any object (declare it with QL_IMAGE_ENTRY)");
      return 0;
    }
    const CoffSymbol& definition = objects_[it->second.object].symbols[it->second.index];
    const Placement& placement = placements_[it->second.object][definition.section - 1];
    if (placement.cls != SectionClass::Code) {
      Error("the entry " + manifest_.entry + " is not a function (it lies in " +
            Printable(objects_[it->second.object].sections[definition.section - 1].name) + ")");
      return 0;
    }
    return placement.offset + definition.value;
  }

  // --- Relocations, first pass: what each one refers to ---

  void CollectFixups() {
    for (size_t o = 0; o < objects_.size(); ++o) {
      const CoffObject& object = objects_[o];
      for (size_t s = 0; s < object.sections.size(); ++s) {
        const Placement& placement = placements_[o][s];
        const CoffSection& section = object.sections[s];
        if (!placement.Kept() || section.relocations.empty()) continue;
        std::string label = object.name + ": section " + Printable(section.name);
        if (placement.area == Area::Data) {
          Error(label + " holds " + std::to_string(section.relocations.size()) +
                " address(es), but the data section holds no pointers (make the object const so it lives with "
                "the code, or set it at run time)");
          continue;
        }
        if (!CheckOverlaps(label, section)) continue;
        for (const CoffRelocation& relocation : section.relocations) {
          CollectFixup(o, section, placement, relocation, label);
        }
      }
    }
  }

  bool CheckOverlaps(const std::string& label, const CoffSection& section) {
    std::vector<std::pair<uint64_t, uint64_t>> ranges;
    for (const CoffRelocation& r : section.relocations) {
      unsigned width = RelocationWidth(machine_, r.type);
      if (width != 0) ranges.emplace_back(r.offset, r.offset + width);
    }
    std::sort(ranges.begin(), ranges.end());
    for (size_t i = 1; i < ranges.size(); ++i) {
      if (ranges[i].first < ranges[i - 1].second) {
        Error(label + ": relocations at " + Hex(ranges[i - 1].first) + " and " + Hex(ranges[i].first) + " overlap");
        return false;
      }
    }
    return true;
  }

  void CollectFixup(size_t o, const CoffSection& section, const Placement& placement,
                    const CoffRelocation& relocation, const std::string& label) {
    const CoffObject& object = objects_[o];
    std::string where = label + ": " + RelocationName(machine_, relocation.type) + " at " + Hex(relocation.offset);
    Fixup fixup;
    fixup.site = placement.offset + relocation.offset;
    if (machine_ == Machine::I386) {
      switch (relocation.type) {
        case kRelI386Absolute:
          return;
        case kRelI386Dir32:
          break;
        case kRelI386Rel32:
          fixup.relative = true;
          break;
        default:
          Error(where + ": this relocation type cannot be expressed in an image");
          return;
      }
    } else {
      switch (relocation.type) {
        case kRelAmd64Absolute:
          return;
        case kRelAmd64Addr64:
          break;
        case kRelAmd64Addr32:
        case kRelAmd64Addr32Nb:
          Error(where + ": 32-bit absolute addresses cannot be expressed in an x64 image (compile without "
                "-mcmodel=small tricks; the image may load anywhere)");
          return;
        default:
          if (relocation.type >= kRelAmd64Rel32 && relocation.type <= kRelAmd64Rel32_5) {
            fixup.relative = true;
            fixup.extra = relocation.type - kRelAmd64Rel32;
            break;
          }
          Error(where + ": this relocation type cannot be expressed in an image");
          return;
      }
    }
    unsigned width = fixup.relative ? 4 : word_;
    uint64_t raw = 0;
    ReadWord(section.contents, relocation.offset, width, raw);
    // REL32 and DIR32 addends are signed 32-bit values; ADDR64 a full word.
    fixup.addend = width == 4 && fixup.relative ? static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(raw)))
                                                : raw;
    const CoffSymbol& symbol = object.symbols[relocation.symbolIndex];
    where += " to " + Printable(symbol.name);
    fixup.where = where;
    if (!Resolve(o, relocation.symbolIndex, fixup.target, where, 0)) return;
    Note(fixup);
    fixups_.push_back(std::move(fixup));
  }

  bool Resolve(size_t o, uint32_t index, Target& target, const std::string& where, int depth) {
    const CoffObject& object = objects_[o];
    const CoffSymbol& symbol = object.symbols[index];
    if (symbol.section > 0) {
      const Placement& placement = placements_[o][symbol.section - 1];
      const CoffSection& section = object.sections[symbol.section - 1];
      if (placement.discarded && symbol.IsExternal()) return ResolveByName(symbol.name, target, where, o, depth);
      if (placement.discarded) {
        Error(where + ": refers into the discarded duplicate COMDAT section " + Printable(section.name));
        return false;
      }
      if (placement.cls == SectionClass::Dropped) {
        Error(where + ": refers into section " + Printable(section.name) + ", which the image leaves out");
        return false;
      }
      if (symbol.value > section.size) {
        Error(where + ": the symbol lies past the end of its section");
        return false;
      }
      target.kind = TargetKind::Internal;
      target.area = placement.area;
      target.offset = placement.offset + symbol.value;
      return true;
    }
    if (symbol.section == kSymAbsolute) {
      target.kind = TargetKind::Absolute;
      target.offset = symbol.value;
      return true;
    }
    if (symbol.section != kSymUndefined) {
      Error(where + ": refers to a debugging symbol");
      return false;
    }
    if (symbol.storageClass == kSymWeakExternal && globals_.count(symbol.name) == 0) {
      if (depth > 8) {
        Error(where + ": weak symbols default to one another in a loop");
        return false;
      }
      return Resolve(o, symbol.weakDefault, target, where, depth + 1);
    }
    return ResolveByName(symbol.name, target, where, o, depth);
  }

  bool ResolveByName(const std::string& name, Target& target, const std::string& where, size_t o, int depth) {
    auto global = globals_.find(name);
    if (global != globals_.end()) {
      if (depth > 8) return false;
      return Resolve(global->second.object, global->second.index, target, where, depth + 1);
    }
    auto common = commons_.find(name);
    if (common != commons_.end()) {
      target.kind = TargetKind::Internal;
      target.area = Area::Data;
      target.offset = common->second.offset;
      return true;
    }
    return ResolveImport(name, target, where, o);
  }

  // An undefined symbol is a runtime entry point or a Win32 routine of the
  // manifest, called directly or through its __imp_ slot.
  bool ResolveImport(const std::string& symbol, Target& target, const std::string& where, size_t o) {
    bool slot = StartsWith(symbol, "__imp_");
    std::string name = slot ? symbol.substr(6) : symbol;
    bool decorated = false;
    if (machine_ == Machine::I386) {
      if (name.empty() || name[0] != '_') return Undefined(symbol, o);
      name.erase(0, 1);
      size_t at = name.rfind('@');
      if (at != std::string::npos && at + 1 < name.size() &&
          name.find_first_not_of("0123456789", at + 1) == std::string::npos) {
        name.erase(at);
        decorated = true;
      }
    }
    bool routine = manifest_.routines.count(name) != 0;
    bool entry = names_.count(name) != 0 && !decorated;
    if (routine && entry) {
      Error(where + ": " + name + " is both a runtime entry point and a routine of " +
            manifest_.routines.at(name) + "; rename one");
      return false;
    }
    if (!routine && !entry) {
      if (names_.count(name) != 0) {
        Error(where + ": runtime entry points use the C calling convention, but " + Printable(symbol) +
              " is declared __stdcall");
        return false;
      }
      return Undefined(symbol, o);
    }
    if (name.size() > 255) {
      Error(where + ": the name " + Printable(name) + " is longer than 255 bytes");
      return false;
    }
    target.name = name;
    target.kind = routine ? (slot ? TargetKind::Win32Slot : TargetKind::Win32)
                          : (slot ? TargetKind::RuntimeSlot : TargetKind::Runtime);
    return true;
  }

  bool Undefined(const std::string& symbol, size_t o) {
    std::string key = symbol + "\n" + objects_[o].name;
    if (reportedUndefined_.insert(key).second) {
      Error(objects_[o].name + ": needs " + Printable(symbol) +
            ", which is neither defined by an object, nor a runtime entry point (QL_ENTRY), nor a routine named "
            "by a library line of the manifest");
    }
    return false;
  }

  // Notes the stubs a fixup needs and which string records are reached how.
  void Note(const Fixup& fixup) {
    const Target& target = fixup.target;
    bool amd64 = machine_ == Machine::Amd64;
    switch (target.kind) {
      case TargetKind::Internal:
        if (target.area == Area::Data) NoteStringReference(fixup);
        break;
      case TargetKind::Absolute:
        if (fixup.relative) Error(fixup.where + ": a displacement to an absolute symbol cannot be expressed");
        break;
      case TargetKind::Runtime:
        if (fixup.relative && amd64) RuntimeStub(target.name).needThunk = true;
        if (!amd64 || !fixup.relative) RequireZeroAddend(fixup);
        break;
      case TargetKind::Win32:
        if (amd64 && fixup.relative) Win32Stub(target.name).needThunk = true;
        else if (!amd64 && !fixup.relative) Win32Stub(target.name).needThunk = true;  // its address: the thunk
        else RequireZeroAddend(fixup);
        break;
      case TargetKind::RuntimeSlot:
      case TargetKind::Win32Slot:
        if (!amd64 && fixup.relative) {
          Error(fixup.where + ": an import slot is not code; it cannot be called by displacement");
          break;
        }
        (target.kind == TargetKind::RuntimeSlot ? RuntimeStub(target.name) : Win32Stub(target.name)).needSlot = true;
        if (!amd64 && target.kind == TargetKind::Win32Slot) Win32Stub(target.name).needThunk = true;
        break;
    }
  }

  void RequireZeroAddend(const Fixup& fixup) {
    if (fixup.addend != 0) Error(fixup.where + ": an offset from an imported address cannot be expressed");
  }

  // References into string sections must reach a record.
  void NoteStringReference(const Fixup& fixup) {
    if (!InStringSection(fixup.target.offset)) return;
    uint64_t offset = Truncate(fixup.target.offset + fixup.addend);
    auto record = FindStringRecord(offset);
    if (record == strings_.end()) {
      Error(fixup.where + ": reaches into a string section but not into a string record");
      return;
    }
    record->second.referenced = true;
    if (!fixup.relative && offset == record->first) record->second.absolute = true;
  }

  bool InStringSection(uint64_t dataOffset) const {
    for (const auto& [start, end] : stringSections_) {
      if (dataOffset >= start && dataOffset < end) return true;
    }
    return false;
  }

  // The record holding a data offset, or end().
  std::map<uint64_t, StringRecord>::iterator FindStringRecord(uint64_t offset) {
    auto it = strings_.upper_bound(offset);
    if (it == strings_.begin()) return strings_.end();
    --it;
    return offset < it->second.end ? it : strings_.end();
  }

  Stub& RuntimeStub(const std::string& name) { return runtimeStubs_[name]; }
  Stub& Win32Stub(const std::string& name) { return win32Stubs_[name]; }

  // --- Builder-made code after the objects' sections ---

  void LayOutStubs() {
    for (auto* stubs : {&runtimeStubs_, &win32Stubs_}) {
      for (auto& [name, stub] : *stubs) LayOutStub(name, stub, stubs == &win32Stubs_);
    }
  }

  void LayOutStub(const std::string& name, Stub& stub, bool win32) {
    if (machine_ == Machine::Amd64) {
      // jmp [rip+0] followed by its 8-byte slot, which __imp_ references share.
      if (stub.needThunk) {
        code_.resize(AlignUp(code_.size() + 6, 8) - 6, kFillCode);
        stub.thunk = code_.size();
        AppendBytes(code_, std::initializer_list<uint8_t>{0xFF, 0x25, 0, 0, 0, 0});
      } else {
        code_.resize(AlignUp(code_.size(), 8), kFillCode);
      }
      stub.slot = code_.size();
      code_.resize(code_.size() + 8, 0);
      if (win32) win32Sites_[name].push_back(stub.slot);
      else runtimeSites_[{name, kModeAbsolute}].push_back(stub.slot);
      return;
    }
    // IA-32: a runtime slot receives the entry's address; a Win32 routine
    // gets a jmp rel32 thunk, and its slot holds the thunk's address.
    if (stub.needThunk) {
      code_.resize(AlignUp(code_.size(), 8), kFillCode);
      stub.thunk = code_.size();
      code_.push_back(0xE9);
      code_.resize(code_.size() + 4, 0);
      win32Sites_[name].push_back(stub.thunk + 1);
    }
    if (stub.needSlot) {
      code_.resize(AlignUp(code_.size(), 4), kFillCode);
      stub.slot = code_.size();
      code_.resize(code_.size() + 4, 0);
      if (win32) {
        PutU32(code_, stub.slot, static_cast<uint32_t>(stub.thunk));
        plain_.emplace_back(kImportCode, stub.slot);
      } else {
        runtimeSites_[{name, kModeAbsolute}].push_back(stub.slot);
      }
    }
  }

  // A record reached only by displacements still needs its text pointer set
  // by the runtime: one anchor word with a kind 0x05 record does it.
  void LayOutAnchors() {
    for (auto& [start, record] : strings_) {
      if (!record.referenced || record.absolute) continue;
      code_.resize(AlignUp(code_.size(), word_), 0);
      record.anchor = code_.size();
      code_.resize(code_.size() + word_, 0);
      PutWord(code_, record.anchor, word_, start);
      plain_.emplace_back(kImportString, record.anchor);
    }
  }

  bool CheckSizes() {
    if (code_.size() > kMaximumSection || data_.size() > kMaximumSection) {
      Error("the image is larger than " + std::to_string(kMaximumSection >> 20) + " MiB (code " + std::to_string(code_.size()) + " bytes, data " +
            std::to_string(data_.size()) + " bytes)");
      return false;
    }
    dataBase_ = AlignUp(code_.size(), 16);
    return true;
  }

  // --- Relocations, second pass: patch the code ---

  uint64_t Address(const Target& target) const {
    return target.area == Area::Data ? dataBase_ + target.offset : target.offset;
  }

  void ApplyFixups() {
    for (const Fixup& fixup : fixups_) {
      if (fixup.relative) ApplyRelative(fixup);
      else ApplyAbsolute(fixup);
    }
  }

  void ApplyAbsolute(const Fixup& fixup) {
    const Target& target = fixup.target;
    uint64_t value = 0;
    switch (target.kind) {
      case TargetKind::Internal: {
        value = target.offset + fixup.addend;
        uint8_t kind = target.area == Area::Code ? kImportCode : kImportData;
        if (target.area == Area::Data && InStringSection(target.offset)) {
          auto record = FindStringRecord(Truncate(value));
          if (record != strings_.end() && record->first == Truncate(value)) kind = kImportString;
        }
        plain_.emplace_back(kind, fixup.site);
        break;
      }
      case TargetKind::Absolute:
        value = target.offset + fixup.addend;
        break;
      case TargetKind::Runtime:
        runtimeSites_[{target.name, kModeAbsolute}].push_back(fixup.site);
        return;  // the chain fills the word
      case TargetKind::Win32:
        if (machine_ == Machine::Amd64) {
          win32Sites_[target.name].push_back(fixup.site);
          return;
        }
        value = win32Stubs_[target.name].thunk + fixup.addend;
        plain_.emplace_back(kImportCode, fixup.site);
        break;
      case TargetKind::RuntimeSlot:
        value = runtimeStubs_[target.name].slot + fixup.addend;
        plain_.emplace_back(kImportCode, fixup.site);
        break;
      case TargetKind::Win32Slot:
        value = win32Stubs_[target.name].slot + fixup.addend;
        plain_.emplace_back(kImportCode, fixup.site);
        break;
    }
    PutWord(code_, fixup.site, word_, Truncate(value));
  }

  uint64_t Truncate(uint64_t value) const { return word_ == 4 ? value & 0xFFFFFFFF : value; }

  void ApplyRelative(const Fixup& fixup) {
    const Target& target = fixup.target;
    uint64_t destination = 0;
    switch (target.kind) {
      case TargetKind::Internal:
        destination = Address(target);
        break;
      case TargetKind::Absolute:
        return;  // refused in the first pass
      case TargetKind::Runtime:
        if (machine_ == Machine::I386) {
          runtimeSites_[{target.name, kModeRelative}].push_back(fixup.site);
          return;
        }
        destination = runtimeStubs_[target.name].thunk;
        break;
      case TargetKind::Win32:
        if (machine_ == Machine::I386) {
          win32Sites_[target.name].push_back(fixup.site);
          return;
        }
        destination = win32Stubs_[target.name].thunk;
        break;
      case TargetKind::RuntimeSlot:
        destination = runtimeStubs_[target.name].slot;
        break;
      case TargetKind::Win32Slot:
        destination = win32Stubs_[target.name].slot;
        break;
    }
    int64_t displacement = static_cast<int64_t>(destination + fixup.addend) -
                           static_cast<int64_t>(fixup.site + 4 + fixup.extra);
    if (displacement < INT32_MIN || displacement > INT32_MAX) {
      Error(fixup.where + ": the displacement does not fit in 32 bits");
      return;
    }
    PutU32(code_, fixup.site, static_cast<uint32_t>(static_cast<int32_t>(displacement)));
  }

  void WriteEntryJump(uint64_t entry) {
    code_[0] = 0xE9;
    PutU32(code_, 1, static_cast<uint32_t>(static_cast<int32_t>(static_cast<int64_t>(entry) - 5)));
  }

  // --- Import section ---

  // Threads the sites of one import through the code: each site's word
  // holds the next site's offset, the last 0. Returns the chain head.
  uint32_t Chain(std::vector<uint64_t>& sites, unsigned width) {
    std::sort(sites.begin(), sites.end());
    for (size_t i = 0; i < sites.size(); ++i) {
      PutWord(code_, sites[i], width, i + 1 < sites.size() ? sites[i + 1] : 0);
    }
    return sites.empty() ? 0 : static_cast<uint32_t>(sites[0]);
  }

  void WriteImports(Bytes& out) {
    for (auto& [key, sites] : runtimeSites_) {
      const auto& [name, mode] = key;
      uint32_t head = Chain(sites, mode == kModeRelative ? 4 : word_);
      AppendU8(out, kImportRuntime);
      AppendU8(out, mode);
      AppendU32(out, head);
      AppendU8(out, static_cast<uint8_t>(name.size()));
      AppendText(out, name);
      AppendU8(out, 0);
    }
    for (auto& [name, sites] : win32Sites_) {
      uint32_t head = Chain(sites, machine_ == Machine::Amd64 ? 8 : 4);
      const std::string& library = manifest_.routines.at(name);
      AppendU8(out, kImportWin32);
      AppendU32(out, head);
      AppendU8(out, static_cast<uint8_t>(name.size()));
      AppendText(out, name);
      AppendU8(out, 0);
      AppendU8(out, static_cast<uint8_t>(library.size()));
      AppendText(out, library);
      AppendU8(out, 0);
    }
    std::sort(plain_.begin(), plain_.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [kind, site] : plain_) {
      AppendU8(out, kind);
      AppendU32(out, static_cast<uint32_t>(site));
    }
  }

  const std::vector<CoffObject>& objects_;
  const Manifest& manifest_;
  const EntryNames& names_;
  Diagnostics& diagnostics_;
  Machine machine_ = Machine::I386;
  unsigned word_ = 4;
  std::vector<std::vector<Placement>> placements_;
  std::unordered_map<std::string, SymbolRef> globals_;
  std::map<std::string, Common> commons_;
  std::map<uint64_t, StringRecord> strings_;  // by data offset
  std::vector<std::pair<uint64_t, uint64_t>> stringSections_;  // data ranges of the string sections
  std::vector<Fixup> fixups_;
  std::map<std::string, Stub> runtimeStubs_;
  std::map<std::string, Stub> win32Stubs_;
  std::map<std::pair<std::string, uint8_t>, std::vector<uint64_t>> runtimeSites_;
  std::map<std::string, std::vector<uint64_t>> win32Sites_;
  std::vector<std::pair<uint8_t, uint64_t>> plain_;  // kinds 0x02, 0x03, 0x05 by site
  std::set<std::string> reportedUndefined_;
  Bytes code_;
  Bytes data_;
  uint64_t dataBase_ = 0;
  bool tooLarge_ = false;
};

}  // namespace

bool LinkImage(const std::vector<CoffObject>& objects, const Manifest& manifest, const EntryNames& entryNames,
               Image& image, Diagnostics& diagnostics) {
  return Linker(objects, manifest, entryNames, diagnostics).Link(image);
}

}  // namespace qlimage
