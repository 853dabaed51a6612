#include "ui/view_window.h"

#include "core/object.h"
#include "quillon/entrypoints/objects.h"
#include "ui/dialog_list.h"
#include "ui/frames.h"

namespace ql::ui {
namespace {

RuntimeViewWindow* g_firstOpen = nullptr;
Pane* g_applicationFocus = nullptr;

bool RectInside(const Rect16& inner, const Rect16& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

native::Box BoxOf(const Rect16& r) { return native::Box{r.left, r.top, r.right, r.bottom}; }

// Owned and tool windows get an owner chosen when they are created.
native::Handle ChooseOwner(const FrameInfo& frame) {
  if (!frame.owned && !frame.toolWindow) return nullptr;
  if (!DialogListEmpty()) return FirstVisibleDialog();
  if (native::MdiFrame()) return native::MdiFrame();
  RuntimeViewWindow* active = native::ViewOf(native::ActiveWindow());
  if (active && native::IsShown(active->NativeHandle()) && (active->Procedure() == 0 || active->Procedure() == 8))
    return active->NativeHandle();
  return nullptr;
}

}  // namespace

Pane* ApplicationFocusPane() { return g_applicationFocus; }

RuntimeViewWindow* FirstOpenWindow() { return g_firstOpen; }

size_t OpenWindowCount() {
  size_t n = 0;
  for (RuntimeViewWindow* v = g_firstOpen; v; v = v->NextOpen()) ++n;
  return n;
}

RuntimeViewWindow::RuntimeViewWindow(RuntimeObject* window) : window_(window) {}

RuntimeViewWindow::~RuntimeViewWindow() = default;

RuntimeViewWindow* RuntimeViewWindow::Open(RuntimeObject* window) {
  if (!window) return nullptr;
  WindowObject* w = AsWindow(window);
  const FrameInfo& frame = FrameOf(w->frame);
  auto* view = new RuntimeViewWindow(window);
  view->root_ = view;
  view->procedure_ = frame.procedure;
  view->mdiChild_ = frame.mdiChild && native::MdiClient() != nullptr;
  view->bounds_ = Rect16{0, 0, static_cast<int16_t>(w->bounds.bottom - w->bounds.top),
                         static_cast<int16_t>(w->bounds.right - w->bounds.left)};

  native::TopLevelSpec plan;
  plan.title = w->title;
  plan.style = WindowStyle(frame, w->closeBox, w->growIcon, w->zoomIcon);
  plan.exStyle = frame.exStyle;
  plan.content = BoxOf(w->bounds);
  plan.owner = ChooseOwner(frame);
  plan.mdiChild = view->mdiChild_;
  plan.view = view;
  view->native_ = native::CreateTopLevel(plan);
  if (view->native_ && IsDialogProcedure(view->procedure_)) EnterDialog(view->native_);

  view->nextOpen_ = g_firstOpen;
  g_firstOpen = view;
  RuntimeLockObject(window);
  w->view = view;
  return view;
}

void RuntimeViewWindow::DestroyPanes() {
  DestroyChildren();
  focusPane_ = trackingPane_ = nullptr;
  if (g_applicationFocus && g_applicationFocus->Root() == this) g_applicationFocus = nullptr;
}

void RuntimeViewWindow::ForgetWindow() {
  if (!window_) return;
  if (Window()->view == this) Window()->view = nullptr;
  RuntimeObject* window = window_;
  window_ = nullptr;
  RuntimeUnlockObject(window);
}

void RuntimeViewWindow::LeaveOpenList() {
  for (RuntimeViewWindow** link = &g_firstOpen; *link; link = &(*link)->nextOpen_)
    if (*link == this) {
      *link = nextOpen_;
      nextOpen_ = nullptr;
      return;
    }
}

void RuntimeViewWindow::Destroy() {
  DestroyPanes();
  RemoveShortcutsOf(static_cast<ShortcutTarget*>(this));
  LeaveOpenList();
  if (native_) {
    if (procedure_ == 10) native::Show(native_, native::ShowCommand::Hide);
    RemoveDialog(native_);
    native::DestroyTopLevel(native_, mdiChild_);
    native_ = nullptr;
  }
  ForgetWindow();
  delete this;
}

void RuntimeViewWindow::SetActive(bool active) {
  active_ = active;
  if (active) {
    if (procedure_ != 1) g_applicationFocus = focusPane_;
  } else if (g_applicationFocus && g_applicationFocus->Root() == this) {
    g_applicationFocus = nullptr;
  }
}

void RuntimeViewWindow::SetFocusPane(Pane* pane) {
  if (pane == focusPane_) {
    if (active_) g_applicationFocus = pane;
    return;
  }
  Pane* old = focusPane_;
  focusPane_ = pane;
  if (active_ || (g_applicationFocus && g_applicationFocus->Root() == this)) g_applicationFocus = pane;
  // The system's focus follows only in the active window: focusing a window
  // of another would activate it.
  if (active_) {
    if (pane && pane->NativeHandle()) native::Focus(pane->NativeHandle());
    else if (!pane && old && native::FocusedWindow() == old->NativeHandle()) native::Focus(native_);
  }
  if (old) old->LostFocus();
  // The old pane's handler may have moved the focus on again.
  if (pane && focusPane_ == pane) pane->GotFocus();
}

Pane* RuntimeViewWindow::FocusCandidate(FocusDirection direction) const {
  const size_t n = allPanes_.Count();
  size_t current = n;
  for (size_t i = 0; i < n; ++i)
    if (allPanes_[i] == focusPane_) current = i;
  if (direction == FocusDirection::Next) {
    if (current == n) {
      for (size_t i = 0; i < n; ++i)
        if (allPanes_[i]->AcceptsFocus()) return allPanes_[i];
      return nullptr;
    }
    for (size_t step = 1; step < n; ++step) {
      Pane* p = allPanes_[(current + step) % n];
      if (p->AcceptsFocus()) return p;
    }
    return nullptr;
  }
  if (current == n) {
    for (size_t i = n; i-- > 0;)
      if (allPanes_[i]->AcceptsFocus()) return allPanes_[i];
    return nullptr;
  }
  for (size_t i = current; i-- > 0;)
    if (allPanes_[i]->AcceptsFocus()) return allPanes_[i];
  for (size_t i = n; i-- > current + 1;)
    if (allPanes_[i]->AcceptsFocus()) return allPanes_[i];
  return nullptr;
}

void RuntimeViewWindow::MoveFocus(FocusDirection direction) {
  if (Pane* next = FocusCandidate(direction)) SetFocusPane(next);
}

Pane* RuntimeViewWindow::PaneAtPoint(int32_t x, int32_t y, const Pane* above) const {
  size_t i = allPanes_.Count();
  if (above)
    for (size_t j = 0; j < allPanes_.Count(); ++j)
      if (allPanes_[j] == above) i = j;
  while (i-- > 0) {
    Pane* p = allPanes_[i];
    if (!p->Showing() || !p->Enabled()) continue;
    const Rect16 r = p->Sink() ? p->Sink()->Bounds() : p->Bounds();
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return p;
  }
  return nullptr;
}

void RuntimeViewWindow::SetBackgroundColour(uint32_t colourRef, bool use) {
  backColour_ = colourRef;
  hasBackColour_ = use;
}

void RuntimeViewWindow::ForgetPane(Pane* pane) {
  for (size_t i = 0; i < allPanes_.Count(); ++i)
    if (allPanes_[i] == pane) {
      allPanes_.RemoveAt(i);
      break;
    }
  if (focusPane_ == pane) focusPane_ = nullptr;
  if (trackingPane_ == pane) trackingPane_ = nullptr;
  if (g_applicationFocus == pane) g_applicationFocus = nullptr;
}

// The native parent of a pane created under the root: the last direct child
// that claims it and contains it, else the last visible and enabled
// container that contains it, else the root. A control joining a built
// window is tested one pixel larger to the left and top.
Pane* RuntimeViewWindow::NativeParentFor(const Rect16& bounds, uint32_t style) const {
  Rect16 test = bounds;
  if (Window() && Window()->controlsBuilt) {
    --test.left;
    --test.top;
  }
  Pane* found = nullptr;
  for (size_t i = 0; i < ChildCount(); ++i) {
    Pane* c = Child(i);
    if (c->ClaimsChild(test, style) && RectInside(test, c->Bounds())) found = c;
  }
  if (found) return found;
  for (size_t i = 0; i < ChildCount(); ++i) {
    Pane* c = Child(i);
    if (c->Visible() && c->Enabled() && c->IsContainer() && RectInside(test, c->Bounds())) found = c;
  }
  return found ? found : const_cast<RuntimeViewWindow*>(this);
}

// The logical parent: the last pane of the window that claims the new one.
Pane* RuntimeViewWindow::LogicalParentFor(const Rect16& bounds, uint32_t style) const {
  for (size_t i = allPanes_.Count(); i-- > 0;)
    if (allPanes_[i]->ClaimsChild(bounds, style)) return allPanes_[i];
  return const_cast<RuntimeViewWindow*>(this);
}

}  // namespace ql::ui
