// FolderItem: the runtime's handle on one file-system path.
#pragma once

#include <stddef.h>

#include <memory>

#include "core/string.h"
#include "files/file.h"
#include "files/folder_item_imp.h"
#include "quillon/abi.h"

namespace ql {

// The instance; compiled code knows only its size.
struct FolderItemObject {
  RuntimeObject header;
  FolderItemImp* imp;  // the implementation, owned; nil only when none could be built
};

#if defined(__i386__)
static_assert(sizeof(FolderItemObject) == 32 && offsetof(FolderItemObject, imp) == 28);
#elif defined(__x86_64__)
static_assert(sizeof(FolderItemObject) == 64 && offsetof(FolderItemObject, imp) == 56);
#endif

// The implementation GetFolderItem builds for `path`, or null: paths inside
// virtual volumes (not built), paths with a zero byte, paths that cannot be
// made absolute.
std::unique_ptr<FolderItemImp> NewFolderItemImp(RuntimeString* path);

// The implementation for an absolute path the runtime made itself (a
// special folder), or null.
std::unique_ptr<FolderItemImp> NewFolderItemImpForAbsolutePath(String path);

// OpenAsTextFile: the file to read from its start, or null.
std::unique_ptr<File> OpenTextFileOf(FolderItemImp& item);

// CreateTextFile: a new, empty file, or null with LastErrorCode set. A
// locked (read-only) item is left as it is.
std::unique_ptr<File> CreateTextFileOf(FolderItemImp& item);

// The file type the application registers at start-up for its text files.
inline constexpr char kTextFileType[] = "text";

}  // namespace ql
