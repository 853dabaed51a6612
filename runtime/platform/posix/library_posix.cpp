#include "platform/library.h"

namespace ql::platform {

void* LoadLibraryNamed(const char*) { return nullptr; }

void* FindLibraryRoutine(void*, const char*) { return nullptr; }

void* LoadLibraryAtPath(const char*) { return nullptr; }

void FreeLibraryHandle(void*) {}

}  // namespace ql::platform
