#include "ui/edit_pane.h"

#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/view_window.h"

namespace ql::ui {
namespace {

const ControlEventSlots kEditSlots{
    .mouseDown = static_cast<int32_t>(EditFieldEvent::MouseDown),
    .mouseUp = static_cast<int32_t>(EditFieldEvent::MouseUp),
    .keyDown = static_cast<int32_t>(EditFieldEvent::KeyDown),
    .gotFocus = static_cast<int32_t>(EditFieldEvent::GotFocus),
    .lostFocus = static_cast<int32_t>(EditFieldEvent::LostFocus),
};

enum : uint32_t {
  kCharMessage = 0x0102,     // WM_CHAR
  kKeyDownMessage = 0x0100,  // WM_KEYDOWN
  kPasteMessage = 0x0302,    // WM_PASTE
  kDeleteKey = 0x2E,         // VK_DELETE
  kWindowColour = 0xFFFFFF,  // COLORREF of the system's window colour before a BackColor
};

std::u16string WideOf(RuntimeString* s) {
  String wide = ConvertToUTF16(s);
  std::u16string units(static_cast<size_t>(wide.length() / 2), u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = WideUnitAt(wide.text(), static_cast<int32_t>(i));
  return units;
}

String StringOf(const std::u16string& units) {
  String wide = NewStringFromWide(units.data(), static_cast<int32_t>(units.size()));
  return ConvertToUTF8(wide.get());
}

uint32_t EffectOf(SelectionEffectBit bit) {
  switch (bit) {
    case kSelectionBold:
      return native::kEffectBold;
    case kSelectionItalic:
      return native::kEffectItalic;
    case kSelectionUnderline:
      return native::kEffectUnderline;
    case kSelectionOutline:
      return native::kEffectOutline;
    case kSelectionShadow:
      return native::kEffectShadow;
    default:
      return 0;
  }
}

constexpr uint32_t kAllEffects = native::kEffectBold | native::kEffectItalic | native::kEffectUnderline |
                                 native::kEffectOutline | native::kEffectShadow;

bool SameName(RuntimeString* name, const char* literal) { return NamesEqual(StringText(name), literal); }

}  // namespace

void EditPane::Create(EditFieldObject* field) {
  RuntimeObject* control = &field->control.header;
  const EditWindowStyle style = EditStyleOf(*field);
  auto* pane = new EditPane;
  pane->multiLine_ = field->multiLine;
  pane->backColour_ = kWindowColour;
  pane->CreatePaneWindow(ControlView(control), nullptr, field->control.bounds,
                         PaneWindowSpec{.className = native::RichEditClass(), .style = style.style,
                                        .exStyle = style.exStyle});
  pane->UseFont(ChoiceOf(field->font));
  InstallControlPane(control, pane, &kEditSlots);
  pane->FillFromField(field);
}

// The creation order of the settings: alignment, read-only, colours, then
// text and limit with both notifications held back, password, tabs.
void EditPane::FillFromField(EditFieldObject* field) {
  SetAlignment(field->alignment);
  SetReadOnly(field->readOnly);
  SetBackColor(field->backColor);
  SetTextColor(field->textColor);
  field->textChangeGuard = field->selChangeGuard = 1;
  ShowText(field->text);
  SetLimit(field->limitText);
  field->textChangeGuard = field->selChangeGuard = 0;
  SetPassword(field->password);
  acceptTabs_ = multiLine_ && field->acceptTabs;
}

EditFieldObject* EditPane::Field() const { return Control() ? AsEditField(Control()) : nullptr; }

// --- Text ---

String EditPane::Text() {
  if (password_) return StringOf(unmasked_);
  return NativeHandle() ? native::EditText(NativeHandle(), multiLine_) : String();
}

void EditPane::ShowText(RuntimeString* text) {
  if (!NativeHandle()) return;
  if (password_) {
    unmasked_ = WideOf(text);
    String masked = MaskedText(text);
    native::SetEditText(NativeHandle(), masked.get());
  } else {
    native::SetEditText(NativeHandle(), text);
  }
  native::SetEditEventMask(NativeHandle(), native::kNotifyChange | native::kNotifySelectionChange);
}

void EditPane::ShowQuietly(RuntimeString* text) {
  EditFieldObject* f = Field();
  const uint8_t held = f ? f->textChangeGuard : 0;
  if (f) f->textChangeGuard = 1;
  native::SetEditText(NativeHandle(), text);
  if (f) f->textChangeGuard = held;
}

void EditPane::SetPassword(bool on) {
  if (on == password_ || !NativeHandle()) {
    password_ = on;
    return;
  }
  const native::TextRange selection = native::EditSelection(NativeHandle());
  if (on) {
    String shown = native::EditText(NativeHandle(), multiLine_);
    unmasked_ = WideOf(shown.get());
    String masked = MaskedText(shown.get());
    ShowQuietly(masked.get());
  } else {
    String real = StringOf(unmasked_);
    unmasked_.clear();
    ShowQuietly(real.get());
  }
  password_ = on;
  native::SetEditSelection(NativeHandle(), selection);
}

// --- Settings ---

void EditPane::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (NativeHandle()) native::SetEditReadOnly(NativeHandle(), readOnly);
}

void EditPane::SetTextColor(int32_t rgb) {
  if (!NativeHandle()) return;
  native::SetEditEventMask(NativeHandle(), 0);
  native::SetEditTextColour(NativeHandle(), native::SystemColour(static_cast<uint32_t>(rgb)));
  native::SetEditEventMask(NativeHandle(), native::kNotifyChange | native::kNotifySelectionChange);
}

void EditPane::SetBackColor(int32_t rgb) {
  backColour_ = native::SystemColour(static_cast<uint32_t>(rgb));
  if (NativeHandle()) native::SetEditBackground(NativeHandle(), backColour_);
}

void EditPane::SetLimit(int32_t limitText) {
  if (NativeHandle()) native::SetEditLimit(NativeHandle(), EffectiveTextLimit(limitText));
}

void EditPane::SetAlignment(int32_t alignment) {
  alignment_ = alignment;
  if (!NativeHandle()) return;
  native::Handle h = NativeHandle();
  native::SetEditEventMask(h, 0);
  native::HideEditSelection(h, true);
  const native::TextRange selection = native::EditSelection(h);
  native::SetEditSelection(h, native::TextRange{0, -1});
  native::SetEditAlignment(h, alignment);
  native::SetEditSelection(h, selection);
  native::HideEditSelection(h, false);
  native::SetEditEventMask(h, native::kNotifyChange | native::kNotifySelectionChange);
}

// --- Selection ---

EditSelection EditPane::Selection() {
  if (!NativeHandle()) return EditSelection{};
  const native::TextRange r = native::EditSelection(NativeHandle());
  return EditSelection{r.start, r.end - r.start};
}

void EditPane::Select(int32_t start, int32_t length) {
  if (!NativeHandle()) return;
  if (start < 0) start = 0;
  if (length < 0) length = 0;
  native::SetEditSelection(NativeHandle(), native::TextRange{start, start + length});
}

String EditPane::SelectedText() {
  if (!NativeHandle()) return String();
  if (!password_) return native::EditSelectedText(NativeHandle());
  const EditSelection s = Selection();
  const size_t start = static_cast<size_t>(s.start) < unmasked_.size() ? static_cast<size_t>(s.start) : unmasked_.size();
  return StringOf(unmasked_.substr(start, static_cast<size_t>(s.length)));
}

void EditPane::ReplaceSelection(RuntimeString* text) {
  if (!NativeHandle()) return;
  if (password_) {
    ReplaceUnmasked(WideOf(text));
    return;
  }
  native::ReplaceEditSelection(NativeHandle(), text);
}

bool EditPane::SelectionHas(SelectionEffectBit bit) {
  if (!NativeHandle()) return false;
  const native::SelectionFormat f = native::EditSelectionFormat(NativeHandle());
  if (bit == kSelectionCondense) return f.spacing < 0;
  if (bit == kSelectionExtend) return f.spacing > 0;
  return (f.effects & EffectOf(bit)) != 0;
}

void EditPane::SetSelectionEffect(SelectionEffectBit bit, bool on) {
  if (!NativeHandle()) return;
  native::SelectionFormat f;
  if (bit == kSelectionCondense || bit == kSelectionExtend) {
    f.spacing = on ? (bit == kSelectionCondense ? -20 : 20) : 0;  // twips
    native::SetEditSelectionFormat(NativeHandle(), f, native::kFormatSpacing, 0);
    return;
  }
  f.effects = on ? EffectOf(bit) : 0;
  native::SetEditSelectionFormat(NativeHandle(), f, native::kFormatEffects, EffectOf(bit));
}

bool EditPane::SelectionPlain() {
  if (!NativeHandle()) return false;
  const native::SelectionFormat f = native::EditSelectionFormat(NativeHandle());
  return (f.effects & kAllEffects) == 0 && f.spacing == 0;
}

void EditPane::ClearSelectionEffects() {
  if (!NativeHandle()) return;
  native::SetEditSelectionFormat(NativeHandle(), native::SelectionFormat{}, native::kFormatEffects | native::kFormatSpacing,
                                 kAllEffects);
}

String EditPane::SelectionFace() { return NativeHandle() ? native::EditSelectionFormat(NativeHandle()).face : String(); }

void EditPane::SetSelectionFace(RuntimeString* face) {
  if (!NativeHandle()) return;
  native::SelectionFormat f;
  f.face = String::Retain(face);
  native::SetEditSelectionFormat(NativeHandle(), f, native::kFormatFace, 0);
}

int32_t EditPane::SelectionSize() { return NativeHandle() ? native::EditSelectionFormat(NativeHandle()).size : 0; }

void EditPane::SetSelectionSize(int32_t size) {
  if (!NativeHandle() || size <= 0) return;
  native::SelectionFormat f;
  f.size = size;
  native::SetEditSelectionFormat(NativeHandle(), f, native::kFormatSize, 0);
}

int32_t EditPane::SelectionColor() {
  if (!NativeHandle()) return 0;
  return static_cast<int32_t>(native::SystemColour(native::EditSelectionFormat(NativeHandle()).colourRef));
}

void EditPane::SetSelectionColor(int32_t rgb) {
  if (!NativeHandle()) return;
  native::SelectionFormat f;
  f.colourRef = native::SystemColour(static_cast<uint32_t>(rgb));
  native::SetEditSelectionFormat(NativeHandle(), f, native::kFormatColour, 0);
}

int32_t EditPane::SelectionAlignment() { return NativeHandle() ? native::EditSelectionAlignment(NativeHandle()) : 0; }

void EditPane::SetSelectionAlignment(int32_t alignment) {
  if (NativeHandle()) native::SetEditSelectionAlignment(NativeHandle(), alignment);
}

// --- Scrolling and positions ---

int32_t EditPane::FirstVisibleLine() { return NativeHandle() ? native::EditFirstVisibleLine(NativeHandle()) : 0; }

void EditPane::ScrollToLine(int32_t line) {
  if (NativeHandle()) native::ScrollEditLines(NativeHandle(), line - native::EditFirstVisibleLine(NativeHandle()));
}

int32_t EditPane::HorizontalScroll() { return NativeHandle() ? native::HorizontalScrollPosition(NativeHandle()) : 0; }

void EditPane::ScrollHorizontallyTo(int32_t x) {
  if (NativeHandle()) native::ScrollHorizontallyTo(NativeHandle(), x);
}

int32_t EditPane::LineOfCharacter(int32_t position) {
  return NativeHandle() ? native::EditLineOfCharacter(NativeHandle(), position) : 0;
}

int32_t EditPane::FirstCharacterOfLine(int32_t line) {
  return NativeHandle() ? native::EditFirstCharacterOfLine(NativeHandle(), line) : 0;
}

int32_t EditPane::CharacterAt(int32_t x, int32_t y) {
  return NativeHandle() ? native::EditCharacterAt(NativeHandle(), x, y) : 0;
}

// --- Clipboard ---

void EditPane::CopySelection() {
  if (NativeHandle() && !password_) native::RunEditCommand(NativeHandle(), native::EditCommand::Copy);
}

void EditPane::PasteClipboard() {
  if (NativeHandle() && !readOnly_) native::RunEditCommand(NativeHandle(), native::EditCommand::Paste);
}

bool EditPane::MenuCommand(RuntimeString* item) {
  if (!NativeHandle()) return false;
  const bool selection = Selection().length > 0;
  if (SameName(item, "EditCut")) {
    if (selection && !readOnly_ && !password_) native::RunEditCommand(NativeHandle(), native::EditCommand::Cut);
    return true;
  }
  if (SameName(item, "EditCopy")) {
    if (selection && !password_) native::RunEditCommand(NativeHandle(), native::EditCommand::Copy);
    return true;
  }
  if (SameName(item, "EditClear")) {
    if (selection && !readOnly_) {
      if (password_)
        ReplaceUnmasked(std::u16string());
      else
        native::RunEditCommand(NativeHandle(), native::EditCommand::Clear);
    }
    return true;
  }
  if (SameName(item, "EditPaste")) {
    if (!readOnly_ && native::ClipboardHasText()) PasteClipboard();
    return true;
  }
  return false;
}

void EditPane::EnableMenuItems(MenuItemEnabler& enabler) {
  const bool selection = NativeHandle() && Selection().length > 0;
  if (selection && !readOnly_ && !password_) enabler.EnableItem("EditCut");
  if (selection && !password_) enabler.EnableItem("EditCopy");
  if (selection && !readOnly_) enabler.EnableItem("EditClear");
  if (!readOnly_ && native::ClipboardHasText()) enabler.EnableItem("EditPaste");
  PaneLock lock(this);
  FireEvent(Control(), static_cast<int32_t>(EditFieldEvent::EnableMenuItems));
}

// --- Notifications ---

void EditPane::DeliverTextChange() {
  EditFieldObject* f = Field();
  if (!f || f->textChangeGuard) return;
  PaneLock lock(this);
  ObjectRef hold = ObjectRef::Retain(Control());
  f->textChangeGuard = 1;
  FireEvent(hold.get(), static_cast<int32_t>(EditFieldEvent::TextChange));
  f->textChangeGuard = 0;
}

void EditPane::DeliverSelectionChange() {
  EditFieldObject* f = Field();
  if (!f || f->selChangeGuard) return;
  PaneLock lock(this);
  ObjectRef hold = ObjectRef::Retain(Control());
  f->selChangeGuard = 1;
  FireEvent(hold.get(), static_cast<int32_t>(EditFieldEvent::SelChange));
  f->selChangeGuard = 0;
}

intptr_t EditPane::Command(uint32_t code, uint32_t) {
  if (code == native::kEditChange) DeliverTextChange();
  if (code == native::kEditSetFocus && Root() && Root()->FocusPane() != this) Root()->SetFocusPane(this);
  return 0;
}

intptr_t EditPane::Notify(const void* header) {
  if (native::NotificationCode(header) == native::kEditSelectionChange) DeliverSelectionChange();
  return 0;
}

bool EditPane::NativeMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t* result) {
  if (password_ && !readOnly_ && TypeIntoPassword(message, wParam)) {
    *result = 0;
    return true;
  }
  return StandardPane::NativeMessage(message, wParam, lParam, result);
}

