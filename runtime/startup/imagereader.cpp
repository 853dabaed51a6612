#include "startup/imagereader.h"

#include <stdio.h>
#include <string.h>

namespace ql {
namespace {

constexpr uint8_t kPick[4] = {'P', 'I', 'C', 'K'};
constexpr uint8_t kPoke[4] = {'P', 'O', 'K', 'E'};

bool Is(const uint8_t* bytes, const uint8_t (&word)[4]) { return memcmp(bytes, word, 4) == 0; }

// Reads `length` bytes at `offset` into a fresh buffer.
bool ReadInto(ByteSource& source, uint64_t offset, uint64_t length, ByteBuffer* out, const char* what,
              LoadFailure* failure) {
  if (length > SIZE_MAX) {
    failure->Add("the %s is too large for this computer", what);
    return false;
  }
  if (!out->Resize(static_cast<size_t>(length))) {
    failure->Add("there is not enough memory for the %s (%llu bytes)", what, static_cast<unsigned long long>(length));
    return false;
  }
  if (length && !source.ReadAt(offset, out->data(), static_cast<size_t>(length))) {
    failure->Add("the %s could not be read", what);
    return false;
  }
  return true;
}

// One length-prefixed section of the appended block; advances `position`.
bool ReadSection(ByteSource& file, uint64_t* position, const char* name, ByteBuffer* out, uint64_t* start,
                 LoadFailure* failure) {
  const uint64_t size = file.Size();
  uint8_t prefix[4];
  if (*position > size || size - *position < 4 || !file.ReadAt(*position, prefix, 4)) {
    failure->Add("the appended block ends before the length of its %s section (at file offset %llu)", name,
                 static_cast<unsigned long long>(*position));
    return false;
  }
  const uint64_t length = LoadU32(prefix);
  *start = *position + 4;
  if (length > size - *start) {
    failure->Add("the %s section (%llu bytes from file offset %llu) runs past the end of the file (%llu bytes)", name,
                 static_cast<unsigned long long>(length), static_cast<unsigned long long>(*start),
                 static_cast<unsigned long long>(size));
    return false;
  }
  char what[32];
  snprintf(what, sizeof what, "%s section", name);
  if (!ReadInto(file, *start, length, out, what, failure)) return false;
  *position = *start + length;
  return true;
}

bool ReadDevelopmentFile(ImageFiles& files, const char* name, ByteBuffer* out, LoadFailure* failure) {
  ByteSourcePtr file = files.OpenDevelopmentFile(name);
  if (!file) {
    failure->Add("the file \"%s\" could not be opened in the current folder", name);
    return false;
  }
  const uint64_t size = file->Size();
  if (size > UINT32_MAX) {
    failure->Add("the file \"%s\" is larger than a section can be", name);
    return false;
  }
  char what[48];
  snprintf(what, sizeof what, "file \"%s\"", name);
  return ReadInto(*file, 0, size, out, what, failure);
}

}  // namespace

bool ParseLocator(int64_t size, const uint8_t (&bytes)[8], ImageLocator* out, LoadFailure* failure) {
  *out = ImageLocator{};
  if (size < 0 || (size >= 4 && Is(bytes, kPick))) return true;  // development layout
  if (size < 8) {
    failure->Add("the image locator holds %lld bytes instead of 8", static_cast<long long>(size));
    return false;
  }
  out->layout = ImageLocator::Layout::Appended;
  out->blockOffset = LoadU32(bytes);
  const uint8_t* auxiliary = bytes + 4;
  if (Is(auxiliary, kPoke)) {
    out->auxiliary = ImageLocator::Auxiliary::None;
  } else if (LoadU32(auxiliary) == 0) {
    out->auxiliary = ImageLocator::Auxiliary::DevelopmentFile;
  } else {
    out->auxiliary = ImageLocator::Auxiliary::Executable;
    out->auxiliaryOffset = LoadU32(auxiliary);
  }
  return true;
}

bool ReadAppendedBlock(ByteSource& file, uint32_t blockOffset, ImageSections* out, LoadFailure* failure) {
  uint64_t position = blockOffset;
  uint64_t start = 0;
  if (!ReadSection(file, &position, "code", &out->code, &start, failure) ||
      !ReadSection(file, &position, "data", &out->data, &start, failure) ||
      !ReadSection(file, &position, "import", &out->imports, &start, failure) ||
      !ReadSection(file, &position, "rsrc", &out->resources, &start, failure))
    return false;
  out->resourceFileOffset = out->resources.empty() ? 0 : static_cast<uint32_t>(start);
  return ReadSection(file, &position, "options", &out->options, &start, failure);
}

bool ReadDevelopmentLayout(ImageFiles& files, ImageSections* out, LoadFailure* failure) {
  out->resourceFileOffset = 0;
  return ReadDevelopmentFile(files, "import.dat", &out->imports, failure) &&
         ReadDevelopmentFile(files, "code.dat", &out->code, failure) &&
         ReadDevelopmentFile(files, "data.dat", &out->data, failure) &&
         ReadDevelopmentFile(files, "rsrc.dat", &out->resources, failure) &&
         ReadDevelopmentFile(files, "options.dat", &out->options, failure);
}

bool ReadImage(ImageFiles& files, ImageSections* out, LoadFailure* failure) {
  uint8_t locator[8] = {};
  const int64_t size = files.ReadLocator(locator);
  if (!ParseLocator(size, locator, &out->locator, failure)) return false;
  if (out->locator.layout == ImageLocator::Layout::Development) return ReadDevelopmentLayout(files, out, failure);
  ByteSourcePtr executable = files.OpenExecutable();
  if (!executable) {
    failure->Add("the executable file could not be opened for reading");
    return false;
  }
  return ReadAppendedBlock(*executable, out->locator.blockOffset, out, failure);
}

}  // namespace ql
