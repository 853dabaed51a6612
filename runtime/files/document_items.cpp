#include "startup/document_items.h"

#include <memory>
#include <utility>

#include "files/file_classes.h"
#include "files/folder_item.h"

namespace ql {

RuntimeObject* NewDocumentItem(RuntimeString* path) {
  std::unique_ptr<FolderItemImp> imp = NewFolderItemImp(path);
  if (!imp) return nullptr;
  return NewFolderItemObject(std::move(imp)).release();
}

bool PointDocumentItemAt(RuntimeObject* item, RuntimeString* path) {
  if (!item) return false;
  std::unique_ptr<FolderItemImp> imp = NewFolderItemImp(path);
  if (!imp) return false;
  FolderItemObject* folderItem = reinterpret_cast<FolderItemObject*>(item);
  delete std::exchange(folderItem->imp, imp.release());
  return true;
}

}  // namespace ql
