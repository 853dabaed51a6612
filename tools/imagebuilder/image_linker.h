// Links relocatable objects into an application image: resolves symbols
// across objects (COMDAT sections keep their first definition), lays out the
// code and data sections, and turns every relocation into either a resolved
// displacement or an import record the runtime's linker applies at load time.
// docs/image-builder.md describes the rules.
#pragma once

#include <vector>

#include "coff_object.h"
#include "diagnostics.h"
#include "entry_names.h"
#include "image.h"
#include "manifest.h"

namespace qlimage {

// Fills image.code, image.data and image.import (and image.machine). Every
// problem is reported; the image is only valid when this returns true.
bool LinkImage(const std::vector<CoffObject>& objects, const Manifest& manifest, const EntryNames& entryNames,
               Image& image, Diagnostics& diagnostics);

}  // namespace qlimage
