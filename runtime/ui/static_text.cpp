// Class StaticText: its tables and accessors.
#include "ui/static_text.h"

#include "core/assertion.h"
#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/objects.h"
#include "ui/control_fields.h"
#include "ui/label_pane.h"

namespace ql::ui {
namespace {

StaticTextObject* Label(RuntimeObject* o) { return FieldsOf<StaticTextObject>(o); }
LabelPane* PaneOf(StaticTextObject* l) { return static_cast<LabelPane*>(l->control.pane); }

void DestroyStaticText(RuntimeObject* o) {
  StaticTextObject* l = AsStaticText(o);
  ReleaseString(l->font.textFont);
  ReleaseString(l->text);
  ReleaseString(l->dataSource);
  ReleaseString(l->dataField);
  l->font.textFont = l->text = l->dataSource = l->dataField = nullptr;
}

void CreateLabelPane(RuntimeObject* o) { LabelPane::Create(AsStaticText(o)); }

// The pane keeps copies of what it draws; it redraws only on a change.
void Refresh(StaticTextObject* l) {
  if (LabelPane* pane = PaneOf(l)) pane->TakeAppearance(*l);
}

const PropertyEntry kProperties[] = {
    Property("Text", types::String, QL_LINK(stringGetter), QL_LINK(staticCaptionSetter),
             offsetof(StaticTextObject, text)),
    Property("Caption", types::String, QL_LINK(stringGetter), QL_LINK(staticCaptionSetter),
             offsetof(StaticTextObject, text)),
    Property("TextAlign", types::Integer, QL_LINK(shortGetter), QL_LINK(staticTextAlignSetter),
             offsetof(StaticTextObject, textAlign)),
    Property("TextColor", types::Color, QL_LINK(intGetter), QL_LINK(staticTextColorSetter),
             offsetof(StaticTextObject, textColor)),
    Property("TextFont", types::String, QL_LINK(stringGetter), QL_LINK(staticTextFontSetter),
             offsetof(StaticTextObject, font.textFont)),
    Property("TextSize", types::Integer, QL_LINK(shortGetter), QL_LINK(staticTextSizeSetter),
             offsetof(StaticTextObject, font.textSize)),
    Property("Bold", types::Boolean, QL_LINK(boolGetter), QL_LINK(staticAttributeSetter),
             offsetof(StaticTextObject, font.bold)),
    Property("Italic", types::Boolean, QL_LINK(boolGetter), QL_LINK(staticAttributeSetter),
             offsetof(StaticTextObject, font.italic)),
    Property("Underline", types::Boolean, QL_LINK(boolGetter), QL_LINK(staticAttributeSetter),
             offsetof(StaticTextObject, font.underline)),
    Property("MultiLine", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(StaticTextObject, multiLine)),
    Property("DataSource", types::String, QL_LINK(StaticTextDataSourceGetter), QL_LINK(StaticTextDataSourceSetter)),
    Property("DataField", types::String, QL_LINK(stringGetter), QL_LINK(StaticTextDataFieldSetter),
             offsetof(StaticTextObject, dataField)),
};

const EventDeclarationEntry kEvents[] = {
    Event("AcceleratorKey"),
    Event("MouseDown", "X As Integer, Y As Integer", "Boolean"),
    Event("MouseDrag", "X As Integer, Y As Integer"),
    Event("MouseUp", "X As Integer, Y As Integer"),
};

const EventImplementation kHandlers[] = {Handles("CreatePane", CreateLabelPane)};

uint32_t LightenChannel(uint32_t channel8) {
  const uint32_t channel16 = channel8 * 257;
  return ((channel16 + 0x18000) / 4) >> 8;
}

}  // namespace

uint32_t DisabledTextColor(uint32_t rgb) {
  return LightenChannel((rgb >> 16) & 0xFF) << 16 | LightenChannel((rgb >> 8) & 0xFF) << 8 |
         LightenChannel(rgb & 0xFF);
}

}  // namespace ql::ui

namespace ql::intrinsic {
const ClassDescription StaticTextDescription{
    .name = "StaticText",
    .super = &RectControl,
    .instanceSize = sizeof(ui::StaticTextObject),
    .destroyHook = ui::DestroyStaticText,
    .events = ui::kEvents,
    .properties = ui::kProperties,
    .eventHandlers = ui::kHandlers,
};
ObjectDefinition StaticText(StaticTextDescription);
}  // namespace ql::intrinsic

using namespace ql;
using namespace ql::ui;

QL_ENTRY void staticCaptionSetter(RuntimeObject* o, uint32_t, RuntimeString* text) {
  StaticTextObject* l = Label(o);
  if (!l) return;
  AssignString(&l->text, text);
  Refresh(l);
}

QL_ENTRY void staticTextAlignSetter(RuntimeObject* o, uint32_t, int32_t align) {
  StaticTextObject* l = Label(o);
  if (!l) return;
  l->textAlign = static_cast<int16_t>(align);
  Refresh(l);
}

QL_ENTRY void staticTextColorSetter(RuntimeObject* o, uint32_t, int32_t color) {
  StaticTextObject* l = Label(o);
  if (!l) return;
  l->textColor = color;
  Refresh(l);
}

QL_ENTRY void staticTextFontSetter(RuntimeObject* o, uint32_t, RuntimeString* font) {
  StaticTextObject* l = Label(o);
  if (!l) return;
  AssignString(&l->font.textFont, font);
  Refresh(l);
}

QL_ENTRY void staticTextSizeSetter(RuntimeObject* o, uint32_t, int32_t size) {
  StaticTextObject* l = Label(o);
  if (!l) return;
  l->font.textSize = static_cast<int16_t>(size);
  Refresh(l);
}

// `param` names the flag: only Bold, Italic and Underline are accepted, so a
// stray param cannot write anywhere else in the object.
QL_ENTRY void staticAttributeSetter(RuntimeObject* o, uint32_t param, bool value) {
  StaticTextObject* l = Label(o);
  if (!l) return;
  uint8_t* flag = param == offsetof(StaticTextObject, font.bold)        ? &l->font.bold
                  : param == offsetof(StaticTextObject, font.italic)    ? &l->font.italic
                  : param == offsetof(StaticTextObject, font.underline) ? &l->font.underline
                                                                        : nullptr;
  if (!QL_CHECK(flag, "runctl", __LINE__, "param names Bold, Italic or Underline")) return;
  *flag = value;
  Refresh(l);
}

QL_ENTRY RuntimeString* StaticTextDataSourceGetter(RuntimeObject* o, uint32_t) {
  StaticTextObject* l = Label(o);
  return l ? Retained(l->dataSource) : nullptr;
}
QL_ENTRY void StaticTextDataSourceSetter(RuntimeObject* o, uint32_t, RuntimeString* name) {
  if (StaticTextObject* l = Label(o)) AssignString(&l->dataSource, name);
}
QL_ENTRY void StaticTextDataFieldSetter(RuntimeObject* o, uint32_t, RuntimeString* name) {
  if (StaticTextObject* l = Label(o)) AssignString(&l->dataField, name);
}
