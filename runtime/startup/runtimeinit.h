// Runtime initialisation, in its fixed order, before a byte of the image is
// read.
#pragma once

namespace ql {

void InitialiseRuntime();

}  // namespace ql
