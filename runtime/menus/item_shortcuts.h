// The shortcut-list entries of menu items (kind 0): an item that sits in a
// menu and has a command key is entered under its parent's native menu and
// its command identifier, so that the key press runs its command.
#pragma once

#include <stdint.h>

#include "menus/native_menu.h"
#include "quillon/abi.h"

namespace ql::menus {

// What a kind-0 entry points at; every item has one, so an item has at most
// one entry.
struct ItemShortcutTarget {
  NativeMenu parentMenu;
  uint32_t commandId;
};

// Replaces an earlier entry of the same target.
void EnterItemShortcut(const ItemShortcutTarget* target, RuntimeString* shortcutName);
void RemoveItemShortcut(const ItemShortcutTarget* target);

}  // namespace ql::menus
