// Win32 libraries for the image's kind 0x04 imports. POSIX has none: every
// library is reported as not found.
#pragma once

namespace ql::platform {

// LoadLibraryA; nullptr when the library does not load.
void* LoadLibraryNamed(const char* fileName);
// GetProcAddress with the name as given; nullptr when it is absent.
void* FindLibraryRoutine(void* library, const char* routineName);

}  // namespace ql::platform
