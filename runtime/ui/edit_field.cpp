// Class EditField: its tables and accessors. Without a pane every setter
// stores; with one the pane follows (ui/edit_pane.h).
#include "ui/edit_field.h"

#include <vector>

#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/objects.h"
#include "ui/control_fields.h"
#include "ui/edit_pane.h"

namespace ql::ui {
namespace {

enum : uint32_t {
  kAutoHScroll = 0x80,
  kMultiLineNoHide = 0x104,        // ES_MULTILINE | ES_NOHIDESEL
  kMultiLineVScroll = 0x200144,    // WS_VSCROLL | ES_NOHIDESEL | ES_AUTOVSCROLL | ES_MULTILINE
  kHScroll = 0x100080,             // WS_HSCROLL | ES_AUTOHSCROLL
  kClientEdge = 0x200,             // WS_EX_CLIENTEDGE
};

EditFieldObject* Field(RuntimeObject* o) { return FieldsOf<EditFieldObject>(o); }

EditPane* PaneOf(EditFieldObject* f) { return static_cast<EditPane*>(f->control.pane); }

void InitEditField(RuntimeObject* o) {
  EditFieldObject* f = AsEditField(o);
  f->backColor = 0xFFFFFF;  // the system's window colour until the program sets one
}

void DestroyEditField(RuntimeObject* o) {
  EditFieldObject* f = AsEditField(o);
  ReleaseString(f->dataSource);
  ReleaseString(f->dataField);
  ReleaseString(f->font.textFont);
  ReleaseString(f->text);
  RuntimeUnlockObject(f->binding);
  f->dataSource = f->dataField = f->font.textFont = f->text = nullptr;
  f->binding = nullptr;
}

void CreateEditPane(RuntimeObject* o) { EditPane::Create(AsEditField(o)); }

// A flag the pane reads only when it is created.
template <uint8_t EditFieldObject::*Member>
bool CreationFlagGetter(RuntimeObject* o) {
  EditFieldObject* f = Field(o);
  return f && f->*Member;
}
template <uint8_t EditFieldObject::*Member>
void CreationFlagSetter(RuntimeObject* o, bool value) {
  if (EditFieldObject* f = Field(o)) f->*Member = value;
}

void RebuildFont(EditFieldObject* f) {
  if (EditPane* pane = PaneOf(f)) pane->UseFont(ChoiceOf(f->font));
}

// --- Tables ---

const PropertyEntry kProperties[] = {
    Property("Text", types::String, QL_LINK(editTextGetter), QL_LINK(editTextSetter)),
    ReadOnlyProperty("TextStyleData", types::String, QL_LINK(editTextStyleDataGetter)),
    Property("Border", types::Boolean, QL_LINK(editBorderGetter), QL_LINK(editBorderSetter)),
    Property("MultiLine", types::Boolean, QL_LINK(editMultiLineGetter), QL_LINK(editMultiLineSetter)),
    Property("ReadOnly", types::Boolean, QL_LINK(editReadOnlyGetter), QL_LINK(editReadOnlySetter)),
    Property("Password", types::Boolean, QL_LINK(editPasswordGetter), QL_LINK(editPasswordSetter)),
    Property("Styled", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter), offsetof(EditFieldObject, styled)),
    Property("AcceptTabs", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(EditFieldObject, acceptTabs)),
    Property("TextColor", types::Color, QL_LINK(intGetter), QL_LINK(editTextColorSetter),
             offsetof(EditFieldObject, textColor)),
    Property("BackColor", types::Color, QL_LINK(intGetter), QL_LINK(editBackColorSetter),
             offsetof(EditFieldObject, backColor)),
    Property("ScrollBarHorizontal", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(EditFieldObject, scrollBarHorizontal)),
    Property("ScrollBarVertical", types::Boolean, QL_LINK(editScrollBarGetter), QL_LINK(editScrollBarSetter)),
    Property("ScrollBar", types::Boolean, QL_LINK(editScrollBarGetter), QL_LINK(editScrollBarSetter)),
    Property("TextFont", types::String, QL_LINK(editTextFontGetter), QL_LINK(editTextFontSetter)),
    Property("TextSize", types::Integer, QL_LINK(editTextSizeGetter), QL_LINK(editTextSizeSetter)),
    Property("Bold", types::Boolean, QL_LINK(editBoldGetter), QL_LINK(editBoldSetter)),
    Property("Italic", types::Boolean, QL_LINK(editItalicGetter), QL_LINK(editItalicSetter)),
    Property("Underline", types::Boolean, QL_LINK(editUnderlineGetter), QL_LINK(editUnderlineSetter)),
    Property("SelStart", types::Integer, QL_LINK(editSelStartGetter), QL_LINK(editSelStartSetter)),
    Property("SelLength", types::Integer, QL_LINK(editSelLengthGetter), QL_LINK(editSelLengthSetter)),
    Property("SelText", types::String, QL_LINK(editSelTextGetter), QL_LINK(editSelTextSetter)),
    Property("LimitText", types::Integer, QL_LINK(editLimitTextGetter), QL_LINK(editLimitTextSetter)),
    Property("SelBold", types::Boolean, QL_LINK(editSelBoldGetter), QL_LINK(editSelBoldSetter)),
    Property("SelUnderline", types::Boolean, QL_LINK(editSelUnderlineGetter), QL_LINK(editSelUnderlineSetter)),
    Property("SelItalic", types::Boolean, QL_LINK(editSelItalicGetter), QL_LINK(editSelItalicSetter)),
    Property("SelOutline", types::Boolean, QL_LINK(editSelOutlineGetter), QL_LINK(editSelOutlineSetter)),
    Property("SelShadow", types::Boolean, QL_LINK(editSelShadowGetter), QL_LINK(editSelShadowSetter)),
    Property("SelCondense", types::Boolean, QL_LINK(editSelCondenseGetter), QL_LINK(editSelCondenseSetter)),
    Property("SelExtend", types::Boolean, QL_LINK(editSelExtendGetter), QL_LINK(editSelExtendSetter)),
    Property("SelPlain", types::Boolean, QL_LINK(editSelPlainGetter), QL_LINK(editSelPlainSetter)),
    Property("SelTextFont", types::String, QL_LINK(editSelTextFontGetter), QL_LINK(editSelTextFontSetter)),
    Property("SelTextSize", types::Integer, QL_LINK(editSelTextSizeGetter), QL_LINK(editSelTextSizeSetter)),
    Property("SelTextColor", types::Color, QL_LINK(editSelTextColorGetter), QL_LINK(editSelTextColorSetter)),
    Property("LiveUpdate", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(EditFieldObject, liveUpdate)),
    Property("UseFocusRing", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(EditFieldObject, useFocusRing)),
    Property("DataSource", types::String, QL_LINK(EditDataSourceGetter), QL_LINK(EditDataSourceSetter)),
    Property("DataField", types::String, QL_LINK(stringGetter), QL_LINK(EditDataFieldSetter),
             offsetof(EditFieldObject, dataField)),
    Property("Alignment", types::Integer, QL_LINK(intGetter), QL_LINK(EditAlignmentSetter),
             offsetof(EditFieldObject, alignment)),
    Property("SelAlignment", types::Integer, QL_LINK(EditSelAlignmentGetter), QL_LINK(EditSelAlignmentSetter)),
};

const EventDeclarationEntry kEvents[] = {
    Event("KeyDown", "Key As String", "Boolean"),
    Event("GotFocus"),
    Event("LostFocus"),
    Event("MouseDown", "X As Integer, Y As Integer", "Boolean"),
    Event("MouseUp", "X As Integer, Y As Integer"),
    Event("SelChange"),
    Event("TextChange"),
    Event("EnableMenuItems"),
};

const ParameterEntry kStringParameter[] = {Parameter("Str", types::String)};
const ParameterEntry kTextAndStyleParameters[] = {Parameter("text", types::String), Parameter("style", types::String)};
const ParameterEntry kPrinterParameters[] = {Parameter("g", TypeOf(intrinsic::Graphics)),
                                             Parameter("width", types::Integer)};
const ParameterEntry kPositionParameter[] = {Parameter("v", types::Integer)};
const ParameterEntry kPointParameters[] = {Parameter("x", types::Integer), Parameter("y", types::Integer)};

const MethodEntry kMethods[] = {
    Method("ToggleSelectionBold", QL_LINK(editToggleSelectionBold)),
    Method("ToggleSelectionUnderline", QL_LINK(editToggleSelectionUnderline)),
    Method("ToggleSelectionItalic", QL_LINK(editToggleSelectionItalic)),
    Method("ToggleSelectionShadow", QL_LINK(editToggleSelectionShadow)),
    Method("ToggleSelectionOutline", QL_LINK(editToggleSelectionOutline)),
    Method("ToggleSelectionCondense", QL_LINK(editToggleSelectionCondense)),
    Method("ToggleSelectionExtend", QL_LINK(editToggleSelectionExtend)),
    Method("SetTextAndStyle", QL_LINK(editSetTextAndStyle), nullptr, kTextAndStyleParameters),
    Method("setString", QL_LINK(editSetString), nullptr, kStringParameter),
    Method("styledTextPrinter", QL_LINK(editStyleTextPrinter), TypeOf(intrinsic::StyledTextPrinter),
           kPrinterParameters),
    Method("LineNumAtCharPos", QL_LINK(editLineNumAtCharPos), types::Integer, kPositionParameter),
    Method("CharPosAtLineNum", QL_LINK(editCharPosAtLineNum), types::Integer, kPositionParameter),
    Method("CharPosAtXY", QL_LINK(editCharPosAtXY), types::Integer, kPointParameters),
    Method("InsertionPosAtXY", QL_LINK(editInsertionPosAtXY), types::Integer, kPointParameters),
    Method("Copy", QL_LINK(editCopyToClipboard)),
    Method("Paste", QL_LINK(editPasteFromClipboard)),
};

const EventImplementation kHandlers[] = {Handles("CreatePane", CreateEditPane)};

}  // namespace

