// What a folder item does, behind one interface: the disk implementation
// (disk_folder_item.h) is the one built; a virtual volume would be another.
#pragma once

#include <stdint.h>

#include <memory>

#include "core/string.h"
#include "files/file.h"

namespace ql {

class FolderItemImp {
 public:
  virtual ~FolderItemImp() = default;

  virtual bool Exists() = 0;
  // Exists and is marked read-only.
  virtual bool Locked() = 0;
  // The file opened for reading from its start, or null.
  virtual std::unique_ptr<File> OpenForReading() = 0;
  // A new, empty file (an existing one is emptied), or null with
  // LastErrorCode set. `fileType` names the application's file type; the
  // disk does not use it.
  virtual std::unique_ptr<File> CreateNewFile(const char* fileType) = 0;
  // The item's absolute path in the system's encoding.
  virtual const String& Path() const = 0;

  // The outcome of the last failed creation (platform::FileErrorCode).
  int32_t LastErrorCode() const { return lastErrorCode_; }
  void SetLastErrorCode(int32_t code) { lastErrorCode_ = code; }

 private:
  int32_t lastErrorCode_ = 0;
};

}  // namespace ql
