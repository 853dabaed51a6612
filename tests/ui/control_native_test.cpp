// The control panes on Win32 (run under wine64 on a private X display):
// real controls driven by real messages (WM_CHAR, CB_SETCURSEL with
// CBN_SELCHANGE, BM_CLICK, TCN_SELCHANGE, Return and Escape through the key
// pre-translation), the pixels the panes draw read back from the screen,
// the appearance plug-in's Separator, MsgBox's real box, and the counts of
// live objects and system objects over many windows.
#if defined(_WIN32)

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "control_world.h"
#include "core/class_lookup.h"
#include "core/entrypoint_registry.h"
#include "core/object.h"
#include "platform/common_controls.h"
#include "platform/library.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/graphics.h"
#include "quillon/entrypoints/objects.h"
#include "startup/plugin_classes.h"
#include "ui/control_layer.h"
#include "ui/control_object.h"
#include "ui/keys.h"
#include "ui/list_updates.h"
#include "ui/view_window.h"
#include "ui/window.h"

namespace ql::test {
namespace {

using Strings = std::vector<std::string>;

HWND HandleOf(RuntimeObject* control) { return static_cast<HWND>(ui::AsControl(control)->pane->NativeHandle()); }
HWND ViewHandle(RuntimeObject* window) { return static_cast<HWND>(ui::AsWindow(window)->view->NativeHandle()); }

void Pump() {
  MSG m;
  for (int round = 0; round < 50; ++round) {
    bool any = false;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
      any = true;
    }
    if (!any && round > 3) break;
    Sleep(5);
  }
}

// Visible, painted, the messages handled.
void ShowAndPaint(RuntimeObject* window) {
  ui::RunIdlePass();
  HWND view = ViewHandle(window);
  ShowWindow(view, SW_SHOW);
  RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
}

// The pixels of a rectangle of a window's client area, copied off the
// screen with one BitBlt (a GetPixel per pixel is a server round trip under
// wine), row by row as COLORREFs.
class Pixels {
 public:
  Pixels(HWND window, const RECT& r) : area_(r), width_(r.right - r.left) {
    const int height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const uint32_t* rows = static_cast<const uint32_t*>(bits);
    pixels_.reserve(static_cast<size_t>(width_) * static_cast<size_t>(height));
    for (int i = 0; i < width_ * height; ++i) {
      const uint32_t bgr = rows[i];  // 0x00RRGGBB in a 32-bit DIB
      pixels_.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
  }
  // In window coordinates.
  COLORREF At(int x, int y) const {
    return pixels_[static_cast<size_t>((y - area_.top) * width_ + (x - area_.left))];
  }
  const std::vector<COLORREF>& all() const { return pixels_; }
  // As a 24-bit bottom-up BMP file; false when it cannot be written.
  bool WriteBmp(const std::string& path) const {
    const int height = static_cast<int>(pixels_.size()) / width_;
    const int stride = (width_ * 3 + 3) & ~3;
    std::string file(54 + static_cast<size_t>(stride * height), '\0');
    auto put32 = [&](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width_));
    put32(22, static_cast<uint32_t>(height));
    put32(26, 1 | 24 << 16);  // one plane, 24 bits
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width_; ++x) {
        const COLORREF c = pixels_[static_cast<size_t>(y * width_ + x)];
        const size_t at = 54 + static_cast<size_t>((height - 1 - y) * stride + x * 3);
        file[at] = static_cast<char>(GetBValue(c));
        file[at + 1] = static_cast<char>(GetGValue(c));
        file[at + 2] = static_cast<char>(GetRValue(c));
      }
    FILE* out = fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = fwrite(file.data(), 1, file.size(), out) == file.size();
    return fclose(out) == 0 && written;
  }

 private:
  RECT area_;
  int width_;
  std::vector<COLORREF> pixels_;
};

int Brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

// The darkest pixel of a rectangle in a window's client area.
int DarkestIn(HWND window, const RECT& r) {
  int darkest = 3 * 255;
  const Pixels pixels(window, r);
  for (COLORREF c : pixels.all())
    if (Brightness(c) < darkest) darkest = Brightness(c);
  return darkest;
}

