// The intrinsic classes FolderItem, TextInputStream and TextOutputStream:
// making their objects around what they own.
#pragma once

#include <memory>

#include "core/object.h"
#include "files/file.h"
#include "files/folder_item_imp.h"
#include "platform/systemfolders.h"

namespace ql {

// Each returns a new object (one reference) that owns what it is given, or
// nil when the object cannot be made (NilObjectException raised); what it
// was given is destroyed then.
ObjectRef NewFolderItemObject(std::unique_ptr<FolderItemImp> imp);
// A FolderItem for one of the runtime's own folders (created when missing),
// or nil when the system has none.
ObjectRef NewSpecialFolderItemObject(platform::SpecialFolder folder);
// Encoding UTF-8.
ObjectRef NewTextInputStreamObject(std::unique_ptr<File> file);
// Delimiter empty.
ObjectRef NewTextOutputStreamObject(std::unique_ptr<File> file);

// The encoding lines are tagged with while a stream's Encoding is nil.
constexpr uint32_t kDefaultStreamEncoding = QL_ENCODING_UTF8;

}  // namespace ql
