// Class StaticText: a label the runtime draws itself, with a "&" shortcut
// that fires AcceleratorKey.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "ui/control_object.h"
#include "ui/font_record.h"

namespace ql::ui {

struct StaticTextObject {
  ControlObject control;
  FontRecordStylesFirst font;  // TextFont, Bold, Italic, Underline, TextSize
  RuntimeString* text;         // Text, also Caption, one reference
  int16_t textAlign;           // TextAlign: 0 left, 1 centre, 2 right
  int16_t reserved1;           // zero
  int32_t textColor;           // TextColor 0x00RRGGBB
  uint8_t multiLine;           // MultiLine: word-wrapped lines
  uint8_t reserved2[3];        // zero
  RuntimeString* dataSource;   // DataSource, one reference
  RuntimeString* dataField;    // DataField, one reference
};

#if defined(__i386__)
static_assert(offsetof(StaticTextObject, font) == 104 && offsetof(StaticTextObject, text) == 116 &&
              offsetof(StaticTextObject, textAlign) == 120 && offsetof(StaticTextObject, textColor) == 124 &&
              offsetof(StaticTextObject, multiLine) == 128 && offsetof(StaticTextObject, dataSource) == 132 &&
              offsetof(StaticTextObject, dataField) == 136);
static_assert(offsetof(StaticTextObject, font.textFont) == 104 && offsetof(StaticTextObject, font.bold) == 108 &&
              offsetof(StaticTextObject, font.italic) == 109 && offsetof(StaticTextObject, font.underline) == 110 &&
              offsetof(StaticTextObject, font.textSize) == 112);
static_assert(sizeof(StaticTextObject) == 140);
#endif

inline StaticTextObject* AsStaticText(RuntimeObject* o) { return reinterpret_cast<StaticTextObject*>(o); }

enum class StaticTextEvent : int32_t {
  AcceleratorKey = 7,
  MouseDown = 8,  // (X, Y As Integer) As Boolean
  MouseDrag = 9,  // (X, Y As Integer)
  MouseUp = 10,   // (X, Y As Integer)
};

// The colour a disabled label draws in: each channel taken as 16 bits
// (value x 257) becomes (c + 0x18000) / 4, a lighter tone; back in 8 bits.
uint32_t DisabledTextColor(uint32_t rgb);

}  // namespace ql::ui