int CountColour(HWND window, const RECT& r, COLORREF colour) {
  int n = 0;
  const Pixels pixels(window, r);
  for (COLORREF c : pixels.all()) n += c == colour;
  return n;
}

class NativeControls : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    platform::InitialiseCommonControls();
    ui::InstallControlLayer();
    ClearEventActions();
  }
  void TearDown() override {
    ClearEventActions();
    UiTest::TearDown();
  }
  RuntimeObject* Open(KindWindow w) {
    windows_.push_back(ObjectRef::Adopt(OpenKindWindow(w)));
    window_ = windows_.back().get();
    return window_;
  }
  RuntimeObject* Control(const std::string& key) { return Kind(window_, key); }
  size_t Count(const std::string& entry) {
    size_t n = 0;
    for (const std::string& t : trace()) n += t == entry;
    return n;
  }
  std::vector<ObjectRef> windows_;
  RuntimeObject* window_ = nullptr;
};

// --- Positions ---

// A native window's rectangle in its view's client coordinates, as the
// user sees it: "top,left,bottom,right".
std::string PlacedAt(RuntimeObject* window, RuntimeObject* control) {
  RECT r{};
  GetWindowRect(HandleOf(control), &r);
  MapWindowPoints(nullptr, ViewHandle(window), reinterpret_cast<POINT*>(&r), 2);
  return std::to_string(r.top) + "," + std::to_string(r.left) + "," + std::to_string(r.bottom) + "," +
         std::to_string(r.right);
}

std::string BoundsOf(RuntimeObject* control) {
  const ui::Rect16 b = ui::AsControl(control)->bounds;
  return std::to_string(b.top) + "," + std::to_string(b.left) + "," + std::to_string(b.bottom) + "," +
         std::to_string(b.right);
}

// Group boxes on the pages of a tab panel, with fields and labels inside
// them, some made inside their group box natively and some inside the tab
// control: wherever a pane's native window lives, moving the control (or
// its container) puts it where its bounds say.
TEST_F(NativeControls, MovedControlsInsideAGroupBoxOnATabPageLandOnTheirBounds) {
  KindWindow w;
  w.className = "PlacesWindow";
  w.bounds = {40, 40, 351, 332};
  w.controls = {
      KindDesign{.kind = "TabPanel", .className = "places_tabs", .bounds = {1, 1, 310, 291},
                 .values = {{"TabDefinition", std::string("One\r\nTwo")}}},
      KindDesign{.kind = "GroupBox", .className = "places_group2", .bounds = {35, 12, 281, 278}, .tabPage = 2,
                 .initialParent = "places_tabs"},
      KindDesign{.kind = "GroupBox", .className = "places_group1", .bounds = {86, 12, 297, 278}, .tabPage = 1,
                 .initialParent = "places_tabs"},
      KindDesign{.kind = "EditField", .className = "places_field", .bounds = {142, 116, 164, 171}, .tabPage = 1,
                 .initialParent = "places_group1"},
      KindDesign{.kind = "StaticText", .className = "places_label", .bounds = {142, 31, 162, 111},
                 .values = {{"Text", std::string("Conc.:")}}, .tabPage = 1, .initialParent = "places_group1"},
      KindDesign{.kind = "EditField", .className = "places_stock", .bounds = {92, 102, 114, 172}, .tabPage = 2,
                 .initialParent = "places_group2"},
      KindDesign{.kind = "StaticText", .className = "places_title", .bounds = {52, 26, 72, 226},
                 .values = {{"Text", std::string("Dilute")}}, .tabPage = 2, .initialParent = "places_group2"},
  };
  RuntimeObject* window = Open(w);
  struct Move {
    const char* key;
    const char* property;
    int32_t value;
  };
  const Move moves[] = {
      {nullptr, nullptr, 0},  // as made
      {"places_field", "Top", 228},   {"places_label", "Top", 177},  {"places_field", "Left", 120}, {"places_stock", "Top", 124},
      {"places_title", "Left", 30},   {"places_group1", "Top", 90},  {"places_group2", "Left", 14},
  };
  for (const Move& m : moves) {
    if (m.key) SetProperty(Control(m.key), m.property, m.value);
    Pump();
    const std::string step = m.key ? std::string(m.key) + "." + m.property : std::string("as made");
    for (const char* key : {"places_group1", "places_group2", "places_field", "places_label", "places_stock", "places_title"})
      EXPECT_EQ(PlacedAt(window, Control(key)), BoundsOf(Control(key))) << key << " after " << step;
  }
}

