// The instance of class Window (and of every compiled window class, whose
// own fields follow it). Compiled code reaches the fields only through the
// class's property params, so the order and the i686 offsets below are the
// interface; the x86_64 layout follows the layout rule of docs/abi.md.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/stringmap.h"
#include "quillon/abi.h"

namespace ql::ui {

class RuntimeViewWindow;

// Top, left, bottom, right in pixels: the runtime's rectangle.
struct Rect16 {
  int16_t top;
  int16_t left;
  int16_t bottom;
  int16_t right;
};

struct WindowObject {
  RuntimeObject header;
  uint8_t visible;          // Visible: to be shown
  uint8_t closeBox;         // CloseBox: system menu and close button
  uint8_t growIcon;         // GrowIcon: sizing border
  uint8_t zoomIcon;         // ZoomIcon: minimise and maximise buttons
  uint8_t composite;        // Composite: stored only
  uint8_t liveResize;       // LiveResize: controls follow a drag-resize
  RuntimeViewWindow* view;  // the platform window, nil while closed
  Rect16 bounds;            // content area in screen pixels (MDI child: client of the MDI client)
  Rect16 referenceBounds;   // bounds at creation and after each resize
  Rect16 restoreBounds;     // bounds saved when going full screen
  RuntimeString* title;     // Title, one reference
  RuntimeObject* backdrop;  // Backdrop picture, one reference
  int32_t frame;            // Frame 0 to 10
  int32_t placement;        // Placement, 0: the frame's default
  int32_t backColor;        // BackColor 0x00RRGGBB
  uint32_t reserved1[2];    // zero
  int16_t minWidth;         // MinWidth..MaxHeight: all 0 means no limits
  int16_t minHeight;
  int16_t maxWidth;
  int16_t maxHeight;
  RuntimeObject* mouseCursor;     // MouseCursor, one reference; nil: the arrow
  RuntimeString* balloonHelp;     // BalloonHelp, one reference
  uint8_t hasBackColor;           // HasBackColor
  uint8_t menuBarVisible;         // MenuBarVisible
  uint8_t fullScreen;             // FullScreen: covers a whole screen now
  uint8_t fullScreenAtOpen;       // FullScreen set while closed
  RuntimeString* floaterProcess;  // FloaterProcess: stored only
  int32_t macProcId;              // MacProcId: stored only
  StringMap<RuntimeObject>* controls;      // key -> control, one reference each
  RuntimeObject* menuBar;                  // MenuBar, one reference
  uint8_t controlsBuilt;                   // every control has had its _Layout
  StringMap<RuntimeObject>* menuHandlers;  // item name -> handler, one reference each
  uint32_t reserved2[2];                   // zero
};

#if defined(__i386__)
static_assert(offsetof(WindowObject, visible) == 28 && offsetof(WindowObject, composite) == 32 &&
              offsetof(WindowObject, view) == 36 && offsetof(WindowObject, bounds) == 40 &&
              offsetof(WindowObject, referenceBounds) == 48 && offsetof(WindowObject, restoreBounds) == 56 &&
              offsetof(WindowObject, title) == 64 && offsetof(WindowObject, frame) == 72 &&
              offsetof(WindowObject, backColor) == 80 && offsetof(WindowObject, minWidth) == 92 &&
              offsetof(WindowObject, minHeight) == 94 && offsetof(WindowObject, maxWidth) == 96 &&
              offsetof(WindowObject, maxHeight) == 98 && offsetof(WindowObject, mouseCursor) == 100 &&
              offsetof(WindowObject, balloonHelp) == 104 && offsetof(WindowObject, hasBackColor) == 108 &&
              offsetof(WindowObject, floaterProcess) == 112 && offsetof(WindowObject, macProcId) == 116 &&
              offsetof(WindowObject, controls) == 120 && offsetof(WindowObject, menuBar) == 124 &&
              offsetof(WindowObject, controlsBuilt) == 128 && offsetof(WindowObject, menuHandlers) == 132);
static_assert(sizeof(WindowObject) == 144);
#endif

inline WindowObject* AsWindow(RuntimeObject* o) { return reinterpret_cast<WindowObject*>(o); }

}  // namespace ql::ui
