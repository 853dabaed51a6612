// A folder item on the system's file system.
#pragma once

#include "files/folder_item_imp.h"

namespace ql {

enum class Creatable { Yes, No };

class DiskFolderItem final : public FolderItemImp {
 public:
  // `absolutePath`: absolute, in long-name form, without a trailing separator.
  DiskFolderItem(String absolutePath, Creatable creatable);

  bool Exists() override;
  bool Locked() override;
  std::unique_ptr<File> OpenForReading() override;
  std::unique_ptr<File> CreateNewFile(const char* fileType) override;
  const String& Path() const override { return path_; }

  // A bare drive, a share root or the POSIX root; counts as a folder.
  bool IsVolumeRoot() const { return volumeRoot_; }
  bool WasCreated() const { return created_; }

 private:
  String path_;
  bool volumeRoot_;
  bool notCreatable_;
  bool created_ = false;
};

}  // namespace ql
