#include "menus/menu_item.h"

#include <utility>

#include "core/intrinsic_classes.h"
#include "menus/command_ids.h"
#include "menus/item_shortcuts.h"
#include "menus/shortcut_name.h"
#include "quillon/entrypoints/objects.h"

namespace ql::menus {
namespace {

bool IsSeparatorText(RuntimeString* text) {
  const String utf8 = ConvertToUTF8(text);
  return StringLength(utf8.get()) == 1 && StringText(utf8.get())[0] == '-';
}

}  // namespace

bool IsMenuItem(const RuntimeObject* o) {
  return o && o->cls && InstanceBytes(o->cls) >= sizeof(MenuItemObject) &&
         ClassDescendsFrom(o->cls, ClassOf(intrinsic::MenuItem));
}

MenuItemImp* ImpOf(RuntimeObject* item) {
  return IsMenuItem(item) ? reinterpret_cast<MenuItemObject*>(item)->imp : nullptr;
}

MenuItemImp::MenuItemImp(RuntimeObject* owner, Role role)
    : owner_(owner), role_(role), commandId_(TakeCommandId()) {
  if (role_ == Role::Bar) menu_ = CreateNativeMenu(NativeMenuKind::Bar);
}

MenuItemImp::~MenuItemImp() {
  // Native entries go first: destroying a native menu would destroy the
  // sub-menus of the children still in it.
  while (!children_.Empty()) {
    const int32_t last = Count() - 1;
    RuntimeObject* child = ChildAt(last);
    children_.RemoveAt(static_cast<size_t>(last));
    RemoveNativeEntry(menu_, last);
    if (MenuItemImp* c = ImpOf(child)) DetachChild(c);
    RuntimeUnlockObject(child);
  }
  RemoveItemShortcut(&shortcut_);
  DestroyNativeMenu(menu_);
  FreeCommandId(commandId_);
}

MenuItemImp* MenuItemImp::ChildImpAt(int32_t position) const { return ImpOf(ChildAt(position)); }

int32_t MenuItemImp::PositionOf(const MenuItemImp* child) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (ChildImpAt(i) == child) return i;
  return -1;
}

bool MenuItemImp::IsWithin(const MenuItemImp* other) const {
  for (const MenuItemImp* p = this; p; p = p->parent_)
    if (p == other) return true;
  return false;
}

Inserted MenuItemImp::Insert(int32_t position, RuntimeObject* child) {
  MenuItemImp* c = ImpOf(child);
  if (IsWithin(c)) return Inserted::RefusedCycle;
  // Keep the child alive while it moves out of the menu it sits in; the
  // position then counts without it, before the same neighbour.
  const ObjectRef hold = ObjectRef::Retain(child);
  if (MenuItemImp* old = c->parent_) {
    RuntimeObject* before = position < Count() ? ChildAt(position) : nullptr;
    old->RemoveAt(old->PositionOf(c));
    position = before && before != child ? PositionOf(ImpOf(before)) : position;
    if (position < 0 || position > Count()) position = Count();
  }

  RuntimeLockObject(child);
  children_.Append(child);
  for (size_t i = children_.Count() - 1; i > static_cast<size_t>(position); --i) children_[i] = children_[i - 1];
  children_[static_cast<size_t>(position)] = child;

  if (!popup_) BecomePopup();
  c->parent_ = this;
  if (c->commandId_ == kNoCommandId) c->commandId_ = TakeCommandId();
  InsertEntryOf(c, position);
  EnterShortcutOf(c);
  return Inserted::Yes;
}

void MenuItemImp::RemoveAt(int32_t position) {
  RuntimeObject* child = ChildAt(position);
  children_.RemoveAt(static_cast<size_t>(position));
  RemoveNativeEntry(menu_, position);
  if (MenuItemImp* c = ImpOf(child)) DetachChild(c);
  RuntimeUnlockObject(child);
}

// A child that left this menu: no parent, no shortcut, and its command
// identifier is free for others (it takes a new one if it goes back in).
void MenuItemImp::DetachChild(MenuItemImp* child) {
  RemoveShortcutOf(child);
  child->parent_ = nullptr;
  FreeCommandId(std::exchange(child->commandId_, kNoCommandId));
}

