// The POSIX stand-in for the standard controls (fake_controls.h).
#include <map>
#include <memory>

#include "ui/pane.h"
#include "ui/posix/fake_controls.h"
#include "ui/posix/fake_windows.h"

namespace ql::ui::native {
namespace {

struct Controls {
  std::map<Handle, fake::FakeEdit> edits;
  std::map<Handle, fake::FakeCombo> combos;
  std::map<Handle, fake::FakeTabs> tabs;
  std::map<Handle, fake::FakeList> lists;
  std::map<Handle, bool> defaultFrames;
  std::vector<fake::DrawnLabel> labels;
  std::string clipboard;
};

Controls& TheControls() {
  static Controls& controls = *new Controls;
  return controls;
}

// What a WM_NOTIFY carries here: the code and the fields a pane reads.
struct FakeNotification {
  uint32_t code;
  int32_t row = 0;
  int32_t column = 0;
  bool selected = false;
  String answer;
};

enum : uint32_t { kListTextRequest = 0xFFFFFF4F, kListItemChanged = 0xFFFFFF9B };  // LVN_GETDISPINFOW, LVN_ITEMCHANGED

std::u16string Units(RuntimeString* s) {
  String wide = ConvertToUTF16(s);
  std::u16string units(static_cast<size_t>(wide.length() / 2), u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = WideUnitAt(wide.text(), static_cast<int32_t>(i));
  return units;
}

String Utf8Of(const std::u16string& units) {
  String wide = NewStringFromWide(units.data(), static_cast<int32_t>(units.size()));
  return ConvertToUTF8(wide.get());
}

std::string Bytes(RuntimeString* s) {
  String u = ConvertToUTF8(s);
  return std::string(u.text(), static_cast<size_t>(u.length()));
}

String StringOf(const std::string& utf8) {
  return NewStringFromBytes(utf8.data(), static_cast<int32_t>(utf8.size()), QL_ENCODING_UTF8);
}

// How the rich edit keeps a text: paragraphs end in CR; a single-line field
// keeps the first line only.
std::u16string AsStored(std::u16string text, bool multiLine) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c != u'\r' && c != u'\n') {
      out += c;
      continue;
    }
    if (!multiLine) break;
    out += u'\r';
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
  }
  return out;
}

void Notify(Handle window, uint32_t code) {
  if (Pane* pane = PaneOf(window)) {
    if (code == kEditSelectionChange || code == kTabSelectionChange || code == kListItemChanged) {
      FakeNotification n{code};
      pane->Notify(&n);
    } else {
      pane->Command(code, 0);
    }
  }
}

void EditChanged(Handle field, fake::FakeEdit& e) {
  if (e.eventMask & kNotifyChange) Notify(field, kEditChange);
  if (e.eventMask & kNotifySelectionChange) Notify(field, kEditSelectionChange);
}

fake::FakeEdit& Edit(Handle h) { return TheControls().edits[h]; }

int32_t Clamp(int32_t v, int32_t low, int32_t high) { return v < low ? low : v > high ? high : v; }

// The selection ordered and inside the text (-1 as an end means the end).
TextRange Ordered(const fake::FakeEdit& e) {
  const int32_t n = static_cast<int32_t>(e.text.size());
  int32_t a = e.selection.start < 0 ? n : Clamp(e.selection.start, 0, n);
  int32_t b = e.selection.end < 0 ? n : Clamp(e.selection.end, 0, n);
  if (a > b) std::swap(a, b);
  return TextRange{a, b};
}

void Replace(Handle field, fake::FakeEdit& e, const std::u16string& with) {
  const TextRange r = Ordered(e);
  std::u16string insert = AsStored(with, e.multiLine);
  const size_t room = e.limit > 0 && static_cast<size_t>(e.limit) > e.text.size() - static_cast<size_t>(r.end - r.start)
                          ? static_cast<size_t>(e.limit) - (e.text.size() - static_cast<size_t>(r.end - r.start))
                          : 0;
  if (insert.size() > room) insert.resize(room);
  e.text.replace(static_cast<size_t>(r.start), static_cast<size_t>(r.end - r.start), insert);
  const int32_t caret = r.start + static_cast<int32_t>(insert.size());
  e.selection = TextRange{caret, caret};
  EditChanged(field, e);
}

}  // namespace

uint32_t NotificationCode(const void* header) { return static_cast<const FakeNotification*>(header)->code; }

// --- Rich-edit fields ---

const char* RichEditClass() { return "RichEdit20W"; }

