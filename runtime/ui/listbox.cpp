// Class Listbox: its tables and accessors over the pane's rows and cells.
#include "ui/listbox.h"

#include "core/assertion.h"
#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/objects.h"
#include "ui/control_fields.h"
#include "ui/events.h"
#include "ui/list_pane.h"

namespace ql::ui {
namespace {

ListboxObject* List(RuntimeObject* o) { return FieldsOf<ListboxObject>(o); }
ListPane* PaneOf(ListboxObject* l) { return static_cast<ListPane*>(l->control.pane); }
ListPane* PaneOf(RuntimeObject* o) {
  ListboxObject* l = List(o);
  return l ? PaneOf(l) : nullptr;
}

// The pane when `row` is one of its rows; otherwise OutOfBoundsException
// (or nil without a pane, which raises nothing).
ListPane* PaneWithRow(RuntimeObject* o, int32_t row) {
  ListPane* pane = PaneOf(o);
  if (pane && !pane->Rows().HasRow(row)) {
    RaiseOutOfBoundsException();
    return nullptr;
  }
  return pane;
}
ListPane* PaneWithCell(RuntimeObject* o, int32_t row, int32_t column) {
  ListPane* pane = PaneOf(o);
  if (pane && !pane->Rows().HasCell(row, column)) {
    RaiseOutOfBoundsException();
    return nullptr;
  }
  return pane;
}

void InitListbox(RuntimeObject* o) {
  ListboxObject* l = AsListbox(o);
  l->columnCount = 1;
  l->defaultRowHeight = -1;
  l->pendingHeadingIndex = -1;
  l->lastIndex = -1;
}

void DestroyListbox(RuntimeObject* o) {
  ListboxObject* l = AsListbox(o);
  ReleaseString(l->dataSource);
  ReleaseString(l->dataField);
  ReleaseString(l->initialValue);
  ReleaseString(l->columnWidths);
  ReleaseString(l->font.textFont);
  l->dataSource = l->dataField = l->initialValue = l->columnWidths = l->font.textFont = nullptr;
  RuntimeUnlockObject(l->provider);
  l->provider = nullptr;
  FreeReceivers(&l->selectionReceivers);
  FreeReceivers(&l->dataReceivers);
}

void CreateListPane(RuntimeObject* o) { ListPane::Create(AsListbox(o)); }

void RebuildFont(ListboxObject* l) {
  if (ListPane* pane = PaneOf(l)) pane->UseFont(ChoiceOf(l->font));
}

// A flag stored in the object that the open pane follows.
template <uint8_t ListboxObject::*Member>
void SetPaneFlag(RuntimeObject* o, bool value) {
  ListboxObject* l = List(o);
  if (!l) return;
  l->*Member = value;
  if (ListPane* pane = PaneOf(l)) pane->TakeSettings(*l);
}

// A row added by the program: nothing without a pane or while a provider
// supplies the rows.
void AddRow(RuntimeObject* o, int32_t at, RuntimeString* text, uint16_t flags) {
  ListboxObject* l = List(o);
  ListPane* pane = l ? PaneOf(l) : nullptr;
  if (!pane || l->provider) return;
  if (at != kAppendRow && (at < 0 || at > pane->Rows().Count())) {
    RaiseOutOfBoundsException();
    return;
  }
  l->lastIndex = pane->AddRow(at, text, flags);
}

const PropertyEntry kProperties[] = {
    Property("TextFont", types::String, QL_LINK(listTextFontGetter), QL_LINK(listTextFontSetter)),
    Property("TextSize", types::Integer, QL_LINK(listTextSizeGetter), QL_LINK(listTextSizeSetter)),
    Property("Bold", types::Boolean, QL_LINK(listBoldGetter), QL_LINK(listBoldSetter)),
    Property("Italic", types::Boolean, QL_LINK(listItalicGetter), QL_LINK(listItalicSetter)),
    Property("Underline", types::Boolean, QL_LINK(listUnderlineGetter), QL_LINK(listUnderlineSetter)),
    ReadOnlyProperty("ListCount", types::Integer, QL_LINK(listCountGetter)),
    Property("ListIndex", types::Integer, QL_LINK(listSelectionGetter), QL_LINK(listSelectionSetter)),
    Property("Text", types::String, QL_LINK(listTextGetter), QL_LINK(listTextSetter)),
    Property("ColumnCount", types::Integer, QL_LINK(listColumnCountGetter), QL_LINK(listColumnCountSetter)),
    Property("ColumnWidths", types::String, QL_LINK(listColumnWidthsGetter), QL_LINK(listColumnWidthsSetter)),
    Property("Hierarchical", types::Boolean, QL_LINK(boolGetter), QL_LINK(listHierarchicalSetter),
             offsetof(ListboxObject, hierarchical)),
    ReadOnlyProperty("LastIndex", types::Integer, QL_LINK(listLastIndexGetter)),
    Property("EnableDrag", types::Boolean, QL_LINK(boolGetter), QL_LINK(listEnableDragSetter),
             offsetof(ListboxObject, enableDrag)),
    Property("EnableDragReorder", types::Boolean, QL_LINK(boolGetter), QL_LINK(ListEnableDragReorderSetter),
             offsetof(ListboxObject, enableDragReorder)),
    Property("SelectionType", types::Integer, QL_LINK(intGetter), QL_LINK(intSetter),
             offsetof(ListboxObject, selectionType)),
    ReadOnlyProperty("SelCount", types::Integer, QL_LINK(listSelCountGetter)),
    Property("InitialValue", types::String, QL_LINK(stringGetter), QL_LINK(stringSetter),
             offsetof(ListboxObject, initialValue)),
    Property("HasHeading", types::Boolean, QL_LINK(boolGetter), QL_LINK(listHasHeadingSetter),
             offsetof(ListboxObject, hasHeading)),
    Property("UseFocusRing", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(ListboxObject, useFocusRing)),
    Property("HeadingIndex", types::Integer, QL_LINK(listSortedColumnGetter), QL_LINK(listHeadingIndexSetter)),
    Property("ScrollPosition", types::Integer, QL_LINK(listScrollPositionGetter), QL_LINK(listScrollPositionSetter)),
    Property("ScrollPositionX", types::Integer, QL_LINK(listScrollPositionXGetter),
             QL_LINK(listScrollPositionXSetter)),
    Property("ScrollBarHorizontal", types::Boolean, QL_LINK(boolGetter), QL_LINK(listHScrollBarSetter),
             offsetof(ListboxObject, scrollBarHorizontal)),
    Property("ScrollBarVertical", types::Boolean, QL_LINK(boolGetter), QL_LINK(listVScrollBarSetter),
             offsetof(ListboxObject, scrollBarVertical)),
    Property("DataSource", types::String, QL_LINK(ListboxDataSourceGetter), QL_LINK(ListboxDataSourceSetter)),
    Property("DataField", types::String, QL_LINK(stringGetter), QL_LINK(ListboxDataFieldSetter),
             offsetof(ListboxObject, dataField)),
    Property("GridLinesHorizontal", types::Integer, QL_LINK(intGetter), QL_LINK(listHGridLinesSetter),
             offsetof(ListboxObject, gridLinesHorizontal)),
    Property("GridLinesVertical", types::Integer, QL_LINK(intGetter), QL_LINK(listVGridLinesSetter),
             offsetof(ListboxObject, gridLinesVertical)),
    Property("DefaultRowHeight", types::Integer, QL_LINK(intGetter), QL_LINK(listDefaultRowHeightSetter),
             offsetof(ListboxObject, defaultRowHeight)),
    ReadOnlyProperty("ActiveCell", TypeOf(intrinsic::EditField), QL_LINK(listActiveCellGetter)),
    Property("SortedColumn", types::Integer, QL_LINK(listSortedColumnGetter), QL_LINK(listSortedColumnSetter)),
    Property("ColumnsResizable", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(ListboxObject, columnsResizable)),
};

const EventDeclarationEntry kEvents[] = {
    Event("Change"),
    Event("DoubleClick"),
    Event("KeyDown", "key As String", "Boolean"),
    Event("EnableMenuItems"),
    Event("ExpandRow", "row As Integer"),
    Event("CollapseRow", "row As Integer"),
    Event("DragRow", "drag As DragItem, row As Integer", "Boolean"),
    Event("SortColumn", "column As Integer", "Boolean"),
    Event("CellAction", "row As Integer, column As Integer"),
    Event("GotFocus"),
    Event("LostFocus"),
    Event("CellBackgroundPaint", "g As Graphics, row As Integer, column As Integer", "Boolean"),
    Event("CellTextPaint", "g As Graphics, row As Integer, column As Integer, x as Integer, y as Integer", "Boolean"),
    Event("CellClick", "row as Integer, column as Integer, x as Integer, y as Integer", "Boolean"),
    Event("CellKeyDown", "row as Integer, column as Integer, key as String", "Boolean"),
    Event("CellTextChange", "row as Integer, column as Integer"),
    Event("CellGotFocus", "row as Integer, column as Integer"),
    Event("CellLostFocus", "row as Integer, column as Integer"),
    Event("MouseDown", "x As Integer, y As Integer", "Boolean"),
    Event("MouseDrag", "x As Integer, y As Integer"),
    Event("MouseUp", "x As Integer, y As Integer"),
    Event("CompareRows", "row1 as Integer, row2 as Integer, column as Integer, ByRef result as Integer", "Boolean"),
    Event("DragReorderRows", "newPosition as Integer", "Boolean"),
    Event("HeaderPressed", "column as Integer", "Boolean"),
};

const ParameterEntry kTextParameter[] = {Parameter("Text", types::String)};
const ParameterEntry kRowTextParameters[] = {Parameter("row", types::Integer), Parameter("text", types::String)};
const ParameterEntry kIndexParameter[] = {Parameter("Index", types::Integer)};
const ParameterEntry kRowParameter[] = {Parameter("row", types::Integer)};
const ParameterEntry kColumnParameter[] = {Parameter("column", types::Integer)};
const ParameterEntry kCellParameters[] = {Parameter("row", types::Integer), Parameter("column", types::Integer)};
const ParameterEntry kLSNRParameter[] = {
    Parameter("receiver", TypeOf(intrinsic::listSelectionNotificationReceiver))};
const ParameterEntry kProviderParameter[] = {Parameter("data", TypeOf(intrinsic::listDataProvider))};
const ParameterEntry kValueParameter[] = {Parameter("v", types::Integer)};
const ParameterEntry kPartParameter[] = {Parameter("Str", types::String)};

const MethodEntry kMethods[] = {
    Method("DeleteAllRows", QL_LINK(RuntimeListEmpty)),
    Method("AddRow", QL_LINK(RuntimeListAddRow), nullptr, kTextParameter),
    Method("InsertRow", QL_LINK(RuntimeListInsertRow), nullptr, kRowTextParameters),
    Method("AddFolder", QL_LINK(RuntimeListAddParent), nullptr, kTextParameter),
    Method("InsertFolder", QL_LINK(RuntimeListInsertParent), nullptr, kRowTextParameters),
    Method("RemoveRow", QL_LINK(RuntimeRemoveRow), nullptr, kIndexParameter),
    IndexedProperty("List", types::String, kIndexParameter, QL_LINK(RuntimeGetRow), QL_LINK(RuntimeSetRow)),
    IndexedProperty("Cell", types::String, kCellParameters, QL_LINK(listGetCell), QL_LINK(listSetCell)),
    IndexedProperty("CellBold", types::Boolean, kCellParameters, QL_LINK(listGetCellBold), QL_LINK(listSetCellBold)),
    IndexedProperty("CellItalic", types::Boolean, kCellParameters, QL_LINK(listGetCellItalic),
                    QL_LINK(listSetCellItalic)),
    IndexedProperty("CellUnderline", types::Boolean, kCellParameters, QL_LINK(listGetCellUnderline),
                    QL_LINK(listSetCellUnderline)),
    IndexedProperty("RowPicture", TypeOf(intrinsic::Picture), kIndexParameter, QL_LINK(listGetRowPicture),
                    QL_LINK(listSetRowPicture)),
    IndexedProperty("Selected", types::Boolean, kRowParameter, QL_LINK(listGetSelected), QL_LINK(listSetSelected)),
    IndexedProperty("Expanded", types::Boolean, kRowParameter, QL_LINK(listGetExpanded), QL_LINK(listSetExpanded)),
    IndexedProperty("Heading", types::String, kIndexParameter, QL_LINK(listGetHeading), QL_LINK(listSetHeading)),
    Method("addListSelectionNotificationReceiver", QL_LINK(listAddLSNR), nullptr, kLSNRParameter),
    Method("removeListSelectionNotificationReceiver", QL_LINK(listRemoveLSNR), nullptr, kLSNRParameter),
    Method("BindList", QL_LINK(listBind), nullptr, kProviderParameter),
    Method("listDataInsertedRow", QL_LINK(listListDataInsertedRow), nullptr, kValueParameter),
    Method("listDataRemovedRow", QL_LINK(listListDataRemovedRow), nullptr, kValueParameter),
    Method("listDataReload", QL_LINK(listListDataReload)),
    Method("getBoundPart", QL_LINK(listGetBoundPart), TypeOf(intrinsic::Object), kPartParameter),
    Method("EditCell", QL_LINK(listEditCell), nullptr, kCellParameters),
    IndexedProperty("Column", TypeOf(intrinsic::ListColumn), kColumnParameter, QL_LINK(listColumnGetter),
                    QL_LINK(listColumnSetter)),
    Method("PressHeader", QL_LINK(listColumnPressHeader), nullptr, kColumnParameter),
};

const EventImplementation kHandlers[] = {Handles("CreatePane", CreateListPane)};

}  // namespace

int32_t ClampedColumnCount(int32_t count) {
  if (count == 0) return 1;
  return static_cast<uint32_t>(count) > static_cast<uint32_t>(kMaxListColumns) ? kMaxListColumns : count;
}

}  // namespace ql::ui

