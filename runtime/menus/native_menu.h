// The platform's menus, which mirror the item trees: a menu bar or a pop-up
// menu holding entries by position. Win32: HMENU and the menu calls
// (runtime/menus/win32); POSIX: an in-memory stand-in that tests read back
// (runtime/menus/posix).
//
// Positions are the item's position among its parent's children: the model
// keeps every native menu entry for entry in step with the children, so no
// entry is ever looked up by its text or its identifier.
#pragma once

#include <stdint.h>

#include "quillon/abi.h"

namespace ql::menus {

// HMENU on Win32.
using NativeMenu = void*;

enum class NativeMenuKind : uint8_t {
  Bar,    // CreateMenu: what SetMenu puts on a window
  Popup,  // CreatePopupMenu: the menu of a title or of a sub-menu entry
};

enum class NativeEntryKind : uint8_t {
  Command,    // a string entry that sends its command identifier
  Separator,  // a separator line
  SubMenu,    // a string entry that opens `subMenu`
};

struct NativeEntry {
  NativeEntryKind kind;
  uint32_t commandId;   // Command entries
  NativeMenu subMenu;   // SubMenu entries
  RuntimeString* text;  // the shown text, borrowed; Command and SubMenu entries
};

// Nil when the system has no menu to give.
NativeMenu CreateNativeMenu(NativeMenuKind kind);
// Only empty menus are destroyed: on Win32 destroying a menu destroys the
// sub-menus of its entries too, and those belong to other items.
void DestroyNativeMenu(NativeMenu menu);

// Every operation on a nil menu does nothing.
bool InsertNativeEntry(NativeMenu menu, int32_t position, const NativeEntry& entry);
// Takes the entry out; a sub-menu it opened stays alive.
void RemoveNativeEntry(NativeMenu menu, int32_t position);
// A new kind (Command or Separator) and text for the entry at `position`.
// SubMenu entries keep their sub-menu and take the text only.
void UpdateNativeEntry(NativeMenu menu, int32_t position, const NativeEntry& entry);
void SetNativeEntryGrayed(NativeMenu menu, int32_t position, bool grayed);
void SetNativeEntryChecked(NativeMenu menu, int32_t position, bool checked);

// GetMenuState by command: whether the command's entry in `menu` or one of
// its sub-menus is greyed. False when there is no such entry.
bool NativeCommandGrayed(NativeMenu menu, uint32_t commandId);

// DrawMenuBar of the foreground window, after a menu title changed.
void RedrawForegroundMenuBar();

// SetMenu: the menu bar a top-level window (an HWND) shows; nil takes it off.
void SetWindowMenuBar(void* window, NativeMenu bar);

}  // namespace ql::menus
