// The POSIX stand-in for the standard controls of ui/native_controls.h: what
// a real rich-edit field, combo box, button, tab control or list view would
// hold, and the user's actions on them, which notify the control's pane the
// way the real controls notify their parent (EN_CHANGE after typing when the
// event mask asks for it, CBN_SELCHANGE, BN_CLICKED, TCN_SELCHANGE). Drawing
// is recorded.
#pragma once

#include <stdint.h>

#include <set>
#include <string>
#include <vector>

#include "ui/native_controls.h"

namespace ql::ui::fake {

struct FakeEdit {
  std::u16string text;  // as the control keeps it: a multi-line field's paragraphs end in CR
  bool multiLine = false;
  bool readOnly = false;
  int32_t limit = 32767;
  uint32_t background = 0xFFFFFF;
  uint32_t textColour = 0;
  int32_t alignment = 0;
  uint32_t eventMask = 0;
  native::TextRange selection;
  bool selectionHidden = false;
  uint32_t effects = 0;
  int32_t spacing = 0;
  int32_t setTextCalls = 0;
};

struct FakeCombo {
  std::vector<std::string> rows;
  int32_t selection = -1;
  int32_t droppedWidth = 0;
  bool dropped = false;  // the drop-down list shows
};

struct FakeTabs {
  std::vector<std::string> captions;
  int32_t selection = -1;
};

struct FakeList {
  native::ListViewSettings settings;
  std::vector<int32_t> columnWidths;
  std::vector<std::string> headings;
  int32_t rowCount = 0;  // the rows the view was told of
  int32_t topRow = 0;
  std::set<int32_t> selected;
  int32_t redraws = 0;
};

// A label, text or picture drawn into a device context.
struct DrawnLabel {
  std::string text;
  uint32_t colourRef = 0;
  Rect16 box{};
  int32_t align = 0;
  bool multiLine = false;
};

FakeEdit& EditOf(native::Handle field);
FakeCombo& ComboOf(native::Handle combo);
FakeTabs& TabsOf(native::Handle tabs);
FakeList& ListOf(native::Handle list);
bool DefaultFrameOf(native::Handle button);
// Labels drawn since the last call, oldest first.
std::vector<DrawnLabel> TakeDrawnLabels();
// The clipboard's text.
void SetClipboardText(const std::string& utf8);
std::string ClipboardTextNow();

// --- Playing the user ---
// Typing at the caret: the selection is replaced, the caret follows, and the
// pane hears EN_CHANGE and EN_SELCHANGE when the event mask asks for them.
// Each character goes first to the pane's NativeMessage as WM_CHAR, as a
// real control's subclass sees it.
void TypeInto(native::Handle field, const std::string& utf8);
void PickRow(native::Handle combo, int32_t row);
void PickTab(native::Handle tabs, int32_t tab);
void Click(native::Handle button);
void FocusByUser(native::Handle window);

}  // namespace ql::ui::fake
