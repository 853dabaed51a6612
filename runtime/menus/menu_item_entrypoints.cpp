// The exported operations of MenuItem: its properties and its methods.
#include "core/assertion.h"
#include "core/exception.h"
#include "menus/menu_item.h"
#include "menus/menu_tree.h"
#include "quillon/entrypoints/menus.h"
#include "quillon/entrypoints/objects.h"

namespace ql::menus {
namespace {

constexpr const char* kSource = "menubar";

// The receiver's implementation: nil raises NilObjectException; an object
// that is no menu item, or has no implementation, is reported.
MenuItemImp* Self(RuntimeObject* item, int line, const char* condition = "self->mImp") {
  if (!item) {
    RaiseNilObjectException();
    return nullptr;
  }
  MenuItemImp* imp = ImpOf(item);
  QL_CHECK(imp, kSource, line, condition);
  return imp;
}

#define QL_SELF(item) Self((item), __LINE__)

RuntimeString* NewReference(RuntimeString* s) { return RetainString(s); }
RuntimeObject* NewReference(RuntimeObject* o) { return ObjectRef::Retain(o).release(); }

// The child argument of Append and Insert: nil is ignored, anything that is
// no menu item is reported.
bool UsableChild(RuntimeObject* child, int line) { return child && QL_CHECK(ImpOf(child), kSource, line, "obj->mImp"); }

void InsertChild(MenuItemImp* self, int32_t index, RuntimeObject* child) {
  if (index < 0 || index > self->Count()) {
    RaiseOutOfBoundsException();
    return;
  }
  if (!UsableChild(child, __LINE__)) return;
  if (self->Insert(index, child) == Inserted::RefusedCycle)
    ReportAssertion(kSource, __LINE__, "!self->IsWithin(child)", "A menu item cannot be put inside itself.");
}

}  // namespace
}  // namespace ql::menus

using namespace ql;
using namespace ql::menus;

// --- Properties ---

QL_ENTRY RuntimeString* RuntimeMenuItemNameGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self ? NewReference(self->name()) : nullptr;
}

QL_ENTRY void RuntimeMenuItemNameSetter(RuntimeObject* item, uint32_t, RuntimeString* name) {
  if (MenuItemImp* self = QL_SELF(item)) self->SetName(name);
}

QL_ENTRY int32_t RuntimeMenuItemIndexGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self ? self->index() : 0;
}

QL_ENTRY void RuntimeMenuItemIndexSetter(RuntimeObject* item, uint32_t, int32_t index) {
  if (MenuItemImp* self = QL_SELF(item)) self->SetIndex(index);
}

QL_ENTRY RuntimeObject* RuntimeMenuItemTagGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self ? NewReference(self->tag()) : nullptr;
}

QL_ENTRY void RuntimeMenuItemTagSetter(RuntimeObject* item, uint32_t, RuntimeObject* tag) {
  if (MenuItemImp* self = QL_SELF(item)) self->SetTag(tag);
}

QL_ENTRY RuntimeString* RuntimeMenuItemBalloonHelpGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self ? NewReference(self->stored().balloonHelp.get()) : nullptr;
}

QL_ENTRY void RuntimeMenuItemBalloonHelpSetter(RuntimeObject* item, uint32_t, RuntimeString* text) {
  if (MenuItemImp* self = QL_SELF(item)) self->stored().balloonHelp = String::Retain(text);
}

QL_ENTRY RuntimeString* RuntimeMenuItemDisabledHelpGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self ? NewReference(self->stored().disabledBalloonHelp.get()) : nullptr;
}

QL_ENTRY void RuntimeMenuItemDisabledHelpSetter(RuntimeObject* item, uint32_t, RuntimeString* text) {
  if (MenuItemImp* self = QL_SELF(item)) self->stored().disabledBalloonHelp = String::Retain(text);
}

QL_ENTRY RuntimeString* RuntimeMenuItemTextGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self ? NewReference(self->text()) : nullptr;
}

QL_ENTRY void RuntimeMenuItemTextSetter(RuntimeObject* item, uint32_t, RuntimeString* text) {
  if (MenuItemImp* self = QL_SELF(item)) self->SetText(text);
}

QL_ENTRY bool RuntimeMenuItemCheckedGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self && self->checked();
}

QL_ENTRY void RuntimeMenuItemCheckedSetter(RuntimeObject* item, uint32_t, bool checked) {
  if (MenuItemImp* self = QL_SELF(item)) self->SetChecked(checked);
}

QL_ENTRY bool RuntimeMenuItemEnabledGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self && self->enabled();
}

QL_ENTRY void RuntimeMenuItemEnabledSetter(RuntimeObject* item, uint32_t, bool enabled) {
  if (MenuItemImp* self = QL_SELF(item)) self->SetEnabled(enabled);
}

QL_ENTRY bool RuntimeMenuItemVisibleGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self && self->stored().visible;
}

QL_ENTRY void RuntimeMenuItemVisibleSetter(RuntimeObject* item, uint32_t, bool visible) {
  if (MenuItemImp* self = QL_SELF(item)) self->stored().visible = visible;
}

QL_ENTRY RuntimeString* RuntimeMenuItemCommandKeyGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self ? NewReference(self->commandKey()) : nullptr;
}

QL_ENTRY void RuntimeMenuItemCommandKeySetter(RuntimeObject* item, uint32_t, RuntimeString* key) {
  if (MenuItemImp* self = QL_SELF(item)) self->SetCommandKey(key);
}

QL_ENTRY bool RuntimeMenuItemBoldGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self && self->stored().bold;
}

