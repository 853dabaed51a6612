#include "files/disk_folder_item.h"

#include <utility>

#include "platform/paths.h"

namespace ql {

DiskFolderItem::DiskFolderItem(String absolutePath, Creatable creatable)
    : path_(std::move(absolutePath)),
      volumeRoot_(platform::IsVolumeRoot(path_.text())),
      notCreatable_(creatable == Creatable::No) {}

bool DiskFolderItem::Exists() { return !path_.empty() && platform::PathExists(path_.text(), volumeRoot_); }

bool DiskFolderItem::Locked() { return Exists() && platform::IsReadOnly(path_.text(), volumeRoot_); }

std::unique_ptr<File> DiskFolderItem::OpenForReading() {
  int32_t errorCode = 0;
  return OpenSystemFile(path_.text(), platform::OpenDisposition::ReadExisting, &errorCode);
}

std::unique_ptr<File> DiskFolderItem::CreateNewFile(const char*) {
  if (notCreatable_) {
    SetLastErrorCode(kAccessDeniedErrorCode);
    return nullptr;
  }
  int32_t errorCode = 0;
  std::unique_ptr<File> file = OpenSystemFile(path_.text(), platform::OpenDisposition::CreateEmpty, &errorCode);
  SetLastErrorCode(errorCode);
  if (file) created_ = true;
  return file;
}

}  // namespace ql
