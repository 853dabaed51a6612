#include "startup/imageoptions.h"

#include <stdio.h>

#include "core/assertion.h"

namespace ql {
namespace {

constexpr uint8_t kMdiKey = 0;

// Key 0 from `*position` (just after the key byte).
bool ParseMdiRecord(ByteView section, size_t* position, ImageOptions* out, LoadFailure* failure) {
  const size_t record = *position - 1;
  if (!section.Holds(*position, 4)) {
    failure->Add("the MDI option at options offset %zu ends inside its length", record);
    return false;
  }
  const int32_t length = static_cast<int32_t>(LoadU32(section.data + *position));
  *position += 4;
  out->mdi = true;
  if (length <= 0) return true;
  if (!section.Holds(*position, static_cast<uint64_t>(length) + 4)) {
    failure->Add("the MDI option at options offset %zu runs past the end of the section", record);
    return false;
  }
  const uint8_t* text = section.data + *position;
  const uint32_t encoding = LoadU32(text + length);
  out->mdiTitle = NewStringFromBytes(text, length, encoding);
  if (out->mdiTitle.empty()) {
    failure->Add("there is not enough memory for the MDI title (%d bytes)", length);
    return false;
  }
  *position += static_cast<size_t>(length) + 4;
  return true;
}

}  // namespace

bool ParseOptions(ByteView section, ImageOptions* out, LoadFailure* failure) {
  size_t position = 0;
  while (position < section.size) {
    const uint8_t key = section.data[position++];
    if (key == kMdiKey) {
      if (!ParseMdiRecord(section, &position, out, failure)) return false;
      continue;
    }
    char message[64];
    snprintf(message, sizeof message, "unknown option key %u at options offset %zu", key, position - 1);
    ReportAssertion("loaderX86", 377, "0", message);
  }
  return true;
}

ImageOptions& CurrentImageOptions() {
  static ImageOptions options;
  return options;
}

}  // namespace ql
