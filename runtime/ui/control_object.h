// The instance fields every control shares (classes Control and
// RectControl); each intrinsic control class adds its own after them.
// Compiled control classes read and write Index at its fixed offset
// (RuntimeControlFields in quillon/abi.h); the i686 offsets below are the
// interface, the x86_64 layout follows the layout rule of docs/abi.md.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/stringmap.h"
#include "quillon/abi.h"
#include "ui/window_object.h"

namespace ql::ui {

class Pane;

struct ControlObject {
  RuntimeObject header;
  RuntimeObject* parent;      // Parent: the container set through InitialParent, one reference
  uint32_t reserved1;         // cleared when a control-array member is created
  Pane* pane;                 // nil while the window is closed
  RuntimeString* name;        // Name, one reference
  int32_t index;              // Index; negative: not in a control array
  int32_t tabPanelIndex;      // TabPanelIndex: page of the enclosing tab panel from 1, 0 for none
  uint8_t visible;            // Visible
  uint8_t enabled;            // Enabled
  uint8_t autoDeactivate;     // AutoDeactivate
  uint8_t mouseInside;        // MouseEnter was sent
  uint8_t inWindow;           // created for a window (WindowAllocateObject)
  uint8_t arrayMemberAtRun;   // a control-array member created at run time
  uint8_t lockLeft;           // LockLeft..LockBottom: edges locked to the window's
  uint8_t lockTop;
  uint8_t lockRight;
  uint8_t lockBottom;
  Rect16 bounds;              // window client coordinates
  RuntimeViewWindow* windowView;     // the window's view while open
  RuntimeObject* window;             // the Window it belongs to (no reference: the window owns its controls)
  RuntimeObject* mouseCursor;        // MouseCursor, one reference
  RuntimeString* balloonHelp;        // BalloonHelp, one reference
  RuntimeString* disabledBalloonHelp;  // DisabledBalloonHelp, one reference
  RuntimeString* helpTag;              // HelpTag, one reference
  StringMap<RuntimeObject>* menuHandlers;  // `_AddMenuHandler` on the control, or nil
  uint32_t reserved2;                      // zero
};

static_assert(offsetof(ControlObject, index) == offsetof(RuntimeControlFields, index));
#if defined(__i386__)
static_assert(offsetof(ControlObject, parent) == 28 && offsetof(ControlObject, pane) == 36 &&
              offsetof(ControlObject, name) == 40 && offsetof(ControlObject, index) == 44 &&
              offsetof(ControlObject, tabPanelIndex) == 48 && offsetof(ControlObject, visible) == 52 &&
              offsetof(ControlObject, lockLeft) == 58 && offsetof(ControlObject, bounds) == 62 &&
              offsetof(ControlObject, windowView) == 72 && offsetof(ControlObject, window) == 76 &&
              offsetof(ControlObject, mouseCursor) == 80 && offsetof(ControlObject, balloonHelp) == 84 &&
              offsetof(ControlObject, disabledBalloonHelp) == 88 && offsetof(ControlObject, helpTag) == 92 &&
              offsetof(ControlObject, menuHandlers) == 96);
static_assert(sizeof(ControlObject) == 104);
#endif

inline ControlObject* AsControl(RuntimeObject* o) { return reinterpret_cast<ControlObject*>(o); }

}  // namespace ql::ui
