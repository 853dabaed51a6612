// Class GroupBox: its tables and accessors.
#include "ui/group_box.h"

#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/objects.h"
#include "ui/control_fields.h"
#include "ui/group_pane.h"

namespace ql::ui {
namespace {

GroupBoxObject* Group(RuntimeObject* o) { return FieldsOf<GroupBoxObject>(o); }
GroupPane* PaneOf(GroupBoxObject* g) { return static_cast<GroupPane*>(g->control.pane); }

void DestroyGroupBox(RuntimeObject* o) {
  GroupBoxObject* g = AsGroupBox(o);
  ReleaseString(g->font.textFont);
  ReleaseString(g->caption);
  g->font.textFont = g->caption = nullptr;
}

void CreateGroupPane(RuntimeObject* o) { GroupPane::Create(AsGroupBox(o)); }

void RebuildFont(GroupBoxObject* g) {
  if (GroupPane* pane = PaneOf(g)) pane->UseFont(ChoiceOf(g->font));
}

const PropertyEntry kProperties[] = {
    Property("Caption", types::String, QL_LINK(groupCaptionGetter), QL_LINK(groupCaptionSetter)),
    Property("TextFont", types::String, QL_LINK(groupTextFontGetter), QL_LINK(groupTextFontSetter)),
    Property("TextSize", types::Integer, QL_LINK(groupTextSizeGetter), QL_LINK(groupTextSizeSetter)),
    Property("Bold", types::Boolean, QL_LINK(groupBoldGetter), QL_LINK(groupBoldSetter)),
    Property("Italic", types::Boolean, QL_LINK(groupItalicGetter), QL_LINK(groupItalicSetter)),
    Property("Underline", types::Boolean, QL_LINK(groupUnderlineGetter), QL_LINK(groupUnderlineSetter)),
};

const EventDeclarationEntry kEvents[] = {
    Event("MouseDown", "X As Integer, Y As Integer", "Boolean"),
    Event("MouseDrag", "X As Integer, Y As Integer"),
    Event("MouseUp", "X As Integer, Y As Integer"),
};

const EventImplementation kHandlers[] = {Handles("CreatePane", CreateGroupPane)};

}  // namespace
}  // namespace ql::ui

namespace ql::intrinsic {
const ClassDescription GroupBoxDescription{
    .name = "GroupBox",
    .super = &RectControl,
    .instanceSize = sizeof(ui::GroupBoxObject),
    .destroyHook = ui::DestroyGroupBox,
    .events = ui::kEvents,
    .properties = ui::kProperties,
    .eventHandlers = ui::kHandlers,
};
ObjectDefinition GroupBox(GroupBoxDescription);
}  // namespace ql::intrinsic

using namespace ql;
using namespace ql::ui;

QL_ENTRY RuntimeString* groupCaptionGetter(RuntimeObject* o, uint32_t) {
  GroupBoxObject* g = Group(o);
  return g ? Retained(g->caption) : nullptr;
}
QL_ENTRY void groupCaptionSetter(RuntimeObject* o, uint32_t, RuntimeString* caption) {
  GroupBoxObject* g = Group(o);
  if (!g) return;
  AssignString(&g->caption, caption);
  if (GroupPane* pane = PaneOf(g)) pane->SetCaption(caption);
}

QL_ENTRY RuntimeString* groupTextFontGetter(RuntimeObject* o, uint32_t) { return FontFaceOf<GroupBoxObject>(o); }
QL_ENTRY void groupTextFontSetter(RuntimeObject* o, uint32_t, RuntimeString* font) {
  if (GroupBoxObject* t = SetFontFace<GroupBoxObject>(o, font)) RebuildFont(t);
}
QL_ENTRY int32_t groupTextSizeGetter(RuntimeObject* o, uint32_t) { return FontSizeOf<GroupBoxObject>(o); }
QL_ENTRY void groupTextSizeSetter(RuntimeObject* o, uint32_t, int32_t size) {
  if (GroupBoxObject* t = SetFontSize<GroupBoxObject>(o, size)) RebuildFont(t);
}
QL_ENTRY bool groupBoldGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<GroupBoxObject>(o, FontFlag::Bold); }
QL_ENTRY void groupBoldSetter(RuntimeObject* o, uint32_t, bool v) {
  if (GroupBoxObject* t = SetFontFlag<GroupBoxObject>(o, FontFlag::Bold, v)) RebuildFont(t);
}
QL_ENTRY bool groupItalicGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<GroupBoxObject>(o, FontFlag::Italic); }
QL_ENTRY void groupItalicSetter(RuntimeObject* o, uint32_t, bool v) {
  if (GroupBoxObject* t = SetFontFlag<GroupBoxObject>(o, FontFlag::Italic, v)) RebuildFont(t);
}
QL_ENTRY bool groupUnderlineGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<GroupBoxObject>(o, FontFlag::Underline); }
QL_ENTRY void groupUnderlineSetter(RuntimeObject* o, uint32_t, bool v) {
  if (GroupBoxObject* t = SetFontFlag<GroupBoxObject>(o, FontFlag::Underline, v)) RebuildFont(t);
}
