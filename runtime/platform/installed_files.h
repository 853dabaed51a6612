// Files the runtime installs for itself: plug-in libraries copied out of the
// image into a folder where the system can load them. Paths are bytes in the
// path encoding (paths.h).
#pragma once

#include <stddef.h>

namespace ql::platform {

// Removes the file; false when it is not there or cannot be removed (Win32:
// a library another process has loaded is in use).
bool DeleteFileAt(const char* path);

// Creates a new file, failing when one of that name exists, and writes all
// `size` bytes in one go. Win32: CreateFileW with CREATE_NEW, read and write
// access, sharing for reading and writing, FILE_ATTRIBUTE_HIDDEN and
// FILE_FLAG_WRITE_THROUGH, then one WriteFile. POSIX: O_CREAT | O_EXCL with
// O_SYNC and mode 0600 (POSIX has no hidden attribute). A file that cannot
// be written completely is removed again. False when no complete file was
// made.
bool CreateHiddenFile(const char* path, const void* bytes, size_t size);

}  // namespace ql::platform