EditWindowStyle EditStyleOf(const EditFieldObject& f) {
  uint32_t style = kAutoHScroll;
  if (f.multiLine) {
    style = f.scrollBarVertical ? kMultiLineVScroll : kMultiLineNoHide;
    if (f.scrollBarHorizontal) style |= kHScroll;
  }
  return EditWindowStyle{style, f.border ? kClientEdge : 0u};
}

String MaskedText(RuntimeString* text) {
  // Per UTF-16 unit, as the control counts positions.
  String wide = ConvertToUTF16(text);
  const int32_t count = wide.length() / 2;
  std::vector<char> out(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    const char16_t unit = WideUnitAt(wide.text(), i);
    out[static_cast<size_t>(i)] = unit > 31 ? '*' : static_cast<char>(unit);
  }
  return NewStringFromBytes(out.data(), count, QL_ENCODING_UTF8);
}

int32_t EffectiveTextLimit(int32_t limitText) { return limitText == 0 ? 1000000 : limitText; }

}  // namespace ql::ui

namespace ql::intrinsic {
const ClassDescription EditFieldDescription{
    .name = "EditField",
    .super = &RectControl,
    .instanceSize = sizeof(ui::EditFieldObject),
    .initHook = ui::InitEditField,
    .destroyHook = ui::DestroyEditField,
    .events = ui::kEvents,
    .properties = ui::kProperties,
    .methods = ui::kMethods,
    .eventHandlers = ui::kHandlers,
};
ObjectDefinition EditField(EditFieldDescription);
}  // namespace ql::intrinsic