namespace ql::intrinsic {
const ClassDescription ListboxDescription{
    .name = "Listbox",
    .super = &RectControl,
    .instanceSize = sizeof(ui::ListboxObject),
    .initHook = ui::InitListbox,
    .destroyHook = ui::DestroyListbox,
    .events = ui::kEvents,
    .properties = ui::kProperties,
    .methods = ui::kMethods,
    .eventHandlers = ui::kHandlers,
};
ObjectDefinition Listbox(ListboxDescription);
}  // namespace ql::intrinsic

using namespace ql;
using namespace ql::ui;

// --- Font ---

QL_ENTRY RuntimeString* listTextFontGetter(RuntimeObject* o, uint32_t) { return FontFaceOf<ListboxObject>(o); }
QL_ENTRY void listTextFontSetter(RuntimeObject* o, uint32_t, RuntimeString* font) {
  if (ListboxObject* t = SetFontFace<ListboxObject>(o, font)) RebuildFont(t);
}
QL_ENTRY int32_t listTextSizeGetter(RuntimeObject* o, uint32_t) { return FontSizeOf<ListboxObject>(o); }
QL_ENTRY void listTextSizeSetter(RuntimeObject* o, uint32_t, int32_t size) {
  if (ListboxObject* t = SetFontSize<ListboxObject>(o, size)) RebuildFont(t);
}
QL_ENTRY bool listBoldGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<ListboxObject>(o, FontFlag::Bold); }
QL_ENTRY void listBoldSetter(RuntimeObject* o, uint32_t, bool v) {
  if (ListboxObject* t = SetFontFlag<ListboxObject>(o, FontFlag::Bold, v)) RebuildFont(t);
}
QL_ENTRY bool listItalicGetter(RuntimeObject* o, uint32_t) { return FontFlagOf<ListboxObject>(o, FontFlag::Italic); }
QL_ENTRY void listItalicSetter(RuntimeObject* o, uint32_t, bool v) {
  if (ListboxObject* t = SetFontFlag<ListboxObject>(o, FontFlag::Italic, v)) RebuildFont(t);
}
QL_ENTRY bool listUnderlineGetter(RuntimeObject* o, uint32_t) {
  return FontFlagOf<ListboxObject>(o, FontFlag::Underline);
}
QL_ENTRY void listUnderlineSetter(RuntimeObject* o, uint32_t, bool v) {
  if (ListboxObject* t = SetFontFlag<ListboxObject>(o, FontFlag::Underline, v)) RebuildFont(t);
}