// --- Edit fields ---

TEST_F(NativeControls, TypingIntoARichEditFiresTextChangeOnceForEachCharacter) {
  KindWindow w;
  w.className = "TypingWindow";
  w.controls = {KindDesign{.kind = "EditField", .className = "field", .values = {{"Text", std::string("12")}},
                           .events = {"TextChange"}}};
  Open(w);
  HWND field = HandleOf(Control("field"));
  EXPECT_EQ(GetString(Control("field"), "Text"), "12");
  EXPECT_EQ(Count("field TextChange"), 0u) << "the text set before opening";
  SendMessageW(field, EM_SETSEL, 2, 2);
  for (wchar_t c : std::wstring(L".5")) SendMessageW(field, WM_CHAR, c, 1);
  EXPECT_EQ(GetString(Control("field"), "Text"), "12.5");
  EXPECT_EQ(Count("field TextChange"), 2u);
  OnEvent("field", "TextChange", [](RuntimeObject* o) {
    SetProperty(o, "Text", std::string("again"));
    return false;
  });
  SendMessageW(field, WM_CHAR, L'7', 1);
  EXPECT_EQ(Count("field TextChange"), 3u) << "the handler's assignment does not nest";
  EXPECT_EQ(GetString(Control("field"), "Text"), "again");
}

TEST_F(NativeControls, PasswordTypingShowsStarsAndMultiLineTextKeepsReturns) {
  KindWindow w;
  w.className = "PasswordWindow";
  w.controls = {KindDesign{.kind = "EditField", .className = "pw", .values = {{"Password", true}}},
                KindDesign{.kind = "EditField", .className = "notes", .bounds = {40, 10, 120, 200},
                           .values = {{"MultiLine", true}, {"Text", std::string("first\r\nsecond")}}},
                KindDesign{.kind = "EditField", .className = "short", .bounds = {130, 10, 150, 200},
                           .values = {{"LimitText", int32_t{0}}}}};
  Open(w);
  HWND pw = HandleOf(Control("pw"));
  for (wchar_t c : std::wstring(L"ab\tc")) SendMessageW(pw, WM_CHAR, c, 1);
  wchar_t shown[16] = {};
  GetWindowTextW(pw, shown, 16);
  EXPECT_EQ(std::wstring(shown), L"**\t*");
  EXPECT_EQ(GetString(Control("pw"), "Text"), "ab\tc");
  EXPECT_EQ(GetString(Control("notes"), "Text"), "first\rsecond") << "the paragraph's carriage return";
  EXPECT_EQ(SendMessageW(HandleOf(Control("short")), EM_GETLIMITTEXT, 0, 0), 1000000);
}

// --- Pop-up menus ---

TEST_F(NativeControls, ARowPickedInTheComboBoxFiresChange) {
  KindWindow w;
  w.className = "PopupWindow";
  w.controls = {KindDesign{.kind = "PopupMenu", .className = "unit", .bounds = {10, 10, 30, 60},
                           .values = {{"InitialValue", std::string("mg\r\ng\r\na unit with a long name\r\n")}},
                           .events = {"Change"}}};
  Open(w);
  HWND combo = HandleOf(Control("unit"));
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(Count("unit Change"), 1u);
  EXPECT_EQ(GetString(Control("unit"), "Text"), "g");
  EXPECT_GT(SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), 50) << "the list is wider than the control";
  RECT r{};
  GetWindowRect(combo, &r);
  EXPECT_EQ(r.right - r.left, 50);
}

