// A readable listing of an image, for debugging and for tests: section
// sizes, the imports by name with the number of sites their chains reach,
// the counts of code, data and string relocations, the resources and the
// options. Any bytes are accepted: what cannot be read is listed as a
// problem (and reported), never read past.
#pragma once

#include <string>

#include "diagnostics.h"
#include "image.h"

namespace qlimage {

std::string DumpImage(const Image& image, Diagnostics& diagnostics);

}  // namespace qlimage
