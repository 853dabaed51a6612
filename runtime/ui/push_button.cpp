// Class PushButton: its tables and accessors.
#include "ui/push_button.h"

#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/objects.h"
#include "ui/button_pane.h"
#include "ui/control_fields.h"
#include "ui/events.h"

namespace ql::ui {
namespace {

PushButtonObject* Button(RuntimeObject* o) { return FieldsOf<PushButtonObject>(o); }
ButtonPane* PaneOf(PushButtonObject* b) { return static_cast<ButtonPane*>(b->control.pane); }

void DestroyPushButton(RuntimeObject* o) {
  PushButtonObject* b = AsPushButton(o);
  ReleaseString(b->caption);
  ReleaseString(b->font.textFont);
  b->caption = b->font.textFont = nullptr;
  FreeReceivers(&b->receivers);
}

void CreateButtonPane(RuntimeObject* o) { ButtonPane::Create(AsPushButton(o)); }

void RebuildFont(PushButtonObject* b) {
  if (ButtonPane* pane = PaneOf(b)) pane->UseFont(ChoiceOf(b->font));
}

const PropertyEntry kProperties[] = {
    Property("Caption", types::String, QL_LINK(pushButtonTitleGetter), QL_LINK(pushButtonTitleSetter)),
    Property("Default", types::Boolean, QL_LINK(pushButtonDefaultGetter), QL_LINK(pushButtonDefaultSetter)),
    Property("Cancel", types::Boolean, QL_LINK(pushButtonCancelGetter), QL_LINK(pushButtonCancelSetter)),
    Property("TextFont", types::String, QL_LINK(pushButtonTextFontGetter), QL_LINK(pushButtonTextFontSetter)),
    Property("TextSize", types::Integer, QL_LINK(pushButtonTextSizeGetter), QL_LINK(pushButtonTextSizeSetter)),
    Property("Bold", types::Boolean, QL_LINK(pushButtonBoldGetter), QL_LINK(pushButtonBoldSetter)),
    Property("Italic", types::Boolean, QL_LINK(pushButtonItalicGetter), QL_LINK(pushButtonItalicSetter)),
    Property("Underline", types::Boolean, QL_LINK(pushButtonUnderlineGetter), QL_LINK(pushButtonUnderlineSetter)),
};

const EventDeclarationEntry kEvents[] = {
    Event("Action"),
    Event("MouseDown", "X As Integer, Y As Integer", "Boolean"),
    Event("MouseUp", "X As Integer, Y As Integer", "Boolean"),
    Event("GotFocus"),
    Event("LostFocus"),
};

const ParameterEntry kReceiverParameter[] = {
    Parameter("receiver", TypeOf(intrinsic::actionNotificationReceiver))};

const MethodEntry kMethods[] = {
    Method("addActionNotificationReceiver", QL_LINK(pbAddActionNotificationReceiver), nullptr, kReceiverParameter),
    Method("removeActionNotificationReceiver", QL_LINK(pbRemoveActionNotificationReceiver), nullptr,
           kReceiverParameter),
    Method("Push", QL_LINK(pushButtonPush)),
};

const EventImplementation kHandlers[] = {Handles("CreatePane", CreateButtonPane)};

}  // namespace

void DeliverButtonAction(PushButtonObject* button) {
  RuntimeObject* o = &button->control.header;
  ObjectRef hold = ObjectRef::Retain(o);
  NotifyReceivers(button->receivers, intrinsic::actionNotificationReceiver);
  FireEvent(o, static_cast<int32_t>(PushButtonEvent::Action));
}

}  // namespace ql::ui

namespace ql::intrinsic {
const ClassDescription PushButtonDescription{
    .name = "PushButton",
    .super = &RectControl,
    .instanceSize = sizeof(ui::PushButtonObject),
    .destroyHook = ui::DestroyPushButton,
    .events = ui::kEvents,
    .properties = ui::kProperties,
    .methods = ui::kMethods,
    .eventHandlers = ui::kHandlers,
};
ObjectDefinition PushButton(PushButtonDescription);
}  // namespace ql::intrinsic

