// Class Listbox: rows of text cells. The rows live in the pane (ui/
// list_pane.h) and are lost when the window closes; the object keeps the
// properties.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "ui/control_object.h"
#include "ui/font_record.h"
#include "ui/receiver_list.h"

namespace ql::ui {

inline constexpr int32_t kMaxListColumns = 64;

struct ListboxObject {
  ControlObject control;
  RuntimeString* dataSource;     // DataSource, one reference
  RuntimeString* dataField;      // DataField, one reference
  uint8_t hierarchical;          // Hierarchical: rows can be folders
  uint8_t enableDrag;            // EnableDrag: stored only
  uint8_t enableDragReorder;     // EnableDragReorder: stored only
  uint8_t hasHeading;            // HasHeading: a heading row is shown
  uint8_t useFocusRing;          // UseFocusRing: stored only
  uint8_t scrollBarHorizontal;   // ScrollBarHorizontal
  uint8_t scrollBarVertical;     // ScrollBarVertical
  uint8_t reserved1;             // zero
  int32_t selectionType;         // SelectionType: 0 single, 1 multiple
  int32_t pendingHeadingIndex;   // HeadingIndex given before the pane exists; -1 for none
  int32_t columnCount;           // ColumnCount: 1 to 64
  uint32_t reserved2[2];         // zero
  int32_t gridLinesHorizontal;   // GridLinesHorizontal: stored only
  int32_t gridLinesVertical;     // GridLinesVertical: stored only
  RuntimeString* initialValue;   // InitialValue: design-time rows (not loaded)
  RuntimeString* columnWidths;   // ColumnWidths: comma-separated widths, one reference
  uint8_t columnsResizable;      // ColumnsResizable: stored only
  uint8_t reserved3[3];          // zero
  int32_t defaultRowHeight;      // DefaultRowHeight: -1 means from the font
  FontRecordStylesFirst font;    // TextFont, Bold, Italic, Underline, TextSize
  int32_t lastIndex;             // LastIndex: the row added last, -1 before any
  RuntimeObject* provider;       // the list data provider given to BindList, one reference
  ReceiverList* selectionReceivers;  // list-selection notification receivers
  ReceiverList* dataReceivers;       // data-notification receivers
  uint32_t reserved4[65];            // zero
};

#if defined(__i386__)
static_assert(offsetof(ListboxObject, dataField) == 108 && offsetof(ListboxObject, hierarchical) == 112 &&
              offsetof(ListboxObject, enableDrag) == 113 && offsetof(ListboxObject, enableDragReorder) == 114 &&
              offsetof(ListboxObject, hasHeading) == 115 && offsetof(ListboxObject, useFocusRing) == 116 &&
              offsetof(ListboxObject, scrollBarHorizontal) == 117 &&
              offsetof(ListboxObject, scrollBarVertical) == 118 && offsetof(ListboxObject, selectionType) == 120 &&
              offsetof(ListboxObject, columnCount) == 128 && offsetof(ListboxObject, gridLinesHorizontal) == 140 &&
              offsetof(ListboxObject, gridLinesVertical) == 144 && offsetof(ListboxObject, initialValue) == 148 &&
              offsetof(ListboxObject, columnsResizable) == 156 && offsetof(ListboxObject, defaultRowHeight) == 160 &&
              offsetof(ListboxObject, font) == 164 && offsetof(ListboxObject, lastIndex) == 176 &&
              offsetof(ListboxObject, provider) == 180 && offsetof(ListboxObject, dataReceivers) == 188);
static_assert(sizeof(ListboxObject) == 452);
#endif

inline ListboxObject* AsListbox(RuntimeObject* o) { return reinterpret_cast<ListboxObject*>(o); }

enum class ListboxEvent : int32_t {
  Change = 7,
  DoubleClick = 8,
  KeyDown = 9,  // (key As String) As Boolean
  EnableMenuItems = 10,
  ExpandRow = 11,
  CollapseRow = 12,
  DragRow = 13,
  SortColumn = 14,
  CellAction = 15,
  GotFocus = 16,
  LostFocus = 17,
  CellBackgroundPaint = 18,
  CellTextPaint = 19,
  CellClick = 20,
  CellKeyDown = 21,
  CellTextChange = 22,
  CellGotFocus = 23,
  CellLostFocus = 24,
  MouseDown = 25,  // (x, y As Integer) As Boolean
  MouseDrag = 26,
  MouseUp = 27,
  CompareRows = 28,
  DragReorderRows = 29,
  HeaderPressed = 30,
};

// ColumnCount as stored: 0 becomes 1, above 64 (unsigned, so negative
// values too) becomes 64.
int32_t ClampedColumnCount(int32_t count);

}  // namespace ql::ui
