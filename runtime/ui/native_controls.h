// The native side of the standard controls that control kinds use: the
// rich-edit field, the combo box, the push button, the tab control and the
// list view, the text drawing of labels and the pictures of canvases.
// Win32 implements it in ui/win32/native_controls_win32.cpp with the
// controls' own messages; the POSIX stand-in (ui/posix/fake_controls.h)
// keeps what a real control would hold and, like the real controls, tells
// the pane of changes it would notify (EN_CHANGE, EN_SELCHANGE).
#pragma once

#include <stdint.h>

#include "core/string.h"
#include "ui/native.h"
#include "ui/window_object.h"

namespace ql::ui::native {

// 0x00RRGGBB (the object model) to 0x00BBGGRR (the system) and back.
inline uint32_t SystemColour(uint32_t rgb) {
  return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// Notification codes the panes handle (WM_COMMAND and WM_NOTIFY).
enum : uint32_t {
  kButtonClicked = 0,           // BN_CLICKED
  kComboSelectionChange = 1,    // CBN_SELCHANGE
  kEditSetFocus = 0x100,        // EN_SETFOCUS
  kEditKillFocus = 0x200,       // EN_KILLFOCUS
  kEditChange = 0x300,          // EN_CHANGE
  kEditSelectionChange = 0x702, // EN_SELCHANGE (WM_NOTIFY)
  kTabSelectionChange = 0xFFFFFDD9,  // TCN_SELCHANGE (WM_NOTIFY)
};
// A WM_NOTIFY header's code.
uint32_t NotificationCode(const void* header);


// --- Rich-edit fields ---
enum : uint32_t { kNotifyChange = 0x1, kNotifySelectionChange = 0x80000 };  // ENM_CHANGE, ENM_SELCHANGE
// The rich-edit class to create: "RichEdit20W" on NT, else "RichEdit"; the
// libraries are loaded once per process.
const char* RichEditClass();
// The text (UTF-8). A multi-line field's paragraphs end in a carriage return.
String EditText(Handle field, bool multiLine);
void SetEditText(Handle field, RuntimeString* text);
void SetEditEventMask(Handle field, uint32_t mask);
void SetEditReadOnly(Handle field, bool readOnly);
void SetEditLimit(Handle field, int32_t characters);
void SetEditBackground(Handle field, uint32_t colourRef);
// Colour and paragraph alignment of all text.
void SetEditTextColour(Handle field, uint32_t colourRef);
void SetEditAlignment(Handle field, int32_t alignment);  // 0 left, 1 centre, 2 right
struct TextRange {
  int32_t start = 0;
  int32_t end = 0;
};
TextRange EditSelection(Handle field);
void SetEditSelection(Handle field, TextRange range);
void HideEditSelection(Handle field, bool hide);
String EditSelectedText(Handle field);
void ReplaceEditSelection(Handle field, RuntimeString* text);
enum class EditCommand { Cut, Copy, Paste, Clear };
void RunEditCommand(Handle field, EditCommand command);
bool ClipboardHasText();
// The clipboard's text (UTF-8), nil for none.
String ClipboardText();

// The character format of the selection.
enum : uint32_t {
  kEffectBold = 0x1,
  kEffectItalic = 0x2,
  kEffectUnderline = 0x4,
  kEffectOutline = 0x200,
  kEffectShadow = 0x400,
};
struct SelectionFormat {
  uint32_t effects = 0;     // kEffect* bits
  String face;              // nil: mixed or unknown
  int32_t size = 0;         // points
  uint32_t colourRef = 0;
  int32_t spacing = 0;      // negative condensed, positive extended
};
enum : uint32_t { kFormatEffects = 1, kFormatFace = 2, kFormatSize = 4, kFormatColour = 8, kFormatSpacing = 16 };
SelectionFormat EditSelectionFormat(Handle field);
// Applies the parts named by `parts`; for kFormatEffects only the bits in `effectMask`.
void SetEditSelectionFormat(Handle field, const SelectionFormat& format, uint32_t parts, uint32_t effectMask);
int32_t EditSelectionAlignment(Handle field);
void SetEditSelectionAlignment(Handle field, int32_t alignment);
int32_t EditFirstVisibleLine(Handle field);
void ScrollEditLines(Handle field, int32_t lines);
int32_t EditLineOfCharacter(Handle field, int32_t position);
int32_t EditFirstCharacterOfLine(Handle field, int32_t line);
int32_t EditCharacterAt(Handle field, int32_t x, int32_t y);
int32_t HorizontalScrollPosition(Handle window);
void ScrollHorizontallyTo(Handle window, int32_t position);

// --- Combo boxes (drop-down lists) ---
int32_t ComboCount(Handle combo);
// Inserts at `at` (0 .. count); returns the row's index.
int32_t ComboInsert(Handle combo, int32_t at, RuntimeString* text);
void ComboDelete(Handle combo, int32_t row);
void ComboReset(Handle combo);
int32_t ComboSelection(Handle combo);  // -1 for none
void ComboSelect(Handle combo, int32_t row);
String ComboText(Handle combo, int32_t row);
void SetComboDroppedWidth(Handle combo, int32_t width);
int32_t ComboDroppedWidth(Handle combo);
// Its drop-down list is showing (CB_GETDROPPEDSTATE).
bool ComboIsDropped(Handle combo);
// Width of the text in the font (GetTextExtentPoint32); the system's
// vertical scroll bar width.
int32_t TextWidth(void* font, RuntimeString* text);
int32_t VerticalScrollBarWidth();

// --- Push buttons ---
// BS_DEFPUSHBUTTON or BS_PUSHBUTTON.
void SetDefaultButtonFrame(Handle button, bool frame);
bool HasDefaultButtonFrame(Handle button);

// --- Tab controls ---
int32_t TabCount(Handle tabs);
void AppendTab(Handle tabs, RuntimeString* caption);
String TabCaption(Handle tabs, int32_t tab);
void SetTabCaption(Handle tabs, int32_t tab, RuntimeString* caption);
int32_t TabSelection(Handle tabs);
void SelectTab(Handle tabs, int32_t tab);

// --- List views (report view, rows supplied by the pane) ---
struct ListViewSettings {
  bool heading = false;
  bool gridLines = false;
  bool multipleSelection = false;
  bool horizontalScrollBar = true;
  bool verticalScrollBar = true;
};
const char* ListViewClass();
uint32_t ListViewStyle(const ListViewSettings& settings);
void ApplyListViewSettings(Handle list, const ListViewSettings& settings);
// Column count and widths; headings are set separately.
void SetListColumns(Handle list, int32_t count, const int32_t* widths);
void SetListHeading(Handle list, int32_t column, RuntimeString* text);
// The number of rows the view shows; it asks for their texts.
void SetListRowCount(Handle list, int32_t rows);
void RedrawListRows(Handle list, int32_t first, int32_t last);
int32_t ListTopRow(Handle list);
void ScrollListToRow(Handle list, int32_t row);
int32_t ListRowHeight(Handle list);
int32_t ListHeadingHeight(Handle list);
void SetListRowSelected(Handle list, int32_t row, bool selected);
// A WM_NOTIFY asking for a cell's text: true with its row and column.
bool ListTextRequest(const void* header, int32_t* row, int32_t* column);
void AnswerListTextRequest(const void* header, RuntimeString* text);
// A WM_NOTIFY telling that a row's selection changed: true with the row and its state.
bool ListSelectionNotice(const void* header, int32_t* row, bool* selected);

// --- Drawing in a pane's device context ---
struct LabelText {
  RuntimeString* text = nullptr;  // drawn with "&" prefixes
  void* font = nullptr;
  uint32_t colourRef = 0;
  Rect16 box{};                   // in the device context's coordinates
  int32_t align = 0;              // 0 left, 1 centre, 2 right
  bool multiLine = false;
};
// DrawText with a transparent background; the previous text colour is
// restored. Multi-line: word-wrapped from the top; otherwise one line
// vertically centred, placed by the alignment.
void DrawLabelText(void* deviceContext, const LabelText& label);
void FillBox(void* deviceContext, const Rect16& box, uint32_t colourRef);
void FillBoxWithButtonFace(void* deviceContext, const Rect16& box);
// Has the native parent draw its background and client area into the
// child's device context, under the child (a label on a tab page shows the
// page's own colour).
void FillWithParentBackground(Handle child, void* deviceContext);
// Moves the device context's origin so that (x, y) is drawn at its (0, 0).
void SetDrawingOrigin(void* deviceContext, int32_t x, int32_t y);
// What a Graphics object draws: one-pixel lines, frames, fills and text in
// the current font, all in `colourRef`.
void DrawLine(void* deviceContext, uint32_t colourRef, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void FrameBox(void* deviceContext, const Rect16& box, uint32_t colourRef);
void DrawTextAt(void* deviceContext, uint32_t colourRef, int32_t x, int32_t baseline, RuntimeString* text);

}  // namespace ql::ui::native
