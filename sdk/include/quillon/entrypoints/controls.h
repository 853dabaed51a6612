// Entry points: the intrinsic controls (EditField, PopupMenu, PushButton,
// StaticText, GroupBox, PagePanel, TabPanel, Canvas, Listbox), the message
// box and URL launching. A control without a pane stores what its setters
// are given; rows, cells and tabs live only while the pane exists.
#pragma once

#include "quillon/entrypoints/common.h"

// --- EditField ---
// Text: what the field shows while it is open (one reference), else the text
// last assigned by the program.
QL_ENTRY RuntimeString* editTextGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editTextSetter(RuntimeObject* field, uint32_t param, RuntimeString* text);
// setString: the same as assigning Text.
QL_ENTRY void editSetString(RuntimeObject* field, RuntimeString* text);
QL_ENTRY RuntimeString* editTextStyleDataGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY bool editBorderGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editBorderSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editMultiLineGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editMultiLineSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editReadOnlyGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editReadOnlySetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editPasswordGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editPasswordSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY void editTextColorSetter(RuntimeObject* field, uint32_t param, int32_t color);
QL_ENTRY void editBackColorSetter(RuntimeObject* field, uint32_t param, int32_t color);
// ScrollBar and ScrollBarVertical: one flag.
QL_ENTRY bool editScrollBarGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editScrollBarSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY RuntimeString* editTextFontGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editTextFontSetter(RuntimeObject* field, uint32_t param, RuntimeString* font);
QL_ENTRY int32_t editTextSizeGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editTextSizeSetter(RuntimeObject* field, uint32_t param, int32_t size);
QL_ENTRY bool editBoldGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editBoldSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editItalicGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editItalicSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editUnderlineGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editUnderlineSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY int32_t editSelStartGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelStartSetter(RuntimeObject* field, uint32_t param, int32_t value);
QL_ENTRY int32_t editSelLengthGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelLengthSetter(RuntimeObject* field, uint32_t param, int32_t value);
QL_ENTRY RuntimeString* editSelTextGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelTextSetter(RuntimeObject* field, uint32_t param, RuntimeString* text);
// LimitText: 0 means no limit (1,000,000 characters).
QL_ENTRY int32_t editLimitTextGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editLimitTextSetter(RuntimeObject* field, uint32_t param, int32_t limit);
QL_ENTRY bool editSelBoldGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelBoldSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editSelUnderlineGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelUnderlineSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editSelItalicGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelItalicSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editSelOutlineGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelOutlineSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editSelShadowGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelShadowSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editSelCondenseGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelCondenseSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editSelExtendGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelExtendSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY bool editSelPlainGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelPlainSetter(RuntimeObject* field, uint32_t param, bool value);
QL_ENTRY RuntimeString* editSelTextFontGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelTextFontSetter(RuntimeObject* field, uint32_t param, RuntimeString* font);
QL_ENTRY int32_t editSelTextSizeGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelTextSizeSetter(RuntimeObject* field, uint32_t param, int32_t size);
QL_ENTRY int32_t editSelTextColorGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editSelTextColorSetter(RuntimeObject* field, uint32_t param, int32_t color);
QL_ENTRY RuntimeString* EditDataSourceGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void EditDataSourceSetter(RuntimeObject* field, uint32_t param, RuntimeString* name);
QL_ENTRY void EditDataFieldSetter(RuntimeObject* field, uint32_t param, RuntimeString* name);
QL_ENTRY void EditAlignmentSetter(RuntimeObject* field, uint32_t param, int32_t alignment);
QL_ENTRY int32_t EditSelAlignmentGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void EditSelAlignmentSetter(RuntimeObject* field, uint32_t param, int32_t alignment);
QL_ENTRY int32_t editScrollPositionGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void editScrollPositionSetter(RuntimeObject* field, uint32_t param, int32_t position);
QL_ENTRY int32_t EditScrollPositionXGetter(RuntimeObject* field, uint32_t param);
QL_ENTRY void EditScrollPositionXSetter(RuntimeObject* field, uint32_t param, int32_t position);
// Methods.
QL_ENTRY void editToggleSelectionBold(RuntimeObject* field);
QL_ENTRY void editToggleSelectionUnderline(RuntimeObject* field);
QL_ENTRY void editToggleSelectionItalic(RuntimeObject* field);
QL_ENTRY void editToggleSelectionShadow(RuntimeObject* field);
QL_ENTRY void editToggleSelectionOutline(RuntimeObject* field);
QL_ENTRY void editToggleSelectionCondense(RuntimeObject* field);
QL_ENTRY void editToggleSelectionExtend(RuntimeObject* field);
QL_ENTRY void editSetTextAndStyle(RuntimeObject* field, RuntimeString* text, RuntimeString* style);
QL_ENTRY RuntimeObject* editStyleTextPrinter(RuntimeObject* field, RuntimeObject* graphics, int32_t width);
QL_ENTRY int32_t editLineNumAtCharPos(RuntimeObject* field, int32_t position);
QL_ENTRY int32_t editCharPosAtLineNum(RuntimeObject* field, int32_t line);
QL_ENTRY int32_t editCharPosAtXY(RuntimeObject* field, int32_t x, int32_t y);
QL_ENTRY int32_t editInsertionPosAtXY(RuntimeObject* field, int32_t x, int32_t y);
QL_ENTRY void editCopyToClipboard(RuntimeObject* field);
QL_ENTRY void editPasteFromClipboard(RuntimeObject* field);