String EditText(Handle field, bool) { return Utf8Of(Edit(field).text); }

void SetEditText(Handle field, RuntimeString* text) {
  fake::FakeEdit& e = Edit(field);
  e.multiLine = (fake::WindowOf(field)->style & 0x4) != 0;  // ES_MULTILINE
  e.text = AsStored(Units(text), e.multiLine);
  e.selection = TextRange{0, 0};
  ++e.setTextCalls;
  if (e.eventMask & kNotifyChange) Notify(field, kEditChange);
}

void SetEditEventMask(Handle field, uint32_t mask) { Edit(field).eventMask = mask; }
void SetEditReadOnly(Handle field, bool readOnly) { Edit(field).readOnly = readOnly; }
void SetEditLimit(Handle field, int32_t characters) { Edit(field).limit = characters; }
void SetEditBackground(Handle field, uint32_t colourRef) { Edit(field).background = colourRef; }
void SetEditTextColour(Handle field, uint32_t colourRef) { Edit(field).textColour = colourRef; }
void SetEditAlignment(Handle field, int32_t alignment) { Edit(field).alignment = alignment; }
TextRange EditSelection(Handle field) { return Ordered(Edit(field)); }
void SetEditSelection(Handle field, TextRange range) { Edit(field).selection = range; }
void HideEditSelection(Handle field, bool hide) { Edit(field).selectionHidden = hide; }

String EditSelectedText(Handle field) {
  fake::FakeEdit& e = Edit(field);
  const TextRange r = Ordered(e);
  return Utf8Of(e.text.substr(static_cast<size_t>(r.start), static_cast<size_t>(r.end - r.start)));
}

void ReplaceEditSelection(Handle field, RuntimeString* text) { Replace(field, Edit(field), Units(text)); }

void RunEditCommand(Handle field, EditCommand command) {
  fake::FakeEdit& e = Edit(field);
  const TextRange r = Ordered(e);
  const std::u16string selected = e.text.substr(static_cast<size_t>(r.start), static_cast<size_t>(r.end - r.start));
  switch (command) {
    case EditCommand::Copy:
      TheControls().clipboard = Bytes(Utf8Of(selected).get());
      break;
    case EditCommand::Cut:
      TheControls().clipboard = Bytes(Utf8Of(selected).get());
      Replace(field, e, u"");
      break;
    case EditCommand::Clear:
      Replace(field, e, u"");
      break;
    case EditCommand::Paste:
      Replace(field, e, Units(StringOf(TheControls().clipboard).get()));
      break;
  }
}

bool ClipboardHasText() { return !TheControls().clipboard.empty(); }
String ClipboardText() { return StringOf(TheControls().clipboard); }

SelectionFormat EditSelectionFormat(Handle field) {
  const fake::FakeEdit& e = Edit(field);
  SelectionFormat f;
  f.effects = e.effects;
  f.spacing = e.spacing;
  f.colourRef = e.textColour;
  return f;
}

void SetEditSelectionFormat(Handle field, const SelectionFormat& format, uint32_t parts, uint32_t effectMask) {
  fake::FakeEdit& e = Edit(field);
  if (parts & kFormatEffects) e.effects = (e.effects & ~effectMask) | (format.effects & effectMask);
  if (parts & kFormatSpacing) e.spacing = format.spacing;
  if (parts & kFormatColour) e.textColour = format.colourRef;
}

int32_t EditSelectionAlignment(Handle field) { return Edit(field).alignment; }
void SetEditSelectionAlignment(Handle field, int32_t alignment) { Edit(field).alignment = alignment; }
int32_t EditFirstVisibleLine(Handle) { return 0; }
void ScrollEditLines(Handle, int32_t) {}

int32_t EditLineOfCharacter(Handle field, int32_t position) {
  const std::u16string& t = Edit(field).text;
  int32_t line = 0;
  for (int32_t i = 0; i < position && i < static_cast<int32_t>(t.size()); ++i) line += t[static_cast<size_t>(i)] == u'\r';
  return line;
}

int32_t EditFirstCharacterOfLine(Handle field, int32_t line) {
  const std::u16string& t = Edit(field).text;
  int32_t seen = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    if (seen == line) return static_cast<int32_t>(i);
    seen += t[i] == u'\r';
  }
  return seen == line ? static_cast<int32_t>(t.size()) : -1;
}

int32_t EditCharacterAt(Handle, int32_t, int32_t) { return 0; }
int32_t HorizontalScrollPosition(Handle) { return 0; }
void ScrollHorizontallyTo(Handle, int32_t) {}