using namespace ql;
using namespace ql::ui;

namespace {

// Selection formats the pane reads and writes (ui/edit_pane.h).
bool SelectionEffect(RuntimeObject* o, SelectionEffectBit bit) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane && pane->SelectionHas(bit);
}
void SetSelectionEffect(RuntimeObject* o, SelectionEffectBit bit, bool on) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->SetSelectionEffect(bit, on);
}
void ToggleSelectionEffect(RuntimeObject* o, SelectionEffectBit bit) {
  SetSelectionEffect(o, bit, !SelectionEffect(o, bit));
}

}  // namespace

// --- Text ---

QL_ENTRY RuntimeString* editTextGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  if (!f) return nullptr;
  if (EditPane* pane = PaneOf(f)) return pane->Text().release();
  return Retained(f->text);
}

QL_ENTRY void editTextSetter(RuntimeObject* o, uint32_t, RuntimeString* text) {
  EditFieldObject* f = Field(o);
  if (!f) return;
  String hold = String::Retain(text);  // a handler may replace Text while the pane shows it
  if (EditPane* pane = PaneOf(f)) pane->ShowText(text);
  AssignString(&f->text, text);
}

QL_ENTRY void editSetString(RuntimeObject* o, RuntimeString* text) { editTextSetter(o, 0, text); }

// No style data format is defined: a field reports none.
QL_ENTRY RuntimeString* editTextStyleDataGetter(RuntimeObject* o, uint32_t) {
  Field(o);
  return nullptr;
}