// --- Rows, selection, text ---

QL_ENTRY int32_t listCountGetter(RuntimeObject* o, uint32_t) {
  ListboxObject* l = List(o);
  if (!l) return 0;
  if (!l->control.inWindow) {
    ReportAssertion("RuntimeListboxAccessors", 631, "0");
    return 0;
  }
  ListPane* pane = PaneOf(l);
  return pane ? pane->Rows().Count() : 0;
}

QL_ENTRY int32_t listSelectionGetter(RuntimeObject* o, uint32_t) {
  ListPane* pane = PaneOf(o);
  return pane ? pane->FirstSelectedRow() : -1;
}

// -1 clears the selection; a row that is not one of the list's selects none.
QL_ENTRY void listSelectionSetter(RuntimeObject* o, uint32_t, int32_t row) {
  if (ListPane* pane = PaneOf(o)) pane->SelectOnly(row);
}

QL_ENTRY RuntimeString* listTextGetter(RuntimeObject* o, uint32_t) {
  ListPane* pane = PaneOf(o);
  const int32_t row = pane ? pane->FirstSelectedRow() : -1;
  return row >= 0 ? RetainString(pane->Rows().CellText(row, 0)) : nullptr;
}

// Replaces the selected row's text; nothing without a selection.
QL_ENTRY void listTextSetter(RuntimeObject* o, uint32_t, RuntimeString* text) {
  ListPane* pane = PaneOf(o);
  const int32_t row = pane ? pane->FirstSelectedRow() : -1;
  if (row >= 0) pane->SetCell(row, 0, text);
}

