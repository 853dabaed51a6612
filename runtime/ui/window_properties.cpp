// The properties and methods of Window besides creation, geometry and
// closing. A window without a view stores what it is given.
#include <utility>

#include "core/assertion.h"
#include "core/object.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "startup/mainloop.h"
#include "ui/control_panes.h"
#include "ui/window.h"

namespace ql::ui {
namespace {

RuntimeViewWindow* OpenView(WindowObject* w) { return w && w->view && w->view->NativeHandle() ? w->view : nullptr; }

uint32_t ColourRef(int32_t rgb) {
  const uint32_t c = static_cast<uint32_t>(rgb);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void ApplyBackColour(WindowObject* w) {
  RuntimeViewWindow* view = OpenView(w);
  if (!view) return;
  view->SetBackgroundColour(ColourRef(w->backColor), w->hasBackColor != 0);
  native::Invalidate(view->NativeHandle(), nullptr, true);
}

void ShowNow(WindowObject* w) {
  RuntimeViewWindow* view = OpenView(w);
  if (!view) return;
  view->SetShownFlag(true);
  const native::Handle h = view->NativeHandle();
  native::Show(h, native::IsMaximized(h) ? native::ShowCommand::Show : native::ShowCommand::ShowNormal);
  native::BringToTop(h);
}

void StoreObject(RuntimeObject** field, RuntimeObject* value) {
  if (*field == value) return;
  RuntimeLockObject(value);
  RuntimeUnlockObject(std::exchange(*field, value));
}

template <class T>
T Stored(RuntimeObject* window, T WindowObject::*field) {
  WindowObject* w = WindowReceiver(window);
  return w ? w->*field : T{};
}

template <class T, class V>
void Store(RuntimeObject* window, T WindowObject::*field, V value) {
  if (WindowObject* w = WindowReceiver(window)) w->*field = static_cast<T>(value);
}

// The cursor's position in the window's client area.
native::Point MouseInWindow(WindowObject* w) {
  const native::Point screen = native::CursorPosition();
  RuntimeViewWindow* view = OpenView(w);
  return view ? native::MapPoint(nullptr, view->NativeHandle(), screen) : screen;
}

}  // namespace
}  // namespace ql::ui

using namespace ql;
using namespace ql::ui;

// --- Visibility ---

QL_ENTRY void RuntimeShowWindow(RuntimeObject* window) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return;
  w->visible = 1;
  if (!OpenView(w)) return;
  ShowNow(w);
  if (w->fullScreen) {
    w->fullScreen = 0;
    windowFullScreenSetter(window, 0, true);
  }
}

// Showing within a parent window, a sheet on other systems, shows the window.
QL_ENTRY void RuntimeShowWithinWindow(RuntimeObject* window, RuntimeObject*, int32_t) { RuntimeShowWindow(window); }

QL_ENTRY void RuntimeHideWindow(RuntimeObject* window) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return;
  w->visible = 0;
  RuntimeViewWindow* view = OpenView(w);
  if (view && view->ShownFlag()) {
    native::Show(view->NativeHandle(), native::ShowCommand::Hide);
    view->SetShownFlag(false);
  }
}

QL_ENTRY bool WindowVisibleGetter(RuntimeObject* window, uint32_t) { return Stored(window, &WindowObject::visible); }

QL_ENTRY void WindowVisibleSetter(RuntimeObject* window, uint32_t, bool visible) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return;
  w->visible = visible;
  RuntimeViewWindow* view = OpenView(w);
  if (!view) return;
  if (visible) {
    view->SetShownFlag(true);  // the idle pass shows it
  } else {
    native::Show(view->NativeHandle(), native::ShowCommand::Hide);
    view->SetShownFlag(false);
  }
}

QL_ENTRY void RuntimeShowModal(RuntimeObject* window) {
  WindowObject* w = WindowReceiver(window);
  if (!w || !OpenView(w)) return;
  ObjectRef hold = ObjectRef::Retain(window);
  w->visible = 1;
  ShowNow(w);
  while (w->view && w->view->ShownFlag() && !QuitRequested()) RunProtected(RunMainLoopPass);
}

QL_ENTRY void RuntimeShowModalWithinWindow(RuntimeObject* window, RuntimeObject*) { RuntimeShowModal(window); }

