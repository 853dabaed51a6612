#include "menus/menu_tree.h"

#include "quillon/entrypoints/objects.h"

namespace ql::menus {

MenuItemImp* FindByCommandId(MenuItemImp* root, uint32_t commandId) {
  if (!root || commandId == 0) return nullptr;
  return FindDepthFirst(root, [&](const MenuItemImp& item) { return item.commandId() == commandId; });
}

ItemList::ItemList(MenuItemImp* root, Order order) {
  if (!root) return;
  if (order == Order::DepthFirst) {
    AddDepthFirst(root);
    return;
  }
  items_.Append(root->owner());
  for (size_t next = 0; next < items_.Count(); ++next) {
    MenuItemImp* item = ImpOf(items_[next]);
    for (int32_t i = 0; i < item->Count(); ++i)
      if (ImpOf(item->ChildAt(i))) items_.Append(item->ChildAt(i));
  }
  for (RuntimeObject* o : items_) RuntimeLockObject(o);
}

void ItemList::AddDepthFirst(MenuItemImp* item) {
  RuntimeLockObject(item->owner());
  items_.Append(item->owner());
  for (int32_t i = 0; i < item->Count(); ++i)
    if (MenuItemImp* child = item->ChildImpAt(i)) AddDepthFirst(child);
}

ItemList::~ItemList() {
  for (RuntimeObject* o : items_) RuntimeUnlockObject(o);
}

bool FindCloneSlot(MenuItemImp* bar, RuntimeString* name, CloneSlot* slot) {
  const ItemList items(bar, Order::BreadthFirst);
  for (size_t n = 0; n < items.Count(); ++n) {
    MenuItemImp* parent = ImpOf(items[n]);
    for (int32_t i = 0; i < parent->Count(); ++i) {
      MenuItemImp* child = parent->ChildImpAt(i);
      if (!child || CompareNames(child->name(), name) != 0) continue;
      int32_t largest = child->index();
      int32_t end = i + 1;
      for (; end < parent->Count(); ++end) {
        MenuItemImp* member = parent->ChildImpAt(end);
        if (!member || CompareNames(member->name(), name) != 0) break;
        if (member->index() > largest) largest = member->index();
      }
      *slot = CloneSlot{parent, end, largest + 1};
      return true;
    }
  }
  return false;
}

}  // namespace ql::menus
