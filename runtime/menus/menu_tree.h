// Walks over a menu tree.
#pragma once

#include <stdint.h>

#include "core/array.h"
#include "core/object.h"
#include "menus/menu_item.h"

namespace ql::menus {

// The first item below `root` (root excluded) for which `match` is true:
// depth first, children in order, each child before its own subtree.
template <class Match>
MenuItemImp* FindDepthFirst(MenuItemImp* root, Match&& match) {
  for (int32_t i = 0; i < root->Count(); ++i) {
    MenuItemImp* child = root->ChildImpAt(i);
    if (!child) continue;
    if (match(static_cast<const MenuItemImp&>(*child))) return child;
    if (MenuItemImp* found = FindDepthFirst(child, match)) return found;
  }
  return nullptr;
}

// The item with that command identifier below `root`, or nil.
MenuItemImp* FindByCommandId(MenuItemImp* root, uint32_t commandId);

// `root` and every item below it, each holding a reference, so that event
// handlers run over the list may change the tree.
enum class Order { BreadthFirst, DepthFirst };
class ItemList {
 public:
  ItemList(MenuItemImp* root, Order order);
  ~ItemList();
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;
  size_t Count() const { return items_.Count(); }
  RuntimeObject* operator[](size_t i) const { return items_[i]; }

 private:
  void AddDepthFirst(MenuItemImp* item);
  Array<RuntimeObject*> items_;
};

// Where MenuBarInstallClone puts a new member of an item array: searching
// breadth first from `bar` for the first run of consecutive children named
// `name`, the position after the run and one more than the largest Index
// in it. False when no child has that name.
struct CloneSlot {
  MenuItemImp* parent;
  int32_t position;
  int32_t index;
};
bool FindCloneSlot(MenuItemImp* bar, RuntimeString* name, CloneSlot* slot);

}  // namespace ql::menus