// --- Stored flags and values ---

QL_ENTRY int32_t windowPlacementGetter(RuntimeObject* window, uint32_t) {
  return Stored(window, &WindowObject::placement);
}
QL_ENTRY void windowPlacementSetter(RuntimeObject* window, uint32_t, int32_t placement) {
  Store(window, &WindowObject::placement, placement);
}
QL_ENTRY bool windowMenusVisibleGetter(RuntimeObject* window, uint32_t) {
  return Stored(window, &WindowObject::menuBarVisible);
}
QL_ENTRY void windowMenusVisibleSetter(RuntimeObject* window, uint32_t, bool visible) {
  Store(window, &WindowObject::menuBarVisible, visible);
}
QL_ENTRY bool windowCloseBoxGetter(RuntimeObject* window, uint32_t) { return Stored(window, &WindowObject::closeBox); }
QL_ENTRY void windowCloseBoxSetter(RuntimeObject* window, uint32_t, bool value) {
  Store(window, &WindowObject::closeBox, value);
}
QL_ENTRY bool windowGrowIconGetter(RuntimeObject* window, uint32_t) { return Stored(window, &WindowObject::growIcon); }
QL_ENTRY void windowGrowIconSetter(RuntimeObject* window, uint32_t, bool value) {
  Store(window, &WindowObject::growIcon, value);
}
QL_ENTRY bool windowZoomIconGetter(RuntimeObject* window, uint32_t) { return Stored(window, &WindowObject::zoomIcon); }
QL_ENTRY void windowZoomIconSetter(RuntimeObject* window, uint32_t, bool value) {
  Store(window, &WindowObject::zoomIcon, value);
}
QL_ENTRY int32_t windowFrameGetter(RuntimeObject* window, uint32_t) { return Stored(window, &WindowObject::frame); }
QL_ENTRY void windowFrameSetter(RuntimeObject* window, uint32_t, int32_t frame) {
  Store(window, &WindowObject::frame, frame);
}
QL_ENTRY bool windowLiveResizeGetter(RuntimeObject* window, uint32_t) {
  return Stored(window, &WindowObject::liveResize);
}
QL_ENTRY void windowLiveResizeSetter(RuntimeObject* window, uint32_t, bool value) {
  Store(window, &WindowObject::liveResize, value);
}

QL_ENTRY RuntimeString* windowTitleGetter(RuntimeObject* window, uint32_t) {
  WindowObject* w = WindowReceiver(window);
  return w ? RetainString(w->title) : nullptr;
}

QL_ENTRY void windowTitleSetter(RuntimeObject* window, uint32_t, RuntimeString* title) {
  if (!window) {
    ReportAssertion("runctl", 1432, "view", "Trying to set the window's title, but there was no window");
    return;
  }
  WindowObject* w = AsWindow(window);
  AssignString(&w->title, title);
  if (RuntimeViewWindow* view = OpenView(w)) native::SetTitle(view->NativeHandle(), title);
}

QL_ENTRY RuntimeObject* windowBackdropGetter(RuntimeObject* window, uint32_t) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return nullptr;
  RuntimeLockObject(w->backdrop);
  return w->backdrop;
}

QL_ENTRY void windowBackdropSetter(RuntimeObject* window, uint32_t, RuntimeObject* picture) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return;
  StoreObject(&w->backdrop, picture);
  if (RuntimeViewWindow* view = OpenView(w)) native::Invalidate(view->NativeHandle(), nullptr, true);
}

// No Graphics class exists yet for a window: nil.
QL_ENTRY RuntimeObject* windowGraphicsGetter(RuntimeObject* window, uint32_t) {
  WindowReceiver(window);
  return nullptr;
}

QL_ENTRY bool windowHasBackColorGetter(RuntimeObject* window, uint32_t) {
  return Stored(window, &WindowObject::hasBackColor);
}
QL_ENTRY void windowHasBackColorSetter(RuntimeObject* window, uint32_t, bool value) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return;
  w->hasBackColor = value;
  ApplyBackColour(w);
}
QL_ENTRY int32_t windowBackColorGetter(RuntimeObject* window, uint32_t) {
  return Stored(window, &WindowObject::backColor);
}
QL_ENTRY void windowBackColorSetter(RuntimeObject* window, uint32_t, int32_t colour) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return;
  w->backColor = colour;
  ApplyBackColour(w);
}