// --- Password typing ---

void EditPane::ReplaceUnmasked(const std::u16string& with) {
  const EditSelection s = Selection();
  const size_t start = static_cast<size_t>(s.start) < unmasked_.size() ? static_cast<size_t>(s.start) : unmasked_.size();
  unmasked_.replace(start, static_cast<size_t>(s.length), with);
  String masked = MaskedText(StringOf(with).get());
  native::ReplaceEditSelection(NativeHandle(), masked.get());
}

bool EditPane::TypeIntoPassword(uint32_t message, uintptr_t wParam) {
  if (message == kCharMessage) {
    const char16_t unit = static_cast<char16_t>(wParam);
    if (unit == u'\b') {  // Backspace: the selection, or the character before the caret
      EditSelection s = Selection();
      if (s.length == 0 && s.start > 0) Select(s.start - 1, 1);
      ReplaceUnmasked(std::u16string());
      return true;
    }
    if (unit < 32 && unit != u'\t') return false;  // Return, Escape and the others keep their meaning
    ReplaceUnmasked(std::u16string(1, unit));
    return true;
  }
  if (message == kKeyDownMessage && wParam == kDeleteKey) {
    EditSelection s = Selection();
    if (s.length == 0) Select(s.start, 1);
    ReplaceUnmasked(std::u16string());
    return true;
  }
  if (message == kPasteMessage) {
    String clip = native::ClipboardText();
    ReplaceUnmasked(WideOf(clip.get()));
    return true;
  }
  return false;
}

}  // namespace ql::ui
