// Builds small relocatable COFF objects byte by byte for the builder's tests,
// so each test shows exactly the sections, symbols and relocations it feeds in.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "bytes.h"
#include "coff_object.h"
#include "image.h"

namespace qlimage::test {

struct TestRelocation {
  uint32_t offset;
  uint32_t symbol;  // index into the symbol table as written (aux records count)
  uint16_t type;
};

struct TestSection {
  std::string name;
  uint32_t characteristics;
  Bytes contents;          // for uninitialised data only the size counts
  uint32_t size = 0;       // 0: contents.size()
  std::vector<TestRelocation> relocations;
};

struct TestSymbol {
  std::string name;
  uint32_t value = 0;
  int16_t section = 0;
  uint8_t storageClass = kSymExternal;
  std::vector<Bytes> aux;  // 18-byte auxiliary records
};

// Section characteristics as the compiler writes them.
constexpr uint32_t kText = kScnCntCode | kScnMemExecute | 0x40000000 | 0x00500000;              // align 16
constexpr uint32_t kData = kScnCntInitializedData | 0x40000000 | kScnMemWrite | 0x00300000;     // align 4
constexpr uint32_t kRdata = kScnCntInitializedData | 0x40000000 | 0x00300000;                   // align 4
constexpr uint32_t kBss = kScnCntUninitializedData | 0x40000000 | kScnMemWrite | 0x00300000;    // align 4
constexpr uint32_t kStrings8 = kScnCntInitializedData | 0x40000000 | kScnMemWrite | 0x00400000; // align 8

class CoffWriter {
 public:
  explicit CoffWriter(Machine machine) : machine_(machine) {}

  // Adds a section and its section-definition symbol; returns its 1-based number.
  int16_t Section(TestSection section, uint8_t selection = 0, uint16_t associated = 0);
  // Adds a symbol; returns its index in the table.
  uint32_t Symbol(TestSymbol symbol);
  // The contents of a section added before, to patch in place.
  Bytes& Contents(int16_t section) { return sections_[section - 1].contents; }
  // Adds a relocation to a section added before.
  void Relocate(int16_t section, uint32_t offset, uint32_t symbol, uint16_t type);

  Bytes Build() const;
  // Build() read back; the test fails on a reader error.
  CoffObject Object(const std::string& name) const;

 private:
  Machine machine_;
  std::vector<TestSection> sections_;
  std::vector<TestSymbol> symbols_;
};

// A static string record as the SDK lays it out.
Bytes StringRecord(Machine machine, const std::string& text, uint32_t encoding = 0x08000100);

}  // namespace qlimage::test
