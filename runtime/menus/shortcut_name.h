// The shortcut name of a menu item's CommandKey: the canonical form the
// shortcut list stores and shows after a tab in the item's text. "S" gives
// "Ctrl+S", "Shift-S" "Ctrl+Shift+S", "Option+F4" "Ctrl+Alt+F4"; every
// name holds Ctrl, then Shift and Alt when named, then the key.
#pragma once

#include "core/string.h"

namespace ql::menus {

// Nil for an empty command key.
String ShortcutNameOfCommandKey(RuntimeString* commandKey);

}  // namespace ql::menus
