// Class PushButton: a button that fires Action when clicked, pushed from
// code, by its "&" shortcut, or by Return (Default) and Escape (Cancel).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "ui/control_object.h"
#include "ui/font_record.h"
#include "ui/receiver_list.h"

namespace ql::ui {

class EventSink;

struct PushButtonObject {
  ControlObject control;
  RuntimeString* caption;       // Caption, one reference
  EventSink* sink;              // the pane's event sink while open
  uint8_t isDefault;            // Default: Return pushes it
  uint8_t isCancel;             // Cancel: Escape pushes it
  uint8_t reserved1[2];         // zero
  FontRecordStylesFirst font;   // TextFont, Bold, Italic, Underline, TextSize
  ReceiverList* receivers;      // action-notification receivers, nil for none
};

#if defined(__i386__)
static_assert(offsetof(PushButtonObject, caption) == 104 && offsetof(PushButtonObject, sink) == 108 &&
              offsetof(PushButtonObject, isDefault) == 112 && offsetof(PushButtonObject, isCancel) == 113 &&
              offsetof(PushButtonObject, font) == 116 && offsetof(PushButtonObject, receivers) == 128);
static_assert(sizeof(PushButtonObject) == 132);
#endif

inline PushButtonObject* AsPushButton(RuntimeObject* o) { return reinterpret_cast<PushButtonObject*>(o); }

enum class PushButtonEvent : int32_t {
  Action = 7,
  MouseDown = 8,  // (X, Y As Integer) As Boolean
  MouseUp = 9,    // (X, Y As Integer) As Boolean
  GotFocus = 10,
  LostFocus = 11,
};

// A click: the action receivers first, then Action.
void DeliverButtonAction(PushButtonObject* button);

}  // namespace ql::ui
