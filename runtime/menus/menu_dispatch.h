// What happens when an item is chosen: the choice is offered, in a fixed
// order, to the menu handlers of the focused control, the front window and
// the application, then to the item's own Action, then to the focused
// control's built-in command. And which items are enabled before a menu
// opens or a shortcut acts.
#pragma once

#include <stdint.h>

#include "quillon/abi.h"

namespace ql::menus {

// WM_COMMAND of a menu entry, and shortcuts: the item of that identifier in
// the menu bar in force, chosen; false when there is none or nobody handled
// it.
bool MenuCommand(bool modalFront, uint32_t commandId);

// Offers the choice of `item` (a menu item) to everyone in order.
bool ChooseItem(RuntimeObject* item);

// Before a menu opens and before a shortcut acts: every item of the menu bar
// disabled, then enabled again by auto-enable, EnableMenu, the focused
// control and the EnableMenuItems events. A modal window in front keeps
// auto-enable and the application out of it.
void UpdateMenus(bool modalFront);

// A kind-0 shortcut matched: the menus are updated and the item's command
// runs unless its entry is greyed. True when the command was handled.
bool MenuShortcut(const void* target, bool modalFront);

}  // namespace ql::menus