// --- Combo boxes ---

int32_t ComboCount(Handle combo) { return static_cast<int32_t>(TheControls().combos[combo].rows.size()); }

int32_t ComboInsert(Handle combo, int32_t at, RuntimeString* text) {
  fake::FakeCombo& c = TheControls().combos[combo];
  if (at < 0 || at > static_cast<int32_t>(c.rows.size())) at = static_cast<int32_t>(c.rows.size());
  c.rows.insert(c.rows.begin() + at, Bytes(text));
  if (c.selection >= at) ++c.selection;
  return at;
}

void ComboDelete(Handle combo, int32_t row) {
  fake::FakeCombo& c = TheControls().combos[combo];
  if (row < 0 || row >= static_cast<int32_t>(c.rows.size())) return;
  c.rows.erase(c.rows.begin() + row);
  if (c.selection == row) c.selection = -1;
  else if (c.selection > row) --c.selection;
}

void ComboReset(Handle combo) {
  fake::FakeCombo& c = TheControls().combos[combo];
  c.rows.clear();
  c.selection = -1;
}

int32_t ComboSelection(Handle combo) { return TheControls().combos[combo].selection; }

void ComboSelect(Handle combo, int32_t row) {
  fake::FakeCombo& c = TheControls().combos[combo];
  c.selection = row >= 0 && row < static_cast<int32_t>(c.rows.size()) ? row : -1;
}

String ComboText(Handle combo, int32_t row) {
  fake::FakeCombo& c = TheControls().combos[combo];
  return row >= 0 && row < static_cast<int32_t>(c.rows.size()) ? StringOf(c.rows[static_cast<size_t>(row)]) : String();
}

void SetComboDroppedWidth(Handle combo, int32_t width) { TheControls().combos[combo].droppedWidth = width; }
int32_t ComboDroppedWidth(Handle combo) { return TheControls().combos[combo].droppedWidth; }
bool ComboIsDropped(Handle combo) { return TheControls().combos[combo].dropped; }

// Every character 7 pixels wide; the scroll bar 16.
int32_t TextWidth(void*, RuntimeString* text) { return 7 * static_cast<int32_t>(Units(text).size()); }
int32_t VerticalScrollBarWidth() { return 16; }

// --- Push buttons ---

void SetDefaultButtonFrame(Handle button, bool frame) { TheControls().defaultFrames[button] = frame; }
bool HasDefaultButtonFrame(Handle button) { return TheControls().defaultFrames[button]; }

// --- Tab controls ---

int32_t TabCount(Handle tabs) { return static_cast<int32_t>(TheControls().tabs[tabs].captions.size()); }

void AppendTab(Handle tabs, RuntimeString* caption) {
  fake::FakeTabs& t = TheControls().tabs[tabs];
  t.captions.push_back(Bytes(caption));
  if (t.selection < 0) t.selection = 0;  // the first tab of a tab control is selected
}

String TabCaption(Handle tabs, int32_t tab) {
  fake::FakeTabs& t = TheControls().tabs[tabs];
  return tab >= 0 && tab < static_cast<int32_t>(t.captions.size()) ? StringOf(t.captions[static_cast<size_t>(tab)])
                                                                   : String();
}

void SetTabCaption(Handle tabs, int32_t tab, RuntimeString* caption) {
  fake::FakeTabs& t = TheControls().tabs[tabs];
  if (tab >= 0 && tab < static_cast<int32_t>(t.captions.size())) t.captions[static_cast<size_t>(tab)] = Bytes(caption);
}

int32_t TabSelection(Handle tabs) { return TheControls().tabs[tabs].selection; }

void SelectTab(Handle tabs, int32_t tab) {
  fake::FakeTabs& t = TheControls().tabs[tabs];
  t.selection = tab >= 0 && tab < static_cast<int32_t>(t.captions.size()) ? tab : -1;
}

// --- List views ---

const char* ListViewClass() { return "SysListView32"; }
uint32_t ListViewStyle(const ListViewSettings& settings) { return settings.heading ? 0 : 0x4000; }
void ApplyListViewSettings(Handle list, const ListViewSettings& settings) { TheControls().lists[list].settings = settings; }

void SetListColumns(Handle list, int32_t count, const int32_t* widths) {
  fake::FakeList& l = TheControls().lists[list];
  l.columnWidths.assign(widths, widths + count);
  l.headings.resize(static_cast<size_t>(count));
}

