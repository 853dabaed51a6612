// The menu bars of the application and of windows, and which one is in
// force: the front document window's (the foreground runtime window), or
// the application's.
#pragma once

#include "core/object.h"
#include "quillon/abi.h"

namespace ql::menus {

// The front document window, without a new reference, or nil.
RuntimeObject* FrontDocumentWindow();

// The menu bar in force for commands: the front document window's, else
// the application's (also when the front window has none).
ObjectRef CommandMenuBar();
// The menu bar an update of the menus works on: the front document
// window's, which may be nil, else the application's.
ObjectRef EnablingMenuBar();

// Puts a window's menu bar on its native window (hook of the window layer:
// the view was created or the MenuBar changed while open). In MDI mode an
// MDI child's menu bar goes on the frame and becomes the application's.
void AttachMenuBar(RuntimeObject* window);

}  // namespace ql::menus
