#include "ui/list_pane.h"

#include <stdlib.h>

#include "core/intrinsic_classes.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/native_controls.h"

namespace ql::ui {
namespace {

const ControlEventSlots kListSlots{
    .mouseDown = static_cast<int32_t>(ListboxEvent::MouseDown),
    .mouseDrag = static_cast<int32_t>(ListboxEvent::MouseDrag),
    .mouseUp = static_cast<int32_t>(ListboxEvent::MouseUp),
    .keyDown = static_cast<int32_t>(ListboxEvent::KeyDown),
    .gotFocus = static_cast<int32_t>(ListboxEvent::GotFocus),
    .lostFocus = static_cast<int32_t>(ListboxEvent::LostFocus),
};

native::ListViewSettings SettingsOf(const ListboxObject& l) {
  return native::ListViewSettings{.heading = l.hasHeading != 0,
                                  .gridLines = l.gridLinesHorizontal != 0 || l.gridLinesVertical != 0,
                                  .multipleSelection = l.selectionType != 0,
                                  .horizontalScrollBar = l.scrollBarHorizontal != 0,
                                  .verticalScrollBar = l.scrollBarVertical != 0};
}

// One entry of a ColumnWidths text: pixels, a percentage or a share of the rest.
struct WidthEntry {
  enum Kind { Pixels, Percent, Share } kind = Share;
  int32_t value = 1;
};

WidthEntry ParseEntry(const char* p, const char* end) {
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  while (end > p && (end[-1] == ' ' || end[-1] == '\t')) --end;
  if (p == end) return WidthEntry{};
  int64_t value = 0;
  bool digits = false;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) {
    digits = true;
    if (value < 100000) value = value * 10 + (*p - '0');
  }
  if (p < end && *p == '*') return WidthEntry{WidthEntry::Share, digits ? static_cast<int32_t>(value) : 1};
  if (p < end && *p == '%') return WidthEntry{WidthEntry::Percent, static_cast<int32_t>(value)};
  return digits ? WidthEntry{WidthEntry::Pixels, static_cast<int32_t>(value)} : WidthEntry{};
}

}  // namespace

std::vector<int32_t> ColumnWidthsFor(RuntimeString* plan, int32_t columns, int32_t totalWidth) {
  if (columns < 1) return {};
  std::vector<WidthEntry> entries(static_cast<size_t>(columns));
  String text = ConvertToUTF8(plan);
  const char* p = text.text();
  const char* end = p + text.length();
  for (size_t i = 0; i < entries.size() && p < end; ++i) {
    const char* comma = p;
    while (comma < end && *comma != ',') ++comma;
    entries[i] = ParseEntry(p, comma);
    p = comma < end ? comma + 1 : end;
  }
  std::vector<int32_t> widths(entries.size(), 0);
  int64_t fixed = 0, shares = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const WidthEntry& e = entries[i];
    if (e.kind == WidthEntry::Share) {
      shares += e.value;
      continue;
    }
    widths[i] = e.kind == WidthEntry::Pixels ? e.value : static_cast<int32_t>(int64_t{totalWidth} * e.value / 100);
    fixed += widths[i];
  }
  const int64_t rest = totalWidth > fixed ? totalWidth - fixed : 0;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].kind == WidthEntry::Share && shares > 0)
      widths[i] = static_cast<int32_t>(rest * entries[i].value / shares);
  return widths;
}

void ListPane::Create(ListboxObject* list) {
  RuntimeObject* control = &list->control.header;
  auto* pane = new ListPane;
  pane->CreatePaneWindow(ControlView(control), nullptr, list->control.bounds,
                         PaneWindowSpec{.className = native::ListViewClass(),
                                        .style = native::ListViewStyle(SettingsOf(*list))});
  pane->UseFont(ChoiceOf(list->font));
  InstallControlPane(control, pane, &kListSlots);
  pane->TakeSettings(*list);
}

ListPane::~ListPane() { DropDeferredUpdate(this); }

ListboxObject* ListPane::List() const { return Control() ? AsListbox(Control()) : nullptr; }

void ListPane::TakeSettings(const ListboxObject& list) {
  columnCount_ = list.columnCount;
  columnWidths_ = String::Retain(list.columnWidths);
  hierarchical_ = list.hierarchical;
  if (NativeHandle()) native::ApplyListViewSettings(NativeHandle(), SettingsOf(list));
  ApplyColumns();
}

