// Class GroupBox: a captioned frame whose pane contains the controls
// created inside it; they move, hide and disable with it.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "ui/control_object.h"
#include "ui/font_record.h"

namespace ql::ui {

struct GroupBoxObject {
  ControlObject control;
  FontRecordStylesFirst font;  // TextFont, Bold, Italic, Underline, TextSize
  RuntimeString* caption;      // Caption, one reference
};

#if defined(__i386__)
static_assert(offsetof(GroupBoxObject, font) == 104 && offsetof(GroupBoxObject, caption) == 116);
static_assert(sizeof(GroupBoxObject) == 120);
#endif

inline GroupBoxObject* AsGroupBox(RuntimeObject* o) { return reinterpret_cast<GroupBoxObject*>(o); }

enum class GroupBoxEvent : int32_t {
  MouseDown = 7,  // (X, Y As Integer) As Boolean
  MouseDrag = 8,  // (X, Y As Integer)
  MouseUp = 9,    // (X, Y As Integer)
};

}  // namespace ql::ui