QL_ENTRY void windowBalloonHelpSetter(RuntimeObject* window, uint32_t, RuntimeString* text) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return;
  AssignString(&w->balloonHelp, text);
  if (w->view) w->view->SetToolTips(text, nullptr);
}

QL_ENTRY void formMouseCursorSetter(RuntimeObject* window, uint32_t, RuntimeObject* cursor) {
  if (WindowObject* w = WindowReceiver(window)) StoreObject(&w->mouseCursor, cursor);
}

QL_ENTRY int32_t windowControlCountGetter(RuntimeObject* window, uint32_t) {
  int32_t n = 0;
  if (WindowReceiver(window)) ForEachTableEntry(window, [&](RuntimeObject* o) { n += IsControl(o); });
  return n;
}

QL_ENTRY int32_t windowMouseXGetter(RuntimeObject* window, uint32_t) {
  WindowObject* w = WindowReceiver(window);
  return w ? MouseInWindow(w).x : 0;
}
QL_ENTRY int32_t windowMouseYGetter(RuntimeObject* window, uint32_t) {
  WindowObject* w = WindowReceiver(window);
  return w ? MouseInWindow(w).y : 0;
}

// There is no Macintosh window behind a window here.
QL_ENTRY int32_t windowWindowPtrGetter(RuntimeObject* window, uint32_t) {
  WindowReceiver(window);
  return 0;
}

QL_ENTRY int32_t windowHWNDGetter(RuntimeObject* window, uint32_t) {
  WindowObject* w = WindowReceiver(window);
  RuntimeViewWindow* view = OpenView(w);
  return view ? static_cast<int32_t>(reinterpret_cast<intptr_t>(view->NativeHandle())) : 0;
}

// Windows have no dock item on this platform.
QL_ENTRY RuntimeObject* WindowDockItemGetter(RuntimeObject* window, uint32_t) {
  WindowReceiver(window);
  return nullptr;
}

// --- Drawing and focus ---

QL_ENTRY void formRefresh(RuntimeObject* window) {
  WindowObject* w = WindowReceiver(window);
  if (RuntimeViewWindow* view = OpenView(w)) native::RedrawNow(view->NativeHandle());
}

QL_ENTRY void formRefreshRect(RuntimeObject* window, int32_t x, int32_t y, int32_t width, int32_t height) {
  WindowObject* w = WindowReceiver(window);
  RuntimeViewWindow* view = OpenView(w);
  if (!view) return;
  const native::Box box{x, y, x + width, y + height};
  native::Invalidate(view->NativeHandle(), &box, true);
  native::UpdateNow(view->NativeHandle());
}

// The window's view becomes the focus pane: no control has the focus.
QL_ENTRY void formSetFocus(RuntimeObject* window) {
  WindowObject* w = WindowReceiver(window);
  RuntimeViewWindow* view = OpenView(w);
  if (!view) return;
  view->SetFocusPane(nullptr);
  native::Focus(nullptr);
}

// Drawing into a Graphics object needs a Graphics class: nothing.
QL_ENTRY void formDrawInto(RuntimeObject* window, RuntimeObject*, int32_t, int32_t) { WindowReceiver(window); }

// The system draws straight to the window here: nothing to flush.
QL_ENTRY void WindowForceUpdateFrontBuffer(RuntimeObject* window) { WindowReceiver(window); }

// --- Drag and drop: not supported by this runtime; the calls are accepted ---

QL_ENTRY RuntimeObject* formNewDragItem(RuntimeObject* window, int32_t, int32_t, int32_t, int32_t) {
  WindowReceiver(window);
  return nullptr;
}
QL_ENTRY void formAcceptTextDrop(RuntimeObject* window) { WindowReceiver(window); }
QL_ENTRY void formAcceptPictureDrop(RuntimeObject* window) { WindowReceiver(window); }
QL_ENTRY void formAcceptFileDrop(RuntimeObject* window, RuntimeString*) { WindowReceiver(window); }
QL_ENTRY void formAcceptMacDataDrop(RuntimeObject* window, RuntimeString*) { WindowReceiver(window); }