// --- PopupMenu ---
QL_ENTRY RuntimeString* popupTextFontGetter(RuntimeObject* popup, uint32_t param);
QL_ENTRY void popupTextFontSetter(RuntimeObject* popup, uint32_t param, RuntimeString* font);
QL_ENTRY int32_t popupTextSizeGetter(RuntimeObject* popup, uint32_t param);
QL_ENTRY void popupTextSizeSetter(RuntimeObject* popup, uint32_t param, int32_t size);
QL_ENTRY bool popupBoldGetter(RuntimeObject* popup, uint32_t param);
QL_ENTRY void popupBoldSetter(RuntimeObject* popup, uint32_t param, bool value);
QL_ENTRY bool popupItalicGetter(RuntimeObject* popup, uint32_t param);
QL_ENTRY void popupItalicSetter(RuntimeObject* popup, uint32_t param, bool value);
QL_ENTRY bool popupUnderlineGetter(RuntimeObject* popup, uint32_t param);
QL_ENTRY void popupUnderlineSetter(RuntimeObject* popup, uint32_t param, bool value);
// ListCount: the rows of the open pop-up (0 without a pane).
QL_ENTRY int32_t RuntimePopupCountGetter(RuntimeObject* popup, uint32_t param);
// ListIndex: the selected row, -1 for none. Assigning selects and fires
// Change (also for the same value); before the pane exists it is kept and
// applied without Change.
QL_ENTRY int32_t RuntimePopupSelectionGetter(RuntimeObject* popup, uint32_t param);
QL_ENTRY void RuntimePopupSelectionSetter(RuntimeObject* popup, uint32_t param, int32_t index);
// Text: the selected row's text, nil for none.
QL_ENTRY RuntimeString* popupTextGetter(RuntimeObject* popup, uint32_t param);
QL_ENTRY RuntimeString* PopupDataSourceGetter(RuntimeObject* popup, uint32_t param);
QL_ENTRY void PopupDataSourceSetter(RuntimeObject* popup, uint32_t param, RuntimeString* name);
QL_ENTRY void PopupDataFieldSetter(RuntimeObject* popup, uint32_t param, RuntimeString* name);
// Methods.
QL_ENTRY void RuntimePopupEmpty(RuntimeObject* popup);
QL_ENTRY void RuntimePopupAddRow(RuntimeObject* popup, RuntimeString* text);
QL_ENTRY void RuntimePopupAddSeparator(RuntimeObject* popup);
// Rows are 0-based; an index that is not a row raises OutOfBoundsException.
QL_ENTRY void RuntimePopupRemoveRow(RuntimeObject* popup, int32_t index);
QL_ENTRY RuntimeString* RuntimePopupGetRow(RuntimeObject* popup, int32_t index);
QL_ENTRY void RuntimePopupSetRow(RuntimeObject* popup, int32_t index, RuntimeString* text);
QL_ENTRY void RuntimePopupInsertRow(RuntimeObject* popup, int32_t row, RuntimeString* text);
QL_ENTRY RuntimeString* RuntimePopupGetString(RuntimeObject* popup);
QL_ENTRY void popupAddDNR(RuntimeObject* popup, RuntimeObject* receiver);
QL_ENTRY void popupRemoveDNR(RuntimeObject* popup, RuntimeObject* receiver);
QL_ENTRY bool popupDataAvailable(RuntimeObject* popup);
QL_ENTRY void popupBindList(RuntimeObject* popup, RuntimeObject* provider);
QL_ENTRY RuntimeObject* getPopupRowTag(RuntimeObject* popup, int32_t index);
QL_ENTRY void setPopupRowTag(RuntimeObject* popup, int32_t index, RuntimeObject* tag);
QL_ENTRY RuntimeObject* popupGetBoundPart(RuntimeObject* popup, RuntimeString* name);

