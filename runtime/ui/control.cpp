// The properties and methods of Control and RectControl, control references
// by key, and closing a control. A control without a pane stores what it is
// given; with a pane the pane follows, and so do the controls inside it.
#include <stdio.h>

#include <utility>

#include "core/assertion.h"
#include "core/exception.h"
#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/window.h"

namespace ql::ui {
namespace {

constexpr const char kSource[] = "runctl";

ControlObject* Receiver(RuntimeObject* control) {
  if (!control) RaiseNilObjectException();
  return control ? AsControl(control) : nullptr;
}

int16_t Clamp16(int32_t v) { return static_cast<int16_t>(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v); }

void StoreObject(RuntimeObject** field, RuntimeObject* value) {
  if (*field == value) return;
  RuntimeLockObject(value);
  RuntimeUnlockObject(std::exchange(*field, value));
}

template <class T>
T Stored(RuntimeObject* control, T ControlObject::*field) {
  ControlObject* c = Receiver(control);
  return c ? c->*field : T{};
}

template <class T, class V>
void Store(RuntimeObject* control, T ControlObject::*field, V value) {
  if (ControlObject* c = Receiver(control)) c->*field = static_cast<T>(value);
}

// The panes of the controls inside a container follow its Visible or
// Enabled: shown (enabled) when the container's value is true and their own
// is, hidden (disabled) otherwise.
void FollowContainer(RuntimeObject* control, bool value, bool visibility) {
  ControlObject* c = AsControl(control);
  ForEachControlInside(c->window, c->pane, [&](RuntimeObject* inner) {
    Pane* pane = AsControl(inner)->pane;
    if (visibility) pane->SetVisible(value && AsControl(inner)->visible);
    else pane->SetEnabled(value && AsControl(inner)->enabled);
  });
}

// Where the user's pointer is, relative to the control.
native::Point MouseInControl(ControlObject* c) {
  const native::Point screen = native::CursorPosition();
  RuntimeViewWindow* view = c->window ? AsWindow(c->window)->view : nullptr;
  const native::Point client = view ? native::MapPoint(nullptr, view->NativeHandle(), screen) : screen;
  return native::Point{client.x - c->bounds.left, client.y - c->bounds.top};
}

// ControlClose on one control, then (from its pane's contents) the controls
// inside it.
void CloseControl(RuntimeObject* control) {
  ControlObject* c = AsControl(control);
  if (c->pane && !QL_CHECK(c->window != nullptr, kSource, 1790, "ctl->m_view")) return;
  ObjectRef hold = ObjectRef::Retain(control);
  RuntimeViewWindow* view = ControlView(control);
  if (view && c->pane && view->FocusPane() == c->pane) view->SetFocusPane(nullptr);
  FireEvent(control, ControlEvent::Close);
  if (Pane* pane = c->pane) {
    Array<RuntimeObject*> inside;
    ForEachControlInside(c->window, pane, [&](RuntimeObject* o) {
      RuntimeLockObject(o);
      inside.Append(o);
    });
    for (RuntimeObject* o : inside) {
      if (AsControl(o)->pane) CloseControl(o);
      RuntimeUnlockObject(o);
    }
    DestroyControlPane(control);
  }
  // Out of the window's table (which held one reference).
  WindowObject* w = c->window ? AsWindow(c->window) : nullptr;
  if (w && w->controls) {
    RuntimeString* key = nullptr;
    w->controls->ForEach([&](RuntimeString* k, RuntimeObject* v) {
      if (v == control && !key) key = k;
    });
    if (key) {
      String keep = String::Retain(key);
      w->controls->Remove(keep.get());
      RuntimeUnlockObject(control);
    }
  }
}

// The TabPanelIndex of a control and of everything inside it.
void SetTabPage(RuntimeObject* control, int32_t page) {
  ControlObject* c = AsControl(control);
  c->tabPanelIndex = page;
  if (!c->pane) return;
  ForEachControlInside(c->window, c->pane, [&](RuntimeObject* inner) { AsControl(inner)->tabPanelIndex = page; });
  c->pane->SetTabPage(page);
}

}  // namespace
}  // namespace ql::ui

