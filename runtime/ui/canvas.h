// Class Canvas: a drawing surface. Its pane shows the Backdrop picture and
// then fires Paint with a Graphics object for the canvas; a canvas class
// without Paint is transparent.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "ui/control_object.h"

namespace ql::ui {

struct CanvasObject {
  ControlObject control;
  RuntimeObject* backdrop;  // Backdrop picture, one reference
  uint32_t pictureSize;     // zero: the picture's own size is used
  uint32_t reserved1;       // zero
  uint8_t acceptFocus;      // AcceptFocus: takes the keyboard focus
  uint8_t acceptTabs;       // AcceptTabs: Tab reaches KeyDown
  uint8_t useFocusRing;     // UseFocusRing: stored only
  uint8_t reserved2;        // zero
};

#if defined(__i386__)
static_assert(offsetof(CanvasObject, backdrop) == 104 && offsetof(CanvasObject, acceptFocus) == 116 &&
              offsetof(CanvasObject, acceptTabs) == 117 && offsetof(CanvasObject, useFocusRing) == 118);
static_assert(sizeof(CanvasObject) == 120);
#endif

inline CanvasObject* AsCanvas(RuntimeObject* o) { return reinterpret_cast<CanvasObject*>(o); }

enum class CanvasEvent : int32_t {
  Paint = 7,  // (g As Graphics)
  GotFocus = 8,
  LostFocus = 9,
  KeyDown = 10,    // (Key As String) As Boolean
  MouseDown = 11,  // (X, Y As Integer) As Boolean
  MouseDrag = 12,  // (X, Y As Integer)
  MouseUp = 13,    // (X, Y As Integer)
  EnableMenuItems = 14,
};

}  // namespace ql::ui
