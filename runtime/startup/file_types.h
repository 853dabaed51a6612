// The file types the application declares at start-up
// (RuntimeRegisterFileType), in registration order. Folder items consult
// the list to name a file's type.
#pragma once

#include "core/string.h"

namespace ql {

struct FileType {
  String name;        // display name
  String creator;     // Macintosh creator code
  String type;        // Macintosh file type code
  String extensions;  // file-name extensions
  FileType* next;
};

// The first registered type, or nil; follow `next`.
const FileType* FirstFileType();

// For tests: the list emptied. The runtime keeps it for the process.
void ForgetFileTypes();

}  // namespace ql