void SetListHeading(Handle list, int32_t column, RuntimeString* text) {
  fake::FakeList& l = TheControls().lists[list];
  if (column >= 0 && column < static_cast<int32_t>(l.headings.size())) l.headings[static_cast<size_t>(column)] = Bytes(text);
}

void SetListRowCount(Handle list, int32_t rows) { TheControls().lists[list].rowCount = rows; }
void RedrawListRows(Handle list, int32_t, int32_t) { ++TheControls().lists[list].redraws; }
int32_t ListTopRow(Handle list) { return TheControls().lists[list].topRow; }
void ScrollListToRow(Handle list, int32_t row) { TheControls().lists[list].topRow = row < 0 ? 0 : row; }
int32_t ListRowHeight(Handle) { return 16; }
int32_t ListHeadingHeight(Handle list) { return TheControls().lists[list].settings.heading ? 20 : 0; }

void SetListRowSelected(Handle list, int32_t row, bool selected) {
  fake::FakeList& l = TheControls().lists[list];
  if (selected) l.selected.insert(row);
  else l.selected.erase(row);
}

bool ListTextRequest(const void* header, int32_t* row, int32_t* column) {
  const FakeNotification* n = static_cast<const FakeNotification*>(header);
  if (n->code != kListTextRequest) return false;
  *row = n->row;
  *column = n->column;
  return true;
}

void AnswerListTextRequest(const void* header, RuntimeString* text) {
  const_cast<FakeNotification*>(static_cast<const FakeNotification*>(header))->answer = String::Retain(text);
}

bool ListSelectionNotice(const void* header, int32_t* row, bool* selected) {
  const FakeNotification* n = static_cast<const FakeNotification*>(header);
  if (n->code != kListItemChanged) return false;
  *row = n->row;
  *selected = n->selected;
  return true;
}

// --- Drawing ---

void DrawLabelText(void*, const LabelText& label) {
  TheControls().labels.push_back(
      fake::DrawnLabel{Bytes(label.text), label.colourRef, label.box, label.align, label.multiLine});
}

void FillBox(void*, const Rect16&, uint32_t) {}
void FillBoxWithButtonFace(void*, const Rect16&) {}
void FillWithParentBackground(Handle, void*) {}
void SetDrawingOrigin(void*, int32_t, int32_t) {}
void DrawLine(void*, uint32_t, int32_t, int32_t, int32_t, int32_t) {}
void FrameBox(void*, const Rect16&, uint32_t) {}
void DrawTextAt(void*, uint32_t, int32_t, int32_t, RuntimeString*) {}

}  // namespace ql::ui::native

namespace ql::ui::fake {

using native::TheControls;

FakeEdit& EditOf(native::Handle field) { return TheControls().edits[field]; }
FakeCombo& ComboOf(native::Handle combo) { return TheControls().combos[combo]; }
FakeTabs& TabsOf(native::Handle tabs) { return TheControls().tabs[tabs]; }
FakeList& ListOf(native::Handle list) { return TheControls().lists[list]; }
bool DefaultFrameOf(native::Handle button) { return TheControls().defaultFrames[button]; }

std::vector<DrawnLabel> TakeDrawnLabels() {
  std::vector<DrawnLabel> labels;
  labels.swap(TheControls().labels);
  return labels;
}

void SetClipboardText(const std::string& utf8) { TheControls().clipboard = utf8; }
std::string ClipboardTextNow() { return TheControls().clipboard; }

void TypeInto(native::Handle field, const std::string& utf8) {
  const std::u16string units = native::Units(native::StringOf(utf8).get());
  for (char16_t unit : units) {
    Pane* pane = native::PaneOf(field);
    intptr_t result = 0;
    if (pane && pane->NativeMessage(0x0102, unit, 0, &result)) continue;  // WM_CHAR taken by the pane
    FakeEdit& e = EditOf(field);
    if (e.readOnly) continue;
    native::Replace(field, e, std::u16string(1, unit));
  }
}

void PickRow(native::Handle combo, int32_t row) {
  native::ComboSelect(combo, row);
  native::Notify(combo, native::kComboSelectionChange);
}

void PickTab(native::Handle tabs, int32_t tab) {
  native::SelectTab(tabs, tab);
  native::Notify(tabs, native::kTabSelectionChange);
}

void Click(native::Handle button) { native::Notify(button, native::kButtonClicked); }

void FocusByUser(native::Handle window) {
  native::Focus(window);
  if (Pane* pane = native::PaneOf(window)) {
    intptr_t result = 0;
    pane->NativeMessage(0x0007, 0, 0, &result);  // WM_SETFOCUS
  }
}

}  // namespace ql::ui::fake