using namespace ql;
using namespace ql::ui;

QL_ENTRY RuntimeString* pushButtonTitleGetter(RuntimeObject* o, uint32_t) {
  PushButtonObject* b = Button(o);
  return b ? Retained(b->caption) : nullptr;
}
QL_ENTRY void pushButtonTitleSetter(RuntimeObject* o, uint32_t, RuntimeString* caption) {
  PushButtonObject* b = Button(o);
  if (!b) return;
  AssignString(&b->caption, caption);
  if (ButtonPane* pane = PaneOf(b)) pane->SetCaption(caption);
}

QL_ENTRY bool pushButtonDefaultGetter(RuntimeObject* o, uint32_t) {
  PushButtonObject* b = Button(o);
  return b && b->isDefault;
}
QL_ENTRY void pushButtonDefaultSetter(RuntimeObject* o, uint32_t, bool v) {
  PushButtonObject* b = Button(o);
  if (!b) return;
  b->isDefault = v;
  if (ButtonPane* pane = PaneOf(b)) pane->ShowDefaultFrame();
}
QL_ENTRY bool pushButtonCancelGetter(RuntimeObject* o, uint32_t) {
  PushButtonObject* b = Button(o);
  return b && b->isCancel;
}
QL_ENTRY void pushButtonCancelSetter(RuntimeObject* o, uint32_t, bool v) {
  if (PushButtonObject* b = Button(o)) b->isCancel = v;
}

QL_ENTRY RuntimeString* pushButtonTextFontGetter(RuntimeObject* o, uint32_t) { return FontFaceOf<PushButtonObject>(o); }
QL_ENTRY void pushButtonTextFontSetter(RuntimeObject* o, uint32_t, RuntimeString* font) {
  if (PushButtonObject* t = SetFontFace<PushButtonObject>(o, font)) RebuildFont(t);
}
QL_ENTRY int32_t pushButtonTextSizeGetter(RuntimeObject* o, uint32_t) { return FontSizeOf<PushButtonObject>(o); }
QL_ENTRY void pushButtonTextSizeSetter(RuntimeObject* o, uint32_t, int32_t size) {
  if (PushButtonObject* t = SetFontSize<PushButtonObject>(o, size)) RebuildFont(t);
}
QL_ENTRY bool pushButtonBoldGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<PushButtonObject>(o, FontFlag::Bold); }
QL_ENTRY void pushButtonBoldSetter(RuntimeObject* o, uint32_t, bool v) {
  if (PushButtonObject* t = SetFontFlag<PushButtonObject>(o, FontFlag::Bold, v)) RebuildFont(t);
}
QL_ENTRY bool pushButtonItalicGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<PushButtonObject>(o, FontFlag::Italic); }
QL_ENTRY void pushButtonItalicSetter(RuntimeObject* o, uint32_t, bool v) {
  if (PushButtonObject* t = SetFontFlag<PushButtonObject>(o, FontFlag::Italic, v)) RebuildFont(t);
}
QL_ENTRY bool pushButtonUnderlineGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<PushButtonObject>(o, FontFlag::Underline); }
QL_ENTRY void pushButtonUnderlineSetter(RuntimeObject* o, uint32_t, bool v) {
  if (PushButtonObject* t = SetFontFlag<PushButtonObject>(o, FontFlag::Underline, v)) RebuildFont(t);
}

QL_ENTRY void pbAddActionNotificationReceiver(RuntimeObject* o, RuntimeObject* receiver) {
  if (PushButtonObject* b = Button(o)) AddReceiver(&b->receivers, receiver);
}
QL_ENTRY void pbRemoveActionNotificationReceiver(RuntimeObject* o, RuntimeObject* receiver) {
  if (PushButtonObject* b = Button(o)) RemoveReceiver(&b->receivers, receiver);
}

QL_ENTRY void pushButtonPush(RuntimeObject* o) {
  PushButtonObject* b = Button(o);
  if (ButtonPane* pane = b ? PaneOf(b) : nullptr) pane->Push();
}
