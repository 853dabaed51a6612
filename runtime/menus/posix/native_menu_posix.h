// The POSIX stand-in for native menus: menus are records in memory that keep
// what Win32 would show (entries, texts, greyed and checked states), and
// every change is logged, so the model's mirroring is tested natively.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "menus/native_menu.h"

namespace ql::menus {

struct StandInEntry {
  NativeEntryKind kind;
  uint32_t commandId;
  NativeMenu subMenu;
  std::string text;  // UTF-8
  bool grayed;
  bool checked;
};

struct StandInMenu {
  NativeMenuKind kind;
  std::vector<StandInEntry> entries;
};

// The record behind a live menu handle, or nil.
const StandInMenu* StandInMenuOf(NativeMenu menu);
size_t LiveStandInMenus();

// The menu bar SetWindowMenuBar put on a window, or nil.
NativeMenu StandInWindowMenu(void* window);

// One line per change: "insert <position> <text>", "remove <position>",
// "update <position> <text>", "gray <position> <0|1>", "check <position> <0|1>".
std::vector<std::string>& StandInOperations();

}  // namespace ql::menus