void ListPane::ApplyColumns() {
  if (!NativeHandle()) return;
  const Rect16 b = Bounds();
  std::vector<int32_t> widths = ColumnWidthsFor(columnWidths_.get(), columnCount_, b.right - b.left);
  native::SetListColumns(NativeHandle(), columnCount_, widths.data());
  for (int32_t c = 0; c < columnCount_; ++c) native::SetListHeading(NativeHandle(), c, headings_[c].get());
}

void ListPane::SetHeading(int32_t column, RuntimeString* text) {
  headings_[static_cast<size_t>(column)] = String::Retain(text);
  if (NativeHandle() && column < columnCount_) native::SetListHeading(NativeHandle(), column, text);
}

// --- Rows ---

ListViewport ListPane::Viewport() {
  const Rect16 b = Bounds();
  if (!NativeHandle()) return ListViewport{false, 0, 0, 0, 0};
  const int32_t rowHeight = native::ListRowHeight(NativeHandle());
  return ListViewport{Showing(), native::ListHeadingHeight(NativeHandle()), b.bottom - b.top,
                      native::ListTopRow(NativeHandle()), rowHeight > 0 ? rowHeight : 12};
}

int32_t ListPane::AddRow(int32_t at, RuntimeString* text, uint16_t flags) {
  platform::LockGuard guard(lock_);
  int16_t depth = 0;
  if (at == kAppendRow) {
    at = rows_.Count();
    if (hierarchical_ && expanding_ >= 0) {
      at = nextChildRow_++;
      depth = static_cast<int16_t>(rows_.Row(expanding_).depth + 1);
    }
  }
  const int32_t row = rows_.Insert(at, text, depth, flags);
  if (expanding_ >= row) ++expanding_;
  NoteInserted(row, 1);
  return row;
}

// An insertion is repainted later: its displayed band joins the pending
// update (or, elsewhere, the whole view is redrawn); with nothing pending
// the view learns the new row count at once. A list that does not show
// learns it once per main-loop pass: the list view's cost of a new count
// grows with the rows, so telling it at every row of a long fill takes
// time in the square of the rows.
void ListPane::NoteInserted(int32_t at, int32_t count) {
  if (!Showing()) {
    if (!DeferredUpdateQueued(this)) QueueDeferredUpdate(this);
    return;
  }
  switch (pending_.Note(InsertedRowBand(Viewport(), at, count))) {
    case PendingListUpdate::Outcome::Queued:
      QueueDeferredUpdate(this);
      break;
    case PendingListUpdate::Outcome::RepaintAll:
      TellViewRowCount();
      ApplyColumns();
      if (NativeHandle()) native::Invalidate(NativeHandle(), nullptr, true);
      break;
    case PendingListUpdate::Outcome::Nothing:
    case PendingListUpdate::Outcome::Grown:
      break;
  }
  if (!pending_.pending()) TellViewRowCount();
}

void ListPane::TellViewRowCount() {
  viewRows_ = rows_.Count();
  if (NativeHandle()) native::SetListRowCount(NativeHandle(), viewRows_);
}

void ListPane::RunDeferredUpdate() {
  platform::LockGuard guard(lock_);
  TellViewRowCount();
  if (NativeHandle()) native::Invalidate(NativeHandle(), nullptr, false);
  pending_.Drop();
}

void ListPane::RemoveRow(int32_t row) {
  platform::LockGuard guard(lock_);
  rows_.Remove(row);
  TellViewRowCount();
  if (NativeHandle()) native::Invalidate(NativeHandle(), nullptr, true);
}

void ListPane::Clear() {
  platform::LockGuard guard(lock_);
  rows_.Clear();
  DropDeferredUpdate(this);
  pending_.Drop();
  TellViewRowCount();
}

void ListPane::SetCell(int32_t row, int32_t column, RuntimeString* text) {
  rows_.SetCellText(row, column, text);
  RedrawRow(row);
}

void ListPane::SetRowPicture(int32_t row, RuntimeObject* picture) {
  rows_.SetPicture(row, picture);
  RedrawRow(row);
}

void ListPane::RedrawRow(int32_t row) {
  if (NativeHandle() && row < viewRows_) native::RedrawListRows(NativeHandle(), row, row);
}

// --- Selection ---

int32_t ListPane::FirstSelectedRow() const {
  for (int32_t i = 0; i < rows_.Count(); ++i)
    if (rows_.Row(i).flags & kRowSelected) return i;
  return -1;
}

