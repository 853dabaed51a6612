// Relocatable COFF objects as the target's mingw compiler writes them
// (i386 and amd64): sections with their contents and relocations, the symbol
// table with its auxiliary records, and the string table. Reading validates
// every offset and count against the file; the linker then works on these
// decoded records only.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "bytes.h"
#include "diagnostics.h"

namespace qlimage {

enum class Machine { I386, Amd64 };

constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineAmd64 = 0x8664;

const char* MachineName(Machine machine);
// Bytes of a pointer-sized word of the image: 4 on IA-32, 8 on x64.
inline unsigned WordWidth(Machine machine) { return machine == Machine::Amd64 ? 8 : 4; }

// On-disk sizes of the COFF records.
constexpr uint32_t kCoffHeaderSize = 20;
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kSymbolSize = 18;
constexpr uint32_t kRelocationSize = 10;

// Section characteristics the builder looks at.
enum : uint32_t {
  kScnCntCode = 0x00000020,
  kScnCntInitializedData = 0x00000040,
  kScnCntUninitializedData = 0x00000080,
  kScnLnkInfo = 0x00000200,
  kScnLnkRemove = 0x00000800,
  kScnLnkComdat = 0x00001000,
  kScnAlignMask = 0x00F00000,
  kScnLnkNrelocOvfl = 0x01000000,
  kScnMemExecute = 0x20000000,
  kScnMemWrite = 0x80000000,
};

// Symbol storage classes.
enum : uint8_t {
  kSymExternal = 2,
  kSymStatic = 3,
  kSymLabel = 6,
  kSymFunction = 101,
  kSymFile = 103,
  kSymWeakExternal = 105,
};

// Special section numbers of symbols.
constexpr int16_t kSymUndefined = 0;
constexpr int16_t kSymAbsolute = -1;
constexpr int16_t kSymDebug = -2;

// COMDAT selections (section definition auxiliary record).
enum : uint8_t {
  kComdatNoDuplicates = 1,
  kComdatAny = 2,
  kComdatSameSize = 3,
  kComdatExactMatch = 4,
  kComdatAssociative = 5,
  kComdatLargest = 6,
};

// Relocation types.
enum : uint16_t {
  kRelI386Absolute = 0x0000,
  kRelI386Dir32 = 0x0006,
  kRelI386Dir32Nb = 0x0007,
  kRelI386Section = 0x000A,
  kRelI386SecRel = 0x000B,
  kRelI386Rel32 = 0x0014,
  kRelAmd64Absolute = 0x0000,
  kRelAmd64Addr64 = 0x0001,
  kRelAmd64Addr32 = 0x0002,
  kRelAmd64Addr32Nb = 0x0003,
  kRelAmd64Rel32 = 0x0004,
  kRelAmd64Rel32_5 = 0x0009,
  kRelAmd64Section = 0x000A,
  kRelAmd64SecRel = 0x000B,
};

// Bytes a relocation type patches (0 for none or unknown types).
unsigned RelocationWidth(Machine machine, uint16_t type);
std::string RelocationName(Machine machine, uint16_t type);

struct CoffRelocation {
  uint32_t offset;       // site, from the start of the section
  uint32_t symbolIndex;  // into CoffObject::symbols
  uint16_t type;
};

struct CoffSection {
  std::string name;          // long names resolved through the string table
  uint32_t characteristics;
  uint32_t size;             // bytes, also for uninitialised data
  uint32_t alignment;        // from the characteristics; 1 when unset
  Bytes contents;            // empty for uninitialised data
  std::vector<CoffRelocation> relocations;
  // From the section definition symbol's auxiliary record.
  bool hasDefinition = false;
  uint8_t selection = 0;     // COMDAT selection, 0 when not COMDAT
  uint16_t associated = 0;   // 1-based parent section of an associative COMDAT

  bool IsUninitialized() const { return (characteristics & kScnCntUninitializedData) != 0; }
  bool IsComdat() const { return (characteristics & kScnLnkComdat) != 0; }
};

struct CoffSymbol {
  std::string name;
  uint32_t value = 0;
  int16_t section = 0;       // 1-based section, or kSymUndefined/kSymAbsolute/kSymDebug
  uint16_t type = 0;
  uint8_t storageClass = 0;
  uint8_t auxCount = 0;
  bool isAux = false;        // this slot is an auxiliary record of the symbol before
  uint32_t weakDefault = 0;  // weak externals: index of the default definition

  bool IsExternal() const { return storageClass == kSymExternal || storageClass == kSymWeakExternal; }
};

struct CoffObject {
  std::string name;  // the file, for messages
  Machine machine = Machine::I386;
  std::vector<CoffSection> sections;  // sections[i] is section number i + 1
  std::vector<CoffSymbol> symbols;    // indexed like the file's table, aux slots included
};

// Decodes `bytes` as a relocatable object. On failure every problem found is
// reported as "NAME: what is wrong" and false is returned.
bool ReadCoffObject(const std::string& name, ByteView bytes, CoffObject& out, Diagnostics& diagnostics);

}  // namespace qlimage