// --- PushButton ---
QL_ENTRY RuntimeString* pushButtonTitleGetter(RuntimeObject* button, uint32_t param);
QL_ENTRY void pushButtonTitleSetter(RuntimeObject* button, uint32_t param, RuntimeString* caption);
QL_ENTRY bool pushButtonDefaultGetter(RuntimeObject* button, uint32_t param);
QL_ENTRY void pushButtonDefaultSetter(RuntimeObject* button, uint32_t param, bool value);
QL_ENTRY bool pushButtonCancelGetter(RuntimeObject* button, uint32_t param);
QL_ENTRY void pushButtonCancelSetter(RuntimeObject* button, uint32_t param, bool value);
QL_ENTRY RuntimeString* pushButtonTextFontGetter(RuntimeObject* button, uint32_t param);
QL_ENTRY void pushButtonTextFontSetter(RuntimeObject* button, uint32_t param, RuntimeString* font);
QL_ENTRY int32_t pushButtonTextSizeGetter(RuntimeObject* button, uint32_t param);
QL_ENTRY void pushButtonTextSizeSetter(RuntimeObject* button, uint32_t param, int32_t size);
QL_ENTRY bool pushButtonBoldGetter(RuntimeObject* button, uint32_t param);
QL_ENTRY void pushButtonBoldSetter(RuntimeObject* button, uint32_t param, bool value);
QL_ENTRY bool pushButtonItalicGetter(RuntimeObject* button, uint32_t param);
QL_ENTRY void pushButtonItalicSetter(RuntimeObject* button, uint32_t param, bool value);
QL_ENTRY bool pushButtonUnderlineGetter(RuntimeObject* button, uint32_t param);
QL_ENTRY void pushButtonUnderlineSetter(RuntimeObject* button, uint32_t param, bool value);
QL_ENTRY void pbAddActionNotificationReceiver(RuntimeObject* button, RuntimeObject* receiver);
QL_ENTRY void pbRemoveActionNotificationReceiver(RuntimeObject* button, RuntimeObject* receiver);
// Push: a click when the button is open and enabled, else nothing.
QL_ENTRY void pushButtonPush(RuntimeObject* button);

