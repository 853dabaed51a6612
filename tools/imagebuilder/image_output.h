// Where an image goes: appended to a copy of the runtime executable (with
// its locator patched), or the five development files of a folder; and the
// way back, for the dump.
#pragma once

#include <string>

#include "bytes.h"
#include "diagnostics.h"
#include "image.h"

namespace qlimage {

// The five u32-length-prefixed sections: code, data, import, rsrc, options.
Bytes AppendedBlock(const Image& image);

// A copy of `runtime` with the block appended and the locator set to
// {block offset, "POKE"}. Refuses an executable of another machine than the
// image's, one without the locator, and one that already carries an image.
bool AppendToRuntime(const std::string& runtimeName, ByteView runtime, const Image& image, Bytes& out,
                     Diagnostics& diagnostics);

// code.dat, data.dat, import.dat, rsrc.dat, options.dat (the folder is created).
bool WriteDevelopmentFiles(const std::string& folder, const Image& image, Diagnostics& diagnostics);

// Reads an image back from an executable with an appended block, or from a
// development folder (whose machine the files do not tell: `devMachine`).
bool ReadImage(const std::string& path, Machine devMachine, Image& out, Diagnostics& diagnostics);

// The same for the bytes of an executable.
bool ReadImageBytes(const std::string& name, ByteView file, Image& out, Diagnostics& diagnostics);

// The sections of an appended block starting at `offset` of `file`.
bool SplitBlock(const std::string& name, ByteView file, uint64_t offset, Image& out, Diagnostics& diagnostics);

}  // namespace qlimage
