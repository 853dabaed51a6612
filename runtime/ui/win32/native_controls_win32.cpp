// The standard controls of ui/native_controls.h on Win32: rich-edit fields,
// combo boxes, push buttons, tab controls and list views through their own
// messages, and the drawing of labels and Graphics objects.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "platform/version.h"
#include "ui/native_controls.h"

namespace ql::ui::native {
namespace {

HWND H(Handle h) { return static_cast<HWND>(h); }
HDC DC(void* dc) { return static_cast<HDC>(dc); }

LRESULT Send(Handle h, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(H(h), message, wParam, lParam);
}

std::wstring Wide(RuntimeString* s) {
  String wide = ConvertToUTF16(s);
  std::wstring out(static_cast<size_t>(wide.length() / 2), L'\0');
  for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<wchar_t>(WideUnitAt(wide.text(), static_cast<int32_t>(i)));
  return out;
}

String FromWide(const wchar_t* units, size_t count) {
  String wide = NewStringFromWide(reinterpret_cast<const char16_t*>(units), static_cast<int32_t>(count));
  return ConvertToUTF8(wide.get());
}

RECT RectOf(const Rect16& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

int32_t AlignmentOfParagraph(WORD alignment) {
  return alignment == PFA_CENTER ? 1 : alignment == PFA_RIGHT ? 2 : 0;
}
WORD ParagraphAlignment(int32_t alignment) {
  return alignment == 1 ? PFA_CENTER : alignment == 2 ? PFA_RIGHT : PFA_LEFT;
}

}  // namespace

uint32_t NotificationCode(const void* header) { return static_cast<const NMHDR*>(header)->code; }

// --- Rich-edit fields ---

const char* RichEditClass() {
  static const bool loaded = [] {
    LoadLibraryA("RICHED32.DLL");
    LoadLibraryA("RICHED20.DLL");
    return true;
  }();
  (void)loaded;
  return platform::IsNTPlatform() ? "RichEdit20W" : "RichEdit";
}

String EditText(Handle field, bool multiLine) {
  if (!platform::IsNTPlatform()) {
    const int length = GetWindowTextLengthA(H(field));
    std::string bytes(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(H(field), bytes.data(), length + 1);
    return NewStringFromBytes(bytes.data(), got, SystemEncoding());
  }
  if (!multiLine) {
    const int length = GetWindowTextLengthW(H(field));
    std::wstring units(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(H(field), units.data(), length + 1);
    return FromWide(units.data(), static_cast<size_t>(got));
  }
  GETTEXTLENGTHEX lengthEx{GTL_USECRLF | GTL_PRECISE, 1200};
  const LRESULT length = Send(field, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthEx), 0);
  if (length <= 0) return String();
  std::wstring units(static_cast<size_t>(length) + 1, L'\0');
  GETTEXTEX textEx{};
  textEx.cb = static_cast<DWORD>(units.size() * sizeof(wchar_t));
  textEx.flags = GT_DEFAULT;
  textEx.codepage = 1200;
  const LRESULT got = Send(field, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&textEx), reinterpret_cast<LPARAM>(units.data()));
  return FromWide(units.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void SetEditText(Handle field, RuntimeString* text) {
  if (platform::IsNTPlatform()) {
    const std::wstring units = Wide(text);
    SetWindowTextW(H(field), units.c_str());
  } else {
    String system = ConvertToSystem(text);
    SetWindowTextA(H(field), system.text());
  }
}

void SetEditEventMask(Handle field, uint32_t mask) { Send(field, EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask)); }
void SetEditReadOnly(Handle field, bool readOnly) { Send(field, EM_SETREADONLY, readOnly ? TRUE : FALSE); }
void SetEditLimit(Handle field, int32_t characters) { Send(field, EM_EXLIMITTEXT, 0, characters); }
void SetEditBackground(Handle field, uint32_t colourRef) { Send(field, EM_SETBKGNDCOLOR, 0, colourRef); }

void SetEditTextColour(Handle field, uint32_t colourRef) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;  // 60 bytes
  format.dwMask = CFM_COLOR;
  format.crTextColor = colourRef;
  Send(field, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

void SetEditAlignment(Handle field, int32_t alignment) { SetEditSelectionAlignment(field, alignment); }

TextRange EditSelection(Handle field) {
  CHARRANGE range{};
  Send(field, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return TextRange{range.cpMin, range.cpMax};
}

void SetEditSelection(Handle field, TextRange range) {
  CHARRANGE r{range.start, range.end};
  Send(field, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

void HideEditSelection(Handle field, bool hide) { Send(field, EM_HIDESELECTION, hide ? TRUE : FALSE, 0); }

String EditSelectedText(Handle field) {
  const TextRange r = EditSelection(field);
  if (r.end <= r.start) return String();
  std::wstring units(static_cast<size_t>(r.end - r.start) + 1, L'\0');
  const LRESULT got = Send(field, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(units.data()));
  return FromWide(units.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void ReplaceEditSelection(Handle field, RuntimeString* text) {
  const std::wstring units = Wide(text);
  Send(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(units.c_str()));
}

void RunEditCommand(Handle field, EditCommand command) {
  const UINT message = command == EditCommand::Cut    ? WM_CUT
                       : command == EditCommand::Copy ? WM_COPY
                       : command == EditCommand::Paste ? WM_PASTE
                                                      : WM_CLEAR;
  Send(field, message);
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

String ClipboardText() {
  if (!OpenClipboard(nullptr)) return String();
  String text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = FromWide(units, wcslen(units));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

SelectionFormat EditSelectionFormat(Handle field) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_OUTLINE | CFM_SHADOW | CFM_FACE | CFM_SIZE | CFM_COLOR |
                  CFM_SPACING;
  Send(field, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  SelectionFormat f;
  f.effects = format.dwEffects & (kEffectBold | kEffectItalic | kEffectUnderline | kEffectOutline | kEffectShadow);
  if (format.dwMask & CFM_FACE) f.face = FromWide(format.szFaceName, wcsnlen(format.szFaceName, LF_FACESIZE));
  f.size = format.yHeight / 20;
  f.colourRef = format.crTextColor;
  f.spacing = format.sSpacing;
  return f;
}

void SetEditSelectionFormat(Handle field, const SelectionFormat& f, uint32_t parts, uint32_t effectMask) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  if (parts & kFormatEffects) {
    format.dwMask |= effectMask;
    format.dwEffects = f.effects & effectMask;
  }
  if (parts & kFormatFace) {
    format.dwMask |= CFM_FACE;
    const std::wstring face = Wide(f.face.get());
    wcsncpy(format.szFaceName, face.c_str(), LF_FACESIZE - 1);
  }
  if (parts & kFormatSize) {
    format.dwMask |= CFM_SIZE;
    format.yHeight = f.size * 20;
  }
  if (parts & kFormatColour) {
    format.dwMask |= CFM_COLOR;
    format.crTextColor = f.colourRef;
  }
  if (parts & kFormatSpacing) {
    format.dwMask |= CFM_SPACING;
    format.sSpacing = static_cast<SHORT>(f.spacing);
  }
  Send(field, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

int32_t EditSelectionAlignment(Handle field) {
  PARAFORMAT format{};
  format.cbSize = sizeof format;
  format.dwMask = PFM_ALIGNMENT;
  Send(field, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
  return AlignmentOfParagraph(format.wAlignment);
}

void SetEditSelectionAlignment(Handle field, int32_t alignment) {
  PARAFORMAT format{};
  format.cbSize = sizeof format;
  format.dwMask = PFM_ALIGNMENT;
  format.wAlignment = ParagraphAlignment(alignment);
  Send(field, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

int32_t EditFirstVisibleLine(Handle field) { return static_cast<int32_t>(Send(field, EM_GETFIRSTVISIBLELINE)); }
void ScrollEditLines(Handle field, int32_t lines) { Send(field, EM_LINESCROLL, 0, lines); }
int32_t EditLineOfCharacter(Handle field, int32_t position) {
  return static_cast<int32_t>(Send(field, EM_EXLINEFROMCHAR, 0, position));
}
int32_t EditFirstCharacterOfLine(Handle field, int32_t line) {
  return static_cast<int32_t>(Send(field, EM_LINEINDEX, static_cast<WPARAM>(line)));
}
int32_t EditCharacterAt(Handle field, int32_t x, int32_t y) {
  POINTL point{x, y};
  return static_cast<int32_t>(Send(field, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
}
int32_t HorizontalScrollPosition(Handle window) { return GetScrollPos(H(window), SB_HORZ); }
void ScrollHorizontallyTo(Handle window, int32_t position) {
  Send(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position < 0 ? 0 : position), 0);
}

// --- Combo boxes ---

int32_t ComboCount(Handle combo) { return static_cast<int32_t>(Send(combo, CB_GETCOUNT)); }

int32_t ComboInsert(Handle combo, int32_t at, RuntimeString* text) {
  const std::wstring units = Wide(text);
  const bool append = at < 0 || at >= ComboCount(combo);
  const LRESULT row = append ? Send(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(units.c_str()))
                             : Send(combo, CB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(units.c_str()));
  if (row < 0) return -1;
  Send(combo, CB_SETITEMDATA, static_cast<WPARAM>(row), 0);
  return static_cast<int32_t>(row);
}

void ComboDelete(Handle combo, int32_t row) { Send(combo, CB_DELETESTRING, static_cast<WPARAM>(row)); }
void ComboReset(Handle combo) { Send(combo, CB_RESETCONTENT); }
int32_t ComboSelection(Handle combo) {
  const LRESULT selection = Send(combo, CB_GETCURSEL);
  return selection == CB_ERR ? -1 : static_cast<int32_t>(selection);
}
void ComboSelect(Handle combo, int32_t row) { Send(combo, CB_SETCURSEL, static_cast<WPARAM>(row)); }

String ComboText(Handle combo, int32_t row) {
  const LRESULT length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(row));
  if (length <= 0) return String();
  std::wstring units(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(units.data()));
  return FromWide(units.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void SetComboDroppedWidth(Handle combo, int32_t width) { Send(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width)); }
int32_t ComboDroppedWidth(Handle combo) { return static_cast<int32_t>(Send(combo, CB_GETDROPPEDWIDTH)); }
bool ComboIsDropped(Handle combo) { return Send(combo, CB_GETDROPPEDSTATE) != 0; }

int32_t TextWidth(void* font, RuntimeString* text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = font ? SelectObject(dc, static_cast<HFONT>(font)) : nullptr;
  const std::wstring units = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, units.c_str(), static_cast<int>(units.size()), &size);
  if (previous) SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

int32_t VerticalScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

// --- Push buttons ---

void SetDefaultButtonFrame(Handle button, bool frame) {
  Send(button, BM_SETSTYLE, frame ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool HasDefaultButtonFrame(Handle button) { return (GetWindowLongW(H(button), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON; }

// --- Tab controls ---

int32_t TabCount(Handle tabs) { return static_cast<int32_t>(Send(tabs, TCM_GETITEMCOUNT)); }

void AppendTab(Handle tabs, RuntimeString* caption) {
  std::wstring units = Wide(caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = units.data();
  Send(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(TabCount(tabs)), reinterpret_cast<LPARAM>(&item));
}

String TabCaption(Handle tabs, int32_t tab) {
  wchar_t buffer[256] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = 255;
  if (!Send(tabs, TCM_GETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item))) return String();
  return FromWide(item.pszText, wcslen(item.pszText));
}

void SetTabCaption(Handle tabs, int32_t tab, RuntimeString* caption) {
  std::wstring units = Wide(caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = units.data();
  Send(tabs, TCM_SETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
}

int32_t TabSelection(Handle tabs) { return static_cast<int32_t>(Send(tabs, TCM_GETCURSEL)); }
void SelectTab(Handle tabs, int32_t tab) { Send(tabs, TCM_SETCURSEL, static_cast<WPARAM>(tab)); }

// --- List views ---

const char* ListViewClass() { return "SysListView32"; }

uint32_t ListViewStyle(const ListViewSettings& s) {
  uint32_t style = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
  if (!s.multipleSelection) style |= LVS_SINGLESEL;
  if (!s.heading) style |= LVS_NOCOLUMNHEADER;
  return style;
}

void ApplyListViewSettings(Handle list, const ListViewSettings& s) {
  const LONG_PTR kept = GetWindowLongPtrW(H(list), GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_SINGLESEL | LVS_NOCOLUMNHEADER);
  SetWindowLongPtrW(H(list), GWL_STYLE, kept | static_cast<LONG_PTR>(ListViewStyle(s) & (LVS_SINGLESEL | LVS_NOCOLUMNHEADER)));
  const DWORD extended = LVS_EX_FULLROWSELECT | (s.gridLines ? LVS_EX_GRIDLINES : 0);
  Send(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, extended);
  SetWindowPos(H(list), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void SetListColumns(Handle list, int32_t count, const int32_t* widths) {
  HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER));
  int existing = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = widths[i];
    if (i < existing) {
      Send(list, LVM_SETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    } else {
      column.mask |= LVCF_TEXT;
      wchar_t empty[] = L"";
      column.pszText = empty;
      Send(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
  }
  while (existing > count) Send(list, LVM_DELETECOLUMN, static_cast<WPARAM>(--existing));
}

void SetListHeading(Handle list, int32_t column, RuntimeString* text) {
  std::wstring units = Wide(text);
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT;
  c.pszText = units.data();
  Send(list, LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
}

void SetListRowCount(Handle list, int32_t rows) {
  Send(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void RedrawListRows(Handle list, int32_t first, int32_t last) {
  Send(list, LVM_REDRAWITEMS, static_cast<WPARAM>(first), last);
  UpdateWindow(H(list));
}

int32_t ListTopRow(Handle list) { return static_cast<int32_t>(Send(list, LVM_GETTOPINDEX)); }

void ScrollListToRow(Handle list, int32_t row) {
  const int32_t height = ListRowHeight(list);
  Send(list, LVM_SCROLL, 0, static_cast<LPARAM>((row - ListTopRow(list)) * height));
}

int32_t ListRowHeight(Handle list) {
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  if (Send(list, LVM_GETITEMCOUNT) > 0 && Send(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)))
    return r.bottom - r.top;
  HDC dc = GetDC(H(list));
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(Send(list, WM_GETFONT)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(H(list), dc);
  return metrics.tmHeight + 1;
}

int32_t ListHeadingHeight(Handle list) {
  HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER));
  if (!header || !IsWindowVisible(header) || (GetWindowLongW(H(list), GWL_STYLE) & LVS_NOCOLUMNHEADER)) return 0;
  RECT r{};
  GetWindowRect(header, &r);
  return r.bottom - r.top;
}

void SetListRowSelected(Handle list, int32_t row, bool selected) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool ListTextRequest(const void* header, int32_t* row, int32_t* column) {
  const NMLVDISPINFOW* info = static_cast<const NMLVDISPINFOW*>(header);
  if (info->hdr.code != LVN_GETDISPINFOW || !(info->item.mask & LVIF_TEXT)) return false;
  *row = info->item.iItem;
  *column = info->item.iSubItem;
  return true;
}

void AnswerListTextRequest(const void* header, RuntimeString* text) {
  NMLVDISPINFOW* info = const_cast<NMLVDISPINFOW*>(static_cast<const NMLVDISPINFOW*>(header));
  if (!info->item.pszText || info->item.cchTextMax <= 0) return;
  const std::wstring units = Wide(text);
  const size_t n = units.size() < static_cast<size_t>(info->item.cchTextMax - 1) ? units.size()
                                                                                 : static_cast<size_t>(info->item.cchTextMax - 1);
  units.copy(info->item.pszText, n);
  info->item.pszText[n] = L'\0';
}

bool ListSelectionNotice(const void* header, int32_t* row, bool* selected) {
  const NMLISTVIEW* change = static_cast<const NMLISTVIEW*>(header);
  if (change->hdr.code != LVN_ITEMCHANGED || !(change->uChanged & LVIF_STATE) ||
      !((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
    return false;
  *row = change->iItem;
  *selected = (change->uNewState & LVIS_SELECTED) != 0;
  return true;
}

// --- Drawing ---

void DrawLabelText(void* deviceContext, const LabelText& label) {
  HDC dc = DC(deviceContext);
  const std::wstring units = Wide(label.text);
  HGDIOBJ previousFont = label.font ? SelectObject(dc, static_cast<HFONT>(label.font)) : nullptr;
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF previousColour = SetTextColor(dc, label.colourRef);
  SetTextAlign(dc, 0);
  RECT box = RectOf(label.box);
  if (label.multiLine) {
    box.bottom = 32767;
    const UINT align = label.align == 1 ? DT_CENTER : label.align == 2 ? DT_RIGHT : 0;
    DrawTextW(dc, units.c_str(), static_cast<int>(units.size()), &box, DT_WORDBREAK | align);
    SetTextAlign(dc, TA_BASELINE);
  } else {
    RECT measure{0, 0, 0, 0};
    DrawTextW(dc, units.c_str(), static_cast<int>(units.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
    const LONG width = measure.right - measure.left;
    if (label.align == 1) box.left = label.box.left + (label.box.right - label.box.left - width) / 2;
    if (label.align == 2) box.left = label.box.right - width;
    DrawTextW(dc, units.c_str(), static_cast<int>(units.size()), &box, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
  }
  SetTextColor(dc, previousColour);
  SetBkMode(dc, previousMode);
  if (previousFont) SelectObject(dc, previousFont);
}

void FillBox(void* deviceContext, const Rect16& box, uint32_t colourRef) {
  HBRUSH brush = CreateSolidBrush(colourRef);
  const RECT r = RectOf(box);
  FillRect(DC(deviceContext), &r, brush);
  DeleteObject(brush);
}

void FillBoxWithButtonFace(void* deviceContext, const Rect16& box) {
  const RECT r = RectOf(box);
  FillRect(DC(deviceContext), &r, GetSysColorBrush(COLOR_BTNFACE));
}

void FillWithParentBackground(Handle child, void* deviceContext) {
  HWND parent = GetParent(H(child));
  if (!parent) return;
  HDC dc = DC(deviceContext);
  POINT at{0, 0};
  MapWindowPoints(H(child), parent, &at, 1);
  POINT previous{};
  OffsetWindowOrgEx(dc, at.x, at.y, &previous);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetWindowOrgEx(dc, previous.x, previous.y, nullptr);
}

void SetDrawingOrigin(void* deviceContext, int32_t x, int32_t y) {
  SetViewportOrgEx(DC(deviceContext), -x, -y, nullptr);
}

void DrawLine(void* deviceContext, uint32_t colourRef, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  HDC dc = DC(deviceContext);
  HPEN pen = CreatePen(PS_SOLID, 1, colourRef);
  HGDIOBJ previous = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

void FrameBox(void* deviceContext, const Rect16& box, uint32_t colourRef) {
  HBRUSH brush = CreateSolidBrush(colourRef);
  const RECT r = RectOf(box);
  FrameRect(DC(deviceContext), &r, brush);
  DeleteObject(brush);
}

void DrawTextAt(void* deviceContext, uint32_t colourRef, int32_t x, int32_t baseline, RuntimeString* text) {
  HDC dc = DC(deviceContext);
  const std::wstring units = Wide(text);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF previousColour = SetTextColor(dc, colourRef);
  const UINT previousAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  TextOutW(dc, x, baseline, units.c_str(), static_cast<int>(units.size()));
  SetTextAlign(dc, previousAlign);
  SetTextColor(dc, previousColour);
  SetBkMode(dc, previousMode);
}

}  // namespace ql::ui::native
