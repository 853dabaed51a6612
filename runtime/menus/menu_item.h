// Menu items: the instance of class MenuItem (and of MenuBar, QuitMenuItem,
// PrefsMenuItem, AppleMenuItem and compiled subclasses) and the item's
// implementation, which holds its state and its children and keeps the
// native menus in step with them.
//
// The tree: a MenuBar at the root, the menu titles below it, their commands
// below them, to any depth. An item sits in at most one parent; inserting an
// item that sits elsewhere moves it. Native side: a MenuBar owns a native
// menu bar from its creation; any other item gets a native pop-up menu when
// it receives its first child (it is then a pop-up for good, also when its
// last child goes). Each child has the entry at its own position in its
// parent's native menu.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/array.h"
#include "core/object.h"
#include "core/string.h"
#include "menus/item_shortcuts.h"
#include "menus/native_menu.h"
#include "quillon/abi.h"

namespace ql::menus {

class MenuItemImp;

struct MenuItemObject {
  RuntimeObject header;
  MenuItemImp* imp;  // the item's implementation, owned; nil only when it could not be made
};

#if defined(__i386__)
static_assert(offsetof(MenuItemObject, imp) == 28 && sizeof(MenuItemObject) == 32);
#endif

// The object is a MenuItem (of any subclass).
bool IsMenuItem(const RuntimeObject* o);
// The implementation of a menu item, or nil for nil, an object of another
// class or an item without one. No report, no exception.
MenuItemImp* ImpOf(RuntimeObject* item);

// Whether an insertion went through.
enum class Inserted { Yes, RefusedCycle };

class MenuItemImp {
 public:
  // Bar: the item is a MenuBar, whose native menu is a menu bar.
  enum class Role : uint8_t { Item, Bar };
  MenuItemImp(RuntimeObject* owner, Role role);
  ~MenuItemImp();
  MenuItemImp(const MenuItemImp&) = delete;
  MenuItemImp& operator=(const MenuItemImp&) = delete;

  RuntimeObject* owner() const { return owner_; }  // no reference: the owner owns this
  MenuItemImp* parent() const { return parent_; }
  bool isPopup() const { return popup_; }
  bool isBar() const { return role_ == Role::Bar; }
  uint32_t commandId() const { return commandId_; }
  // Nil for an item that never had a child.
  NativeMenu nativeMenu() const { return menu_; }

  // --- Children (positions 0 .. Count-1, checked by the caller) ---
  int32_t Count() const { return static_cast<int32_t>(children_.Count()); }
  RuntimeObject* ChildAt(int32_t position) const { return children_[static_cast<size_t>(position)]; }
  MenuItemImp* ChildImpAt(int32_t position) const;
  // -1 when `child` is not a child of this item.
  int32_t PositionOf(const MenuItemImp* child) const;
  // `child` must be a menu item. An item cannot go below itself.
  Inserted Insert(int32_t position, RuntimeObject* child);
  void RemoveAt(int32_t position);
  // This item is `other` or lies below it.
  bool IsWithin(const MenuItemImp* other) const;

  // --- State ---
  RuntimeString* name() const { return name_.get(); }
  void SetName(RuntimeString* name) { AssignString(name_.slot(), name); }
  int32_t index() const { return index_; }
  void SetIndex(int32_t index) { index_ = index; }
  RuntimeObject* tag() const { return tag_.get(); }
  void SetTag(RuntimeObject* tag) { tag_ = ObjectRef::Retain(tag); }
  RuntimeString* text() const { return text_.get(); }
  void SetText(RuntimeString* text);
  RuntimeString* commandKey() const { return commandKey_.get(); }
  void SetCommandKey(RuntimeString* key);
  bool enabled() const { return enabled_; }
  // Applies to this item and every item below it.
  void SetEnabled(bool enabled);
  bool checked() const { return checked_; }
  void SetChecked(bool checked);

  // Stored only: the native menu shows none of them.
  struct StoredOnly {
    bool visible = true;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    String balloonHelp;
    String disabledBalloonHelp;
  };
  StoredOnly& stored() { return stored_; }
  bool autoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool value) { autoEnable_ = value; }

  // The shortcut name of the command key (nil for none), and the text the
  // native entry shows: the text, then a tab and the shortcut name.
  String ShortcutName() const;
  String ShownText() const;

 private:
  NativeEntry Entry(RuntimeString* shownText) const;
  // The entry of `child` (at `position`) in this item's native menu.
  void InsertEntryOf(MenuItemImp* child, int32_t position);
  void ApplyEntryState(MenuItemImp* child, int32_t position);
  void SetNativeGrayedOf(MenuItemImp* child);
  void UpdateEntryOf(MenuItemImp* child);
  bool GrayedNatively() const;
  void BecomePopup();
  void EnterShortcutOf(MenuItemImp* child);
  void RemoveShortcutOf(MenuItemImp* child);
  void DetachChild(MenuItemImp* child);
  void SetEnabledTree(bool enabled);

  RuntimeObject* owner_;
  Role role_;
  Array<RuntimeObject*> children_;  // one reference each
  int32_t index_ = -1;
  String text_;
  String name_;
  String commandKey_;
  uint32_t commandId_;
  ObjectRef tag_;
  bool enabled_ = true;
  bool checked_ = false;
  bool autoEnable_ = true;
  StoredOnly stored_;
  ItemShortcutTarget shortcut_ = {};  // the item's entry in the shortcut list, while it sits in a menu
  MenuItemImp* parent_ = nullptr;     // back link, no reference
  bool popup_ = false;
  NativeMenu menu_ = nullptr;
};

}  // namespace ql::menus
