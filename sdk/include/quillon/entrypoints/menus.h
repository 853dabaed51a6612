// Entry points: menu items and menu bars (classes MenuItem, MenuBar,
// QuitMenuItem), the menu bars of the application and of windows, menu
// command dispatch and enabling. A nil item raises NilObjectException.
#pragma once

#include "quillon/entrypoints/common.h"

// --- MenuItem properties ---
QL_ENTRY RuntimeString* RuntimeMenuItemNameGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemNameSetter(RuntimeObject* item, uint32_t param, RuntimeString* name);
// Index: -1 for an item that is not a member of an item array.
QL_ENTRY int32_t RuntimeMenuItemIndexGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemIndexSetter(RuntimeObject* item, uint32_t param, int32_t index);
QL_ENTRY RuntimeObject* RuntimeMenuItemTagGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemTagSetter(RuntimeObject* item, uint32_t param, RuntimeObject* tag);
QL_ENTRY RuntimeString* RuntimeMenuItemBalloonHelpGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemBalloonHelpSetter(RuntimeObject* item, uint32_t param, RuntimeString* text);
QL_ENTRY RuntimeString* RuntimeMenuItemDisabledHelpGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemDisabledHelpSetter(RuntimeObject* item, uint32_t param, RuntimeString* text);
// Text: "-" makes a separator line.
QL_ENTRY RuntimeString* RuntimeMenuItemTextGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemTextSetter(RuntimeObject* item, uint32_t param, RuntimeString* text);
QL_ENTRY bool RuntimeMenuItemCheckedGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemCheckedSetter(RuntimeObject* item, uint32_t param, bool checked);
// Enabled: applies to the item and every item below it.
QL_ENTRY bool RuntimeMenuItemEnabledGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemEnabledSetter(RuntimeObject* item, uint32_t param, bool enabled);
QL_ENTRY bool RuntimeMenuItemVisibleGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemVisibleSetter(RuntimeObject* item, uint32_t param, bool visible);
// CommandKey: "S", "Shift-S", "Option+F4"...; the shortcut always includes Ctrl.
QL_ENTRY RuntimeString* RuntimeMenuItemCommandKeyGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemCommandKeySetter(RuntimeObject* item, uint32_t param, RuntimeString* key);
QL_ENTRY bool RuntimeMenuItemBoldGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemBoldSetter(RuntimeObject* item, uint32_t param, bool value);
QL_ENTRY bool RuntimeMenuItemItalicsGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemItalicsSetter(RuntimeObject* item, uint32_t param, bool value);
QL_ENTRY bool RuntimeMenuItemUnderlineGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemUnderlineSetter(RuntimeObject* item, uint32_t param, bool value);
QL_ENTRY bool RuntimeMenuItemAutoEnableGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void RuntimeMenuItemAutoEnableSetter(RuntimeObject* item, uint32_t param, bool value);

// --- MenuItem methods ---
// The constructor `MenuItem()`.
QL_ENTRY void RuntimeMenuItemDefaultConstructor(RuntimeObject* item);
QL_ENTRY void RuntimeEnableMenu(RuntimeObject* item);
QL_ENTRY void RuntimeCloseMenuItem(RuntimeObject* item);
// Children are 0-based; an index out of range raises OutOfBoundsException.
QL_ENTRY RuntimeObject* RuntimeMenuItemItem(RuntimeObject* item, int32_t index);
QL_ENTRY int32_t RuntimeMenuItemCount(RuntimeObject* item);
QL_ENTRY RuntimeObject* RuntimeMenuItemChild(RuntimeObject* item, RuntimeString* name);
QL_ENTRY void RuntimeMenuItemAppend(RuntimeObject* item, RuntimeObject* child);
QL_ENTRY void RuntimeMenuItemInsert(RuntimeObject* item, int32_t index, RuntimeObject* child);
QL_ENTRY void RuntimeMenuItemRemoveIndex(RuntimeObject* item, int32_t index);
QL_ENTRY void RuntimeMenuItemRemoveItem(RuntimeObject* item, RuntimeObject* child);
// _Lookup: the first item at any depth with that Name (and Index -1 / the
// given Index), one reference, or nil.
QL_ENTRY RuntimeObject* RuntimeMenuItemLookup(RuntimeObject* item, RuntimeString* name);
QL_ENTRY RuntimeObject* RuntimeMenuItemLookupArray(RuntimeObject* item, RuntimeString* name, int32_t index);
// The item of that name in the front document window's menu bar, or nil.
QL_ENTRY RuntimeObject* RuntimeMenuReference(RuntimeString* name);
QL_ENTRY void MenuBarInstallClone(RuntimeObject* menuBar, RuntimeObject* installThis);

// --- Menu bars of the application and of windows ---
QL_ENTRY RuntimeObject* AppMenuBarGetter(RuntimeObject* app, uint32_t param);
QL_ENTRY void AppMenuBarSetter(RuntimeObject* app, uint32_t param, RuntimeObject* menuBar);
QL_ENTRY RuntimeObject* WindowMenuBarGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void WindowMenuBarSetter(RuntimeObject* window, uint32_t param, RuntimeObject* menuBar);

// --- Dispatch and enabling ---
// Offers a choice of `item` to the menu handlers, its Action and the focused
// control; true when one of them handled it.
QL_ENTRY bool RuntimeMenuItemClick(RuntimeObject* item);
// Recomputes which items of the menu bar in force are enabled.
QL_ENTRY void enableMenuItems(void);
