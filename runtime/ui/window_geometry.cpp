// Position and size of windows: the geometry rules, the position
// properties, pending geometry and the idle pass, locked controls, full
// screen.
#include "ui/window_geometry.h"

#include <algorithm>

#include "core/array.h"
#include "quillon/entrypoints/windows.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/frames.h"
#include "ui/view_window.h"
#include "ui/window.h"

namespace ql::ui {
namespace {

int16_t Clamp16(int32_t v) { return static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX)); }

Rect16 RectOf(const native::Box& b) {
  return Rect16{Clamp16(b.top), Clamp16(b.left), Clamp16(b.bottom), Clamp16(b.right)};
}

native::Box BoxOf(const Rect16& r) { return native::Box{r.left, r.top, r.right, r.bottom}; }

bool SamePlace(const Rect16& a, const native::Box& b) { return a.left == b.left && a.top == b.top; }
bool SameSize(const Rect16& a, const native::Box& b) {
  return a.right - a.left == b.Width() && a.bottom - a.top == b.Height();
}

int32_t Depth(const Pane* p) {
  int32_t d = 0;
  for (; p; p = p->Parent()) ++d;
  return d;
}

}  // namespace

native::Box FrameAround(const WindowObject* w, uint32_t style, bool hasMenu, bool mdi, const native::Metrics& m) {
  const int32_t bx = w->growIcon ? m.frameX : m.dialogFrameX;
  const int32_t by = w->growIcon ? m.frameY : m.dialogFrameY;
  int32_t caption = m.caption;
  if (w->frame == 3 || w->frame == 7) caption = m.smallCaption;
  else if (w->frame == 2 || w->frame == 4 || (style & kStyleCaption) == 0) caption = 0;
  const int32_t menu = hasMenu && !mdi ? m.menu : 0;
  return native::Box{w->bounds.left - bx, w->bounds.top - by - caption - menu, w->bounds.right + bx,
                     w->bounds.bottom + by};
}

SizeLimits LimitsOf(const WindowObject* w) { return SizeLimits{w->minWidth, w->minHeight, w->maxWidth, w->maxHeight}; }

void ClampSizingRect(SizingEdge edge, const SizeLimits& limits, const SizingFrame& f, native::Box* r) {
  if (!limits.Any()) return;
  const int32_t fx = f.frameX, fy = f.frameY, extraY = 2 * fy + f.caption + f.menu;
  switch (edge) {
    case SizingEdge::Right:
    case SizingEdge::TopRight:
    case SizingEdge::Bottom:
    case SizingEdge::BottomRight:
      if (limits.maxWidth) r->right = std::min(r->right, f.clientLeft + limits.maxWidth + fx);
      r->right = std::max(r->right, f.clientLeft + limits.minWidth + fx);
      break;
    default:
      if (limits.maxWidth && r->right - r->left - 2 * fx > limits.maxWidth) r->left = r->right - limits.maxWidth - 2 * fx;
      if (r->right - r->left - 2 * fx < limits.minWidth) r->left = r->right - limits.minWidth - 2 * fx;
      break;
  }
  switch (edge) {
    case SizingEdge::Top:
    case SizingEdge::TopLeft:
    case SizingEdge::TopRight:
    case SizingEdge::Left:
      if (limits.maxHeight && r->bottom - r->top - extraY > limits.maxHeight) r->top = r->bottom - limits.maxHeight - extraY;
      if (r->bottom - r->top - extraY < limits.minHeight) r->top = r->bottom - limits.minHeight - extraY;
      break;
    default:
      if (limits.maxHeight) r->bottom = std::min(r->bottom, f.clientTop + limits.maxHeight + fy);
      r->bottom = std::max(r->bottom, f.clientTop + limits.minHeight + fy);
      break;
  }
}