// --- StaticText ---
QL_ENTRY void staticCaptionSetter(RuntimeObject* label, uint32_t param, RuntimeString* text);
QL_ENTRY void staticTextAlignSetter(RuntimeObject* label, uint32_t param, int32_t align);
QL_ENTRY void staticTextColorSetter(RuntimeObject* label, uint32_t param, int32_t color);
QL_ENTRY void staticTextFontSetter(RuntimeObject* label, uint32_t param, RuntimeString* font);
QL_ENTRY void staticTextSizeSetter(RuntimeObject* label, uint32_t param, int32_t size);
// Bold, Italic, Underline: `param` is the flag's field offset.
QL_ENTRY void staticAttributeSetter(RuntimeObject* label, uint32_t param, bool value);
QL_ENTRY RuntimeString* StaticTextDataSourceGetter(RuntimeObject* label, uint32_t param);
QL_ENTRY void StaticTextDataSourceSetter(RuntimeObject* label, uint32_t param, RuntimeString* name);
QL_ENTRY void StaticTextDataFieldSetter(RuntimeObject* label, uint32_t param, RuntimeString* name);

// --- GroupBox ---
QL_ENTRY RuntimeString* groupCaptionGetter(RuntimeObject* group, uint32_t param);
QL_ENTRY void groupCaptionSetter(RuntimeObject* group, uint32_t param, RuntimeString* caption);
QL_ENTRY RuntimeString* groupTextFontGetter(RuntimeObject* group, uint32_t param);
QL_ENTRY void groupTextFontSetter(RuntimeObject* group, uint32_t param, RuntimeString* font);
QL_ENTRY int32_t groupTextSizeGetter(RuntimeObject* group, uint32_t param);
QL_ENTRY void groupTextSizeSetter(RuntimeObject* group, uint32_t param, int32_t size);
QL_ENTRY bool groupBoldGetter(RuntimeObject* group, uint32_t param);
QL_ENTRY void groupBoldSetter(RuntimeObject* group, uint32_t param, bool value);
QL_ENTRY bool groupItalicGetter(RuntimeObject* group, uint32_t param);
QL_ENTRY void groupItalicSetter(RuntimeObject* group, uint32_t param, bool value);
QL_ENTRY bool groupUnderlineGetter(RuntimeObject* group, uint32_t param);
QL_ENTRY void groupUnderlineSetter(RuntimeObject* group, uint32_t param, bool value);

// --- PagePanel and TabPanel ---
QL_ENTRY int32_t PagePanelValueGetter(RuntimeObject* panel, uint32_t param);
QL_ENTRY void PagePanelValueSetter(RuntimeObject* panel, uint32_t param, int32_t page);
// Value: the selected tab from 0 while the pane exists, else 0; assigning
// without a pane is not kept.
QL_ENTRY int32_t tabPanelValueGetter(RuntimeObject* panel, uint32_t param);
QL_ENTRY void tabPanelValueSetter(RuntimeObject* panel, uint32_t param, int32_t tab);
QL_ENTRY void tabPanelTextFontSetter(RuntimeObject* panel, uint32_t param, RuntimeString* font);
QL_ENTRY void tabPanelTextSizeSetter(RuntimeObject* panel, uint32_t param, int32_t size);
QL_ENTRY void tabPanelBoldSetter(RuntimeObject* panel, uint32_t param, bool value);
QL_ENTRY void tabPanelItalicSetter(RuntimeObject* panel, uint32_t param, bool value);
QL_ENTRY void tabPanelUnderlineSetter(RuntimeObject* panel, uint32_t param, bool value);
// Caption(i), 0-based; an index that is not a tab raises OutOfBoundsException.
QL_ENTRY RuntimeString* tabPanelCaptionGetter(RuntimeObject* panel, int32_t index);
QL_ENTRY void tabPanelCaptionSetter(RuntimeObject* panel, int32_t index, RuntimeString* caption);

