// The menus layer's place in the runtime: it installs the window layer's
// menu hooks (commands, updates of the menus, item shortcuts, a window's
// menu bar on its native window). Called once at start-up, before any
// window opens.
#pragma once

namespace ql::menus {

void InstallMenuLayer();

}  // namespace ql::menus
