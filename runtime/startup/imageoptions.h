// The options section of an image: records keyed by one byte. Key 0 asks for
// MDI mode and carries the frame's title; other keys are reported and skipped.
#pragma once

#include "core/string.h"
#include "startup/bytes.h"
#include "startup/loadfailure.h"

namespace ql {

struct ImageOptions {
  bool mdi = false;  // the image asked for MDI mode
  String mdiTitle;   // title of the MDI frame window; nil when none was given
};

// Parses `section` into `out`. A record that runs past the section's end
// fails the load.
bool ParseOptions(ByteView section, ImageOptions* out, LoadFailure* failure);

// The options of the image this process runs (set by the loader).
ImageOptions& CurrentImageOptions();

}  // namespace ql
