// The runtime executable's side of the image: its machine and the 8-byte
// "PICKLE"/101 locator resource, found through the PE resource directory.
#pragma once

#include <stdint.h>

#include <string>

#include "bytes.h"
#include "coff_object.h"
#include "diagnostics.h"

namespace qlimage {

struct PeLocator {
  Machine machine = Machine::Amd64;
  uint64_t locatorOffset = 0;  // file offset of the locator's 8 bytes
  uint32_t blockOffset = 0;    // its first word
  uint32_t auxiliaryOffset = 0;
  bool HasImage() const;       // the first word is not "PICK"
};

constexpr uint32_t kPick = 0x4B434950;  // "PICK" read as a little-endian word
constexpr uint32_t kPoke = 0x454B4F50;  // "POKE"

// Finds the locator in a PE executable's bytes; every problem is reported
// as "NAME: what".
bool FindPeLocator(const std::string& name, ByteView exe, PeLocator& out, Diagnostics& diagnostics);

}  // namespace qlimage
