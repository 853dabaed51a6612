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
  // The pane tracking the mouse after a handled mouse-down, or nil.
  Pane* TrackingPane() const { return trackingPane_; }

  // --- Background ---
  // 0x00BBGGRR and whether the window fills with it.
  uint32_t BackgroundColour() const { return backColour_; }
  bool HasBackgroundColour() const { return hasBackColour_; }
  void SetBackgroundColour(uint32_t colourRef, bool use);

  PendingGeometry& Pending() { return pending_; }

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
  bool shown_ = true;
  uint32_t backColour_ = 0x00FFFFFF;
  bool hasBackColour_ = false;
  Array<Pane*> allPanes_;
  Pane* focusPane_ = nullptr;
  Pane* trackingPane_ = nullptr;
  PendingGeometry pending_;
  RuntimeViewWindow* nextOpen_ = nullptr;
};

// The open-window list, newest first.
RuntimeViewWindow* FirstOpenWindow();
size_t OpenWindowCount();

}  // namespace ql::ui