QL_ENTRY int32_t listSelCountGetter(RuntimeObject* o, uint32_t) {
  ListPane* pane = PaneOf(o);
  return pane ? pane->SelectedCount() : 0;
}

QL_ENTRY int32_t listLastIndexGetter(RuntimeObject* o, uint32_t) {
  ListboxObject* l = List(o);
  return l ? l->lastIndex : 0;
}

// --- Columns ---

QL_ENTRY int32_t listColumnCountGetter(RuntimeObject* o, uint32_t) {
  ListboxObject* l = List(o);
  if (!l) return 0;
  ListPane* pane = PaneOf(l);
  return pane ? pane->ColumnCount() : l->columnCount;
}

QL_ENTRY void listColumnCountSetter(RuntimeObject* o, uint32_t, int32_t count) {
  ListboxObject* l = List(o);
  if (!l) return;
  l->columnCount = ClampedColumnCount(count);
  if (ListPane* pane = PaneOf(l)) pane->TakeSettings(*l);
}

QL_ENTRY RuntimeString* listColumnWidthsGetter(RuntimeObject* o, uint32_t) {
  ListboxObject* l = List(o);
  return l ? RetainString(l->columnWidths) : nullptr;
}

QL_ENTRY void listColumnWidthsSetter(RuntimeObject* o, uint32_t, RuntimeString* widths) {
  ListboxObject* l = List(o);
  if (!l) return;
  AssignString(&l->columnWidths, widths);
  if (ListPane* pane = PaneOf(l)) pane->TakeSettings(*l);
}

