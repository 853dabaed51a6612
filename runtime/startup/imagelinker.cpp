#include "startup/imagelinker.h"

#include <stdio.h>
#include <string.h>

#include "core/assertion.h"

namespace ql {
namespace {

unsigned long long U(uint64_t v) { return static_cast<unsigned long long>(v); }

uint64_t LoadWord(const uint8_t* p, size_t width) { return width == 8 ? LoadU64(p) : LoadU32(p); }

void StoreWord(uint8_t* p, size_t width, uint64_t v) {
  if (width == 8)
    StoreU64(p, v);
  else
    StoreU32(p, static_cast<uint32_t>(v));
}

// Reads the fields of one record in order, remembering whether any of them
// ran past the section's end.
class RecordReader {
 public:
  RecordReader(ByteView section, size_t position) : section_(section), position_(position) {}

  uint8_t U8() {
    if (!Need(1)) return 0;
    return section_.data[position_++];
  }
  uint32_t U32() {
    if (!Need(4)) return 0;
    const uint32_t v = LoadU32(section_.data + position_);
    position_ += 4;
    return v;
  }
  // A length byte, the name and the byte after it; the name's offset.
  uint32_t Name(uint32_t* length) {
    *length = U8();
    const uint32_t at = static_cast<uint32_t>(position_);
    if (!Need(*length + 1u)) return 0;
    position_ += *length + 1u;
    return at;
  }

  bool ok() const { return ok_; }
  size_t position() const { return position_; }

 private:
  bool Need(size_t count) {
    if (ok_ && section_.Holds(position_, count)) return true;
    ok_ = false;
    return false;
  }

