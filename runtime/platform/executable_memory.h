// Memory that may hold machine code: readable, writable and executable,
// zero-filled, page-granular.
#pragma once

#include <stddef.h>

namespace ql::platform {

// nullptr when the system refuses.
void* AllocateExecutable(size_t size);
void ReleaseExecutable(void* block, size_t size);

}  // namespace ql::platform
