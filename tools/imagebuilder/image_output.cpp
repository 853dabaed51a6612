#include "image_output.h"

#include <filesystem>

#include "file_io.h"
#include "pe_locator.h"

namespace qlimage {

namespace {

struct SectionFile {
  const char* file;
  Bytes Image::*section;
};

// The development layout's files, in the order the block holds the sections.
constexpr SectionFile kSectionFiles[] = {
    {"code.dat", &Image::code},   {"data.dat", &Image::data},       {"import.dat", &Image::import},
    {"rsrc.dat", &Image::rsrc},   {"options.dat", &Image::options},
};

}  // namespace

Bytes AppendedBlock(const Image& image) {
  Bytes block;
  for (const SectionFile& s : kSectionFiles) {
    const Bytes& bytes = image.*s.section;
    AppendU32(block, static_cast<uint32_t>(bytes.size()));
    AppendBytes(block, bytes);
  }
  return block;
}

bool AppendToRuntime(const std::string& runtimeName, ByteView runtime, const Image& image, Bytes& out,
                     Diagnostics& diagnostics) {
  PeLocator locator;
  if (!FindPeLocator(runtimeName, runtime, locator, diagnostics)) return false;
  if (locator.machine != image.machine) {
    diagnostics.Error(runtimeName + ": is an " + std::string(MachineName(locator.machine)) +
                      " executable, but the objects are " + MachineName(image.machine));
    return false;
  }
  if (locator.HasImage()) {
    diagnostics.Error(runtimeName + ": already carries an image (locator " + Hex(locator.blockOffset) +
                      "); append to the bare runtime executable");
    return false;
  }
  uint64_t blockOffset = runtime.size();
  if (blockOffset >= 0xFFFFFFFF || blockOffset == kPick) {
    diagnostics.Error(runtimeName + ": too large to carry an image");
    return false;
  }
  out.assign(runtime.begin(), runtime.end());
  AppendBytes(out, AppendedBlock(image));
  PutU32(out, locator.locatorOffset, static_cast<uint32_t>(blockOffset));
  PutU32(out, locator.locatorOffset + 4, kPoke);  // no auxiliary data block
  return true;
}

bool WriteDevelopmentFiles(const std::string& folder, const Image& image, Diagnostics& diagnostics) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    diagnostics.Error(folder + ": cannot create the folder (" + error.message() + ")");
    return false;
  }
  bool ok = true;
  for (const SectionFile& s : kSectionFiles) {
    ok = WriteWholeFile((std::filesystem::path(folder) / s.file).string(), image.*s.section, diagnostics) && ok;
  }
  return ok;
}

bool SplitBlock(const std::string& name, ByteView file, uint64_t offset, Image& out, Diagnostics& diagnostics) {
  uint64_t at = offset;
  for (const SectionFile& s : kSectionFiles) {
    uint32_t length = 0;
    if (!ReadU32(file, at, length)) {
      diagnostics.Error(name + ": the block ends before the length of " + s.file + " (at " + Hex(at) + ")");
      return false;
    }
    if (!Fits(file.size(), at + 4, length)) {
      diagnostics.Error(name + ": section " + s.file + " (" + std::to_string(length) + " bytes at " + Hex(at + 4) +
                        ") runs past the end of the file");
      return false;
    }
    (out.*s.section).assign(file.begin() + at + 4, file.begin() + at + 4 + length);
    at += 4 + uint64_t{length};
  }
  return true;
}

bool ReadImage(const std::string& path, Machine devMachine, Image& out, Diagnostics& diagnostics) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    out.machine = devMachine;
    bool ok = true;
    for (const SectionFile& s : kSectionFiles) {
      ok = ReadWholeFile((std::filesystem::path(path) / s.file).string(), out.*s.section, diagnostics) && ok;
    }
    return ok;
  }
  Bytes file;
  if (!ReadWholeFile(path, file, diagnostics)) return false;
  return ReadImageBytes(path, file, out, diagnostics);
}

bool ReadImageBytes(const std::string& name, ByteView file, Image& out, Diagnostics& diagnostics) {
  PeLocator locator;
  if (!FindPeLocator(name, file, locator, diagnostics)) return false;
  if (!locator.HasImage()) {
    diagnostics.Error(name + ": carries no image (its locator reads \"PICK\": the development files are used)");
    return false;
  }
  out.machine = locator.machine;
  return SplitBlock(name, file, locator.blockOffset, out, diagnostics);
}

}  // namespace qlimage
