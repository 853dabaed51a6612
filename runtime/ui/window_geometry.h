// Window geometry the window procedure and the property accessors share:
// the frame around a content area, the sizing limits, the clamp of a
// drag-resize and the locked-edge rule for controls.
#pragma once

#include <stdint.h>

#include "ui/native.h"
#include "ui/window_object.h"

namespace ql::ui {

class RuntimeViewWindow;

// The whole window around the content area `bounds`, as the position
// setters move it: the sizing or dialog border, the caption (small for
// frames 3 and 7, none for frames 2 and 4 or without a caption style) and
// the menu bar when the window has one outside MDI mode.
native::Box FrameAround(const WindowObject* w, uint32_t style, bool hasMenu, bool mdi, const native::Metrics& m);

// MinWidth .. MaxHeight of the content area; a 0 maximum means no maximum
// on that axis, and all four 0 mean no limits at all.
struct SizeLimits {
  int32_t minWidth, minHeight, maxWidth, maxHeight;
  bool Any() const { return minWidth || minHeight || maxWidth || maxHeight; }
};
SizeLimits LimitsOf(const WindowObject* w);

// WM_SIZING's edges (WMSZ_*).
enum class SizingEdge : int32_t {
  Left = 1, Right = 2, Top = 3, TopLeft = 4, TopRight = 5, Bottom = 6, BottomLeft = 7, BottomRight = 8,
};

// What the clamp of a drag-resize needs besides the limits: the frame
// widths, the caption and menu heights and the screen position of the
// current client area's top-left.
struct SizingFrame {
  int32_t frameX, frameY;
  int32_t caption;
  int32_t menu;
  int32_t clientLeft, clientTop;
};
// Clamps the dragged window rectangle (screen coordinates) so that the
// content area keeps within the limits; nothing when there are none.
void ClampSizingRect(SizingEdge edge, const SizeLimits& limits, const SizingFrame& frame, native::Box* rect);

// The locked-edge rule: a control with LockRight gets right += dW, and
// left += dW too unless LockLeft; LockBottom likewise with dH and LockTop. A
// stretching control never gets a negative size.
Rect16 LockedBounds(const Rect16& bounds, bool lockLeft, bool lockTop, bool lockRight, bool lockBottom, int32_t dW,
                    int32_t dH);

}  // namespace ql::ui
