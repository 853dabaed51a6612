// Stand-ins for the window's MenuBar accessors until the menu layer, which
// owns menu bars, defines them: they store the menu bar (one reference),
// return it, and ask the menus hook to put an open window's menu on its
// native window. Weak, so the menu layer's definitions replace them at link
// time.
#include <utility>

#include "core/assertion.h"
#include "quillon/entrypoints/menus.h"
#include "quillon/entrypoints/objects.h"
#include "ui/menu_hooks.h"
#include "ui/window_object.h"

using namespace ql;
using namespace ql::ui;

QL_ENTRY __attribute__((weak)) RuntimeObject* WindowMenuBarGetter(RuntimeObject* window, uint32_t) {
  if (!QL_CHECK(window != nullptr, "runctl", 1510, "window")) return nullptr;
  RuntimeObject* menuBar = AsWindow(window)->menuBar;
  RuntimeLockObject(menuBar);
  return menuBar;
}

QL_ENTRY __attribute__((weak)) void WindowMenuBarSetter(RuntimeObject* window, uint32_t, RuntimeObject* menuBar) {
  if (!QL_CHECK(window != nullptr, "runctl", 1520, "window") ||
      !QL_CHECK(menuBar != nullptr, "runctl", 1521, "newMenuBar"))
    return;
  WindowObject* w = AsWindow(window);
  if (w->menuBar == menuBar) return;
  RuntimeLockObject(menuBar);
  RuntimeUnlockObject(std::exchange(w->menuBar, menuBar));
  if (w->view && CurrentMenuHooks().attachMenuBar) CurrentMenuHooks().attachMenuBar(window);
}