// The first child turns this item into a pop-up: it gets its own native
// menu, and its entry in the parent's menu is replaced, at the same
// position, by one that opens that menu.
void MenuItemImp::BecomePopup() {
  if (!menu_) menu_ = CreateNativeMenu(NativeMenuKind::Popup);
  popup_ = true;
  if (!parent_) return;
  const int32_t at = parent_->PositionOf(this);
  RemoveNativeEntry(parent_->menu_, at);
  parent_->InsertEntryOf(this, at);
}

NativeEntry MenuItemImp::Entry(RuntimeString* shownText) const {
  NativeEntryKind kind = NativeEntryKind::Command;
  if (popup_) {
    kind = NativeEntryKind::SubMenu;
  } else if (IsSeparatorText(text_.get())) {
    kind = NativeEntryKind::Separator;
  }
  return NativeEntry{kind, commandId_, popup_ ? menu_ : nullptr, shownText};
}

void MenuItemImp::InsertEntryOf(MenuItemImp* child, int32_t position) {
  const String shown = child->ShownText();
  InsertNativeEntry(menu_, position, child->Entry(shown.get()));
  ApplyEntryState(child, position);
}

void MenuItemImp::ApplyEntryState(MenuItemImp* child, int32_t position) {
  if (child->GrayedNatively()) SetNativeEntryGrayed(menu_, position, true);
  if (child->checked_) SetNativeEntryChecked(menu_, position, true);
}

void MenuItemImp::SetNativeGrayedOf(MenuItemImp* child) {
  const int32_t at = PositionOf(child);
  if (at >= 0) SetNativeEntryGrayed(menu_, at, child->GrayedNatively());
}

void MenuItemImp::UpdateEntryOf(MenuItemImp* child) {
  const int32_t at = PositionOf(child);
  if (at < 0) return;
  const String shown = child->ShownText();
  UpdateNativeEntry(menu_, at, child->Entry(shown.get()));
  if (isBar()) RedrawForegroundMenuBar();
}

// The titles of a menu bar stay enabled on screen, so that their menus can
// always be opened and show which commands are greyed.
bool MenuItemImp::GrayedNatively() const { return !enabled_ && !(parent_ && parent_->isBar()); }

void MenuItemImp::EnterShortcutOf(MenuItemImp* child) {
  const String name = child->ShortcutName();
  if (name.empty()) {
    RemoveItemShortcut(&child->shortcut_);
    return;
  }
  child->shortcut_ = ItemShortcutTarget{menu_, child->commandId_};
  EnterItemShortcut(&child->shortcut_, name.get());
}

void MenuItemImp::RemoveShortcutOf(MenuItemImp* child) { RemoveItemShortcut(&child->shortcut_); }

void MenuItemImp::SetText(RuntimeString* text) {
  const bool wasSeparator = IsSeparatorText(text_.get());
  AssignString(text_.slot(), text);
  if (!parent_) return;
  parent_->UpdateEntryOf(this);
  // The system greys a separator; an entry that stops being one gets its state back.
  if (wasSeparator && !IsSeparatorText(text_.get())) parent_->SetNativeGrayedOf(this);
}

void MenuItemImp::SetCommandKey(RuntimeString* key) {
  AssignString(commandKey_.slot(), key);
  if (!parent_) return;
  parent_->EnterShortcutOf(this);
  parent_->UpdateEntryOf(this);
}

void MenuItemImp::SetEnabled(bool enabled) { SetEnabledTree(enabled); }

void MenuItemImp::SetEnabledTree(bool enabled) {
  if (enabled_ != enabled) {
    enabled_ = enabled;
    if (parent_) parent_->SetNativeGrayedOf(this);
  }
  for (int32_t i = 0; i < Count(); ++i)
    if (MenuItemImp* c = ChildImpAt(i)) c->SetEnabledTree(enabled);
}

void MenuItemImp::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  if (!parent_) return;
  const int32_t at = parent_->PositionOf(this);
  if (at >= 0) SetNativeEntryChecked(parent_->menu_, at, checked);
}

String MenuItemImp::ShortcutName() const { return ShortcutNameOfCommandKey(commandKey_.get()); }

String MenuItemImp::ShownText() const {
  const String name = ShortcutName();
  if (name.empty()) return text_;
  const String tab = NewStringFromCText("\t");
  const String withTab = ConcatStrings(text_.get(), tab.get());
  return ConcatStrings(withTab.get(), name.get());
}

}  // namespace ql::menus
