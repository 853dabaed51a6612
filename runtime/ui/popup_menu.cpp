// Class PopupMenu: its tables and accessors over the pane's rows.
#include "ui/popup_menu.h"

#include "core/assertion.h"
#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/objects.h"
#include "ui/control_fields.h"
#include "ui/events.h"
#include "ui/popup_pane.h"

namespace ql::ui {
namespace {

PopupMenuObject* Popup(RuntimeObject* o) { return FieldsOf<PopupMenuObject>(o); }
PopupPane* PaneOf(PopupMenuObject* p) { return static_cast<PopupPane*>(p->control.pane); }
PopupPane* PaneOf(RuntimeObject* o) {
  PopupMenuObject* p = Popup(o);
  return p ? PaneOf(p) : nullptr;
}

// A row index of an open pop-up: out of range raises OutOfBoundsException.
PopupPane* PaneWithRow(RuntimeObject* o, int32_t row) {
  PopupPane* pane = PaneOf(o);
  if (!pane) return nullptr;
  if (row < 0 || row >= pane->Count()) {
    RaiseOutOfBoundsException();
    return nullptr;
  }
  return pane;
}

void InitPopupMenu(RuntimeObject* o) { AsPopupMenu(o)->pendingListIndex = -1; }

void DestroyPopupMenu(RuntimeObject* o) {
  PopupMenuObject* p = AsPopupMenu(o);
  ReleaseString(p->dataSource);
  ReleaseString(p->dataField);
  ReleaseString(p->font.textFont);
  ReleaseString(p->initialValue);
  p->dataSource = p->dataField = p->font.textFont = p->initialValue = nullptr;
  FreeReceivers(&p->receivers);
  RuntimeUnlockObject(p->provider);
  p->provider = nullptr;
}

void CreatePopupPane(RuntimeObject* o) { PopupPane::Create(AsPopupMenu(o)); }

void RebuildFont(PopupMenuObject* p) {
  if (PopupPane* pane = PaneOf(p)) pane->UseFont(ChoiceOf(p->font));
}

const PropertyEntry kProperties[] = {
    Property("TextFont", types::String, QL_LINK(popupTextFontGetter), QL_LINK(popupTextFontSetter)),
    Property("TextSize", types::Integer, QL_LINK(popupTextSizeGetter), QL_LINK(popupTextSizeSetter)),
    Property("Bold", types::Boolean, QL_LINK(popupBoldGetter), QL_LINK(popupBoldSetter)),
    Property("Italic", types::Boolean, QL_LINK(popupItalicGetter), QL_LINK(popupItalicSetter)),
    Property("Underline", types::Boolean, QL_LINK(popupUnderlineGetter), QL_LINK(popupUnderlineSetter)),
    ReadOnlyProperty("ListCount", types::Integer, QL_LINK(RuntimePopupCountGetter)),
    Property("ListIndex", types::Integer, QL_LINK(RuntimePopupSelectionGetter), QL_LINK(RuntimePopupSelectionSetter)),
    ReadOnlyProperty("Text", types::String, QL_LINK(popupTextGetter)),
    Property("InitialValue", types::String, QL_LINK(stringGetter), QL_LINK(stringSetter),
             offsetof(PopupMenuObject, initialValue)),
    Property("DataSource", types::String, QL_LINK(PopupDataSourceGetter), QL_LINK(PopupDataSourceSetter)),
    Property("DataField", types::String, QL_LINK(stringGetter), QL_LINK(PopupDataFieldSetter),
             offsetof(PopupMenuObject, dataField)),
};

const EventDeclarationEntry kEvents[] = {
    Event("Change"),
    Event("MouseDown", "X As Integer, Y As Integer", "Boolean"),
    Event("MouseUp", "X As Integer, Y As Integer", "Boolean"),
    Event("GotFocus"),
    Event("LostFocus"),
};

const ParameterEntry kTextParameter[] = {Parameter("Text", types::String)};
const ParameterEntry kIndexParameter[] = {Parameter("Index", types::Integer)};
const ParameterEntry kInsertParameters[] = {Parameter("row", types::Integer), Parameter("str", types::String)};
const ParameterEntry kReceiverParameter[] = {Parameter("receiver", TypeOf(intrinsic::dataNotificationReceiver))};
const ParameterEntry kProviderParameter[] = {Parameter("data", TypeOf(intrinsic::listDataProvider))};
const ParameterEntry kPartParameter[] = {Parameter("Str", types::String)};

const MethodEntry kMethods[] = {
    Method("DeleteAllRows", QL_LINK(RuntimePopupEmpty)),
    Method("AddRow", QL_LINK(RuntimePopupAddRow), nullptr, kTextParameter),
    Method("AddSeparator", QL_LINK(RuntimePopupAddSeparator)),
    Method("RemoveRow", QL_LINK(RuntimePopupRemoveRow), nullptr, kIndexParameter),
    IndexedProperty("List", types::String, kIndexParameter, QL_LINK(RuntimePopupGetRow), QL_LINK(RuntimePopupSetRow)),
    Method("InsertRow", QL_LINK(RuntimePopupInsertRow), nullptr, kInsertParameters),
    Method("getString", QL_LINK(RuntimePopupGetString), types::String),
    Method("addDataNotificationReceiver", QL_LINK(popupAddDNR), nullptr, kReceiverParameter),
    Method("removeDataNotificationReceiver", QL_LINK(popupRemoveDNR), nullptr, kReceiverParameter),
    Method("dataAvailable", QL_LINK(popupDataAvailable), types::Boolean),
    Method("BindList", QL_LINK(popupBindList), nullptr, kProviderParameter),
    IndexedProperty("RowTag", TypeOf(intrinsic::Variant), kIndexParameter, QL_LINK(getPopupRowTag),
                    QL_LINK(setPopupRowTag)),
    Method("getBoundPart", QL_LINK(popupGetBoundPart), TypeOf(intrinsic::Object), kPartParameter),
};

const EventImplementation kHandlers[] = {Handles("CreatePane", CreatePopupPane)};

}  // namespace

void DeliverPopupChange(PopupMenuObject* popup) {
  if (popup->changeGuard) return;
  popup->changeGuard = 1;
  RuntimeObject* o = &popup->control.header;
  ObjectRef hold = ObjectRef::Retain(o);
  FireEvent(o, static_cast<int32_t>(PopupMenuEvent::Change));
  NotifyReceivers(popup->receivers, intrinsic::dataNotificationReceiver);
  popup->changeGuard = 0;
}

}  // namespace ql::ui