// --- Flags used when the pane is created ---

QL_ENTRY bool editBorderGetter(RuntimeObject* o, uint32_t) { return CreationFlagGetter<&EditFieldObject::border>(o); }
QL_ENTRY void editBorderSetter(RuntimeObject* o, uint32_t, bool v) { CreationFlagSetter<&EditFieldObject::border>(o, v); }
QL_ENTRY bool editMultiLineGetter(RuntimeObject* o, uint32_t) {
  return CreationFlagGetter<&EditFieldObject::multiLine>(o);
}
QL_ENTRY void editMultiLineSetter(RuntimeObject* o, uint32_t, bool v) {
  CreationFlagSetter<&EditFieldObject::multiLine>(o, v);
}
QL_ENTRY bool editScrollBarGetter(RuntimeObject* o, uint32_t) {
  return CreationFlagGetter<&EditFieldObject::scrollBarVertical>(o);
}
QL_ENTRY void editScrollBarSetter(RuntimeObject* o, uint32_t, bool v) {
  CreationFlagSetter<&EditFieldObject::scrollBarVertical>(o, v);
}

// --- Setters the open pane follows ---

QL_ENTRY bool editReadOnlyGetter(RuntimeObject* o, uint32_t) {
  return CreationFlagGetter<&EditFieldObject::readOnly>(o);
}
QL_ENTRY void editReadOnlySetter(RuntimeObject* o, uint32_t, bool v) {
  EditFieldObject* f = Field(o);
  if (!f) return;
  f->readOnly = v;
  if (EditPane* pane = PaneOf(f)) pane->SetReadOnly(v);
}

QL_ENTRY bool editPasswordGetter(RuntimeObject* o, uint32_t) {
  return CreationFlagGetter<&EditFieldObject::password>(o);
}
QL_ENTRY void editPasswordSetter(RuntimeObject* o, uint32_t, bool v) {
  EditFieldObject* f = Field(o);
  if (!f) return;
  f->password = v;
  if (EditPane* pane = PaneOf(f)) pane->SetPassword(v);
}

QL_ENTRY void editTextColorSetter(RuntimeObject* o, uint32_t, int32_t color) {
  EditFieldObject* f = Field(o);
  if (!f) return;
  f->textColor = color;
  if (EditPane* pane = PaneOf(f)) pane->SetTextColor(color);
}

QL_ENTRY void editBackColorSetter(RuntimeObject* o, uint32_t, int32_t color) {
  EditFieldObject* f = Field(o);
  if (!f) return;
  f->backColor = color;
  if (EditPane* pane = PaneOf(f)) pane->SetBackColor(color);
}

QL_ENTRY int32_t editLimitTextGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  return f ? f->limitText : 0;
}
QL_ENTRY void editLimitTextSetter(RuntimeObject* o, uint32_t, int32_t limit) {
  EditFieldObject* f = Field(o);
  if (!f) return;
  f->limitText = limit;
  if (EditPane* pane = PaneOf(f)) pane->SetLimit(limit);
}

QL_ENTRY void EditAlignmentSetter(RuntimeObject* o, uint32_t, int32_t alignment) {
  EditFieldObject* f = Field(o);
  if (!f) return;
  f->alignment = alignment;
  if (EditPane* pane = PaneOf(f)) pane->SetAlignment(alignment);
}

// --- Font ---

QL_ENTRY RuntimeString* editTextFontGetter(RuntimeObject* o, uint32_t) { return FontFaceOf<EditFieldObject>(o); }
QL_ENTRY void editTextFontSetter(RuntimeObject* o, uint32_t, RuntimeString* font) {
  if (EditFieldObject* t = SetFontFace<EditFieldObject>(o, font)) RebuildFont(t);
}
QL_ENTRY int32_t editTextSizeGetter(RuntimeObject* o, uint32_t) { return FontSizeOf<EditFieldObject>(o); }
QL_ENTRY void editTextSizeSetter(RuntimeObject* o, uint32_t, int32_t size) {
  if (EditFieldObject* t = SetFontSize<EditFieldObject>(o, size)) RebuildFont(t);
}
QL_ENTRY bool editBoldGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<EditFieldObject>(o, FontFlag::Bold); }
QL_ENTRY void editBoldSetter(RuntimeObject* o, uint32_t, bool v) {
  if (EditFieldObject* t = SetFontFlag<EditFieldObject>(o, FontFlag::Bold, v)) RebuildFont(t);
}
QL_ENTRY bool editItalicGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<EditFieldObject>(o, FontFlag::Italic); }
QL_ENTRY void editItalicSetter(RuntimeObject* o, uint32_t, bool v) {
  if (EditFieldObject* t = SetFontFlag<EditFieldObject>(o, FontFlag::Italic, v)) RebuildFont(t);
}
QL_ENTRY bool editUnderlineGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<EditFieldObject>(o, FontFlag::Underline); }
QL_ENTRY void editUnderlineSetter(RuntimeObject* o, uint32_t, bool v) {
  if (EditFieldObject* t = SetFontFlag<EditFieldObject>(o, FontFlag::Underline, v)) RebuildFont(t);
}