  ByteView section_;
  size_t position_;
  bool ok_ = true;
};

}  // namespace

template <class Target>
bool ImageLinker<Target>::Plan(ByteView code, ByteView data, ByteView imports, LoadFailure* failure) {
  code_ = code;
  data_ = data;
  imports_ = imports;
  list_.Clear();
  sites_.Clear();
  const int before = failure->count();
  size_t position = 0;
  while (position < imports.size)
    if (!ParseRecord(&position, failure)) break;
  return failure->count() == before;
}

template <class Target>
bool ImageLinker<Target>::ParseRecord(size_t* position, LoadFailure* failure) {
  const uint32_t record = static_cast<uint32_t>(*position);
  RecordReader in(imports_, *position);
  const uint8_t kind = in.U8();
  Import import{};
  import.kind = static_cast<ImportKind>(kind);
  import.record = record;
  import.firstSite = static_cast<uint32_t>(sites_.Count());
  import.thunk = -1;
  uint32_t head = 0;
  uint64_t site = 0;
  switch (import.kind) {
    case ImportKind::Entry:
      import.relative = in.U8() == 1;
      head = in.U32();
      import.name = in.Name(&import.nameLength);
      break;
    case ImportKind::DataWord:
    case ImportKind::CodeWord:
    case ImportKind::StaticString:
      site = in.U32();
      break;
    case ImportKind::Win32Routine:
      import.relative = Target::kWin32SitesAreRelative;
      head = in.U32();
      import.name = in.Name(&import.nameLength);
      import.library = in.Name(&import.libraryLength);
      break;
    default:  // unknown kinds are only their kind byte
      *position = in.position();
      return true;
  }
  if (!in.ok()) {
    failure->Add("the import record at offset %u (kind 0x%02x) runs past the end of the import section", record, kind);
    return false;
  }
  *position = in.position();
  if (import.kind == ImportKind::Entry || import.kind == ImportKind::Win32Routine)
    PlanChain(import, head, import.relative ? 4 : Target::kWordSize, failure);
  else
    PlanSite(import, site, failure);
  list_.Append(import);
  return true;
}

template <class Target>
void ImageLinker<Target>::PlanChain(Import& import, uint32_t head, size_t width, LoadFailure* failure) {
  // A chain longer than the code has words must come back on itself.
  const uint64_t limit = code_.size / width;
  uint64_t site = head;
  while (site != 0) {
    if (!code_.Holds(site, width)) {
      failure->Add("the chain of the import record at offset %u leaves the code section at site %llu", import.record,
                   U(site));
      return;
    }
    if (import.siteCount == limit) {
      failure->Add("the chain of the import record at offset %u visits more sites than the code section has words",
                   import.record);
      return;
    }
    sites_.Append(static_cast<uint32_t>(site));
    ++import.siteCount;
    site = LoadWord(code_.data + site, width);
  }
}

template <class Target>
void ImageLinker<Target>::PlanSite(Import& import, uint64_t site, LoadFailure* failure) {
  if (!code_.Holds(site, Target::kWordSize)) {
    failure->Add("the import record at offset %u names the site %llu, outside the code section (%zu bytes)",
                 import.record, U(site), code_.size);
    return;
  }
  sites_.Append(static_cast<uint32_t>(site));
  import.siteCount = 1;
  if (import.kind == ImportKind::StaticString) PlanStaticString(import, failure);
}

template <class Target>
void ImageLinker<Target>::PlanStaticString(Import& import, LoadFailure* failure) {
  const uint64_t offset = LoadWord(code_.data + sites_[import.firstSite], Target::kWordSize);
  import.stringOffset = offset;
  bool inside = data_.Holds(offset, Target::kStringHeaderSize);
  if (inside) {
    // The header, then the length byte, the text and its NUL.
    const int32_t length = static_cast<int32_t>(LoadU32(data_.data + offset + Target::kStringLengthOffset));
    inside = length >= 0 && data_.Holds(offset + Target::kStringHeaderSize, static_cast<uint64_t>(length) + 2);
  }
  if (!inside)
    failure->Add("the static string at data offset %llu (import record at offset %u) lies outside the data section",
                 U(offset), import.record);
}

template <class Target>
bool ImageLinker<Target>::Resolve(EntryPointResolver& entries, LibraryImports& libraries, LinkMessage* message) {
  thunkArea_ = 0;
  missing_ = 0;
  for (Import& import : list_) {
    const char* name = reinterpret_cast<const char*>(imports_.data + import.name);
    const int nameLength = static_cast<int>(import.nameLength);
    if (import.kind == ImportKind::Entry) {
      import.target = entries.Find(name, import.nameLength);
      if (import.target != 0) continue;
      char text[300];
      snprintf(text, sizeof text, "Function '%.*s' was not exported", nameLength, name);
      ReportAssertion("loaderX86", 204, "foundFunction", text);
      import.thunk = static_cast<int64_t>(thunkArea_);
      thunkArea_ += AlignUp(Target::kThunkSize + import.nameLength + 1, 16);
      ++missing_;
    } else if (import.kind == ImportKind::Win32Routine) {
      const char* library = reinterpret_cast<const char*>(imports_.data + import.library);
      const int libraryLength = static_cast<int>(import.libraryLength);
      const uint64_t handle = libraries.Library(library, import.libraryLength);
      if (handle == 0) {
        snprintf(message->text, sizeof message->text,
                 "The application could not be loaded because a necessary shared library %.*s could not be found.",
                 libraryLength, library);
        return false;
      }
      import.target = libraries.Routine(handle, name, import.nameLength);
      if (import.target == 0) {
        snprintf(message->text, sizeof message->text,
                 "The application could not be loaded because the routine %.*s could not be found in the shared "
                 "library %.*s.",
                 nameLength, name, libraryLength, library);
        return false;
      }
    }
  }
  return true;
}

template <class Target>
uint64_t ImageLinker<Target>::TargetOf(const Import& import, const LinkAddresses& at) const {
  return import.thunk >= 0 ? at.thunkBase + static_cast<uint64_t>(import.thunk) : import.target;
}

template <class Target>
bool ImageLinker<Target>::CheckReach(const Import& import, const LinkAddresses& at, LoadFailure* failure) const {
  if (!Target::kRelativeSitesMayMiss || !import.relative) return true;
  const uint64_t target = TargetOf(import, at);
  for (uint32_t i = 0; i < import.siteCount; ++i) {
    const uint64_t end = at.codeBase + sites_[import.firstSite + i] + 4;
    const int64_t displacement = static_cast<int64_t>(target - end);
    if (displacement < INT32_MIN || displacement > INT32_MAX) {
      failure->Add("the entry point %.*s is out of reach of its call at site %u (import record at offset %u)",
                   static_cast<int>(import.nameLength), reinterpret_cast<const char*>(imports_.data + import.name),
                   sites_[import.firstSite + i], import.record);
      return false;
    }
  }
  return true;
}

template <class Target>
bool ImageLinker<Target>::Apply(uint8_t* code, uint8_t* data, uint8_t* thunks, const LinkAddresses& at,
                                LoadFailure* failure) {
  const int before = failure->count();
  for (const Import& import : list_) CheckReach(import, at, failure);
  if (failure->count() != before) return false;
  for (const Import& import : list_) {
    if (import.thunk >= 0) WriteThunk(import, thunks, at);
    ApplyImport(import, code, data, at);
  }
  return true;
}

template <class Target>
void ImageLinker<Target>::WriteThunk(const Import& import, uint8_t* thunks, const LinkAddresses& at) const {
  uint8_t* thunk = thunks + import.thunk;
  uint8_t* name = thunk + Target::kThunkSize;
  memcpy(name, imports_.data + import.name, import.nameLength);
  name[import.nameLength] = 0;
  const uint64_t nameAddress = at.thunkBase + static_cast<uint64_t>(import.thunk) + Target::kThunkSize;
  Target::WriteThunk(thunk, nameAddress, at.missingEntryRoutine);
}

template <class Target>
void ImageLinker<Target>::ApplyImport(const Import& import, uint8_t* code, uint8_t* data,
                                      const LinkAddresses& at) const {
  constexpr size_t kWord = Target::kWordSize;
  const uint32_t* sites = sites_.begin() + import.firstSite;
  switch (import.kind) {
    case ImportKind::Entry:
    case ImportKind::Win32Routine: {
      const uint64_t target = TargetOf(import, at);
      for (uint32_t i = 0; i < import.siteCount; ++i) {
        uint8_t* site = code + sites[i];
        if (import.relative)
          StoreU32(site, static_cast<uint32_t>(target - (at.codeBase + sites[i] + 4)));
        else
          StoreWord(site, kWord, target);
      }
      break;
    }
    case ImportKind::DataWord:
      StoreWord(code + sites[0], kWord, LoadWord(code + sites[0], kWord) + at.dataBase);
      break;
    case ImportKind::CodeWord:
      StoreWord(code + sites[0], kWord, LoadWord(code + sites[0], kWord) + at.codeBase);
      break;
    case ImportKind::StaticString: {
      StoreWord(code + sites[0], kWord, at.dataBase + import.stringOffset);
      uint8_t* text = data + import.stringOffset + Target::kStringTextOffset;
      // An earlier reference to the same record has set it already.
      if (LoadWord(text, kWord) == 0)
        StoreWord(text, kWord, at.dataBase + import.stringOffset + Target::kStringHeaderSize);
      break;
    }
  }
}

template class ImageLinker<Ia32Image>;
template class ImageLinker<X64Image>;

}  // namespace ql
