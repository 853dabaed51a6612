// RuntimeViewWindow: the platform side of an open window and the root of its
// pane tree. It owns the native top-level window, holds one reference to its
// Window object, keeps every pane of the window in creation order (for
// hit-testing and the Tab order) and the pane that last had the focus, and
// turns the window's messages into the window's events (typed handlers,
// called by the native window procedure).
//
// Open views are kept in the open-window list, newest first.
#pragma once

#include <stdint.h>

#include "core/array.h"
#include "ui/pane.h"
#include "ui/window_object.h"

namespace ql::ui {

enum class FocusDirection { Next, Previous };

// A change of position or size the program asked for, applied by the idle
// pass (or at once, for a window with a Placement).
struct PendingGeometry {
  Rect16 rect{};           // the content area wanted, screen pixels
  bool movePending = false;
  bool resizePending = false;
  bool wantMoved = false;  // fire Moved when applied
  bool wantResized = false;
};

class RuntimeViewWindow : public Pane {
 public:
  // The view of `window` with its native window (hidden), at the head of
  // the open-window list, holding a reference to the window and stored in
  // window->view. nil when it could not be made.
  static RuntimeViewWindow* Open(RuntimeObject* window);

  RuntimeObject* WindowRef() const { return window_; }
  WindowObject* Window() const { return AsWindow(window_); }
  // The frame's procedure number (-1 for a Frame outside 0 to 10).
  int32_t Procedure() const { return procedure_; }
  bool IsMdiChild() const { return mdiChild_; }
  bool Closing() const { return closing_; }
  bool Active() const { return active_; }
  // WM_MOVE and WM_SIZE fire Moved and Resized only after the window was
  // first activated.
  bool FirstActivationSeen() const { return firstActivation_; }
  void NoteFirstActivation() { firstActivation_ = true; }
  // Activation: the window's focus pane becomes the application's (not for
  // tool windows, procedure 1); deactivation takes it back.
  void SetActive(bool active);
  // The shown flag: the idle pass makes a window marked shown visible.
  bool ShownFlag() const { return shown_; }
  void SetShownFlag(bool shown) { shown_ = shown; }

  // --- Panes of the window ---
  size_t PaneCount() const { return allPanes_.Count(); }
  Pane* PaneAt(size_t i) const { return allPanes_[i]; }
  // The pane that last had the focus in this window, or nil.
  Pane* FocusPane() const { return focusPane_; }
  // Makes `pane` (nil: none) the window's focus pane and, while the window
  // is active, the application's: the old pane's LostFocus, then the new
  // pane's GotFocus.
  void SetFocusPane(Pane* pane);
  // The Tab order: the pane that Tab (Next) or Shift+Tab (Previous) moves
  // the focus to, or nil when no pane accepts it.
  Pane* FocusCandidate(FocusDirection direction) const;
  // Moves the focus there (nothing when there is no candidate).
  void MoveFocus(FocusDirection direction);
  // The topmost pane at a point in window coordinates that is visible and
  // enabled, starting below `above` (nil: from the top); for hit-testing.
  Pane* PaneAtPoint(int32_t x, int32_t y, const Pane* above = nullptr) const;
  // The pane tracking the mouse after a handled mouse-down, or nil; the
  // window itself tracks after its MouseDown returned True.
  Pane* TrackingPane() const { return trackingPane_; }
  bool TrackingWindow() const { return trackingWindow_; }
  bool Tracking() const { return trackingPane_ || trackingWindow_; }
  void TrackWith(Pane* pane) {
    trackingPane_ = pane;
    trackingWindow_ = false;
  }
  void TrackWithWindow() {
    trackingPane_ = nullptr;
    trackingWindow_ = true;
  }
  void StopTracking() {
    trackingPane_ = nullptr;
    trackingWindow_ = false;
  }
  // The pointer is over the window (MouseEnter sent, MouseExit not yet).
  bool MouseInside() const { return mouseInside_; }
  void SetMouseInside(bool inside) { mouseInside_ = inside; }
  // The last mouse position seen while tracking, window coordinates.
  native::Point& LastTrackedPoint() { return lastTracked_; }

  // --- Background ---
  // 0x00BBGGRR and whether the window fills with it.
  uint32_t BackgroundColour() const { return backColour_; }
  bool HasBackgroundColour() const { return hasBackColour_; }
  void SetBackgroundColour(uint32_t colourRef, bool use);

  PendingGeometry& Pending() { return pending_; }

  // A drag-resize between WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE.
  struct SizingState {
    bool inSizeMove = false;
    bool sizeChanged = false;
    bool maximizeOrRestore = false;
  };
  SizingState& Sizing() { return sizing_; }

  // --- The close sequence (window_close.cpp) ---
  void MarkClosing() { closing_ = true; }
  // Every pane of the window goes (their controls lose them).
  void DestroyPanes();
  // The view's reference to its window goes; window->view is cleared.
  void ForgetWindow();
  // Out of the open-window list at once, even while a running handler still
  // holds the view.
  void LeaveOpenList();

  // The next view of the open-window list.
  RuntimeViewWindow* NextOpen() const { return nextOpen_; }

 private:
  friend class Pane;
  explicit RuntimeViewWindow(RuntimeObject* window);
  ~RuntimeViewWindow() override;
  // The last release of the view: its panes, the native window, its places
  // in the open-window and dialog lists.
  void Destroy() override;
  void AddToAllPanes(Pane* pane) { allPanes_.Append(pane); }
  void ForgetPane(Pane* pane);
  Pane* NativeParentFor(const Rect16& bounds, uint32_t style) const;
  Pane* LogicalParentFor(const Rect16& bounds, uint32_t style) const;

  RuntimeObject* window_ = nullptr;  // one reference
  int32_t procedure_ = -1;
  bool mdiChild_ = false;
  bool closing_ = false;
  bool active_ = false;
  bool firstActivation_ = false;
  bool shown_ = true;
  uint32_t backColour_ = 0x00FFFFFF;
  bool hasBackColour_ = false;
  Array<Pane*> allPanes_;
  Pane* focusPane_ = nullptr;
  Pane* trackingPane_ = nullptr;
  bool trackingWindow_ = false;
  bool mouseInside_ = false;
  native::Point lastTracked_;
  PendingGeometry pending_;
  SizingState sizing_;
  RuntimeViewWindow* nextOpen_ = nullptr;
};

// The open-window list, newest first.
RuntimeViewWindow* FirstOpenWindow();
size_t OpenWindowCount();

}  // namespace ql::ui