// --- Selection: only an open field has one ---

QL_ENTRY int32_t editSelStartGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->Selection().start : 0;
}
QL_ENTRY void editSelStartSetter(RuntimeObject* o, uint32_t, int32_t start) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->Select(start, 0);
}
QL_ENTRY int32_t editSelLengthGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->Selection().length : 0;
}
QL_ENTRY void editSelLengthSetter(RuntimeObject* o, uint32_t, int32_t length) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->Select(pane->Selection().start, length);
}
QL_ENTRY RuntimeString* editSelTextGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->SelectedText().release() : nullptr;
}
QL_ENTRY void editSelTextSetter(RuntimeObject* o, uint32_t, RuntimeString* text) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->ReplaceSelection(text);
}

QL_ENTRY bool editSelBoldGetter(RuntimeObject* o, uint32_t) { return SelectionEffect(o, kSelectionBold); }
QL_ENTRY void editSelBoldSetter(RuntimeObject* o, uint32_t, bool v) { SetSelectionEffect(o, kSelectionBold, v); }
QL_ENTRY bool editSelUnderlineGetter(RuntimeObject* o, uint32_t) { return SelectionEffect(o, kSelectionUnderline); }
QL_ENTRY void editSelUnderlineSetter(RuntimeObject* o, uint32_t, bool v) {
  SetSelectionEffect(o, kSelectionUnderline, v);
}
QL_ENTRY bool editSelItalicGetter(RuntimeObject* o, uint32_t) { return SelectionEffect(o, kSelectionItalic); }
QL_ENTRY void editSelItalicSetter(RuntimeObject* o, uint32_t, bool v) { SetSelectionEffect(o, kSelectionItalic, v); }
QL_ENTRY bool editSelOutlineGetter(RuntimeObject* o, uint32_t) { return SelectionEffect(o, kSelectionOutline); }
QL_ENTRY void editSelOutlineSetter(RuntimeObject* o, uint32_t, bool v) {
  SetSelectionEffect(o, kSelectionOutline, v);
}
QL_ENTRY bool editSelShadowGetter(RuntimeObject* o, uint32_t) { return SelectionEffect(o, kSelectionShadow); }
QL_ENTRY void editSelShadowSetter(RuntimeObject* o, uint32_t, bool v) { SetSelectionEffect(o, kSelectionShadow, v); }
QL_ENTRY bool editSelCondenseGetter(RuntimeObject* o, uint32_t) { return SelectionEffect(o, kSelectionCondense); }
QL_ENTRY void editSelCondenseSetter(RuntimeObject* o, uint32_t, bool v) {
  SetSelectionEffect(o, kSelectionCondense, v);
}
QL_ENTRY bool editSelExtendGetter(RuntimeObject* o, uint32_t) { return SelectionEffect(o, kSelectionExtend); }
QL_ENTRY void editSelExtendSetter(RuntimeObject* o, uint32_t, bool v) { SetSelectionEffect(o, kSelectionExtend, v); }
// Plain: none of the effects; setting it clears them all.
QL_ENTRY bool editSelPlainGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane && pane->SelectionPlain();
}
QL_ENTRY void editSelPlainSetter(RuntimeObject* o, uint32_t, bool v) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr; pane && v) pane->ClearSelectionEffects();
}

