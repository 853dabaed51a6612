// Reads a native menu back as the user would see it: from the HMENU with
// GetMenuState, GetMenuString and GetMenuItemInfo on Windows, from the
// stand-in's records on POSIX. One form for both, so the same tests check
// the mirror on every platform.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "menus/native_menu.h"

namespace ql::test {

struct NativeEntryState {
  menus::NativeEntryKind kind;
  uint32_t commandId;       // Command and Separator entries
  menus::NativeMenu subMenu;  // SubMenu entries
  std::string text;         // UTF-8
  bool grayed;
  bool checked;
};

std::vector<NativeEntryState> ReadNativeMenu(menus::NativeMenu menu);

// The entries as one line: texts joined by " | ", a separator as "-" (the
// system keeps separators greyed: not shown), a sub-menu entry's text
// followed by ">", "~" before a greyed entry and "*" before a checked one;
// a tab shows as "\t". "" for an empty menu.
std::string DescribeNativeMenu(menus::NativeMenu menu);

// The menu handle is still a live menu.
bool NativeMenuAlive(menus::NativeMenu menu);

}  // namespace ql::test