using namespace ql;
using namespace ql::ui;

// --- Control ---

QL_ENTRY void ControlTabPanelIndexSetter(RuntimeObject* control, uint32_t, int32_t page) {
  ControlObject* c = Receiver(control);
  if (!c) return;
  if (c->pane && !QL_CHECK(c->window != nullptr, "runctl", 1742, "m_view")) return;
  SetTabPage(control, page);
}

QL_ENTRY int32_t controlMouseXGetter(RuntimeObject* control, uint32_t) {
  ControlObject* c = Receiver(control);
  return c ? MouseInControl(c).x : 0;
}

QL_ENTRY int32_t controlMouseYGetter(RuntimeObject* control, uint32_t) {
  ControlObject* c = Receiver(control);
  return c ? MouseInControl(c).y : 0;
}

QL_ENTRY RuntimeObject* controlWindowGetter(RuntimeObject* control, uint32_t) {
  ControlObject* c = Receiver(control);
  if (!c) return nullptr;
  RuntimeLockObject(c->window);
  return c->window;
}

QL_ENTRY int32_t controlMacControlHandleGetter(RuntimeObject* control, uint32_t) {
  ControlObject* c = Receiver(control);
  if (!c || !c->pane) return 0;
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(c->pane->NativeHandle()));
}

QL_ENTRY void ControlClose(RuntimeObject* control) {
  if (Receiver(control)) CloseControl(control);
}

// --- RectControl: help, cursor ---

QL_ENTRY void controlHelpTagSetter(RuntimeObject* control, uint32_t, RuntimeString* text) {
  ControlObject* c = Receiver(control);
  if (!c) return;
  AssignString(&c->helpTag, text);
  if (c->pane) c->pane->SetHelpTag(text);
}

QL_ENTRY void controlBalloonHelpSetter(RuntimeObject* control, uint32_t, RuntimeString* text) {
  ControlObject* c = Receiver(control);
  if (!c) return;
  AssignString(&c->balloonHelp, text);
  if (c->pane) c->pane->SetToolTips(c->balloonHelp, c->disabledBalloonHelp);
}

QL_ENTRY void controlDisabledBalloonHelpSetter(RuntimeObject* control, uint32_t, RuntimeString* text) {
  ControlObject* c = Receiver(control);
  if (!c) return;
  AssignString(&c->disabledBalloonHelp, text);
  if (c->pane) c->pane->SetToolTips(c->balloonHelp, c->disabledBalloonHelp);
}

QL_ENTRY void controlMouseCursorSetter(RuntimeObject* control, uint32_t, RuntimeObject* cursor) {
  if (ControlObject* c = Receiver(control)) StoreObject(&c->mouseCursor, cursor);
}

// --- Visible, Enabled ---

QL_ENTRY bool controlVisibleGetter(RuntimeObject* control, uint32_t) { return Stored(control, &ControlObject::visible); }

QL_ENTRY void ControlVisibleSetter(RuntimeObject* control, uint32_t, bool visible) {
  ControlObject* c = Receiver(control);
  if (!c) return;
  c->visible = visible;
  if (!c->pane) return;
  c->pane->SetVisible(visible);
  FollowContainer(control, visible, true);
}

QL_ENTRY bool controlEnabledGetter(RuntimeObject* control, uint32_t) { return Stored(control, &ControlObject::enabled); }

QL_ENTRY void controlEnabledSetter(RuntimeObject* control, uint32_t, bool enabled) {
  ControlObject* c = Receiver(control);
  if (!c) return;
  c->enabled = enabled;
  if (!c->pane) return;
  c->pane->SetEnabled(enabled);
  FollowContainer(control, enabled, false);
}

// Active: the control's window is the active window.
QL_ENTRY bool controlActiveGetter(RuntimeObject* control, uint32_t) {
  ControlObject* c = Receiver(control);
  RuntimeViewWindow* view = c ? ControlView(control) : nullptr;
  return view && view->Active();
}