QL_ENTRY void RuntimeMenuItemBoldSetter(RuntimeObject* item, uint32_t, bool value) {
  if (MenuItemImp* self = QL_SELF(item)) self->stored().bold = value;
}

QL_ENTRY bool RuntimeMenuItemItalicsGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self && self->stored().italic;
}

QL_ENTRY void RuntimeMenuItemItalicsSetter(RuntimeObject* item, uint32_t, bool value) {
  if (MenuItemImp* self = QL_SELF(item)) self->stored().italic = value;
}

QL_ENTRY bool RuntimeMenuItemUnderlineGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self && self->stored().underline;
}

QL_ENTRY void RuntimeMenuItemUnderlineSetter(RuntimeObject* item, uint32_t, bool value) {
  if (MenuItemImp* self = QL_SELF(item)) self->stored().underline = value;
}

QL_ENTRY bool RuntimeMenuItemAutoEnableGetter(RuntimeObject* item, uint32_t) {
  MenuItemImp* self = QL_SELF(item);
  return self && self->autoEnable();
}

QL_ENTRY void RuntimeMenuItemAutoEnableSetter(RuntimeObject* item, uint32_t, bool value) {
  if (MenuItemImp* self = QL_SELF(item)) self->SetAutoEnable(value);
}

// --- Methods ---

// The implementation was made by the class's initialisation hook.
QL_ENTRY void RuntimeMenuItemDefaultConstructor(RuntimeObject* item) { QL_SELF(item); }

QL_ENTRY void RuntimeEnableMenu(RuntimeObject* item) {
  if (MenuItemImp* self = QL_SELF(item)) self->SetEnabled(true);
}

// Takes the item out of the menu it sits in, whichever tree that is.
QL_ENTRY void RuntimeCloseMenuItem(RuntimeObject* item) {
  MenuItemImp* self = QL_SELF(item);
  if (!self || !self->parent()) return;
  MenuItemImp* parent = self->parent();
  parent->RemoveAt(parent->PositionOf(self));
}

QL_ENTRY RuntimeObject* RuntimeMenuItemItem(RuntimeObject* item, int32_t index) {
  MenuItemImp* self = QL_SELF(item);
  if (!self) return nullptr;
  if (index < 0 || index >= self->Count()) {
    RaiseOutOfBoundsException();
    return nullptr;
  }
  return NewReference(self->ChildAt(index));
}

QL_ENTRY int32_t RuntimeMenuItemCount(RuntimeObject* item) {
  MenuItemImp* self = QL_SELF(item);
  return self ? self->Count() : 0;
}

QL_ENTRY RuntimeObject* RuntimeMenuItemChild(RuntimeObject* item, RuntimeString* name) {
  MenuItemImp* self = QL_SELF(item);
  if (!self) return nullptr;
  for (int32_t i = 0; i < self->Count(); ++i) {
    MenuItemImp* child = self->ChildImpAt(i);
    if (child && CompareNames(child->name(), name) == 0) return NewReference(self->ChildAt(i));
  }
  return nullptr;
}

QL_ENTRY void RuntimeMenuItemAppend(RuntimeObject* item, RuntimeObject* child) {
  if (MenuItemImp* self = QL_SELF(item)) InsertChild(self, self->Count(), child);
}

QL_ENTRY void RuntimeMenuItemInsert(RuntimeObject* item, int32_t index, RuntimeObject* child) {
  if (MenuItemImp* self = QL_SELF(item)) InsertChild(self, index, child);
}

QL_ENTRY void RuntimeMenuItemRemoveIndex(RuntimeObject* item, int32_t index) {
  MenuItemImp* self = QL_SELF(item);
  if (!self) return;
  if (index < 0 || index >= self->Count()) {
    RaiseOutOfBoundsException();
    return;
  }
  self->RemoveAt(index);
}

QL_ENTRY void RuntimeMenuItemRemoveItem(RuntimeObject* item, RuntimeObject* child) {
  MenuItemImp* self = QL_SELF(item);
  if (!self) return;
  for (int32_t i = self->Count() - 1; i >= 0; --i)
    if (i < self->Count() && self->ChildAt(i) == child) self->RemoveAt(i);
}

QL_ENTRY RuntimeObject* RuntimeMenuItemLookup(RuntimeObject* item, RuntimeString* name) {
  return RuntimeMenuItemLookupArray(item, name, -1);
}

// Depth first, each child before its own subtree; no exception for nil.
QL_ENTRY RuntimeObject* RuntimeMenuItemLookupArray(RuntimeObject* item, RuntimeString* name, int32_t index) {
  if (!item || !name) return nullptr;
  MenuItemImp* self = QL_SELF(item);
  if (!self) return nullptr;
  MenuItemImp* found = FindDepthFirst(self, [&](const MenuItemImp& i) {
    return i.index() == index && CompareNames(i.name(), name) == 0;
  });
  return found ? NewReference(found->owner()) : nullptr;
}

QL_ENTRY void MenuBarInstallClone(RuntimeObject* menuBar, RuntimeObject* installThis) {
  if (!QL_CHECK(menuBar, kSource, __LINE__, "menuBar") || !QL_CHECK(installThis, kSource, __LINE__, "installThis"))
    return;
  MenuItemImp* bar = Self(menuBar, __LINE__, "menuBar->mImp");
  MenuItemImp* clone = Self(installThis, __LINE__, "installThis->mImp");
  CloneSlot slot;
  if (!bar || !clone || !FindCloneSlot(bar, clone->name(), &slot)) return;
  clone->SetIndex(slot.index);
  InsertChild(slot.parent, slot.position, installThis);
}