int32_t ListPane::SelectedCount() const {
  int32_t n = 0;
  for (int32_t i = 0; i < rows_.Count(); ++i) n += (rows_.Row(i).flags & kRowSelected) ? 1 : 0;
  return n;
}

void ListPane::SelectOnly(int32_t row) {
  bool changed = false;
  selecting_ = true;
  for (int32_t i = 0; i < rows_.Count(); ++i) {
    const bool want = i == row;
    ListRow& r = rows_.Row(i);
    if (((r.flags & kRowSelected) != 0) == want) continue;
    r.flags = static_cast<uint16_t>(want ? r.flags | kRowSelected : r.flags & ~kRowSelected);
    if (NativeHandle() && i < viewRows_) native::SetListRowSelected(NativeHandle(), i, want);
    changed = true;
  }
  selecting_ = false;
  if (changed) DeliverChange();
}

void ListPane::SetSelected(int32_t row, bool selected) {
  ListRow& r = rows_.Row(row);
  if (((r.flags & kRowSelected) != 0) == selected) return;
  r.flags = static_cast<uint16_t>(selected ? r.flags | kRowSelected : r.flags & ~kRowSelected);
  selecting_ = true;
  if (NativeHandle() && row < viewRows_) native::SetListRowSelected(NativeHandle(), row, selected);
  selecting_ = false;
  DeliverChange();
}

void ListPane::DeliverChange() {
  ListboxObject* l = List();
  if (!l) return;
  PaneLock lock(this);
  ObjectRef hold = ObjectRef::Retain(Control());
  FireEvent(hold.get(), static_cast<int32_t>(ListboxEvent::Change));
  NotifyReceivers(l->selectionReceivers, intrinsic::listSelectionNotificationReceiver);
}

// --- Hierarchy ---

void ListPane::SetExpanded(int32_t row, bool expanded) {
  ListRow& r = rows_.Row(row);
  if (!(r.flags & kRowFolder) || ((r.flags & kRowExpanded) != 0) == expanded) return;
  r.flags = static_cast<uint16_t>(expanded ? r.flags | kRowExpanded : r.flags & ~kRowExpanded);
  PaneLock lock(this);
  ObjectRef hold = ObjectRef::Retain(Control());
  if (expanded) {
    const int32_t outer = expanding_, outerNext = nextChildRow_;
    expanding_ = row;
    nextChildRow_ = row + 1;
    FireEvent(hold.get(), static_cast<int32_t>(ListboxEvent::ExpandRow), row);
    expanding_ = outer;
    nextChildRow_ = outerNext;
    return;
  }
  const int16_t depth = r.depth;
  while (rows_.HasRow(row + 1) && rows_.Row(row + 1).depth > depth) RemoveRow(row + 1);
  FireEvent(hold.get(), static_cast<int32_t>(ListboxEvent::CollapseRow), row);
}

// --- Scrolling ---

int32_t ListPane::ScrollPosition() { return NativeHandle() ? native::ListTopRow(NativeHandle()) : 0; }

void ListPane::ScrollTo(int32_t row) {
  if (!NativeHandle()) return;
  DropDeferredUpdate(this);  // a scroll repaints the view itself
  if (pending_.pending()) TellViewRowCount();
  pending_.Drop();
  native::ScrollListToRow(NativeHandle(), row);
}

int32_t ListPane::HorizontalScroll() { return NativeHandle() ? native::HorizontalScrollPosition(NativeHandle()) : 0; }

void ListPane::ScrollHorizontallyTo(int32_t x) {
  if (NativeHandle()) native::ScrollHorizontallyTo(NativeHandle(), x);
}

// --- Notifications ---

intptr_t ListPane::Notify(const void* header) {
  int32_t row = 0, column = 0;
  bool selected = false;
  if (native::ListTextRequest(header, &row, &column)) {
    native::AnswerListTextRequest(header, rows_.HasCell(row, column) ? rows_.CellText(row, column) : nullptr);
    return 0;
  }
  if (native::ListSelectionNotice(header, &row, &selected) && !selecting_ && rows_.HasRow(row)) {
    ListRow& r = rows_.Row(row);
    if (((r.flags & kRowSelected) != 0) != selected) {
      r.flags = static_cast<uint16_t>(selected ? r.flags | kRowSelected : r.flags & ~kRowSelected);
      DeliverChange();
    }
  }
  return 0;
}

}  // namespace ql::ui