// --- Canvas ---
QL_ENTRY RuntimeObject* canvasGraphicsGetter(RuntimeObject* canvas, uint32_t param);
QL_ENTRY void canvasBackdropSetter(RuntimeObject* canvas, uint32_t param, RuntimeObject* picture);
QL_ENTRY void canvasScroll(RuntimeObject* canvas, int32_t dx, int32_t dy, int32_t x, int32_t y, int32_t width,
                           int32_t height, bool moveControls);

// --- Listbox ---
QL_ENTRY RuntimeString* listTextFontGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listTextFontSetter(RuntimeObject* list, uint32_t param, RuntimeString* font);
QL_ENTRY int32_t listTextSizeGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listTextSizeSetter(RuntimeObject* list, uint32_t param, int32_t size);
QL_ENTRY bool listBoldGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listBoldSetter(RuntimeObject* list, uint32_t param, bool value);
QL_ENTRY bool listItalicGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listItalicSetter(RuntimeObject* list, uint32_t param, bool value);
QL_ENTRY bool listUnderlineGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listUnderlineSetter(RuntimeObject* list, uint32_t param, bool value);
// ListCount: the rows of the open list (0 without a pane).
QL_ENTRY int32_t listCountGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY int32_t listSelectionGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listSelectionSetter(RuntimeObject* list, uint32_t param, int32_t row);
QL_ENTRY RuntimeString* listTextGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listTextSetter(RuntimeObject* list, uint32_t param, RuntimeString* text);
// ColumnCount: 0 becomes 1, above 64 (unsigned) becomes 64.
QL_ENTRY int32_t listColumnCountGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listColumnCountSetter(RuntimeObject* list, uint32_t param, int32_t count);
QL_ENTRY RuntimeString* listColumnWidthsGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listColumnWidthsSetter(RuntimeObject* list, uint32_t param, RuntimeString* widths);
QL_ENTRY void listHierarchicalSetter(RuntimeObject* list, uint32_t param, bool value);
QL_ENTRY int32_t listLastIndexGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listEnableDragSetter(RuntimeObject* list, uint32_t param, bool value);
QL_ENTRY void ListEnableDragReorderSetter(RuntimeObject* list, uint32_t param, bool value);
QL_ENTRY int32_t listSelCountGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listHasHeadingSetter(RuntimeObject* list, uint32_t param, bool value);
QL_ENTRY int32_t listSortedColumnGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listHeadingIndexSetter(RuntimeObject* list, uint32_t param, int32_t column);
QL_ENTRY int32_t listScrollPositionGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listScrollPositionSetter(RuntimeObject* list, uint32_t param, int32_t row);
QL_ENTRY int32_t listScrollPositionXGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listScrollPositionXSetter(RuntimeObject* list, uint32_t param, int32_t x);
QL_ENTRY void listHScrollBarSetter(RuntimeObject* list, uint32_t param, bool value);
QL_ENTRY void listVScrollBarSetter(RuntimeObject* list, uint32_t param, bool value);
QL_ENTRY RuntimeString* ListboxDataSourceGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void ListboxDataSourceSetter(RuntimeObject* list, uint32_t param, RuntimeString* name);
QL_ENTRY void ListboxDataFieldSetter(RuntimeObject* list, uint32_t param, RuntimeString* name);
QL_ENTRY void listHGridLinesSetter(RuntimeObject* list, uint32_t param, int32_t value);
QL_ENTRY void listVGridLinesSetter(RuntimeObject* list, uint32_t param, int32_t value);
QL_ENTRY void listDefaultRowHeightSetter(RuntimeObject* list, uint32_t param, int32_t height);
QL_ENTRY RuntimeObject* listActiveCellGetter(RuntimeObject* list, uint32_t param);
QL_ENTRY void listSortedColumnSetter(RuntimeObject* list, uint32_t param, int32_t column);
// Methods. Rows count from 0; cells take a column from 0 to 255 whatever
// ColumnCount is; out of range raises OutOfBoundsException.
QL_ENTRY void RuntimeListEmpty(RuntimeObject* list);
QL_ENTRY void RuntimeListAddRow(RuntimeObject* list, RuntimeString* text);
QL_ENTRY void RuntimeListInsertRow(RuntimeObject* list, int32_t row, RuntimeString* text);
QL_ENTRY void RuntimeListAddParent(RuntimeObject* list, RuntimeString* text);
QL_ENTRY void RuntimeListInsertParent(RuntimeObject* list, int32_t row, RuntimeString* text);
QL_ENTRY void RuntimeRemoveRow(RuntimeObject* list, int32_t row);
QL_ENTRY RuntimeString* RuntimeGetRow(RuntimeObject* list, int32_t row);
QL_ENTRY void RuntimeSetRow(RuntimeObject* list, int32_t row, RuntimeString* text);
QL_ENTRY RuntimeString* listGetCell(RuntimeObject* list, int32_t row, int32_t column);
QL_ENTRY void listSetCell(RuntimeObject* list, int32_t row, int32_t column, RuntimeString* text);
QL_ENTRY bool listGetCellBold(RuntimeObject* list, int32_t row, int32_t column);
QL_ENTRY void listSetCellBold(RuntimeObject* list, int32_t row, int32_t column, bool value);
QL_ENTRY bool listGetCellItalic(RuntimeObject* list, int32_t row, int32_t column);
QL_ENTRY void listSetCellItalic(RuntimeObject* list, int32_t row, int32_t column, bool value);
QL_ENTRY bool listGetCellUnderline(RuntimeObject* list, int32_t row, int32_t column);
QL_ENTRY void listSetCellUnderline(RuntimeObject* list, int32_t row, int32_t column, bool value);
QL_ENTRY RuntimeObject* listGetRowPicture(RuntimeObject* list, int32_t row);
QL_ENTRY void listSetRowPicture(RuntimeObject* list, int32_t row, RuntimeObject* picture);
QL_ENTRY bool listGetSelected(RuntimeObject* list, int32_t row);
QL_ENTRY void listSetSelected(RuntimeObject* list, int32_t row, bool value);
QL_ENTRY bool listGetExpanded(RuntimeObject* list, int32_t row);
QL_ENTRY void listSetExpanded(RuntimeObject* list, int32_t row, bool value);
QL_ENTRY RuntimeString* listGetHeading(RuntimeObject* list, int32_t column);
QL_ENTRY void listSetHeading(RuntimeObject* list, int32_t column, RuntimeString* text);
QL_ENTRY void listAddLSNR(RuntimeObject* list, RuntimeObject* receiver);
QL_ENTRY void listRemoveLSNR(RuntimeObject* list, RuntimeObject* receiver);
QL_ENTRY void listBind(RuntimeObject* list, RuntimeObject* provider);
QL_ENTRY void listListDataInsertedRow(RuntimeObject* list, int32_t row);
QL_ENTRY void listListDataRemovedRow(RuntimeObject* list, int32_t row);
QL_ENTRY void listListDataReload(RuntimeObject* list);
QL_ENTRY RuntimeObject* listGetBoundPart(RuntimeObject* list, RuntimeString* name);
QL_ENTRY void listEditCell(RuntimeObject* list, int32_t row, int32_t column);
QL_ENTRY RuntimeObject* listColumnGetter(RuntimeObject* list, int32_t column);
QL_ENTRY void listColumnSetter(RuntimeObject* list, int32_t column, RuntimeObject* value);
QL_ENTRY void listColumnPressHeader(RuntimeObject* list, int32_t column);

// --- Message box and URLs ---
// MsgBox: an information box with OK, owned by the front window; a text with
// CR LF shows its first line, an empty line and the rest.
QL_ENTRY void RuntimeMsgBox(RuntimeString* text);
// ShowURL: hands the address to the system's handler for its scheme.
QL_ENTRY void GlobalShowURL(RuntimeString* url);
QL_ENTRY void RuntimeShowURL(RuntimeObject* unused, RuntimeString* url);