QL_ENTRY RuntimeString* listGetHeading(RuntimeObject* o, int32_t column) {
  ListPane* pane = PaneOf(o);
  if (!pane) return nullptr;
  if (column < 0 || column >= kMaxListColumns) {
    RaiseOutOfBoundsException();
    return nullptr;
  }
  return RetainString(pane->Heading(column));
}

QL_ENTRY void listSetHeading(RuntimeObject* o, int32_t column, RuntimeString* text) {
  ListPane* pane = PaneOf(o);
  if (!pane) return;
  if (column < 0 || column >= kMaxListColumns) {
    RaiseOutOfBoundsException();
    return;
  }
  pane->SetHeading(column, text);
}

// --- Settings the open pane follows ---

QL_ENTRY void listHierarchicalSetter(RuntimeObject* o, uint32_t, bool v) {
  SetPaneFlag<&ListboxObject::hierarchical>(o, v);
}
QL_ENTRY void listEnableDragSetter(RuntimeObject* o, uint32_t, bool v) {
  if (ListboxObject* l = List(o)) l->enableDrag = v;
}
QL_ENTRY void ListEnableDragReorderSetter(RuntimeObject* o, uint32_t, bool v) {
  if (ListboxObject* l = List(o)) l->enableDragReorder = v;
}
QL_ENTRY void listHasHeadingSetter(RuntimeObject* o, uint32_t, bool v) {
  SetPaneFlag<&ListboxObject::hasHeading>(o, v);
}
QL_ENTRY void listHScrollBarSetter(RuntimeObject* o, uint32_t, bool v) {
  SetPaneFlag<&ListboxObject::scrollBarHorizontal>(o, v);
}
QL_ENTRY void listVScrollBarSetter(RuntimeObject* o, uint32_t, bool v) {
  SetPaneFlag<&ListboxObject::scrollBarVertical>(o, v);
}
QL_ENTRY void listHGridLinesSetter(RuntimeObject* o, uint32_t, int32_t v) {
  ListboxObject* l = List(o);
  if (!l) return;
  l->gridLinesHorizontal = v;
  if (ListPane* pane = PaneOf(l)) pane->TakeSettings(*l);
}
QL_ENTRY void listVGridLinesSetter(RuntimeObject* o, uint32_t, int32_t v) {
  ListboxObject* l = List(o);
  if (!l) return;
  l->gridLinesVertical = v;
  if (ListPane* pane = PaneOf(l)) pane->TakeSettings(*l);
}
QL_ENTRY void listDefaultRowHeightSetter(RuntimeObject* o, uint32_t, int32_t height) {
  if (ListboxObject* l = List(o)) l->defaultRowHeight = height;
}