namespace ql::intrinsic {
const ClassDescription PopupMenuDescription{
    .name = "PopupMenu",
    .super = &RectControl,
    .instanceSize = sizeof(ui::PopupMenuObject),
    .initHook = ui::InitPopupMenu,
    .destroyHook = ui::DestroyPopupMenu,
    .events = ui::kEvents,
    .properties = ui::kProperties,
    .methods = ui::kMethods,
    .eventHandlers = ui::kHandlers,
};
ObjectDefinition PopupMenu(PopupMenuDescription);
}  // namespace ql::intrinsic

using namespace ql;
using namespace ql::ui;

// --- Font ---

QL_ENTRY RuntimeString* popupTextFontGetter(RuntimeObject* o, uint32_t) { return FontFaceOf<PopupMenuObject>(o); }
QL_ENTRY void popupTextFontSetter(RuntimeObject* o, uint32_t, RuntimeString* font) {
  if (PopupMenuObject* t = SetFontFace<PopupMenuObject>(o, font)) RebuildFont(t);
}
QL_ENTRY int32_t popupTextSizeGetter(RuntimeObject* o, uint32_t) { return FontSizeOf<PopupMenuObject>(o); }
QL_ENTRY void popupTextSizeSetter(RuntimeObject* o, uint32_t, int32_t size) {
  if (PopupMenuObject* t = SetFontSize<PopupMenuObject>(o, size)) RebuildFont(t);
}
QL_ENTRY bool popupBoldGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<PopupMenuObject>(o, FontFlag::Bold); }
QL_ENTRY void popupBoldSetter(RuntimeObject* o, uint32_t, bool v) {
  if (PopupMenuObject* t = SetFontFlag<PopupMenuObject>(o, FontFlag::Bold, v)) RebuildFont(t);
}
QL_ENTRY bool popupItalicGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<PopupMenuObject>(o, FontFlag::Italic); }
QL_ENTRY void popupItalicSetter(RuntimeObject* o, uint32_t, bool v) {
  if (PopupMenuObject* t = SetFontFlag<PopupMenuObject>(o, FontFlag::Italic, v)) RebuildFont(t);
}
QL_ENTRY bool popupUnderlineGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<PopupMenuObject>(o, FontFlag::Underline); }
QL_ENTRY void popupUnderlineSetter(RuntimeObject* o, uint32_t, bool v) {
  if (PopupMenuObject* t = SetFontFlag<PopupMenuObject>(o, FontFlag::Underline, v)) RebuildFont(t);
}

// --- Rows and selection ---

QL_ENTRY int32_t RuntimePopupCountGetter(RuntimeObject* o, uint32_t) {
  PopupMenuObject* p = Popup(o);
  if (!p) return 0;
  if (!p->control.inWindow) {
    ReportAssertion("runpopup", 1039, "0");
    return 0;
  }
  PopupPane* pane = PaneOf(p);
  return pane ? pane->Count() : 0;
}

QL_ENTRY int32_t RuntimePopupSelectionGetter(RuntimeObject* o, uint32_t) {
  PopupPane* pane = PaneOf(o);
  return pane ? pane->Selected() : -1;
}

