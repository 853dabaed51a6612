// Firing the events of menu items and menu handlers: the handler at the
// event's slot in the object's class, called with the object first.
#pragma once

#include <stdint.h>

#include "quillon/abi.h"

namespace ql::menus {

// Event slots of class MenuItem; QuitMenuItem and PrefsMenuItem declare
// their own Action after them.
enum class MenuItemEvent : int32_t { Action = 0, EnableMenu = 1, OwnAction = 2 };

// Whether the object's class implements the event.
bool Implements(const RuntimeObject* o, MenuItemEvent event);
// Action() As Boolean; false when not implemented.
bool FireAction(RuntimeObject* item, MenuItemEvent event = MenuItemEvent::Action);
void FireEnableMenu(RuntimeObject* item);
// A _MenuHandler's Action(index As Integer) As Boolean; false when not
// implemented.
bool FireHandlerAction(RuntimeObject* handler, int32_t index);

}  // namespace ql::menus
