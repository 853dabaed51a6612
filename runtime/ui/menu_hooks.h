// Where menus plug into the window layer. The menus layer sits above ui, so
// ui calls it only through these hooks, installed once when the menus layer
// initialises; a hook left null does nothing (commands are not handled,
// shortcuts of menu items do not act). The queries below are what the
// menus layer asks of the window layer.
#pragma once

#include <stdint.h>

#include "quillon/abi.h"

namespace ql::ui {

class Pane;
class RuntimeViewWindow;

struct MenuHooks {
  // WM_COMMAND without a control handle: the menu command with the
  // modal-front flag and the command identifier; true when handled (else
  // the message goes on to the default processing).
  bool (*menuCommand)(bool modalFront, uint32_t commandId) = nullptr;
  // WM_INITMENU / WM_INITMENUPOPUP, the pass after WM_ACTIVATE and
  // enableMenuItems: update menus with the modal-front flag.
  void (*updateMenus)(bool modalFront) = nullptr;
  // A kind-0 entry of the shortcut list matched a key press: `target` is
  // what the menus layer entered; true when the key is consumed.
  bool (*menuShortcut)(const void* target, bool modalFront) = nullptr;
  // A window's view was created, or the window's MenuBar changed while it
  // has a view: put its menu bar on the native window (SetMenu, and the
  // Height rule of a window that had no menu).
  void (*attachMenuBar)(RuntimeObject* window) = nullptr;
};

void InstallMenuHooks(const MenuHooks& hooks);
const MenuHooks& CurrentMenuHooks();

// --- Queries for the menus layer ---
// The front window: the foreground window when it is one of the runtime's
// windows (in MDI mode the active visible MDI child when the foreground is
// the frame), else nil (no document window in front).
RuntimeViewWindow* FrontView();
// Its Window object, without a new reference, or nil.
RuntimeObject* FrontWindow();
// The view of a Window object (nil while closed).
RuntimeViewWindow* ViewOfWindow(RuntimeObject* window);
// The frame's procedure number of a view (-1 for none).
int32_t ProcedureOf(const RuntimeViewWindow* view);
// The modal-front flag of a window of that procedure: 2, 3, 5 or 10.
bool IsModalProcedure(int32_t procedure);
// WM_INITMENU's flag: from the foreground window down the Z-order, the
// first visible runtime window whose procedure is not 1, 7 or 9.
bool ModalFrontOfTopmostWindow();
// The native handle (HWND) of a view, for SetMenu.
void* NativeHandleOf(const RuntimeViewWindow* view);
// The control holding the keyboard focus (the control of the application's
// focus pane, ApplicationFocusPane() in pane.h), without a new reference,
// or nil.
RuntimeObject* FocusedControl();
// The window's menu handler for a menu item name (case-insensitive), without
// a new reference, or nil.
RuntimeObject* WindowMenuHandler(RuntimeObject* window, RuntimeString* itemName);

}  // namespace ql::ui