Rect16 LockedBounds(const Rect16& b, bool lockLeft, bool lockTop, bool lockRight, bool lockBottom, int32_t dW,
                    int32_t dH) {
  int32_t left = b.left, top = b.top, right = b.right, bottom = b.bottom;
  if (lockRight) {
    right += dW;
    if (!lockLeft) left += dW;
    right = std::max(right, left);
  }
  if (lockBottom) {
    bottom += dH;
    if (!lockTop) top += dH;
    bottom = std::max(bottom, top);
  }
  return Rect16{Clamp16(top), Clamp16(left), Clamp16(bottom), Clamp16(right)};
}

void ApplyPendingGeometry(RuntimeViewWindow* view) {
  PendingGeometry& p = view->Pending();
  if (!p.movePending && !p.resizePending) return;
  const PendingGeometry wanted = p;
  p = PendingGeometry{};
  const native::Box current = native::ClientBox(view->NativeHandle());
  const bool moved = !SamePlace(wanted.rect, current);
  const bool resized = !SameSize(wanted.rect, current);
  if ((moved && wanted.movePending) || (resized && wanted.resizePending))
    native::PlaceClientArea(view->NativeHandle(), BoxOf(wanted.rect));
  // Once the window was activated, WM_MOVE and WM_SIZE fire the events.
  if (view->FirstActivationSeen()) return;
  PaneLock hold(view);
  if (moved && wanted.wantMoved) FireEvent(view->WindowRef(), WindowEvent::Moved);
  if (!view->Closing() && resized && wanted.wantResized) FireEvent(view->WindowRef(), WindowEvent::Resized);
}

void RunIdlePass() {
  Array<RuntimeViewWindow*> views;
  for (RuntimeViewWindow* v = FirstOpenWindow(); v; v = v->NextOpen()) {
    v->Lock();
    views.Append(v);
  }
  for (RuntimeViewWindow* v : views) {
    if (!v->Closing()) {
      ApplyPendingGeometry(v);
      if (!v->Closing() && v->ShownFlag() && v->NativeHandle() && !native::IsShown(v->NativeHandle()))
        native::Show(v->NativeHandle(), native::ShowCommand::Show);
    }
    v->Unlock();
  }
}

void MoveLockedControls(RuntimeObject* window) {
  WindowObject* w = AsWindow(window);
  const int32_t dW = (w->bounds.right - w->bounds.left) - (w->referenceBounds.right - w->referenceBounds.left);
  const int32_t dH = (w->bounds.bottom - w->bounds.top) - (w->referenceBounds.bottom - w->referenceBounds.top);
  w->referenceBounds = w->bounds;
  if (dW == 0 && dH == 0) return;
  // New bounds of the locked controls first, then the contents of a locked
  // container that moved follow it, then the panes move, outermost first.
  struct Change {
    RuntimeObject* control;
    int32_t dx, dy;
  };
  Array<Change> changes;
  ForEachTableEntry(window, [&](RuntimeObject* o) {
    if (!IsControl(o)) return;
    ControlObject* c = AsControl(o);
    if (!c->lockRight && !c->lockBottom) return;
    const Rect16 before = c->bounds;
    c->bounds = LockedBounds(before, c->lockLeft, c->lockTop, c->lockRight, c->lockBottom, dW, dH);
    changes.Append(Change{o, c->bounds.left - before.left, c->bounds.top - before.top});
  });
  for (size_t i = 0, n = changes.Count(); i < n; ++i) {
    const Change change = changes[i];
    if (change.dx == 0 && change.dy == 0) continue;
    ForEachControlInside(window, ControlPane(change.control), [&](RuntimeObject* inner) {
      ControlObject* c = AsControl(inner);
      if (c->lockRight || c->lockBottom) return;
      c->bounds = Rect16{Clamp16(c->bounds.top + change.dy), Clamp16(c->bounds.left + change.dx),
                         Clamp16(c->bounds.bottom + change.dy), Clamp16(c->bounds.right + change.dx)};
      changes.Append(Change{inner, 0, 0});
    });
  }
  std::sort(changes.begin(), changes.end(),
            [](const Change& a, const Change& b) { return Depth(ControlPane(a.control)) < Depth(ControlPane(b.control)); });
  for (const Change& change : changes)
    if (Pane* pane = ControlPane(change.control)) pane->SetBounds(AsControl(change.control)->bounds);
}

