// Window frames: what the Frame property selects (a procedure number, a
// default placement, the native styles, whether the window is owned, a tool
// window, an MDI child in MDI mode, or has no sizing border), and the
// placement codes applied to the bounds when a window is created.
#pragma once

#include <stdint.h>

#include "ui/native.h"
#include "ui/window_object.h"

namespace ql::ui {

struct FrameInfo {
  int32_t procedure;         // procedure number (-1: no frame)
  int32_t defaultPlacement;
  uint32_t style;            // before CloseBox, GrowIcon, ZoomIcon
  uint32_t exStyle;
  bool owned;                // created with an owner window
  bool toolWindow;           // tool windows are owned too
  bool mdiChild;             // an MDI child in MDI mode
  bool sizingBorder;         // GrowIcon may add WS_THICKFRAME
};

// Frame 0 to 10; any other value gives procedure -1 and no styles.
const FrameInfo& FrameOf(int32_t frame);

// The window's style: the frame's, WS_SYSMENU for CloseBox, WS_THICKFRAME
// for GrowIcon (frames with a sizing border), WS_SYSMENU | WS_MINIMIZEBOX |
// WS_MAXIMIZEBOX for ZoomIcon.
uint32_t WindowStyle(const FrameInfo& frame, bool closeBox, bool growIcon, bool zoomIcon);

// Procedures whose windows enter the dialog list: 2, 3, 4, 5, 10.
bool IsDialogProcedure(int32_t procedure);

// Placement code 0: 4 right, 100 down; 1 to 3: centred horizontally and a
// quarter of the free height down; 4: the main screen's left + 10, top + 50.
Rect16 ApplyPlacement(const Rect16& bounds, int32_t placement, const native::Metrics& metrics);

// Native style bits the window code tests.
enum : uint32_t {
  kStylePopup = 0x80000000u,
  kStyleCaption = 0x00C00000u,
  kStyleBorder = 0x00800000u,
  kStyleDialogFrame = 0x00400000u,
  kStyleSystemMenu = 0x00080000u,
  kStyleThickFrame = 0x00040000u,
  kStyleMinimizeBox = 0x00020000u,
  kStyleMaximizeBox = 0x00010000u,
};

}  // namespace ql::ui
