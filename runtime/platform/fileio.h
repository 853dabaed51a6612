// The system's open files: open, read, write, position, length, close.
//
// Paths are NUL-terminated bytes in the system's encoding (see paths.h).
// Nothing here takes the file lock: the file object (runtime/files/file.h)
// holds it around each call.
#pragma once

#include <stdint.h>

namespace ql::platform {

// An open file of the system (a HANDLE on Win32, a descriptor on POSIX).
using FileHandle = intptr_t;
inline constexpr FileHandle kNoFile = -1;

enum class OpenDisposition {
  // Read access; others may read and write; the file must exist.
  ReadExisting,
  // Read and write access; others may read; an existing file is emptied.
  CreateEmpty,
};

struct OpenedFile {
  FileHandle handle;     // kNoFile on failure
  uint32_t systemError;  // GetLastError() or errno on failure, 0 on success
};

// Only plain files open: a folder or a device is refused.
OpenedFile OpenFileAt(const char* path, OpenDisposition disposition);

// Bytes read, 0 at the end of the file or on failure.
int32_t ReadFromFile(FileHandle file, void* buffer, int32_t count);
// Bytes written: fewer than count only on failure.
int32_t WriteToFile(FileHandle file, const void* bytes, int32_t count);
// -1 on failure.
int64_t FilePosition(FileHandle file);
int64_t FileLength(FileHandle file);
bool SetFilePosition(FileHandle file, int64_t position);
void CloseFileHandle(FileHandle file);

// The value `LastErrorCode` reports for a system error of the calls above:
// 101 not found, 102 access denied or device error, 103 out of memory or
// space, 104 sharing or lock violation, 105 bad name; any other error unchanged.
int32_t FileErrorCode(uint32_t systemError);

}  // namespace ql::platform
