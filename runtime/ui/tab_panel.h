// Classes PagePanel and TabPanel: panels of pages of which one shows at a
// time. A control's TabPanelIndex (from 1) names its page; the panel's
// page pass shows the controls of the selected page and hides the others.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "ui/control_object.h"
#include "ui/font_record.h"

namespace ql::ui {

class EventSink;

struct PagePanelObject {
  ControlObject control;
  int32_t panelCount;  // PanelCount: pages of a plain page panel
  uint32_t reserved;   // zero
};

struct TabPanelObject {
  PagePanelObject page;
  RuntimeString* tabDefinition;  // TabDefinition: tab captions separated by line ends, one reference
  EventSink* sink;               // the pane's event sink while open
  FontRecordSizeFirst font;      // TextFont, TextSize, Bold, Italic, Underline
  uint8_t smallTabs;             // SmallTabs: stored only
  uint8_t reserved1[3];          // zero
  int32_t facing;                // Facing: 0 top, 1 bottom, 2 right, 3 left
};

#if defined(__i386__)
static_assert(offsetof(PagePanelObject, panelCount) == 104 && sizeof(PagePanelObject) == 112);
static_assert(offsetof(TabPanelObject, tabDefinition) == 112 && offsetof(TabPanelObject, sink) == 116 &&
              offsetof(TabPanelObject, font.textFont) == 120 && offsetof(TabPanelObject, font.textSize) == 124 &&
              offsetof(TabPanelObject, font.bold) == 126 && offsetof(TabPanelObject, font.italic) == 127 &&
              offsetof(TabPanelObject, font.underline) == 128 && offsetof(TabPanelObject, smallTabs) == 132 &&
              offsetof(TabPanelObject, facing) == 136);
static_assert(sizeof(TabPanelObject) == 140);
#endif

inline PagePanelObject* AsPagePanel(RuntimeObject* o) { return reinterpret_cast<PagePanelObject*>(o); }
inline TabPanelObject* AsTabPanel(RuntimeObject* o) { return reinterpret_cast<TabPanelObject*>(o); }

enum class PagePanelEvent : int32_t { Change = 7 };
enum class TabPanelEvent : int32_t {
  Change = 8,  // the tab panel's own, after PagePanel's
  GotFocus = 9,
  LostFocus = 10,
  MouseDown = 11,  // (X, Y As Integer) As Boolean
  MouseDrag = 12,  // (X, Y As Integer)
  MouseUp = 13,    // (X, Y As Integer)
};

// The SysTabControl32 style of a Facing value: 0 top (0), 1 bottom
// (TCS_BOTTOM), 2 right (TCS_VERTICAL | TCS_RIGHT), 3 left (TCS_VERTICAL);
// any other value the top.
uint32_t TabStyleOfFacing(int32_t facing);

// The page a plain page panel selects for a Value: one not below
// PanelCount (compared unsigned, so negative values too) is the last.
int32_t ClampedPage(int32_t value, int32_t panelCount);

}  // namespace ql::ui
