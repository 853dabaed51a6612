// Loading and running the application image: read it, take its options,
// link it, hand its resources on, call its first byte, then empty the
// exit-cleanup list.
#pragma once

#include "startup/imagefiles.h"
#include "startup/imagelinker.h"
#include "startup/libraryimports.h"

namespace ql {

// What the loader works with; the process's own by default.
struct ImageServices {
  ImageFiles* files;
  EntryPointResolver* entries;
  LibraryImports* libraries;
};
ImageServices ProcessImageServices();

enum class ImageOutcome {
  Ran,         // the entry was called and returned
  NotLoaded,   // the image could not be read, options or sites were damaged
  LinkFailed,  // a Win32 library or routine is missing
};

ImageOutcome LoadAndRunImage(const ImageServices& services);

}  // namespace ql
