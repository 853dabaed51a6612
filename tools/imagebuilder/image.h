// An application image in memory: the five sections of docs/image-format.md,
// for one target machine.
#pragma once

#include "bytes.h"
#include "coff_object.h"

namespace qlimage {

struct Image {
  Machine machine = Machine::Amd64;
  Bytes code;
  Bytes data;
  Bytes import;
  Bytes rsrc;
  Bytes options;
};

// Import record kinds.
enum : uint8_t {
  kImportRuntime = 0x01,
  kImportData = 0x02,
  kImportCode = 0x03,
  kImportWin32 = 0x04,
  kImportString = 0x05,
};

// Import modes of kind 0x01.
enum : uint8_t {
  kModeAbsolute = 0,
  kModeRelative = 1,
};

// Static string records: header bytes before the buffer.
inline unsigned StringHeaderSize(Machine machine) { return machine == Machine::Amd64 ? 32 : 20; }

}  // namespace qlimage
