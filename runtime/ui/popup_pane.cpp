#include "ui/popup_pane.h"

#include "quillon/entrypoints/objects.h"
#include "ui/control_panes.h"
#include "ui/native_controls.h"
#include "ui/text_rows.h"

namespace ql::ui {
namespace {

constexpr uint32_t kDropDownList = 0x200003;  // WS_VSCROLL | CBS_DROPDOWNLIST

const ControlEventSlots kPopupSlots{
    .mouseDown = static_cast<int32_t>(PopupMenuEvent::MouseDown),
    .mouseUp = static_cast<int32_t>(PopupMenuEvent::MouseUp),
    .gotFocus = static_cast<int32_t>(PopupMenuEvent::GotFocus),
    .lostFocus = static_cast<int32_t>(PopupMenuEvent::LostFocus),
};

}  // namespace

void PopupPane::Create(PopupMenuObject* popup) {
  RuntimeObject* control = &popup->control.header;
  auto* pane = new PopupPane;
  pane->CreatePaneWindow(ControlView(control), nullptr, popup->control.bounds,
                         PaneWindowSpec{.className = "COMBOBOX", .style = kDropDownList});
  pane->UseFont(ChoiceOf(popup->font));
  InstallControlPane(control, pane, &kPopupSlots);
  pane->LoadInitialRows(popup);
  if (popup->pendingListIndex != -1) pane->Select(popup->pendingListIndex);  // no Change for it
}

PopupPane::~PopupPane() { ReleaseTags(); }

// The design-time rows are taken once: InitialValue is consumed.
void PopupPane::LoadInitialRows(PopupMenuObject* popup) {
  if (!popup->initialValue) return;
  for (const String& row : SplitRows(popup->initialValue)) InsertRow(Count(), row.get());
  ReleaseString(popup->initialValue);
  popup->initialValue = nullptr;
}

bool PopupPane::HasOpenList() const { return NativeHandle() && native::ComboIsDropped(NativeHandle()); }

int32_t PopupPane::Count() { return NativeHandle() ? native::ComboCount(NativeHandle()) : 0; }

int32_t PopupPane::Selected() { return NativeHandle() ? native::ComboSelection(NativeHandle()) : -1; }

void PopupPane::Select(int32_t row) {
  if (NativeHandle()) native::ComboSelect(NativeHandle(), row);
}

String PopupPane::RowText(int32_t row) { return NativeHandle() ? native::ComboText(NativeHandle(), row) : String(); }

void PopupPane::InsertRow(int32_t at, RuntimeString* text) {
  if (!NativeHandle()) return;
  const int32_t row = native::ComboInsert(NativeHandle(), at, text);
  if (row < 0) return;
  tags_.Append(nullptr);
  for (size_t i = tags_.Count() - 1; i > static_cast<size_t>(row); --i) tags_[i] = tags_[i - 1];
  tags_[static_cast<size_t>(row)] = nullptr;
  WidenFor(text);
}

void PopupPane::WidenFor(RuntimeString* text) {
  const int32_t width = native::TextWidth(Font(), text);
  if (width <= widest_) return;
  widest_ = width;
  native::SetComboDroppedWidth(NativeHandle(), width + native::VerticalScrollBarWidth() + 6);
}

void PopupPane::RemoveRow(int32_t row) {
  if (!NativeHandle() || row < 0 || static_cast<size_t>(row) >= tags_.Count()) return;
  RuntimeUnlockObject(tags_[static_cast<size_t>(row)]);
  tags_.RemoveAt(static_cast<size_t>(row));
  native::ComboDelete(NativeHandle(), row);
}

// A combo box cannot rename a row: it is replaced in place, keeping the
// selection (the tag stays with the pane's row).
void PopupPane::SetRowText(int32_t row, RuntimeString* text) {
  if (!NativeHandle()) return;
  const bool selected = Selected() == row;
  native::ComboDelete(NativeHandle(), row);
  native::ComboInsert(NativeHandle(), row, text);
  if (selected) Select(row);
  WidenFor(text);
}

void PopupPane::ReleaseTags() {
  for (RuntimeObject* tag : tags_) RuntimeUnlockObject(tag);
  tags_.Clear();
}

void PopupPane::Clear() {
  if (!NativeHandle()) return;
  ReleaseTags();
  native::ComboReset(NativeHandle());
  native::SetComboDroppedWidth(NativeHandle(), 0);
  widest_ = 0;
}

RuntimeObject* PopupPane::RowTag(int32_t row) {
  return row >= 0 && static_cast<size_t>(row) < tags_.Count() ? tags_[static_cast<size_t>(row)] : nullptr;
}

void PopupPane::SetRowTag(int32_t row, RuntimeObject* tag) {
  if (row < 0 || static_cast<size_t>(row) >= tags_.Count()) return;
  RuntimeObject*& slot = tags_[static_cast<size_t>(row)];
  RuntimeLockUnlockObjects(tag, slot);
  slot = tag;
}

intptr_t PopupPane::Command(uint32_t code, uint32_t) {
  if (code != native::kComboSelectionChange || !Control()) return 0;
  PaneLock lock(this);
  DeliverPopupChange(AsPopupMenu(Control()));
  return 0;
}

}  // namespace ql::ui
