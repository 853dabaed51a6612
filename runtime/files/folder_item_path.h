// How GetFolderItem turns the text it is given into the path of an item.
#pragma once

#include "core/string.h"

namespace ql {

// 00 F1 D1 73: the path names a file inside a virtual volume.
bool IsVirtualVolumePath(RuntimeString* path);

// The absolute path `path` names: in the system's encoding; relative to the
// executable's folder unless absolute; in long-name form; a shortcut
// replaced by its target. Nil for a path with a zero byte or one that cannot
// be made absolute.
String ResolveFolderItemPath(RuntimeString* path);

}  // namespace ql
