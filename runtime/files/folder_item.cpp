#include "files/folder_item.h"

#include <new>
#include <utility>

#include "files/disk_folder_item.h"
#include "files/folder_item_path.h"

namespace ql {

std::unique_ptr<FolderItemImp> NewFolderItemImp(RuntimeString* path) {
  if (IsVirtualVolumePath(path)) return nullptr;
  String resolved = ResolveFolderItemPath(path);
  if (resolved.empty()) return nullptr;
  return NewFolderItemImpForAbsolutePath(std::move(resolved));
}

std::unique_ptr<FolderItemImp> NewFolderItemImpForAbsolutePath(String path) {
  if (path.empty()) return nullptr;
  return std::unique_ptr<FolderItemImp>(new (std::nothrow) DiskFolderItem(std::move(path), Creatable::Yes));
}

std::unique_ptr<File> OpenTextFileOf(FolderItemImp& item) { return item.OpenForReading(); }

std::unique_ptr<File> CreateTextFileOf(FolderItemImp& item) {
  if (item.Locked()) {
    // The refusal is reported like the system's own "access denied".
    item.SetLastErrorCode(kAccessDeniedErrorCode);
    return nullptr;
  }
  return item.CreateNewFile(kTextFileType);
}

}  // namespace ql
