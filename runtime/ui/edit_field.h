// Class EditField: the text-entry control. The object keeps its own copy of
// the text the program assigned, so Text works before the window opens and
// after it closed; while open, the pane's rich-edit control holds the text.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/string.h"
#include "ui/control_object.h"
#include "ui/font_record.h"

namespace ql::ui {

class EventSink;

struct EditFieldObject {
  ControlObject control;
  RuntimeString* dataSource;   // DataSource: the data control it is bound to, one reference
  RuntimeString* dataField;    // DataField, one reference
  FontRecordSizeFirst font;    // TextFont, TextSize, Bold, Italic, Underline
  EventSink* sink;             // the pane's event sink while open
  uint8_t border;              // Border: sunken client edge (at creation)
  uint8_t multiLine;           // MultiLine (at creation)
  uint8_t scrollBarHorizontal; // ScrollBarHorizontal (at creation)
  uint8_t scrollBarVertical;   // ScrollBarVertical, also ScrollBar (at creation)
  uint8_t readOnly;            // ReadOnly
  uint8_t reserved1[3];        // zero
  RuntimeString* text;         // Text: the last text the program assigned, one reference
  int32_t limitText;           // LimitText: maximum characters, 0 for no limit
  int32_t backColor;           // BackColor 0x00RRGGBB
  int32_t textColor;           // TextColor 0x00RRGGBB
  uint8_t textChangeGuard;     // set while TextChange is delivered and while the pane is filled
  uint8_t selChangeGuard;      // the same for SelChange
  uint8_t password;            // Password: the shown text is masked
  uint8_t styled;              // Styled: rich-text mode (at creation)
  uint8_t acceptTabs;          // AcceptTabs: Tab is typed into a multi-line field
  uint8_t liveUpdate;          // LiveUpdate: stored only
  uint8_t useFocusRing;        // UseFocusRing: stored only
  uint8_t reserved2;           // zero
  RuntimeObject* binding;      // the data control found through DataSource; nil: unbound
  int32_t alignment;           // Alignment: 0 left, 1 centre, 2 right
};

#if defined(__i386__)
static_assert(offsetof(EditFieldObject, dataSource) == 104 && offsetof(EditFieldObject, dataField) == 108 &&
              offsetof(EditFieldObject, font) == 112 && offsetof(EditFieldObject, sink) == 124 &&
              offsetof(EditFieldObject, border) == 128 && offsetof(EditFieldObject, scrollBarHorizontal) == 130 &&
              offsetof(EditFieldObject, readOnly) == 132 && offsetof(EditFieldObject, text) == 136 &&
              offsetof(EditFieldObject, limitText) == 140 && offsetof(EditFieldObject, backColor) == 144 &&
              offsetof(EditFieldObject, textColor) == 148 && offsetof(EditFieldObject, password) == 154 &&
              offsetof(EditFieldObject, styled) == 155 && offsetof(EditFieldObject, acceptTabs) == 156 &&
              offsetof(EditFieldObject, liveUpdate) == 157 && offsetof(EditFieldObject, useFocusRing) == 158 &&
              offsetof(EditFieldObject, binding) == 160 && offsetof(EditFieldObject, alignment) == 164);
static_assert(sizeof(EditFieldObject) == 168);
#endif

inline EditFieldObject* AsEditField(RuntimeObject* o) { return reinterpret_cast<EditFieldObject*>(o); }

// Event slots of EditField (after RectControl's seven).
enum class EditFieldEvent : int32_t {
  KeyDown = 7,  // (Key As String) As Boolean
  GotFocus = 8,
  LostFocus = 9,
  MouseDown = 10,  // (X, Y As Integer) As Boolean
  MouseUp = 11,    // (X, Y As Integer)
  SelChange = 12,
  TextChange = 13,
  EnableMenuItems = 14,
};

// The rich-edit window style and extended style of a field's flags.
struct EditWindowStyle {
  uint32_t style;
  uint32_t exStyle;
};
EditWindowStyle EditStyleOf(const EditFieldObject& field);

// The text as a password field shows it: every character (UTF-16 unit, as
// the control counts them) above code 31 replaced by "*", the control
// characters kept.
String MaskedText(RuntimeString* text);

// LimitText as the rich-edit control takes it: 0 means 1,000,000.
int32_t EffectiveTextLimit(int32_t limitText);

}  // namespace ql::ui