QL_ENTRY bool controlAutoDeactivateGetter(RuntimeObject* control, uint32_t) {
  return Stored(control, &ControlObject::autoDeactivate);
}

QL_ENTRY void controlAutoDeactivateSetter(RuntimeObject* control, uint32_t, bool value) {
  ControlObject* c = Receiver(control);
  if (!c) return;
  c->autoDeactivate = value;
  if (c->pane) c->pane->SetAutoDeactivate(value);
}

QL_ENTRY bool controlLockLeftGetter(RuntimeObject* control, uint32_t) { return Stored(control, &ControlObject::lockLeft); }
QL_ENTRY void controlLockLeftSetter(RuntimeObject* control, uint32_t, bool v) { Store(control, &ControlObject::lockLeft, v); }
QL_ENTRY bool controlLockTopGetter(RuntimeObject* control, uint32_t) { return Stored(control, &ControlObject::lockTop); }
QL_ENTRY void controlLockTopSetter(RuntimeObject* control, uint32_t, bool v) { Store(control, &ControlObject::lockTop, v); }
QL_ENTRY bool controlLockRightGetter(RuntimeObject* control, uint32_t) {
  return Stored(control, &ControlObject::lockRight);
}
QL_ENTRY void controlLockRightSetter(RuntimeObject* control, uint32_t, bool v) {
  Store(control, &ControlObject::lockRight, v);
}
QL_ENTRY bool controlLockBottomGetter(RuntimeObject* control, uint32_t) {
  return Stored(control, &ControlObject::lockBottom);
}
QL_ENTRY void controlLockBottomSetter(RuntimeObject* control, uint32_t, bool v) {
  Store(control, &ControlObject::lockBottom, v);
}

// --- Position and size ---

QL_ENTRY int32_t ctlPosGetter(RuntimeObject* control, uint32_t which) {
  ControlObject* c = Receiver(control);
  if (!c) return 0;
  switch (which) {
    case 0: return c->bounds.left;
    case 1: return c->bounds.top;
    case 2: return c->bounds.right - c->bounds.left;
    case 3: return c->bounds.bottom - c->bounds.top;
    default: return 0;
  }
}

QL_ENTRY void ctlPosSetter(RuntimeObject* control, uint32_t which, int32_t value) {
  ControlObject* c = Receiver(control);
  if (!c || which > 3) return;
  const Rect16 before = c->bounds;
  Rect16& b = c->bounds;
  if (which == 0) {
    b.left = Clamp16(value);
    b.right = Clamp16(value + (before.right - before.left));
  } else if (which == 1) {
    b.top = Clamp16(value);
    b.bottom = Clamp16(value + (before.bottom - before.top));
  } else if (which == 2) {
    b.right = Clamp16(b.left + value);
  } else {
    b.bottom = Clamp16(b.top + value);
  }
  if (!c->pane) return;
  if (b.top == before.top && b.left == before.left && b.bottom == before.bottom && b.right == before.right) return;
  c->pane->SetBounds(b);
  // Moving a container moves what it contains, after the container itself:
  // a native child is placed in its native parent's new position.
  const int32_t dx = b.left - before.left, dy = b.top - before.top;
  if ((dx || dy) && c->window)
    ForEachControlInside(c->window, c->pane, [&](RuntimeObject* inner) {
      Rect16& r = AsControl(inner)->bounds;
      r = Rect16{Clamp16(r.top + dy), Clamp16(r.left + dx), Clamp16(r.bottom + dy), Clamp16(r.right + dx)};
      if (Pane* p = AsControl(inner)->pane) p->SetBounds(r);
    });
}

// --- Containers ---

QL_ENTRY RuntimeObject* ControlParentGetter(RuntimeObject* control, uint32_t) {
  ControlObject* c = Receiver(control);
  if (!c || !c->pane || !c->pane->Parent()) return nullptr;
  RuntimeObject* parent = PaneControl(c->pane->Parent());
  RuntimeLockObject(parent);
  return parent;
}

