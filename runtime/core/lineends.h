// The three line-end texts, each an ASCII string created once and shared.
#pragma once

#include "quillon/abi.h"

namespace ql {

enum class LineEnd {
  Macintosh,  // carriage return
  Windows,    // carriage return + line feed
  Unix,       // line feed
};

// Borrowed: the runtime keeps these for the life of the process.
RuntimeString* LineEndString(LineEnd which);

}  // namespace ql
