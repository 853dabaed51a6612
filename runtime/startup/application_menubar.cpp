// Stand-ins for the application's MenuBar accessors until the menu layer,
// which installs menu bars, defines them: they store the menu bar (one
// reference) and return it. Weak, so the menu layer's definitions replace
// them at link time.
#include <utility>

#include "quillon/entrypoints/menus.h"
#include "quillon/entrypoints/objects.h"
#include "startup/application.h"

using namespace ql;

QL_ENTRY __attribute__((weak)) RuntimeObject* AppMenuBarGetter(RuntimeObject* o, uint32_t) {
  ApplicationObject* app = ApplicationReceiver(o);
  if (!app) return nullptr;
  RuntimeLockObject(app->menuBar);
  return app->menuBar;
}

QL_ENTRY __attribute__((weak)) void AppMenuBarSetter(RuntimeObject* o, uint32_t, RuntimeObject* menuBar) {
  ApplicationObject* app = ApplicationReceiver(o);
  if (!app || app->menuBar == menuBar) return;
  RuntimeLockObject(menuBar);
  RuntimeUnlockObject(std::exchange(app->menuBar, menuBar));
}
