#include "menus/menu_bars.h"

#include <utility>

#include "core/assertion.h"
#include "menus/menu_item.h"
#include "quillon/entrypoints/menus.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "startup/application.h"
#include "ui/menu_hooks.h"
#include "ui/native.h"
#include "ui/view_window.h"
#include "ui/window_object.h"

namespace ql::menus {
namespace {

// The window's fields, or nil (reported) for nil or an object too small to
// be a window.
ui::WindowObject* WindowReceiver(RuntimeObject* window, int line) {
  const bool usable = window && InstanceBytes(window->cls) >= sizeof(ui::WindowObject);
  return QL_CHECK(usable, "runctl", line, "window") ? ui::AsWindow(window) : nullptr;
}

// Reference the new bar, release the old one.
void Store(RuntimeObject** field, RuntimeObject* menuBar) {
  if (*field == menuBar) return;
  RuntimeLockObject(menuBar);
  RuntimeUnlockObject(std::exchange(*field, menuBar));
}

NativeMenu NativeBarOf(RuntimeObject* menuBar) {
  MenuItemImp* imp = ImpOf(menuBar);
  return imp ? imp->nativeMenu() : nullptr;
}

bool MdiMode() { return ui::native::MdiFrame() != nullptr; }

constexpr uint32_t kHeightParam = 3;  // windowPosSetter: Left, Top, Width, Height

}  // namespace

RuntimeObject* FrontDocumentWindow() { return ui::FrontWindow(); }

ObjectRef CommandMenuBar() {
  RuntimeObject* front = FrontDocumentWindow();
  if (front && ui::AsWindow(front)->menuBar) return ObjectRef::Retain(ui::AsWindow(front)->menuBar);
  ApplicationObject* app = CurrentApplication();
  return ObjectRef::Retain(app ? app->menuBar : nullptr);
}

ObjectRef EnablingMenuBar() {
  if (RuntimeObject* front = FrontDocumentWindow()) return ObjectRef::Retain(ui::AsWindow(front)->menuBar);
  ApplicationObject* app = CurrentApplication();
  return ObjectRef::Retain(app ? app->menuBar : nullptr);
}

void AttachMenuBar(RuntimeObject* window) {
  ui::RuntimeViewWindow* view = ui::ViewOfWindow(window);
  RuntimeObject* menuBar = ui::AsWindow(window)->menuBar;
  if (!view || !menuBar) return;
  if (MdiMode() && view->IsMdiChild()) {
    SetWindowMenuBar(ui::native::MdiFrame(), NativeBarOf(menuBar));
    if (ApplicationObject* app = CurrentApplication()) AppMenuBarSetter(&app->header, 0, menuBar);
    return;
  }
  // The menu bar takes its height from the client area: a window that had
  // none grows by it, so its content keeps the height it had.
  void* handle = ui::NativeHandleOf(view);
  const bool hadMenu = ui::native::HasMenu(handle);
  SetWindowMenuBar(handle, NativeBarOf(menuBar));
  if (hadMenu) return;
  const int32_t clientHeight = ui::native::ClientBoxOnScreen(handle).Height();
  windowPosSetter(window, kHeightParam, clientHeight + ui::native::SystemMetrics().menu);
}

}  // namespace ql::menus

using namespace ql;
using namespace ql::menus;

QL_ENTRY RuntimeObject* AppMenuBarGetter(RuntimeObject* app, uint32_t) {
  if (!QL_CHECK(app, "application", 1197, "app")) return nullptr;
  ApplicationObject* a = ApplicationReceiver(app);
  return a ? ObjectRef::Retain(a->menuBar).release() : nullptr;
}

QL_ENTRY void AppMenuBarSetter(RuntimeObject* app, uint32_t, RuntimeObject* menuBar) {
  if (!QL_CHECK(app, "application", 1221, "app")) return;
  ApplicationObject* a = ApplicationReceiver(app);
  if (!a) return;
  Store(&a->menuBar, menuBar);
  if (MdiMode()) SetWindowMenuBar(ui::native::MdiFrame(), NativeBarOf(menuBar));
}

QL_ENTRY RuntimeObject* WindowMenuBarGetter(RuntimeObject* window, uint32_t) {
  ui::WindowObject* w = WindowReceiver(window, 1510);
  return w ? ObjectRef::Retain(w->menuBar).release() : nullptr;
}

QL_ENTRY void WindowMenuBarSetter(RuntimeObject* window, uint32_t, RuntimeObject* menuBar) {
  ui::WindowObject* w = WindowReceiver(window, 1520);
  if (!w || !QL_CHECK(ImpOf(menuBar), "runctl", 1521, "newMenuBar")) return;
  if (!CurrentApplication()) {
    ReportAssertion("runctl", 1522, "gApplicationObject", "You don't have an application object and we're expecting one");
    return;
  }
  Store(&w->menuBar, menuBar);
  AttachMenuBar(window);
}

QL_ENTRY RuntimeObject* RuntimeMenuReference(RuntimeString* name) {
  RuntimeObject* front = FrontDocumentWindow();
  if (!front || !ui::AsWindow(front)->menuBar) return nullptr;
  return RuntimeMenuItemLookup(ui::AsWindow(front)->menuBar, name);
}
