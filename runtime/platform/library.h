// Win32 libraries: the image's kind 0x04 imports and the plug-in libraries.
// POSIX has none: every library is reported as not found.
#pragma once

namespace ql::platform {

// LoadLibraryA; nullptr when the library does not load.
void* LoadLibraryNamed(const char* fileName);
// GetProcAddress with the name as given; nullptr when it is absent.
void* FindLibraryRoutine(void* library, const char* routineName);

// A library file by its full path (path bytes, paths.h): LoadLibraryW.
// nullptr when it does not load.
void* LoadLibraryAtPath(const char* path);
// FreeLibrary; nothing for nullptr.
void FreeLibraryHandle(void* library);

}  // namespace ql::platform
