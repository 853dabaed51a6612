#include "ui/frames.h"

namespace ql::ui {
namespace {

constexpr uint32_t kExDialogModalFrame = 0x1, kExTopmost = 0x8, kExToolWindow = 0x80, kExWindowEdge = 0x100,
                   kExClientEdge = 0x200;

//                  proc placement style                            exStyle                                    owned  tool   mdi    sizing
const FrameInfo kFrames[] = {
    /* 0 */ {8, 4, kStyleCaption, 0, false, false, true, true},
    /* 1 */ {3, 2, kStylePopup | kStyleCaption, kExDialogModalFrame, true, false, false, false},
    /* 2 */ {2, 2, kStylePopup | kStyleDialogFrame, 0, true, false, false, false},
    /* 3 */ {1, 0, kStylePopup | kStyleCaption, kExToolWindow | kExWindowEdge, false, true, false, true},
    /* 4 */ {4, 2, kStylePopup | kStyleBorder, 0, false, false, false, false},
    /* 5 */ {5, 2, kStylePopup | kStyleBorder, kExClientEdge, false, false, false, false},
    /* 6 */ {6, 4, kStyleCaption, 0, false, false, true, false},
    /* 7 */ {9, 0, kStylePopup | kStyleCaption, kExToolWindow | kExWindowEdge | kExTopmost, false, true, false, true},
    /* 8 */ {10, 0, kStylePopup | kStyleCaption, kExDialogModalFrame, true, false, false, false},
    /* 9: procedure 11 behaves as 8 */ {8, 4, kStyleCaption, 0, false, false, true, true},
    /* 10: procedure 12 behaves as 1 */ {1, 0, kStylePopup | kStyleCaption, kExToolWindow | kExWindowEdge, false, true, false, true},
};

const FrameInfo kNoFrame{-1, -1, 0, 0, false, false, false, true};  // no default placement either

}  // namespace

const FrameInfo& FrameOf(int32_t frame) {
  return frame >= 0 && frame <= 10 ? kFrames[frame] : kNoFrame;
}

uint32_t WindowStyle(const FrameInfo& frame, bool closeBox, bool growIcon, bool zoomIcon) {
  uint32_t style = frame.style;
  if (closeBox) style |= kStyleSystemMenu;
  if (growIcon && frame.sizingBorder) style |= kStyleThickFrame;
  if (zoomIcon) style |= kStyleSystemMenu | kStyleMinimizeBox | kStyleMaximizeBox;
  return style;
}

bool IsDialogProcedure(int32_t procedure) {
  return procedure == 2 || procedure == 3 || procedure == 4 || procedure == 5 || procedure == 10;
}

Rect16 ApplyPlacement(const Rect16& bounds, int32_t placement, const native::Metrics& metrics) {
  int32_t dx = 0, dy = 0;
  switch (placement) {
    case 0:
      dx = 4;
      dy = 100;
      break;
    case 1:
    case 2:
    case 3:
      dx = (metrics.screenWidth - bounds.right) / 2;
      dy = (metrics.screenHeight - bounds.bottom) / 4;
      break;
    case 4:
      dx = metrics.mainScreen.left + 10;
      dy = metrics.mainScreen.top + 50;
      break;
    default:
      break;
  }
  return Rect16{static_cast<int16_t>(bounds.top + dy), static_cast<int16_t>(bounds.left + dx),
                static_cast<int16_t>(bounds.bottom + dy), static_cast<int16_t>(bounds.right + dx)};
}

}  // namespace ql::ui
