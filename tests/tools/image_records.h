// Reads an import section back into records, for the builder's tests.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "bytes.h"

namespace qlimage::test {

struct ImportRecord {
  uint8_t kind = 0;
  uint8_t mode = 0;
  uint32_t site = 0;  // chain head for kinds 0x01 and 0x04
  std::string name;
  std::string library;
};

// Fails the running test on a malformed section.
std::vector<ImportRecord> ParseImports(ByteView section);

// The sites of a chain, walked over the code with words of `width` bytes.
std::vector<uint32_t> ChainSites(ByteView code, uint32_t head, unsigned width);

}  // namespace qlimage::test