// Return chooses the row of an open drop-down list and Escape closes it,
// as the list's own keys; the window's default and cancel buttons are not
// pushed. Once the list is closed, both keys are the buttons' again.
TEST_F(NativeControls, ReturnAndEscapeInAnOpenListAreTheListsKeys) {
  KindWindow w;
  w.className = "OpenListWindow";
  w.controls = {
      KindDesign{.kind = "PopupMenu", .className = "open_list", .bounds = {10, 10, 30, 90},
                 .values = {{"InitialValue", std::string("gram\r\nmilligram\r\nmicrogram")}}, .events = {"Change"}},
      KindDesign{.kind = "PushButton", .className = "open_list_ok", .bounds = {40, 10, 60, 110},
                 .values = {{"Default", true}}, .events = {"Action"}},
      KindDesign{.kind = "PushButton", .className = "open_list_cancel", .bounds = {70, 10, 90, 110},
                 .values = {{"Cancel", true}}, .events = {"Action"}}};
  RuntimeObject* window = Open(w);
  ShowAndPaint(window);
  ui::RuntimeViewWindow* view = ui::AsWindow(window)->view;
  HWND combo = HandleOf(Control("open_list"));
  SetFocus(combo);
  Pump();
  ASSERT_EQ(view->FocusPane(), ui::AsControl(Control("open_list"))->pane);
  struct Case {
    UINT key;
    const char* pushed;  // the button the key pushes once the list is closed
  };
  for (const Case& c : {Case{VK_RETURN, "open_list_ok Action"}, Case{VK_ESCAPE, "open_list_cancel Action"}}) {
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(ui::PreTranslateKeyDown(view, c.key, false, 0)) << c.pushed << ": left to the list";
    EXPECT_EQ(Count(c.pushed), 0u);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
    EXPECT_TRUE(ui::PreTranslateKeyDown(view, c.key, false, 0));
    EXPECT_EQ(Count(c.pushed), 1u);
  }
}

// --- Push buttons ---