QL_ENTRY void RuntimePopupSelectionSetter(RuntimeObject* o, uint32_t, int32_t index) {
  PopupMenuObject* p = Popup(o);
  if (!p) return;
  PopupPane* pane = PaneOf(p);
  if (!pane) {
    p->pendingListIndex = index;
    return;
  }
  pane->Select(index);
  DeliverPopupChange(p);  // also when the row was selected already
}

QL_ENTRY RuntimeString* popupTextGetter(RuntimeObject* o, uint32_t) { return RuntimePopupGetString(o); }

QL_ENTRY RuntimeString* RuntimePopupGetString(RuntimeObject* o) {
  PopupPane* pane = PaneOf(o);
  if (!pane) return nullptr;
  const int32_t selected = pane->Selected();
  return selected >= 0 ? pane->RowText(selected).release() : nullptr;
}

// Row operations need the pane; without one they do nothing.
QL_ENTRY void RuntimePopupEmpty(RuntimeObject* o) {
  if (PopupPane* pane = PaneOf(o)) pane->Clear();
}

QL_ENTRY void RuntimePopupAddRow(RuntimeObject* o, RuntimeString* text) {
  if (PopupPane* pane = PaneOf(o)) pane->InsertRow(pane->Count(), text);
}

// A combo box has no separators: a row of its own, "-", stands for one.
QL_ENTRY void RuntimePopupAddSeparator(RuntimeObject* o) {
  String dash = NewStringFromCText("-");
  RuntimePopupAddRow(o, dash.get());
}

QL_ENTRY void RuntimePopupInsertRow(RuntimeObject* o, int32_t row, RuntimeString* text) {
  PopupPane* pane = PaneOf(o);
  if (!pane) return;
  if (row < 0 || row > pane->Count()) {
    RaiseOutOfBoundsException();
    return;
  }
  pane->InsertRow(row, text);
}

QL_ENTRY void RuntimePopupRemoveRow(RuntimeObject* o, int32_t index) {
  if (PopupPane* pane = PaneWithRow(o, index)) pane->RemoveRow(index);
}

QL_ENTRY RuntimeString* RuntimePopupGetRow(RuntimeObject* o, int32_t index) {
  PopupPane* pane = PaneWithRow(o, index);
  return pane ? pane->RowText(index).release() : nullptr;
}

QL_ENTRY void RuntimePopupSetRow(RuntimeObject* o, int32_t index, RuntimeString* text) {
  if (PopupPane* pane = PaneWithRow(o, index)) pane->SetRowText(index, text);
}

QL_ENTRY RuntimeObject* getPopupRowTag(RuntimeObject* o, int32_t index) {
  PopupPane* pane = PaneWithRow(o, index);
  return pane ? ObjectRef::Retain(pane->RowTag(index)).release() : nullptr;
}

QL_ENTRY void setPopupRowTag(RuntimeObject* o, int32_t index, RuntimeObject* tag) {
  if (PopupPane* pane = PaneWithRow(o, index)) pane->SetRowTag(index, tag);
}

// --- Data binding ---

QL_ENTRY RuntimeString* PopupDataSourceGetter(RuntimeObject* o, uint32_t) {
  PopupMenuObject* p = Popup(o);
  return p ? Retained(p->dataSource) : nullptr;
}
QL_ENTRY void PopupDataSourceSetter(RuntimeObject* o, uint32_t, RuntimeString* name) {
  if (PopupMenuObject* p = Popup(o)) AssignString(&p->dataSource, name);
}
QL_ENTRY void PopupDataFieldSetter(RuntimeObject* o, uint32_t, RuntimeString* name) {
  if (PopupMenuObject* p = Popup(o)) AssignString(&p->dataField, name);
}

QL_ENTRY void popupAddDNR(RuntimeObject* o, RuntimeObject* receiver) {
  if (PopupMenuObject* p = Popup(o)) AddReceiver(&p->receivers, receiver);
}
QL_ENTRY void popupRemoveDNR(RuntimeObject* o, RuntimeObject* receiver) {
  if (PopupMenuObject* p = Popup(o)) RemoveReceiver(&p->receivers, receiver);
}

QL_ENTRY bool popupDataAvailable(RuntimeObject* o) {
  PopupPane* pane = PaneOf(o);
  return pane && pane->Selected() >= 0;
}

// The provider is kept and the rows emptied; reading rows from it (its
// GetCount and GetRow methods) is not built.
QL_ENTRY void popupBindList(RuntimeObject* o, RuntimeObject* provider) {
  PopupMenuObject* p = Popup(o);
  if (!p) return;
  RuntimeLockUnlockObjects(provider, p->provider);
  p->provider = provider;
  RuntimePopupEmpty(o);
}

// No bound parts are built: every name gives nil.
QL_ENTRY RuntimeObject* popupGetBoundPart(RuntimeObject* o, RuntimeString*) {
  Popup(o);
  return nullptr;
}