// Sorting is not built: the sorted column is stored and read back.
QL_ENTRY int32_t listSortedColumnGetter(RuntimeObject* o, uint32_t) {
  ListboxObject* l = List(o);
  return l ? l->pendingHeadingIndex : -1;
}
QL_ENTRY void listHeadingIndexSetter(RuntimeObject* o, uint32_t, int32_t column) {
  if (ListboxObject* l = List(o)) l->pendingHeadingIndex = column;
}
QL_ENTRY void listSortedColumnSetter(RuntimeObject* o, uint32_t, int32_t column) {
  if (ListboxObject* l = List(o)) l->pendingHeadingIndex = column;
}

QL_ENTRY int32_t listScrollPositionGetter(RuntimeObject* o, uint32_t) {
  ListPane* pane = PaneOf(o);
  return pane ? pane->ScrollPosition() : 0;
}
QL_ENTRY void listScrollPositionSetter(RuntimeObject* o, uint32_t, int32_t row) {
  if (ListPane* pane = PaneOf(o)) pane->ScrollTo(row);
}
QL_ENTRY int32_t listScrollPositionXGetter(RuntimeObject* o, uint32_t) {
  ListPane* pane = PaneOf(o);
  return pane ? pane->HorizontalScroll() : 0;
}
QL_ENTRY void listScrollPositionXSetter(RuntimeObject* o, uint32_t, int32_t x) {
  if (ListPane* pane = PaneOf(o)) pane->ScrollHorizontallyTo(x);
}

// In-place cell editing is not built: there is no active cell.
QL_ENTRY RuntimeObject* listActiveCellGetter(RuntimeObject* o, uint32_t) {
  List(o);
  return nullptr;
}
QL_ENTRY void listEditCell(RuntimeObject* o, int32_t row, int32_t column) { PaneWithCell(o, row, column); }

// --- Data binding: names and receivers are kept; providers are not read ---

