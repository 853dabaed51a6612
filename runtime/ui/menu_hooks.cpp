#include "ui/menu_hooks.h"

#include "ui/control_panes.h"
#include "ui/view_window.h"

namespace ql::ui {
namespace {

MenuHooks g_hooks;

}  // namespace

void InstallMenuHooks(const MenuHooks& hooks) { g_hooks = hooks; }

const MenuHooks& CurrentMenuHooks() { return g_hooks; }

RuntimeViewWindow* FrontView() {
  native::Handle front = native::ForegroundWindow();
  if (front && front == native::MdiFrame()) front = native::ActiveVisibleMdiChild();
  return native::ViewOf(front);
}

RuntimeObject* FrontWindow() {
  RuntimeViewWindow* view = FrontView();
  return view ? view->WindowRef() : nullptr;
}

RuntimeViewWindow* ViewOfWindow(RuntimeObject* window) { return window ? AsWindow(window)->view : nullptr; }

int32_t ProcedureOf(const RuntimeViewWindow* view) { return view ? view->Procedure() : -1; }

bool IsModalProcedure(int32_t procedure) {
  return procedure == 2 || procedure == 3 || procedure == 5 || procedure == 10;
}

bool ModalFrontOfTopmostWindow() {
  for (native::Handle h = native::ForegroundWindow(); h; h = native::NextWindowBelow(h)) {
    if (h == native::MdiFrame()) {
      RuntimeViewWindow* child = native::ViewOf(native::ActiveVisibleMdiChild());
      return child && IsModalProcedure(child->Procedure());
    }
    RuntimeViewWindow* view = native::ViewOf(h);
    if (!view || !native::IsShown(h)) continue;
    const int32_t p = view->Procedure();
    if (p == 1 || p == 7 || p == 9) continue;
    return IsModalProcedure(p);
  }
  return false;
}

void* NativeHandleOf(const RuntimeViewWindow* view) { return view ? view->NativeHandle() : nullptr; }

RuntimeObject* FocusedControl() { return PaneControl(ApplicationFocusPane()); }

RuntimeObject* WindowMenuHandler(RuntimeObject* window, RuntimeString* itemName) {
  WindowObject* w = window ? AsWindow(window) : nullptr;
  if (!w || !w->menuHandlers || !itemName) return nullptr;
  return w->menuHandlers->Find(itemName);
}

}  // namespace ql::ui
