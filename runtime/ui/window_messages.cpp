#include "ui/window_messages.h"

#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "startup/application.h"
#include "startup/resource_classes.h"
#include "ui/control_panes.h"
#include "ui/dialog_list.h"
#include "ui/events.h"
#include "ui/frames.h"
#include "ui/menu_hooks.h"
#include "ui/window.h"

namespace ql::ui {
namespace {

RuntimeObject* WindowOf(RuntimeViewWindow* view) { return view ? view->WindowRef() : nullptr; }

bool ModalFront(RuntimeViewWindow* view) { return IsModalProcedure(view->Procedure()); }

void UpdateMenus(bool modalFront) {
  if (auto update = CurrentMenuHooks().updateMenus) update(modalFront);
}

bool Inside(const Rect16& r, int32_t x, int32_t y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

MouseEvent At(const MouseEvent& like, native::Point p) {
  MouseEvent e = like;
  e.x = p.x;
  e.y = p.y;
  return e;
}

// Ends the tracking with the release at `event`.
void FinishTracking(RuntimeViewWindow* view, const MouseEvent& event) {
  Pane* pane = view->TrackingPane();
  const bool window = view->TrackingWindow();
  view->StopTracking();
  if (pane) {
    PaneLock lock(pane);
    pane->MouseUp(event);
  } else if (window) {
    FireEvent(WindowOf(view), WindowEvent::MouseUp, event.x, event.y);
  }
}

void Drag(RuntimeViewWindow* view, const MouseEvent& event) {
  native::Point& last = view->LastTrackedPoint();
  if (last.x == event.x && last.y == event.y) return;
  last = native::Point{event.x, event.y};
  if (Pane* pane = view->TrackingPane()) {
    PaneLock lock(pane);
    pane->MouseDrag(event);
  } else if (view->TrackingWindow()) {
    FireEvent(WindowOf(view), WindowEvent::MouseDrag, event.x, event.y);
  }
}

// MouseEnter, MouseMove and MouseExit of the controls, for a pointer at
// (x, y), or nowhere (`inside` false).
void UpdateControlsUnderPointer(RuntimeViewWindow* view, const MouseEvent& event, bool inside) {
  ForEachTableObject(view->WindowRef(), WhileClosing::Stop, [&](RuntimeObject* o) {
    if (!IsControl(o)) return;
    ControlObject* c = AsControl(o);
    Pane* pane = c->pane;
    const bool over = inside && pane && pane->Showing() && pane->Enabled() && Inside(c->bounds, event.x, event.y);
    if (over) {
      if (!c->mouseInside) {
        c->mouseInside = 1;
        pane->MouseEnter();
      }
      if (c->pane) c->pane->MouseMove(event);
    } else if (c->mouseInside) {
      c->mouseInside = 0;
      if (pane) pane->MouseExit();
      else FireEvent(o, ControlEvent::MouseExit);
    }
  });
}

}  // namespace

void OnActivate(RuntimeViewWindow* view, bool active) {
  view->NoteFirstActivation();
  PaneLock hold(view);
  RuntimeObject* window = WindowOf(view);
  if (active) {
    if (!view->Closing()) {
      view->SetActive(true);
      Pane* focus = view->Procedure() != 1 ? view->FocusPane() : nullptr;
      native::Focus(focus && focus->NativeHandle() ? focus->NativeHandle() : view->NativeHandle());
    }
    FireEvent(window, WindowEvent::Activate);
  } else {
    FireEvent(window, WindowEvent::Deactivate);
    if (!view->Closing()) view->SetActive(false);
  }
  if (!view->Closing()) UpdateMenus(ModalFront(view));
}

void OnActivateApp(RuntimeViewWindow* view, bool active) {
  if (active) ApplicationActivated();
  else if (!view->Closing()) ApplicationDeactivated();
}

void OnMove(RuntimeViewWindow* view) {
  if (!view->FirstActivationSeen() || view->Closing()) return;
  PaneLock hold(view);
  ReadBoundsBack(view);
  FireEvent(WindowOf(view), WindowEvent::Moved);
}

void OnSize(RuntimeViewWindow* view, bool minimized) {
  if (!view->FirstActivationSeen() || view->Closing() || minimized) return;
  PaneLock hold(view);
  ReadBoundsBack(view);
  RuntimeViewWindow::SizingState& s = view->Sizing();
  if (s.maximizeOrRestore || !s.inSizeMove) {
    s.maximizeOrRestore = false;
    MoveLockedControls(WindowOf(view));
    FireEvent(WindowOf(view), WindowEvent::Resized);
    return;
  }
  s.sizeChanged = true;
  if (view->Window()->liveResize) MoveLockedControls(WindowOf(view));
  FireEvent(WindowOf(view), WindowEvent::Resizing);
}

void OnEnterSizeMove(RuntimeViewWindow* view) {
  view->Sizing().inSizeMove = true;
  view->Sizing().sizeChanged = false;
}

void OnExitSizeMove(RuntimeViewWindow* view) {
  RuntimeViewWindow::SizingState& s = view->Sizing();
  const bool changed = s.sizeChanged;
  s.inSizeMove = s.sizeChanged = false;
  if (!changed || view->Closing()) return;
  PaneLock hold(view);
  MoveLockedControls(WindowOf(view));
  FireEvent(WindowOf(view), WindowEvent::Resized);
}

void OnMaximizeOrRestore(RuntimeViewWindow* view) { view->Sizing().maximizeOrRestore = true; }

void OnSizing(RuntimeViewWindow* view, SizingEdge edge, native::Box* rect) {
  if (!view->FirstActivationSeen() || !view->Window()) return;
  const WindowObject* w = view->Window();
  const native::Metrics& m = native::SystemMetrics();
  const native::Handle h = view->NativeHandle();
  SizingFrame f{m.frameX, m.frameY, 0, 0, 0, 0};
  if (w->frame == 3) f.caption = m.smallCaption;
  else if (w->frame == 4) f.caption = 0;
  else f.caption = (native::StyleOf(h) & kStyleCaption) ? m.caption : 0;
  f.menu = native::HasMenu(h) && !native::MdiClient() ? m.menu : 0;
  const native::Box client = native::ClientBoxOnScreen(h);
  f.clientLeft = client.left;
  f.clientTop = client.top;
  ClampSizingRect(edge, LimitsOf(w), f, rect);
}

bool OnMinMaxInfo(RuntimeViewWindow* view, native::Point* minTrack, native::Point* maxTrack) {
  const WindowObject* w = view->Window();
  if (!w) return false;
  const SizeLimits limits = LimitsOf(w);
  if (!limits.Any()) return false;
  const native::Handle h = view->NativeHandle();
  const native::Metrics& m = native::SystemMetrics();
  // The frame's share of a window of any size: the frame around a zero content area.
  WindowObject probe = *w;
  probe.bounds = Rect16{0, 0, 0, 0};
  const native::Box extra = FrameAround(&probe, native::StyleOf(h), native::HasMenu(h), native::MdiClient() != nullptr, m);
  const int32_t ew = extra.Width(), eh = extra.Height();
  *minTrack = native::Point{limits.minWidth + ew, limits.minHeight + eh};
  if (limits.maxWidth) maxTrack->x = limits.maxWidth + ew;
  if (limits.maxHeight) maxTrack->y = limits.maxHeight + eh;
  return true;
}

void OnPaint(RuntimeViewWindow* view, void* deviceContext, const Rect16& update) {
  RuntimeObject* window = WindowOf(view);
  if (!window) return;
  RuntimeObject* backdrop = view->Window()->backdrop;
  if (backdrop && ClassDescendsFrom(backdrop->cls, ClassOf(intrinsic::Picture))) {
    const PictureObject* picture = reinterpret_cast<const PictureObject*>(backdrop);
    native::DrawBitmap(deviceContext, picture->bitmap, 0, 0, picture->width, picture->height);
  }
  if (!Implements(window, WindowEvent::Paint)) return;
  PaneLock hold(view);
  ObjectRef g = ObjectRef::Adopt(MakeGraphics(deviceContext, update));
  FireEvent(window, WindowEvent::Paint, g.get());
}

int64_t BackgroundFill(RuntimeViewWindow* view) {
  return view->HasBackgroundColour() ? static_cast<int64_t>(view->BackgroundColour()) : -1;
}

void OnClose(RuntimeViewWindow* view) {
  if (RuntimeObject* window = WindowOf(view)) RuntimeCloseWindow(window);
}

bool OnMenuCommand(RuntimeViewWindow* view, uint32_t commandId) {
  auto command = CurrentMenuHooks().menuCommand;
  return command && command(ModalFront(view), commandId);
}

void OnInitMenu(RuntimeViewWindow*) { UpdateMenus(ModalFrontOfTopmostWindow()); }

bool OnQueryEndSession() { return TryQuit(); }

void OnMouseDown(RuntimeViewWindow* view, const MouseEvent& event) {
  if (view->Closing()) return;
  PaneLock hold(view);
  view->LastTrackedPoint() = native::Point{event.x, event.y};
  for (const Pane* above = nullptr;;) {
    Pane* pane = view->PaneAtPoint(event.x, event.y, above);
    if (!pane) break;
    bool handled;
    {
      PaneLock lock(pane);
      handled = pane->MouseDown(event);
    }
    if (view->Closing()) return;
    if (handled) {
      view->TrackWith(pane);
      native::CaptureMouse(view->NativeHandle());
      break;
    }
    above = pane;
  }
  if (!view->Tracking() && FireBooleanEvent(WindowOf(view), WindowEvent::MouseDown, event.x, event.y) &&
      !view->Closing()) {
    view->TrackWithWindow();
    native::CaptureMouse(view->NativeHandle());
  }
  // A button already released meanwhile ends the tracking at once.
  if (view->Tracking() && !view->Closing() && !native::MouseButtonDown(event.rightButton)) {
    native::ReleaseMouse();
    FinishTracking(view, At(event, native::MapPoint(nullptr, view->NativeHandle(), native::CursorPosition())));
  }
}

void OnMouseUp(RuntimeViewWindow* view, const MouseEvent& event) {
  if (!view->Tracking() || view->Closing()) return;
  PaneLock hold(view);
  native::ReleaseMouse();
  FinishTracking(view, event);
}

void OnMouseMove(RuntimeViewWindow* view, const MouseEvent& event) {
  if (view->Closing()) return;
  PaneLock hold(view);
  if (view->Tracking()) {
    Drag(view, event);
    return;
  }
  if (!view->MouseInside()) {
    view->SetMouseInside(true);
    FireEvent(WindowOf(view), WindowEvent::MouseEnter);
  }
  UpdateControlsUnderPointer(view, event, true);
  if (!view->Closing()) FireEvent(WindowOf(view), WindowEvent::MouseMove, event.x, event.y);
}

void OnMouseLeave(RuntimeViewWindow* view) {
  if (view->Closing() || !view->MouseInside()) return;
  PaneLock hold(view);
  view->SetMouseInside(false);
  UpdateControlsUnderPointer(view, MouseEvent{}, false);
  if (!view->Closing()) FireEvent(WindowOf(view), WindowEvent::MouseExit);
}

void TrackMouse(RuntimeViewWindow* view, native::Point screen, bool buttonDown) {
  if (!view->Tracking() || view->Closing()) return;
  PaneLock hold(view);
  MouseEvent event;
  const native::Point p = native::MapPoint(nullptr, view->NativeHandle(), screen);
  event.x = p.x;
  event.y = p.y;
  if (buttonDown) {
    Drag(view, event);
    return;
  }
  native::ReleaseMouse();
  FinishTracking(view, event);
}

RuntimeObject* CursorAt(RuntimeViewWindow* view, int32_t x, int32_t y) {
  if (Pane* pane = view->PaneAtPoint(x, y))
    if (RuntimeObject* control = pane->Control())
      if (AsControl(control)->mouseCursor) return AsControl(control)->mouseCursor;
  return view->Window() ? view->Window()->mouseCursor : nullptr;
}

bool MayActivateByMouse(RuntimeViewWindow* view) {
  native::Handle dialog = FirstVisibleDialog();
  return !dialog || dialog == view->NativeHandle();
}

}  // namespace ql::ui