QL_ENTRY RuntimeString* ListboxDataSourceGetter(RuntimeObject* o, uint32_t) {
  ListboxObject* l = List(o);
  return l ? RetainString(l->dataSource) : nullptr;
}
QL_ENTRY void ListboxDataSourceSetter(RuntimeObject* o, uint32_t, RuntimeString* name) {
  if (ListboxObject* l = List(o)) AssignString(&l->dataSource, name);
}
QL_ENTRY void ListboxDataFieldSetter(RuntimeObject* o, uint32_t, RuntimeString* name) {
  if (ListboxObject* l = List(o)) AssignString(&l->dataField, name);
}
QL_ENTRY void listAddLSNR(RuntimeObject* o, RuntimeObject* receiver) {
  if (ListboxObject* l = List(o)) AddReceiver(&l->selectionReceivers, receiver);
}
QL_ENTRY void listRemoveLSNR(RuntimeObject* o, RuntimeObject* receiver) {
  if (ListboxObject* l = List(o)) RemoveReceiver(&l->selectionReceivers, receiver);
}
QL_ENTRY void listBind(RuntimeObject* o, RuntimeObject* provider) {
  ListboxObject* l = List(o);
  if (!l) return;
  RuntimeLockUnlockObjects(provider, l->provider);
  l->provider = provider;
}
// The provider's notifications keep the row count in step: an empty row
// inserted or a row removed at that index, everything dropped on reload.
QL_ENTRY void listListDataInsertedRow(RuntimeObject* o, int32_t row) {
  ListPane* pane = PaneOf(o);
  if (pane && row >= 0 && row <= pane->Rows().Count()) pane->AddRow(row, nullptr, 0);
}
QL_ENTRY void listListDataRemovedRow(RuntimeObject* o, int32_t row) {
  ListPane* pane = PaneOf(o);
  if (pane && pane->Rows().HasRow(row)) pane->RemoveRow(row);
}
QL_ENTRY void listListDataReload(RuntimeObject* o) {
  if (ListPane* pane = PaneOf(o)) pane->Clear();
}
QL_ENTRY RuntimeObject* listGetBoundPart(RuntimeObject* o, RuntimeString*) {
  List(o);
  return nullptr;
}
// Column objects are not built.
QL_ENTRY RuntimeObject* listColumnGetter(RuntimeObject* o, int32_t) {
  List(o);
  return nullptr;
}
QL_ENTRY void listColumnSetter(RuntimeObject* o, int32_t, RuntimeObject*) { List(o); }
QL_ENTRY void listColumnPressHeader(RuntimeObject* o, int32_t column) {
  if (ListboxObject* l = List(o)) FireBooleanEvent(&l->control.header, static_cast<int32_t>(ListboxEvent::HeaderPressed), column);
}

// --- Row methods ---

QL_ENTRY void RuntimeListEmpty(RuntimeObject* o) {
  if (ListPane* pane = PaneOf(o)) pane->Clear();
}
QL_ENTRY void RuntimeListAddRow(RuntimeObject* o, RuntimeString* text) { AddRow(o, kAppendRow, text, 0); }
QL_ENTRY void RuntimeListInsertRow(RuntimeObject* o, int32_t row, RuntimeString* text) { AddRow(o, row, text, 0); }
QL_ENTRY void RuntimeListAddParent(RuntimeObject* o, RuntimeString* text) {
  AddRow(o, kAppendRow, text, kRowFolder);
}
QL_ENTRY void RuntimeListInsertParent(RuntimeObject* o, int32_t row, RuntimeString* text) {
  AddRow(o, row, text, kRowFolder);
}
QL_ENTRY void RuntimeRemoveRow(RuntimeObject* o, int32_t row) {
  if (ListPane* pane = PaneWithRow(o, row)) pane->RemoveRow(row);
}
QL_ENTRY RuntimeString* RuntimeGetRow(RuntimeObject* o, int32_t row) {
  ListPane* pane = PaneWithRow(o, row);
  return pane ? RetainString(pane->Rows().CellText(row, 0)) : nullptr;
}
QL_ENTRY void RuntimeSetRow(RuntimeObject* o, int32_t row, RuntimeString* text) {
  if (ListPane* pane = PaneWithRow(o, row)) pane->SetCell(row, 0, text);
}

