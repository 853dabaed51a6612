// The baseline of the Titrix benchmark: a program written directly against
// user32 and comctl32 (common controls 6, as titrix.exe) that opens a window
// of the calculator's size and menu bar with the same controls at the same
// places: the tab control, the two group boxes, the rich-edit fields, the
// pop-ups with their rows, the labels, the buttons, and the hidden list view
// filled from elements.txt. It keeps running until it is closed.
#include <windows.h>

#include <commctrl.h>

#include <stdio.h>

namespace {

struct Control {
  const wchar_t* className;
  const wchar_t* text;
  int left, top, width, height;
  DWORD style;
  int page;  // 1 Solutions, 2 Dilutions
};

constexpr DWORD kGroup = BS_GROUPBOX, kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
const wchar_t* const kRich = L"RichEdit20W";

// Window coordinates, as the calculator's design.
const Control kControls[] = {
    {L"STATIC", L"For a Given Solution, Calculate:", 12, 35, 200, 20, 0, 1},
    {L"COMBOBOX", nullptr, 12, 54, 266, 20, kCombo, 1},
    {L"BUTTON", L"", 12, 35, 266, 246, kGroup, 2},
    {L"BUTTON", L"", 12, 86, 266, 211, kGroup, 1},
    {kRich, L"", 116, 142, 55, 22, kEdit, 1},
    {kRich, L"", 116, 177, 55, 22, kEdit, 1},
    {kRich, L"", 116, 228, 55, 22, kEdit, 1},
    {L"STATIC", L"Conc.:", 31, 142, 80, 20, 0, 1},
    {L"STATIC", L"Volume:", 31, 177, 80, 20, 0, 1},
    {L"STATIC", L"Mass:", 31, 228, 80, 20, 0, 1},
    {L"BUTTON", L"Calculate", 178, 261, 80, 20, kButton, 1},
    {L"COMBOBOX", nullptr, 178, 144, 80, 20, kCombo, 1},
    {L"COMBOBOX", nullptr, 178, 179, 80, 20, kCombo, 1},
    {L"COMBOBOX", nullptr, 178, 230, 80, 20, kCombo, 1},
    {L"STATIC", L"", 31, 212, 227, 5, SS_ETCHEDHORZ, 1},
    {kRich, L"", 116, 108, 142, 23, kEdit, 1},
    {L"COMBOBOX", nullptr, 28, 110, 80, 20, kCombo, 1},
    {kRich, L"", 102, 92, 70, 22, kEdit, 2},
    {kRich, L"", 102, 124, 70, 22, kEdit, 2},
    {kRich, L"", 102, 156, 70, 20, kEdit, 2},
    {L"COMBOBOX", nullptr, 182, 158, 80, 20, kCombo, 2},
    {L"COMBOBOX", nullptr, 182, 126, 80, 20, kCombo, 2},
    {L"COMBOBOX", nullptr, 182, 94, 80, 20, kCombo, 2},
    {L"STATIC", L"Stock Conc.", 26, 92, 80, 20, 0, 2},
    {L"STATIC", L"Final Conc.:", 26, 126, 80, 20, 0, 2},
    {L"STATIC", L"Final Vol.:", 26, 158, 80, 20, 0, 2},
    {L"COMBOBOX", nullptr, 182, 210, 80, 20, kCombo, 2},
    {kRich, L"", 102, 208, 70, 22, kEdit, 2},
    {L"BUTTON", L"Calculate", 182, 249, 80, 20, kButton, 2},
    {L"STATIC", L"Req. Vol.:", 26, 210, 80, 20, 0, 2},
    {L"STATIC", L"", 26, 195, 236, 3, SS_ETCHEDHORZ, 2},
    {L"STATIC", L"Dilute a Stock Solution:", 26, 52, 200, 20, 0, 2},
    {L"STATIC", L"", 26, 76, 236, 4, SS_ETCHEDHORZ, 2},
};

const wchar_t* const kRows[] = {L"Mass from concentration and volume", L"molar", L"millimolar", L"micromolar",
                                L"nanomolar", L"picomolar", L"femtomolar"};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HMENU MenuBar() {
  HMENU bar = CreateMenu();
  const wchar_t* const titles[] = {L"&File", L"&Edit", L"&Preferences", L"&Help"};
  const wchar_t* const items[][3] = {{L"E&xit\tCtrl+Q"}, {L"Undo", L"Cut", L"Copy"},
                                     {L"Show Calculated M.W.", L"Remember Input Fields"}, {L"Titrix Help"}};
  for (int m = 0; m < 4; ++m) {
    HMENU menu = CreatePopupMenu();
    for (const wchar_t* item : items[m])
      if (item) AppendMenuW(menu, MF_STRING, 100 + m, item);
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), titles[m]);
  }
  return bar;
}

void FillList(HWND list) {
  FILE* f = fopen("elements.txt", "rb");
  if (!f) return;
  char line[512];
  for (int row = 0; fgets(line, sizeof line, f); ++row) {
    wchar_t text[512];
    MultiByteToWideChar(CP_UTF8, 0, line, -1, text, 512);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = text;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  fclose(f);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&init);
  LoadLibraryW(L"riched20.dll");
  WNDCLASSW c{};
  c.lpfnWndProc = Procedure;
  c.hInstance = instance;
  c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = L"PlainTitrix";
  RegisterClassW(&c);
  RECT r{0, 0, 292, 311};
  const DWORD style = WS_OVERLAPPEDWINDOW;
  AdjustWindowRect(&r, style, TRUE);
  HWND window = CreateWindowExW(0, L"PlainTitrix", L"Plain Titrix", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                r.right - r.left, r.bottom - r.top, nullptr, MenuBar(), instance, nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 1, 1, 290, 309, window,
                              nullptr, instance, nullptr);
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  const wchar_t* const pages[] = {L"Solutions", L"Dilutions"};
  for (int i = 0; i < 2; ++i) {
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(pages[i]);
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
  }
  for (const Control& k : kControls) {
    const DWORD shown = k.page == 1 ? WS_VISIBLE : 0;
    const int height = k.style == kCombo ? k.height + 200 : k.height;
    HWND control = CreateWindowExW(0, k.className, k.text ? k.text : L"", WS_CHILD | shown | k.style, k.left - 1,
                                   k.top - 1, k.width, height, tabs, nullptr, instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (k.style == kCombo) {
      for (const wchar_t* row : kRows) SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
      SendMessageW(control, CB_SETCURSEL, 1, 0);
    }
  }
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 1, 376, 213, 100, window, nullptr, instance,
                              nullptr);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = 100;
  column.pszText = const_cast<wchar_t*>(L"");
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  FillList(list);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
