// The image linker: applies the import section to the code (and the static
// strings of the data) of an image, for either target, on plain buffers
// whose load addresses are given as integers.
//
// Linking runs in three steps so that nothing is written while anything is
// wrong: Plan parses every record and walks every chain over the unlinked
// bytes, checking each site; Resolve finds the entry points and Win32
// routines in record order; Apply writes the sites once the image has its
// addresses.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/array.h"
#include "startup/bytes.h"
#include "startup/imagetarget.h"
#include "startup/libraryimports.h"
#include "startup/loadfailure.h"

namespace ql {

// Runtime entry points by link name (compared without regard to case); 0
// when there is none.
class EntryPointResolver {
 public:
  virtual ~EntryPointResolver() = default;
  virtual uint64_t Find(const char* name, size_t length) = 0;
};

// A kind 0x04 failure: the message the runtime message box shows.
struct LinkMessage {
  char text[640] = {};
};

// Where the placed image lies.
struct LinkAddresses {
  uint64_t codeBase = 0;
  uint64_t dataBase = 0;
  uint64_t thunkBase = 0;            // stand-ins for missing entry points
  uint64_t missingEntryRoutine = 0;  // called by them with the missing name
};

enum class ImportKind : uint8_t {
  Entry = 0x01,         // runtime entry point by link name, chained
  DataWord = 0x02,      // add the data base to a word
  CodeWord = 0x03,      // add the code base to a word
  Win32Routine = 0x04,  // Win32 library routine, chained
  StaticString = 0x05,  // static string record: relocate, set its text pointer
};

template <class Target>
class ImageLinker {
 public:
  // Parses `imports` and walks every chain over the unlinked `code`, checking
  // each site, each chain and each static string record against the bytes.
  bool Plan(ByteView code, ByteView data, ByteView imports, LoadFailure* failure);

  // Looks up every import in record order. A missing entry point is reported
  // ("Function 'NAME' was not exported", loaderX86 204) and its sites go to
  // a stand-in; a missing library or routine ends resolution with its
  // message.
  bool Resolve(EntryPointResolver& entries, LibraryImports& libraries, LinkMessage* message);

  // Bytes the stand-ins for the missing entry points need.
  size_t ThunkAreaSize() const { return thunkArea_; }
  size_t MissingCount() const { return missing_; }
  size_t SiteCount() const { return sites_.Count(); }

  // Writes every site (and the stand-ins into `thunks`). Writes nothing and
  // fails when a 32-bit displacement cannot reach its target.
  bool Apply(uint8_t* code, uint8_t* data, uint8_t* thunks, const LinkAddresses& at, LoadFailure* failure);

 private:
  struct Import {
    ImportKind kind;
    bool relative;         // sites receive displacements, 4 bytes wide
    uint32_t record;       // offset of the record in the import section
    uint32_t firstSite;    // into sites_
    uint32_t siteCount;
    uint32_t name;         // offset and length in the import section
    uint32_t nameLength;
    uint32_t library;      // kind 0x04: library file name
    uint32_t libraryLength;
    uint64_t stringOffset; // kind 0x05: the record's offset in the data section
    uint64_t target;       // resolved address (entry point or routine)
    int64_t thunk;         // offset of its stand-in in the thunk area, -1 when none
  };

  bool ParseRecord(size_t* position, LoadFailure* failure);
  void PlanChain(Import& import, uint32_t head, size_t width, LoadFailure* failure);
  void PlanSite(Import& import, uint64_t site, LoadFailure* failure);
  void PlanStaticString(Import& import, LoadFailure* failure);
  uint64_t TargetOf(const Import& import, const LinkAddresses& at) const;
  bool CheckReach(const Import& import, const LinkAddresses& at, LoadFailure* failure) const;
  void ApplyImport(const Import& import, uint8_t* code, uint8_t* data, const LinkAddresses& at) const;
  void WriteThunk(const Import& import, uint8_t* thunks, const LinkAddresses& at) const;

  ByteView code_;
  ByteView data_;
  ByteView imports_;
  Array<Import> list_;
  Array<uint32_t> sites_;
  size_t thunkArea_ = 0;
  size_t missing_ = 0;
};

extern template class ImageLinker<Ia32Image>;
extern template class ImageLinker<X64Image>;

}  // namespace ql
