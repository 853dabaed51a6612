// File-system paths as folder items see them.
//
// A path is NUL-terminated bytes in the encoding of PathEncoding() without a
// zero byte inside. Win32: "C:\dir\file" or "\\server\share\file"; POSIX:
// "/dir/file".
#pragma once

#include <stdint.h>

#include "core/string.h"

namespace ql::platform {

// The encoding of path bytes: Win32 the system's (the ANSI code page of the
// script code, as for every text handed to the system); POSIX UTF-8, the
// convention of its file names.
uint32_t PathEncoding();

// The folder that holds the running executable, without a trailing
// separator; nil when the system cannot tell.
String ExecutableFolder();

// Win32: a drive letter and a colon, or two backslashes. POSIX: a leading "/".
bool IsAbsolutePath(const char* path);

// An absolute path taken as it is, any other appended after a separator to
// the executable's folder (never the working directory); trailing
// separators removed, except the single "/" of the POSIX root. Nil when the
// executable's folder is unknown.
String AbsolutePath(const char* path);

// `name` inside `folder`, with one separator between them (none is added
// after a folder that ends in one, such as the POSIX root).
String ChildPath(const char* folder, const char* name);

// Short (8.3) components expanded where the system has them and the file
// exists; otherwise the path itself.
String LongPathName(const String& path);

// The target of a shortcut file (Win32 shell links), nil when the path is no
// shortcut or cannot be resolved. POSIX has none: the system follows its
// symbolic links itself.
String ResolveShortcut(const char* path);

// A path that names a whole volume: Win32 a bare drive ("C:", "C:\") or a
// share root ("\\server\share"); POSIX "/".
bool IsVolumeRoot(const char* path);

// Whether anything (file or folder) is found at the path.
bool PathExists(const char* path, bool volumeRoot);

// The item exists and is marked read-only: Win32 the read-only attribute,
// POSIX the owner's write permission missing.
bool IsReadOnly(const char* path, bool volumeRoot);

}  // namespace ql::platform
