// Closing a window: CancelClose, then the Close events while every pane
// still exists, the implicit instance, the control and menu-handler tables,
// the view.
#include "core/object.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/window.h"

namespace ql::ui {
namespace {

// Step 1: the Close events, the controls' first.
void FireCloseEvents(RuntimeObject* window, RuntimeViewWindow* view) {
  ForEachTableObject(window, WhileClosing::Continue, [&](RuntimeObject* o) {
    if (!IsControl(o)) return;
    Pane* pane = AsControl(o)->pane;
    if (pane && view->FocusPane() == pane) view->SetFocusPane(nullptr);
    FireEvent(o, ControlEvent::Close);
  });
  FireEvent(window, WindowEvent::Close);
}

// Step 3: the table lets go of its controls. A control referenced elsewhere
// keeps its entry (it leaves the table when it dies); the others go now.
void ReleaseControls(WindowObject* w) {
  if (!w->controls) return;
  struct Entry {
    RuntimeString* key;
    RuntimeObject* object;
  };
  Array<Entry> entries;
  w->controls->ForEach([&](RuntimeString* key, RuntimeObject* o) { entries.Append(Entry{RetainString(key), o}); });
  for (const Entry& e : entries) {
    if (IsControl(e.object)) AsControl(e.object)->windowView = nullptr;
    if (e.object && e.object->refCount <= 1) w->controls->Remove(e.key);
    RuntimeUnlockObject(e.object);
    ReleaseString(e.key);
  }
}

}  // namespace

bool WindowCancelsClose(RuntimeObject* window) { return FireBooleanEvent(window, WindowEvent::CancelClose); }

void CloseWindowView(RuntimeObject* window) {
  WindowObject* w = window ? AsWindow(window) : nullptr;
  RuntimeViewWindow* view = w ? w->view : nullptr;
  if (!view) return;
  ObjectRef holdWindow = ObjectRef::Retain(window);
  if (!view->Closing()) {
    view->MarkClosing();
    view->Lock();
    FireCloseEvents(window, view);
    view->Unlock();
    if (w->view != view) return;  // a handler's close finished the job
  }
  ForgetImplicitInstance(window);
  view->DestroyPanes();
  ReleaseControls(w);
  ReleaseMenuHandlerTable(&w->menuHandlers);
  view->ForgetWindow();
  view->LeaveOpenList();
  view->Close();
}

}  // namespace ql::ui

using namespace ql::ui;

QL_ENTRY void RuntimeCloseWindow(RuntimeObject* window) {
  if (!WindowReceiver(window) || !AsWindow(window)->view) return;
  ql::ObjectRef hold = ql::ObjectRef::Retain(window);
  if (WindowCancelsClose(window)) return;
  CloseWindowView(window);
}
