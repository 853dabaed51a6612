// Creating a window in its fixed order, controls and menu handlers entering
// it, implicit instances and the window's constructor.
#include "ui/window.h"

#include <stdio.h>

#include "core/assertion.h"
#include "core/exception.h"
#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "startup/application.h"
#include "startup/mainloop.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/frames.h"
#include "ui/menu_hooks.h"
#include "ui/pane_child.h"

namespace ql::ui {
namespace {

constexpr const char kSource[] = "runctl";

StringMap<RuntimeObject>* g_implicitWindows = nullptr;  // class name -> window (one reference) or nil

// --- Calls that run inside the loop's guard until the loop runs ---

struct GuardedCall {
  void (*function)(RuntimeObject*);
  RuntimeObject* object;
};

void RunGuardedCall(intptr_t argument) {
  const GuardedCall* call = reinterpret_cast<const GuardedCall*>(argument);
  ObjectRef hold = ObjectRef::Retain(call->object);
  call->function(call->object);
}

void CallGuarded(void (*function)(RuntimeObject*), RuntimeObject* object) {
  if (!function || !object) return;
  GuardedCall call{function, object};
  if (MainLoopRunning()) RunGuardedCall(reinterpret_cast<intptr_t>(&call));
  else RunProtected(RunGuardedCall, reinterpret_cast<intptr_t>(&call));
}

// --- Implicit instances ---

StringMap<RuntimeObject>& ImplicitWindows() {
  if (!g_implicitWindows) g_implicitWindows = new StringMap<RuntimeObject>;
  return *g_implicitWindows;
}

void ClaimImplicitInstance(RuntimeObject* window) {
  RuntimeString* name = window->cls ? window->cls->name : nullptr;
  if (!g_implicitWindows || !name || !g_implicitWindows->Contains(name)) return;
  if (g_implicitWindows->Find(name)) return;
  RuntimeLockObject(window);
  g_implicitWindows->Set(name, window);
}

// --- Steps of creation ---

uint32_t ColourRefOf(int32_t rgb) {
  const uint32_t c = static_cast<uint32_t>(rgb);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void CreateTables(WindowObject* w) {
  if (!w->controls) w->controls = new StringMap<RuntimeObject>;
  if (!w->menuHandlers) w->menuHandlers = new StringMap<RuntimeObject>;
}

void LayOutPaneChild(RuntimeObject* o) {
  if (auto layout = reinterpret_cast<void (*)(RuntimeObject*)>(PaneChildMethod(o, PaneChildSlot::Layout)))
    layout(o);
}

// Step 6 of the view's creation: every _PaneChild of the table gets its
// _Layout (the design-time values).
void LayOutControls(RuntimeObject* window) {
  ForEachTableObject(window, WhileClosing::Stop, [](RuntimeObject* o) {
    if (ImplementsPaneChild(o)) CallGuarded(LayOutPaneChild, o);
  });
}

void BuildPanes(RuntimeObject* window) {
  ForEachTableObject(window, WhileClosing::Stop, [](RuntimeObject* o) {
    if (IsControl(o)) CallGuarded(BuildControlPane, o);
  });
}

void FireLayout(RuntimeObject* w) { FireEvent(w, WindowEvent::Layout); }
void FireCreateControls(RuntimeObject* w) { FireEvent(w, WindowEvent::CreateControls); }
void FireSetupBindings(RuntimeObject* w) { FireEvent(w, WindowEvent::SetupBindings); }
void FireWindowOpen(RuntimeObject* w) { FireEvent(w, WindowEvent::Open); }
void FireControlOpen(RuntimeObject* c) { FireEvent(c, ControlEvent::Open); }

// The view and everything that happens with it, in order.
void OpenView(RuntimeObject* window) {
  WindowObject* w = AsWindow(window);
  RuntimeViewWindow* view = RuntimeViewWindow::Open(window);
  if (!view) return;
  PaneLock hold(view);  // a handler may close the window while it is built
  if (auto attach = CurrentMenuHooks().attachMenuBar; attach && w->menuBar) attach(window);
  if (!w->visible) view->SetShownFlag(false);
  CallGuarded(FireCreateControls, window);
  if (view->Closing()) return;
  LayOutControls(window);
  w->controlsBuilt = 1;
  BuildPanes(window);
  if (view->Closing()) return;
  if (w->hasBackColor) {
    view->SetBackgroundColour(ColourRefOf(w->backColor), true);
    native::Invalidate(view->NativeHandle(), nullptr, true);
  }
  view->SetToolTips(w->balloonHelp, nullptr);
  if (w->fullScreenAtOpen) windowFullScreenSetter(window, 0, true);
  CallGuarded(FireSetupBindings, window);
  if (view->Closing()) return;
  if (w->visible) native::Invalidate(view->NativeHandle(), nullptr, true);
}

// Tab panels and page panels show the controls of their current page.
void RunPagePass(RuntimeObject* window) {
  RuntimeClass* pagePanel = ClassOf(intrinsic::PagePanel);
  ForEachTableObject(window, WhileClosing::Stop, [&](RuntimeObject* o) {
    Pane* pane = IsControl(o) ? AsControl(o)->pane : nullptr;
    if (pane && ClassDescendsFrom(o->cls, pagePanel)) pane->SetPageShown(pane->PageShown());
  });
}

// --- Controls entering a window ---

String ControlKey(RuntimeObject* window, RuntimeObject* control) {
  int32_t index = -1;
  if (IsControl(control)) {
    index = AsControl(control)->index;
    AsControl(control)->windowView = AsWindow(window)->view;
  } else if (auto indexOf = reinterpret_cast<int32_t (*)(RuntimeObject*)>(PaneChildMethod(control, PaneChildSlot::Index))) {
    index = indexOf(control);
  }
  String name = String::Retain(control->cls->name);
  if (index < 0) return name;
  char suffix[16];
  snprintf(suffix, sizeof suffix, "$%d", index);
  String tail = NewStringFromCText(suffix);
  return ConcatStrings(name.get(), tail.get());
}

// A new member of a control array sits in the container of the members
// already there, and takes the container's disabled state.
void JoinArrayContainer(RuntimeObject* window, RuntimeObject* control) {
  Pane* pane = ControlPane(control);
  if (!pane || AsControl(control)->index < 0) return;
  Pane* container = nullptr;
  ForEachTableEntry(window, [&](RuntimeObject* o) {
    if (container || o == control || !IsControl(o) || o->cls != control->cls || AsControl(o)->index < 0) return;
    Pane* member = AsControl(o)->pane;
    if (member && member->Parent() && member->Parent() != member->Root()) container = member->Parent();
  });
  if (!container) return;
  pane->MoveUnder(container);
  if (!container->Enabled()) pane->SetEnabled(false);
}

// Step 3 of WindowAddControl: a control joining a window that is built.
void JoinBuiltWindow(RuntimeObject* window, RuntimeObject* control) {
  if (!QL_CHECK(ImplementsPaneChild(control), kSource, 622, "paneChild")) return;
  CallGuarded(LayOutPaneChild, control);
  if (!IsControl(control)) return;
  CallGuarded(BuildControlPane, control);
  JoinArrayContainer(window, control);
  CallGuarded(FireControlOpen, control);
  if (Pane* pane = ControlPane(control); pane && AsControl(control)->visible) pane->SetVisible(true);
}

}  // namespace

WindowObject* WindowReceiver(RuntimeObject* window) {
  if (!window) RaiseNilObjectException();
  return window ? AsWindow(window) : nullptr;
}

void FireGuarded(RuntimeObject* object, int32_t slot) {
  CallGuarded(reinterpret_cast<void (*)(RuntimeObject*)>(EventHandlerAt(object, slot)), object);
}

void RuntimeCreateWindow(RuntimeObject* window) {
  WindowObject* w = AsWindow(window);
  ClaimImplicitInstance(window);
  CallGuarded(FireLayout, window);
  const FrameInfo& frame = FrameOf(w->frame);
  w->bounds = ApplyPlacement(w->bounds, w->placement ? w->placement : frame.defaultPlacement, native::SystemMetrics());
  w->referenceBounds = w->restoreBounds = w->bounds;
  CreateTables(w);
  OpenView(window);
  if (w->view) RunPagePass(window);
}

void ReleaseMenuHandlerTable(StringMap<RuntimeObject>** table) {
  StringMap<RuntimeObject>* handlers = *table;
  *table = nullptr;
  if (!handlers) return;
  handlers->ForEach([](RuntimeString*, RuntimeObject* handler) { RuntimeUnlockObject(handler); });
  delete handlers;
}

void SnapshotControlTable(RuntimeObject* window, Array<RuntimeObject*>* out) {
  ForEachTableEntry(window, [&](RuntimeObject* o) {
    RuntimeLockObject(o);
    out->Append(o);
  });
}

void ReleaseSnapshot(Array<RuntimeObject*>* snapshot) {
  for (RuntimeObject* o : *snapshot) RuntimeUnlockObject(o);
  snapshot->Clear();
}

bool ViewClosing(RuntimeObject* window) {
  RuntimeViewWindow* view = window ? AsWindow(window)->view : nullptr;
  return !view || view->Closing();
}

}  // namespace ql::ui

using namespace ql;
using namespace ql::ui;

QL_ENTRY RuntimeObject* WindowAllocateObject(RuntimeObject* window, RuntimeClass* cls) {
  RuntimeObject* o = RuntimeNewObject(cls);
  if (!o || !window) return o;
  if (IsControl(o)) {
    AsControl(o)->window = window;
    AsControl(o)->inWindow = 1;
  } else if (auto setWindow = reinterpret_cast<void (*)(RuntimeObject*, RuntimeObject*)>(
                 PaneChildMethod(o, PaneChildSlot::SetWindow))) {
    setWindow(o, window);
  } else if (auto install = reinterpret_cast<void (*)(RuntimeObject*, RuntimeObject*)>(MenuBarInstallerMethod(o))) {
    install(o, AsWindow(window)->menuBar);
  }
  return o;
}

QL_ENTRY void WindowAddControl(RuntimeObject* window, RuntimeObject* control) {
  if (!QL_CHECK(window != nullptr, "runctl", 560, "self")) return;
  WindowObject* w = AsWindow(window);
  if (control) {
    if (!QL_CHECK(control->cls != nullptr, "runctl", 562, "obj->classPtr")) return;
    if (!w->controls) w->controls = new StringMap<RuntimeObject>;
    String key = ControlKey(window, control);
    RuntimeLockObject(control);
    RuntimeObject* replaced = w->controls->Set(key.get(), control);
    if (replaced && replaced != control) RuntimeUnlockObject(replaced);
    else if (replaced == control) RuntimeUnlockObject(control);  // the table holds one reference
    if (w->controlsBuilt) {
      ObjectRef hold = ObjectRef::Retain(control);
      JoinBuiltWindow(window, control);
    }
  }
  if (w->view && !w->view->Closing()) native::RedrawNow(w->view->NativeHandle());
}

QL_ENTRY void WindowAddMenuHandler(RuntimeObject* window, RuntimeString* name, RuntimeObject* handler) {
  if (!QL_CHECK(window != nullptr, "runctl", 690, "self") || !QL_CHECK(name != nullptr, "runctl", 691, "name"))
    return;
  if (!handler) return;
  WindowObject* w = AsWindow(window);
  if (!w->menuHandlers) w->menuHandlers = new StringMap<RuntimeObject>;
  if (!QL_CHECK(w->menuHandlers != nullptr, "runctl", 695, "self->mMenuHandlers")) return;
  RuntimeLockObject(handler);
  RuntimeObject* replaced = w->menuHandlers->Set(name, handler);
  if (replaced) RuntimeUnlockObject(replaced);
}

QL_ENTRY void WindowDefaultConstructor(RuntimeObject* window) {
  if (!WindowReceiver(window)) return;
  ObjectRef hold = ObjectRef::Retain(window);
  ForEachTableObject(window, WhileClosing::Continue, [](RuntimeObject* o) {
    if (IsControl(o)) CallGuarded(FireControlOpen, o);
  });
  CallGuarded(FireWindowOpen, window);
  ApplicationActivated();
  RuntimeViewWindow* view = AsWindow(window)->view;
  if (view && view->IsMdiChild() && view->ShownFlag()) FireGuarded(window, Slot(WindowEvent::Activate));
}

QL_ENTRY RuntimeObject* RuntimeGetImplicitWindow(RuntimeString* className) {
  StringMap<RuntimeObject>& table = ImplicitWindows();
  if (!className) return nullptr;
  if (table.Contains(className)) {
    RuntimeObject* window = table.Find(className);
    RuntimeLockObject(window);
    return window;
  }
  table.Insert(className, nullptr);
  return nullptr;
}

namespace ql::ui {

void ForgetImplicitInstance(RuntimeObject* window) {
  RuntimeString* name = window->cls ? window->cls->name : nullptr;
  if (!g_implicitWindows || !name || g_implicitWindows->Find(name) != window) return;
  g_implicitWindows->Remove(name);
  RuntimeUnlockObject(window);
}

}  // namespace ql::ui
