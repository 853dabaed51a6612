// Class Graphics, as far as painting needs it: the object a Paint event
// receives, drawing into the device context of the pane being painted.
// Outside the event its device context is gone and drawing does nothing.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/object.h"

namespace ql::ui {

struct GraphicsObject {
  RuntimeObject header;
  void* deviceContext;  // the painted pane's, nil once the event is over
  int32_t width;        // Width: the painted area, pixels
  int32_t height;       // Height
  int32_t foreColor;    // ForeColor 0x00RRGGBB, black at first
};

// A Graphics for one Paint event; End() it when the event returns.
ObjectRef NewGraphics(void* deviceContext, int32_t width, int32_t height);
void EndGraphics(RuntimeObject* graphics);

}  // namespace ql::ui