QL_ENTRY void ControlParentSetter(RuntimeObject* control, uint32_t, RuntimeObject* parent) {
  ControlObject* c = Receiver(control);
  if (!c || !c->pane) return;
  if (!parent) {
    RuntimeViewWindow* root = c->pane->Root();
    if (root && c->pane->Parent() != root) c->pane->MoveUnder(root);
    if (c->enabled) c->pane->SetEnabled(true);
    if (c->visible) c->pane->SetVisible(true);
    return;
  }
  if (!IsControl(parent) || AsControl(parent)->window != c->window) {
    RaiseNewException(ClassOf(intrinsic::InvalidParentException));
    return;
  }
  ControlObject* p = AsControl(parent);
  if (!p->pane) return;
  c->pane->MoveUnder(p->pane);
  c->pane->SetEnabled(c->enabled && p->enabled);
  c->pane->SetVisible(c->visible && p->visible);
}

QL_ENTRY void ControlInitialParentSetter(RuntimeObject* control, uint32_t, RuntimeString* name) {
  ControlObject* c = Receiver(control);
  if (!c || !c->window) return;
  RuntimeObject* found = nullptr;
  ForEachTableEntry(c->window, [&](RuntimeObject* o) {
    if (!found && o != control && IsControl(o) && AsControl(o)->name && CompareNames(AsControl(o)->name, name) == 0)
      found = o;
  });
  if (found) StoreObject(&c->parent, found);
}

// --- Methods ---

QL_ENTRY void RectControlDefaultConstructor(RuntimeObject*) {}

QL_ENTRY void RuntimeControlRefresh(RuntimeObject* control) {
  if (Receiver(control)) RedrawControl(control);
}

QL_ENTRY void RuntimeControlRefreshRect(RuntimeObject* control, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (Receiver(control)) RedrawControlRect(control, x, y, width, height);
}

QL_ENTRY void RuntimeSetFocus(RuntimeObject* control) {
  ControlObject* c = Receiver(control);
  RuntimeViewWindow* view = c ? ControlView(control) : nullptr;
  if (view && c->pane && c->pane->AcceptsFocus()) view->SetFocusPane(c->pane);
}

// Drag and drop is not supported by this runtime.
QL_ENTRY RuntimeObject* controlNewDragItem(RuntimeObject* control, int32_t, int32_t, int32_t, int32_t) {
  Receiver(control);
  return nullptr;
}

QL_ENTRY void ControlAddMenuHandler(RuntimeObject* control, RuntimeString* name, RuntimeObject* handler) {
  ControlObject* c = Receiver(control);
  if (!c || !QL_CHECK(name != nullptr, "runctl", 691, "name") || !handler) return;
  if (!c->menuHandlers) c->menuHandlers = new StringMap<RuntimeObject>;
  RuntimeLockObject(handler);
  if (RuntimeObject* replaced = c->menuHandlers->Set(name, handler)) RuntimeUnlockObject(replaced);
}

// --- Control references ---

QL_ENTRY RuntimeObject* RuntimeControlFetch(RuntimeObject* window, RuntimeString* key) {
  WindowObject* w = WindowReceiver(window);
  return w && w->controls && key ? w->controls->Find(key) : nullptr;
}

QL_ENTRY RuntimeObject* RuntimeControlReference(RuntimeObject* window, RuntimeString* key) {
  RuntimeObject* control = RuntimeControlFetch(window, key);
  RuntimeLockObject(control);
  return control;
}

QL_ENTRY RuntimeObject* RuntimeControlArrayItemReference(RuntimeObject* window, RuntimeString* name, int32_t index) {
  char suffix[16];
  snprintf(suffix, sizeof suffix, "$%d", index);
  String tail = NewStringFromCText(suffix);
  String key = ConcatStrings(name, tail.get());
  return RuntimeControlReference(window, key.get());
}

QL_ENTRY RuntimeObject* windowControl(RuntimeObject* window, int32_t index) {
  if (!WindowReceiver(window) || index < 0) return nullptr;
  RuntimeObject* found = nullptr;
  int32_t i = 0;
  ForEachTableEntry(window, [&](RuntimeObject* o) {
    if (IsControl(o) && i++ == index) found = o;
  });
  RuntimeLockObject(found);
  return found;
}