TEST_F(NativeControls, ClicksReturnAndEscapePushTheirButtons) {
  KindWindow w;
  w.className = "ButtonWindow";
  w.controls = {KindDesign{.kind = "PushButton", .className = "ok",
                           .values = {{"Caption", std::string("&OK")}, {"Default", true}}, .events = {"Action"}},
                KindDesign{.kind = "PushButton", .className = "cancel", .bounds = {40, 10, 60, 110},
                           .values = {{"Caption", std::string("Cancel")}, {"Cancel", true}}, .events = {"Action"}},
                KindDesign{.kind = "PushButton", .className = "off", .bounds = {70, 10, 90, 110},
                           .values = {{"Enabled", false}}, .events = {"Action"}}};
  RuntimeObject* window = Open(w);
  EXPECT_EQ(GetWindowLongW(HandleOf(Control("ok")), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
  ui::RuntimeViewWindow* view = ui::AsWindow(window)->view;
  EXPECT_TRUE(ui::PreTranslateKeyDown(view, VK_RETURN, false, 0));
  EXPECT_TRUE(ui::PreTranslateKeyDown(view, VK_ESCAPE, false, 0));
  EXPECT_EQ(Count("ok Action"), 1u);
  EXPECT_EQ(Count("cancel Action"), 1u);
  SendMessageW(HandleOf(Control("cancel")), BM_CLICK, 0, 0);
  EXPECT_EQ(Count("cancel Action"), 2u);
  EXPECT_EQ(GetFocus(), HandleOf(Control("cancel"))) << "the click focuses it";
  EXPECT_TRUE(ui::PreTranslateKeyDown(view, VK_RETURN, false, 0));
  EXPECT_EQ(Count("cancel Action"), 3u) << "Return pushes the focused button, not the default one";
  EXPECT_EQ(Count("ok Action"), 1u);
  EXPECT_TRUE(ui::PreTranslateKeyDown(view, 'O', false, ui::kModifierAlt));
  EXPECT_EQ(Count("ok Action"), 2u);
  pushButtonPush(Control("off"));
  EXPECT_EQ(Count("off Action"), 0u);
}

// --- Tab panels and pixels ---

TEST_F(NativeControls, AControlOnPageTwoIsDrawnOnlyOnceItsPageIsSelected) {
  KindWindow w;
  w.className = "PagesWindow";
  w.controls = {KindDesign{.kind = "TabPanel", .className = "tabs", .bounds = {0, 0, 200, 300},
                           .values = {{"TabDefinition", std::string("One\r\nTwo")}}, .events = {"Change"}},
                KindDesign{.kind = "Canvas", .className = "red", .bounds = {60, 40, 100, 140}, .events = {"Paint"},
                           .tabPage = 2}};
  OnEvent("red", "Paint", [](RuntimeObject*) {
    RuntimeObject* g = PaintingGraphics();
    SetProperty(g, "ForeColor", Rgb{0xFF0000});
    GraphicsFillRect(g, 0, 0, 100, 40);
    return false;
  });
  RuntimeObject* window = Open(w);
  ShowAndPaint(window);
  const RECT area{45, 65, 135, 95};  // inside the canvas, window coordinates
  EXPECT_EQ(CountColour(ViewHandle(window), area, RGB(255, 0, 0)), 0) << "page 1: not drawn";
  HWND tabs = HandleOf(Control("tabs"));
  SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
  NMHDR header{tabs, 0, TCN_SELCHANGE};
  SendMessageW(GetParent(tabs), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(Count("tabs Change"), 1u);
  ShowAndPaint(window);
  EXPECT_EQ(CountColour(ViewHandle(window), area, RGB(255, 0, 0)), 90 * 30) << "page 2: drawn";
}

TEST_F(NativeControls, ADisabledLabelDrawsLighter) {
  KindWindow w;
  w.className = "LabelWindow";
  w.controls = {KindDesign{.kind = "StaticText", .className = "on", .bounds = {10, 10, 40, 200},
                           .values = {{"Text", std::string("MMMM")}, {"TextSize", int32_t{20}}}},
                KindDesign{.kind = "StaticText", .className = "off", .bounds = {50, 10, 80, 200},
                           .values = {{"Text", std::string("MMMM")}, {"TextSize", int32_t{20}}, {"Enabled", false}}}};
  RuntimeObject* window = Open(w);
  ShowAndPaint(window);
  const int enabled = DarkestIn(ViewHandle(window), RECT{10, 10, 200, 40});
  const int disabled = DarkestIn(ViewHandle(window), RECT{10, 50, 200, 80});
  EXPECT_LT(enabled, 100) << "black text";
  EXPECT_GT(disabled, enabled + 150) << "lighter: (0 + 0x18000) / 4 per channel";
  wchar_t text[16] = {};
  GetWindowTextW(HandleOf(Control("on")), text, 16);
  EXPECT_EQ(std::wstring(text), L"MMMM") << "WM_GETTEXT reads the label";
}

// While it lives, windows made on this thread get the common controls of
// version 6 with visual styles, as a program carrying the shipped manifest.
class VisualStyles {
 public:
  VisualStyles() {
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    path_ = std::wstring(dir) + L"ql_visual_styles_test.manifest";
    const char manifest[] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"><dependency>"
        "<dependentAssembly><assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
        "version=\"6.0.0.0\" processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"
        "</dependentAssembly></dependency></assembly>\n";
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, manifest, sizeof manifest - 1, &written, nullptr);
    CloseHandle(file);
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.lpSource = path_.c_str();
    handle_ = CreateActCtxW(&context);
    if (handle_ != INVALID_HANDLE_VALUE && !ActivateActCtx(handle_, &cookie_)) cookie_ = 0;
  }
  ~VisualStyles() {
    if (cookie_) DeactivateActCtx(0, cookie_);
    if (handle_ != INVALID_HANDLE_VALUE) ReleaseActCtx(handle_);
    DeleteFileW(path_.c_str());
  }
  bool active() const { return cookie_ != 0; }

 private:
  std::wstring path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

// A label shows what lies under it: on a tab page (white under visual
// styles) and inside a group box there, not a grey box of the button face.
TEST_F(NativeControls, ALabelOnATabPageShowsThePagesColour) {
  VisualStyles styles;
  ASSERT_TRUE(styles.active());
  KindWindow w;
  w.className = "PageColourWindow";
  w.controls = {
      KindDesign{.kind = "TabPanel", .className = "colour_tabs", .bounds = {0, 0, 300, 340},
                 .values = {{"TabDefinition", std::string("One\r\nTwo")}}},
      KindDesign{.kind = "StaticText", .className = "colour_on_page", .bounds = {40, 20, 60, 200},
                 .values = {{"Text", std::string("I")}}, .tabPage = 1, .initialParent = "colour_tabs"},
      KindDesign{.kind = "GroupBox", .className = "colour_group", .bounds = {80, 10, 280, 290}, .tabPage = 1,
                 .initialParent = "colour_tabs"},
      KindDesign{.kind = "StaticText", .className = "colour_in_group", .bounds = {120, 30, 140, 200},
                 .values = {{"Text", std::string("I")}}, .tabPage = 1, .initialParent = "colour_group"},
  };
  RuntimeObject* window = Open(w);
  ShowAndPaint(window);
  HWND view = ViewHandle(window);
  const Pixels picture(view, RECT{0, 0, 300, 300});
  const COLORREF page = picture.At(250, 50);
  ASSERT_NE(page, GetSysColor(COLOR_BTNFACE)) << "the styled page differs from the button face";
  EXPECT_EQ(picture.At(150, 50), page) << "the label on the page, right of its text";
  EXPECT_EQ(picture.At(150, 130), picture.At(250, 130)) << "the label in the group box";
}

// --- The appearance plug-in ---

// Loads plugins/Appearance.dll as the plug-in pass would, once.
bool LoadAppearancePlugin() {
  static const bool loaded = [] {
    std::string path = std::string("Z:") + QL_APPEARANCE_PLUGIN;
    for (char& c : path)
      if (c == '/') c = '\\';
    void* library = platform::LoadLibraryNamed(path.c_str());
    if (!library) return false;
    void* main = platform::FindLibraryRoutine(library, "QUILPluginMain");
    if (!main) return false;
    reinterpret_cast<void (*)(QuillonLookupEntryPoint)>(main)(
        [](const char* name) { return LookupEntryPoint(name); });
    CompletePluginClasses();
    return true;
  }();
  return loaded;
}

TEST_F(NativeControls, TheSeparatorDrawsItsEtchedLineExactly) {
  ASSERT_TRUE(LoadAppearancePlugin());
  ASSERT_NE(LookupClass("Separator"), nullptr);
  KindWindow w;
  w.className = "SeparatorWindow";
  w.controls = {KindDesign{.kind = "Separator", .className = "Separator1", .bounds = {212, 30, 217, 257}},
                KindDesign{.kind = "Separator", .className = "Upright", .bounds = {20, 20, 120, 25}}};
  RuntimeObject* window = Open(w);
  ShowAndPaint(window);
  HWND view = ViewHandle(window);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const Pixels across(view, RECT{30, 212, 257, 217});
  for (int y = 212; y < 217; ++y)
    for (int x = 30; x < 257; ++x) {
      const COLORREF want = y == 214 ? shadow : y == 215 ? light : face;
      ASSERT_EQ(across.At(x, y), want) << x << "," << y;
    }
  const Pixels upright(view, RECT{20, 20, 25, 120});
  for (int y = 20; y < 120; ++y)
    for (int x = 20; x < 25; ++x) {
      const COLORREF want = x == 22 ? shadow : x == 23 ? light : face;
      ASSERT_EQ(upright.At(x, y), want) << "x = (20 + 25) / 2: " << x << "," << y;
    }
}

// --- The message box ---

struct SeenBox {
  std::wstring caption, text;
  HWND owner = nullptr;
};

// Waits for the box, reads it and presses OK.
void AnswerBox(SeenBox* seen, std::atomic<bool>* done) {
  for (int i = 0; i < 400 && !*done; ++i) {
    HWND box = FindWindowW(L"#32770", nullptr);
    if (box) {
      wchar_t caption[128] = {}, text[512] = {};
      GetWindowTextW(box, caption, 128);
      GetDlgItemTextW(box, 0xFFFF, text, 512);
      seen->caption = caption;
      seen->text = text;
      seen->owner = GetWindow(box, GW_OWNER);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return;
    }
    Sleep(10);
  }
}

TEST_F(NativeControls, MsgBoxIsOwnedByTheFrontWindowAndSplitsItsText) {
  KindWindow w;
  w.className = "OwnerWindow";
  w.title = "Titrix";
  RuntimeObject* window = Open(w);
  ShowAndPaint(window);
  SetActiveWindow(ViewHandle(window));
  SeenBox seen;
  std::atomic<bool> done{false};
  std::thread answer(AnswerBox, &seen, &done);
  String text = Make("Infinity\r\nThe stock is weaker than the final solution.");
  RuntimeMsgBox(text.get());
  done = true;
  answer.join();
  EXPECT_EQ(seen.caption, L"Titrix");
  EXPECT_EQ(seen.text, L"Infinity\r\n\r\nThe stock is weaker than the final solution.");
  EXPECT_EQ(seen.owner, ViewHandle(window));
}

// --- No leak ---

// The process's GDI objects. Wine answers GetGuiResources with 0; there the
// objects are counted in the handle table the process block points to
// (wine's entries are 24 bytes on both machines, the type byte 0 when free).
size_t GdiObjectCount() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  const uint8_t* peb = nullptr;
  const uint8_t* const* tableAt = nullptr;
#if defined(_WIN64)
  asm("movq %%gs:0x60, %0" : "=r"(peb));  // the thread block's ProcessEnvironmentBlock
  tableAt = reinterpret_cast<const uint8_t* const*>(peb + 0xF8);  // GdiSharedHandleTable
#else
  asm("movl %%fs:0x30, %0" : "=r"(peb));
  tableAt = reinterpret_cast<const uint8_t* const*>(peb + 0x94);
#endif
  const uint8_t* table = *tableAt;
  if (!table) return 0;
  constexpr size_t kEntries = 0x10000, kEntryBytes = 24, kTypeAt = 14;
  size_t used = 0;
  for (size_t i = 0; i < kEntries; ++i) used += table[i * kEntryBytes + kTypeAt] != 0;
  return used;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<size_t*>(count);
  return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND top, LPARAM count) {
  CountWindow(top, count);
  EnumChildWindows(top, CountWindow, count);
  return TRUE;
}

// The thread's windows, top-level and child: the USER objects a pane leaks.
size_t WindowCount() {
  size_t n = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindowAndChildren, reinterpret_cast<LPARAM>(&n));
  return n;
}

// One control of every kind, the plug-in's Separator among them; the
// canvas draws a frame and a line of text.
KindWindow EveryKind() {
  KindWindow w;
  w.className = "EveryKindWindow";
  w.bounds = {40, 40, 360, 480};
  w.controls = {
      KindDesign{.kind = "StaticText", .className = "label", .bounds = {12, 10, 32, 90},
                 .values = {{"Text", std::string("&Mass")}}},
      KindDesign{.kind = "EditField", .className = "edit", .bounds = {10, 90, 32, 190},
                 .values = {{"Text", std::string("1.5")}}},
      KindDesign{.kind = "PopupMenu", .className = "popup", .bounds = {10, 200, 32, 260},
                 .values = {{"InitialValue", std::string("mg\r\ng")}}},
      KindDesign{.kind = "PushButton", .className = "button", .bounds = {10, 280, 34, 420},
                 .values = {{"Caption", std::string("&Calculate")}}},
      KindDesign{.kind = "Separator", .className = "line", .bounds = {44, 10, 49, 420}},
      KindDesign{.kind = "GroupBox", .className = "group", .bounds = {56, 10, 150, 200},
                 .values = {{"Caption", std::string("Units")}}},
      KindDesign{.kind = "StaticText", .className = "off", .bounds = {80, 24, 100, 190},
                 .values = {{"Text", std::string("Disabled label")}, {"Enabled", false}}},
      KindDesign{.kind = "TabPanel", .className = "tabs", .bounds = {56, 210, 150, 420},
                 .values = {{"TabDefinition", std::string("&Solutions\r\nDilutions")}}},
      KindDesign{.kind = "Canvas", .className = "canvas", .bounds = {160, 10, 300, 200}, .events = {"Paint"}},
      KindDesign{.kind = "Listbox", .className = "list", .bounds = {160, 210, 300, 420},
                 .values = {{"ColumnCount", int32_t{2}}}},
  };
  return w;
}

void DrawOnTheCanvas() {
  OnEvent("canvas", "Paint", [](RuntimeObject*) {
    RuntimeObject* g = PaintingGraphics();
    SetProperty(g, "ForeColor", Rgb{0x2050C0});
    GraphicsDrawRect(g, 0, 0, GetInt(g, "Width"), GetInt(g, "Height"));
    GraphicsFillRect(g, 10, 10, 40, 40);
    GraphicsDrawLine(g, 60, 50, 180, 10);
    GraphicsDrawString(g, Make("Graphics").get(), 60, 80);
    return false;
  });
}

// Returns the thread's windows while the window was open.
ObjectRef OpenEveryKind() {
  ObjectRef window = ObjectRef::Adopt(OpenKindWindow(EveryKind()));
  RuntimeObject* list = Kind(window.get(), "list");
  for (const char* row : {"H", "He", "Li"}) RuntimeListAddRow(list, Make(row).get());
  listSetCell(list, 1, 1, Make("4.0026").get());
  listSetCell(list, 2, 3, Make("kept beyond the shown columns").get());
  ui::RunListDeferredUpdates();
  ShowAndPaint(window.get());
  return window;
}

size_t OneCycle() {
  ObjectRef window = OpenEveryKind();
  const size_t open = WindowCount();
  ui::CloseWindowView(window.get());
  return open;
}

// Cycles after the first; scripts/soak-controls.sh asks for many more.
int LeakCycles() {
  const char* asked = getenv("QL_CONTROL_CYCLES");
  const int n = asked ? atoi(asked) : 0;
  return n > 0 ? n : 3;
}

// Every control draws something of its own in its rectangle; with
// QL_CONTROLS_PICTURE set, the window's client area is also written there
// as a BMP (scripts/screenshot-controls.sh).
TEST_F(NativeControls, EveryKindDrawsInItsRectangle) {
  ASSERT_TRUE(LoadAppearancePlugin());
  DrawOnTheCanvas();
  ObjectRef window = OpenEveryKind();
  HWND view = ViewHandle(window.get());
  RECT client{};
  GetClientRect(view, &client);
  const Pixels picture(view, client);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (const KindDesign& d : EveryKind().controls) {
    const ui::Rect16 b = ui::AsControl(Kind(window.get(), d.className))->bounds;
    int drawn = 0;
    for (int y = b.top; y < b.bottom; ++y)
      for (int x = b.left; x < b.right; ++x) drawn += picture.At(x, y) != face;
    EXPECT_GT(drawn, 0) << d.className << " drew nothing";
  }
  if (const char* path = getenv("QL_CONTROLS_PICTURE")) {
    EXPECT_TRUE(picture.WriteBmp(path)) << path;
  }
}

TEST_F(NativeControls, OpeningAndClosingEveryKindLeavesNoObjectBehind) {
  ASSERT_TRUE(LoadAppearancePlugin());
  DrawOnTheCanvas();
  const size_t whileOpen = OneCycle();
  const size_t objects = LiveObjectCount();
  const size_t gdi = GdiObjectCount();
  const size_t windows = WindowCount();
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  ASSERT_GT(gdi, 0u) << "the count must see the stock objects and fonts";
  ASSERT_GT(whileOpen, windows + 8) << "the count must see the view and its panes";
  for (int i = 0; i < LeakCycles(); ++i) OneCycle();
  EXPECT_EQ(LiveObjectCount(), objects);
  EXPECT_EQ(GdiObjectCount(), gdi);
  EXPECT_EQ(WindowCount(), windows);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user) << "0 under wine";
}

}  // namespace
}  // namespace ql::test

#endif
