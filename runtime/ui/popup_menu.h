// Class PopupMenu: a drop-down list of text rows of which at most one is
// selected. Rows live in the pane's combo box; the object keeps only the
// design-time InitialValue (consumed when the pane is made) and a
// selection assigned before the pane exists.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "ui/control_object.h"
#include "ui/font_record.h"
#include "ui/receiver_list.h"

namespace ql::ui {

struct PopupMenuObject {
  ControlObject control;
  RuntimeString* dataSource;   // DataSource, one reference
  RuntimeString* dataField;    // DataField, one reference
  FontRecordSizeFirst font;    // TextFont, TextSize, Bold, Italic, Underline
  uint8_t changeGuard;         // set while Change is delivered
  uint8_t reserved1[3];        // zero
  RuntimeString* initialValue; // InitialValue: design-time rows; nil once the pane took them
  ReceiverList* receivers;     // data-notification receivers, nil for none
  RuntimeObject* provider;     // the list data provider given to BindList, one reference
  int32_t pendingListIndex;    // ListIndex assigned without a pane; -1 for none
};

#if defined(__i386__)
static_assert(offsetof(PopupMenuObject, dataSource) == 104 && offsetof(PopupMenuObject, dataField) == 108 &&
              offsetof(PopupMenuObject, font) == 112 && offsetof(PopupMenuObject, changeGuard) == 124 &&
              offsetof(PopupMenuObject, initialValue) == 128 && offsetof(PopupMenuObject, receivers) == 132 &&
              offsetof(PopupMenuObject, provider) == 136 && offsetof(PopupMenuObject, pendingListIndex) == 140);
static_assert(sizeof(PopupMenuObject) == 144);
#endif

inline PopupMenuObject* AsPopupMenu(RuntimeObject* o) { return reinterpret_cast<PopupMenuObject*>(o); }

enum class PopupMenuEvent : int32_t {
  Change = 7,
  MouseDown = 8,  // (X, Y As Integer) As Boolean
  MouseUp = 9,    // (X, Y As Integer) As Boolean
  GotFocus = 10,
  LostFocus = 11,
};

// After a ListIndex assignment or a row the user picked: unless a Change is
// being delivered already, fire Change and tell the data-notification
// receivers.
void DeliverPopupChange(PopupMenuObject* popup);

}  // namespace ql::ui