QL_ENTRY RuntimeString* editSelTextFontGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->SelectionFace().release() : nullptr;
}
QL_ENTRY void editSelTextFontSetter(RuntimeObject* o, uint32_t, RuntimeString* font) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->SetSelectionFace(font);
}
QL_ENTRY int32_t editSelTextSizeGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->SelectionSize() : 0;
}
QL_ENTRY void editSelTextSizeSetter(RuntimeObject* o, uint32_t, int32_t size) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->SetSelectionSize(size);
}
QL_ENTRY int32_t editSelTextColorGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->SelectionColor() : 0;
}
QL_ENTRY void editSelTextColorSetter(RuntimeObject* o, uint32_t, int32_t color) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->SetSelectionColor(color);
}
QL_ENTRY int32_t EditSelAlignmentGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->SelectionAlignment() : 0;
}
QL_ENTRY void EditSelAlignmentSetter(RuntimeObject* o, uint32_t, int32_t alignment) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->SetSelectionAlignment(alignment);
}

// --- Data binding: the names are kept; binding itself is not built ---

QL_ENTRY RuntimeString* EditDataSourceGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  return f ? Retained(f->dataSource) : nullptr;
}
QL_ENTRY void EditDataSourceSetter(RuntimeObject* o, uint32_t, RuntimeString* name) {
  if (EditFieldObject* f = Field(o)) AssignString(&f->dataSource, name);
}
QL_ENTRY void EditDataFieldSetter(RuntimeObject* o, uint32_t, RuntimeString* name) {
  if (EditFieldObject* f = Field(o)) AssignString(&f->dataField, name);
}

// --- Scrolling and positions: 0 without a pane ---

QL_ENTRY int32_t editScrollPositionGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->FirstVisibleLine() : 0;
}
QL_ENTRY void editScrollPositionSetter(RuntimeObject* o, uint32_t, int32_t line) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->ScrollToLine(line);
}
QL_ENTRY int32_t EditScrollPositionXGetter(RuntimeObject* o, uint32_t) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->HorizontalScroll() : 0;
}
QL_ENTRY void EditScrollPositionXSetter(RuntimeObject* o, uint32_t, int32_t x) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->ScrollHorizontallyTo(x);
}
QL_ENTRY int32_t editLineNumAtCharPos(RuntimeObject* o, int32_t position) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->LineOfCharacter(position) : 0;
}
QL_ENTRY int32_t editCharPosAtLineNum(RuntimeObject* o, int32_t line) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->FirstCharacterOfLine(line) : 0;
}
QL_ENTRY int32_t editCharPosAtXY(RuntimeObject* o, int32_t x, int32_t y) {
  EditFieldObject* f = Field(o);
  EditPane* pane = f ? PaneOf(f) : nullptr;
  return pane ? pane->CharacterAt(x, y) : 0;
}
QL_ENTRY int32_t editInsertionPosAtXY(RuntimeObject* o, int32_t x, int32_t y) { return editCharPosAtXY(o, x, y); }

// --- Methods ---

QL_ENTRY void editToggleSelectionBold(RuntimeObject* o) { ToggleSelectionEffect(o, kSelectionBold); }
QL_ENTRY void editToggleSelectionUnderline(RuntimeObject* o) { ToggleSelectionEffect(o, kSelectionUnderline); }
QL_ENTRY void editToggleSelectionItalic(RuntimeObject* o) { ToggleSelectionEffect(o, kSelectionItalic); }
QL_ENTRY void editToggleSelectionShadow(RuntimeObject* o) { ToggleSelectionEffect(o, kSelectionShadow); }
QL_ENTRY void editToggleSelectionOutline(RuntimeObject* o) { ToggleSelectionEffect(o, kSelectionOutline); }
QL_ENTRY void editToggleSelectionCondense(RuntimeObject* o) { ToggleSelectionEffect(o, kSelectionCondense); }
QL_ENTRY void editToggleSelectionExtend(RuntimeObject* o) { ToggleSelectionEffect(o, kSelectionExtend); }

// The style argument has no defined format: the text is set, the style ignored.
QL_ENTRY void editSetTextAndStyle(RuntimeObject* o, RuntimeString* text, RuntimeString*) { editTextSetter(o, 0, text); }

// Printing is not part of this runtime: there is no printer object.
QL_ENTRY RuntimeObject* editStyleTextPrinter(RuntimeObject* o, RuntimeObject*, int32_t) {
  Field(o);
  return nullptr;
}

QL_ENTRY void editCopyToClipboard(RuntimeObject* o) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->CopySelection();
}
QL_ENTRY void editPasteFromClipboard(RuntimeObject* o) {
  EditFieldObject* f = Field(o);
  if (EditPane* pane = f ? PaneOf(f) : nullptr) pane->PasteClipboard();
}