// --- Cells ---

QL_ENTRY RuntimeString* listGetCell(RuntimeObject* o, int32_t row, int32_t column) {
  ListPane* pane = PaneWithCell(o, row, column);
  return pane ? RetainString(pane->CellText(row, column)) : nullptr;
}

QL_ENTRY void listSetCell(RuntimeObject* o, int32_t row, int32_t column, RuntimeString* text) {
  ListboxObject* l = List(o);
  ListPane* pane = PaneWithCell(o, row, column);
  if (pane && !l->provider) pane->SetCell(row, column, text);
}

namespace {

bool CellStyle(RuntimeObject* o, int32_t row, int32_t column, FontFlag flag) {
  ListPane* pane = PaneWithCell(o, row, column);
  const ListCell* cell = pane ? std::as_const(pane->Rows()).Cell(row, column) : nullptr;
  if (!cell) return false;
  return flag == FontFlag::Bold ? cell->bold : flag == FontFlag::Italic ? cell->italic : cell->underline;
}

void SetCellStyle(RuntimeObject* o, int32_t row, int32_t column, FontFlag flag, bool value) {
  ListPane* pane = PaneWithCell(o, row, column);
  if (!pane) return;
  ListCell* cell = pane->Rows().Cell(row, column, ListRows::Create::Yes);
  (flag == FontFlag::Bold ? cell->bold : flag == FontFlag::Italic ? cell->italic : cell->underline) = value;
  pane->RedrawRow(row);
}

}  // namespace

QL_ENTRY bool listGetCellBold(RuntimeObject* o, int32_t row, int32_t column) {
  return CellStyle(o, row, column, FontFlag::Bold);
}
QL_ENTRY void listSetCellBold(RuntimeObject* o, int32_t row, int32_t column, bool v) {
  SetCellStyle(o, row, column, FontFlag::Bold, v);
}
QL_ENTRY bool listGetCellItalic(RuntimeObject* o, int32_t row, int32_t column) {
  return CellStyle(o, row, column, FontFlag::Italic);
}
QL_ENTRY void listSetCellItalic(RuntimeObject* o, int32_t row, int32_t column, bool v) {
  SetCellStyle(o, row, column, FontFlag::Italic, v);
}
QL_ENTRY bool listGetCellUnderline(RuntimeObject* o, int32_t row, int32_t column) {
  return CellStyle(o, row, column, FontFlag::Underline);
}
QL_ENTRY void listSetCellUnderline(RuntimeObject* o, int32_t row, int32_t column, bool v) {
  SetCellStyle(o, row, column, FontFlag::Underline, v);
}

// --- Per-row state ---

QL_ENTRY RuntimeObject* listGetRowPicture(RuntimeObject* o, int32_t row) {
  ListPane* pane = PaneWithRow(o, row);
  return pane ? ObjectRef::Retain(pane->Rows().Row(row).picture).release() : nullptr;
}
QL_ENTRY void listSetRowPicture(RuntimeObject* o, int32_t row, RuntimeObject* picture) {
  if (ListPane* pane = PaneWithRow(o, row)) pane->SetRowPicture(row, picture);
}
QL_ENTRY bool listGetSelected(RuntimeObject* o, int32_t row) {
  ListPane* pane = PaneWithRow(o, row);
  return pane && (pane->Rows().Row(row).flags & kRowSelected);
}
QL_ENTRY void listSetSelected(RuntimeObject* o, int32_t row, bool v) {
  if (ListPane* pane = PaneWithRow(o, row)) pane->SetSelected(row, v);
}
QL_ENTRY bool listGetExpanded(RuntimeObject* o, int32_t row) {
  ListPane* pane = PaneWithRow(o, row);
  return pane && (pane->Rows().Row(row).flags & kRowExpanded);
}
QL_ENTRY void listSetExpanded(RuntimeObject* o, int32_t row, bool v) {
  if (ListPane* pane = PaneWithRow(o, row)) pane->SetExpanded(row, v);
}