void ReadBoundsBack(RuntimeViewWindow* view) {
  WindowObject* w = view->Window();
  if (!w || !view->NativeHandle()) return;
  w->bounds = RectOf(native::ClientBox(view->NativeHandle()));
}

}  // namespace ql::ui

using namespace ql;
using namespace ql::ui;

QL_ENTRY int32_t windowPosGetter(RuntimeObject* window, uint32_t which) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return 0;
  switch (which) {
    case 0: return w->bounds.left;
    case 1: return w->bounds.top;
    case 2: return w->bounds.right - w->bounds.left;
    case 3: return w->bounds.bottom - w->bounds.top;
    default: return 0;
  }
}

QL_ENTRY void windowPosSetter(RuntimeObject* window, uint32_t which, int32_t value) {
  WindowObject* w = WindowReceiver(window);
  if (!w || w->fullScreen || which > 3) return;
  Rect16& b = w->bounds;
  const bool move = which <= 1;
  if (which == 0) {
    const int32_t width = b.right - b.left;
    b.left = Clamp16(value);
    b.right = Clamp16(value + width);
  } else if (which == 1) {
    const int32_t height = b.bottom - b.top;
    b.top = Clamp16(value);
    b.bottom = Clamp16(value + height);
  } else if (which == 2) {
    b.right = Clamp16(b.left + value);
  } else {
    b.bottom = Clamp16(b.top + value);
  }
  RuntimeViewWindow* view = w->view;
  if (!view || !view->NativeHandle()) return;
  PendingGeometry& p = view->Pending();
  p.rect = b;
  if (move) p.movePending = p.wantMoved = true;
  else p.resizePending = p.wantResized = true;
  if (w->placement != 0) {
    ApplyPendingGeometry(view);
  } else if (w->frame != 2 && w->frame != 4) {
    const native::Handle h = view->NativeHandle();
    native::MoveWindowTo(h, FrameAround(w, native::StyleOf(h), native::HasMenu(h), native::MdiClient() != nullptr,
                                        native::SystemMetrics()));
  }
}

QL_ENTRY bool windowFullScreenGetter(RuntimeObject* window, uint32_t) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return false;
  return w->view ? w->fullScreen != 0 : (w->fullScreen || w->fullScreenAtOpen);
}

QL_ENTRY void windowFullScreenSetter(RuntimeObject* window, uint32_t, bool fullScreen) {
  WindowObject* w = WindowReceiver(window);
  if (!w) return;
  RuntimeViewWindow* view = w->view;
  if (!view || !view->NativeHandle()) {
    w->fullScreenAtOpen = fullScreen;
    return;
  }
  if ((w->fullScreen != 0) == fullScreen) return;
  const native::Handle h = view->NativeHandle();
  if (fullScreen) {
    // The runtime knows one screen: the main screen.
    const native::Box screen = native::SystemMetrics().mainScreen;
    w->restoreBounds = w->bounds;
    native::SetStyle(h, native::StyleOf(h) & ~(kStyleCaption | kStyleThickFrame));
    native::MoveWindowTo(h, screen);
    w->bounds = RectOf(screen);
    w->fullScreen = 1;
  } else {
    w->fullScreen = 0;
    w->bounds = w->restoreBounds;
    native::SetStyle(h, WindowStyle(FrameOf(w->frame), w->closeBox, w->growIcon, w->zoomIcon));
    native::PlaceClientArea(h, BoxOf(w->bounds));
  }
  w->fullScreenAtOpen = 0;
}
