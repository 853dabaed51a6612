// Where calls to an entry point that was reported missing at link time end
// up: each such import's sites reach a small stand-in that passes the
// import's name here.
#pragma once

#include <stdint.h>

namespace ql {

// Reports the call ("Function 'NAME' was not exported", loaderX86 204),
// raises NilObjectException and returns 0.
uintptr_t CallMissingEntryPoint(const char* name);

}  // namespace ql
