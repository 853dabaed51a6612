// The panes of the intrinsic control kinds over the POSIX stand-in of the
// standard controls (ui/posix/fake_controls.h): what each pane puts into its
// control, and the events the user's actions and the program's assignments
// deliver.
#if !defined(_WIN32)

#include <gtest/gtest.h>

#include "control_world.h"
#include "core/class_lookup.h"
#include "core/compiled_code.h"
#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "ui/control_layer.h"
#include "ui/edit_pane.h"
#include "ui/keys.h"
#include "ui/list_pane.h"
#include "ui/list_updates.h"
#include "ui/posix/fake_controls.h"
#include "ui/posix/fake_windows.h"
#include "ui/shortcuts.h"
#include "ui/view_window.h"
#include "ui/window.h"

namespace ql::test {
namespace {

namespace fake = ui::fake;
using Strings = std::vector<std::string>;

class ControlPanes : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::InstallControlLayer();
    ClearEventActions();
    fake::TakeDrawnLabels();
  }
  void TearDown() override {
    ClearEventActions();
    UiTest::TearDown();
  }
  // A window of one control (plus `more`), open.
  RuntimeObject* Open(const KindDesign& d, std::vector<KindDesign> more = {}) {
    KindWindow w;
    w.className = "W_" + d.className;
    w.controls.push_back(d);
    for (KindDesign& m : more) w.controls.push_back(std::move(m));
    windows_.push_back(ObjectRef::Adopt(OpenKindWindow(w)));
    window_ = windows_.back().get();
    return Kind(window_, d.className);
  }
  // The control of that class in any window this test opened.
  RuntimeObject* Control(const std::string& key) {
    for (const ObjectRef& w : windows_)
      if (RuntimeObject* c = Kind(w.get(), key)) return c;
    return nullptr;
  }
  ui::Pane* PaneOf(const std::string& key) { return ui::AsControl(Control(key))->pane; }
  ui::native::Handle Handle(const std::string& key) { return PaneOf(key)->NativeHandle(); }
  ui::RuntimeViewWindow* View() { return ui::AsWindow(window_)->view; }
  size_t Count(const std::string& entry) {
    size_t n = 0;
    for (const std::string& t : trace()) n += t == entry;
    return n;
  }
  std::vector<ObjectRef> windows_;
  RuntimeObject* window_ = nullptr;  // the last opened
};

// --- Edit fields ---

TEST_F(ControlPanes, TextSetBeforeOpeningIsShownWithoutTextChange) {
  RuntimeObject* field = Open(KindDesign{.kind = "EditField", .className = "conc",
                                          .values = {{"Text", std::string("12.5")}}, .events = {"TextChange"}});
  const fake::FakeEdit& e = fake::EditOf(Handle("conc"));
  EXPECT_EQ(Utf8(ui::native::EditText(Handle("conc"), false).get()), "12.5");
  EXPECT_EQ(e.eventMask, ui::native::kNotifyChange | ui::native::kNotifySelectionChange);
  EXPECT_EQ(Count("conc TextChange"), 0u);
  EXPECT_EQ(GetString(field, "Text"), "12.5");
}

TEST_F(ControlPanes, TypingFiresTextChangeAndTextReadsTheControlWhileOpen) {
  RuntimeObject* field = Open(KindDesign{.kind = "EditField", .className = "vol", .events = {"TextChange"}});
  SetProperty(field, "Text", std::string("1"));
  EXPECT_EQ(Count("vol TextChange"), 1u) << "an open field's assignment notifies";
  fake::EditOf(Handle("vol")).selection = {1, 1};
  fake::TypeInto(Handle("vol"), "50");
  EXPECT_EQ(Count("vol TextChange"), 3u);
  EXPECT_EQ(GetString(field, "Text"), "150");
  ObjectRef keep = ObjectRef::Retain(field);
  ui::CloseWindowView(window_);
  EXPECT_EQ(GetString(keep.get(), "Text"), "1") << "closed: the text the program assigned last";
}

TEST_F(ControlPanes, TextChangeDoesNotNest) {
  RuntimeObject* field = Open(KindDesign{.kind = "EditField", .className = "f", .events = {"TextChange"}});
  OnEvent("f", "TextChange", [](RuntimeObject* o) {
    SetProperty(o, "Text", std::string("replaced"));
    return false;
  });
  fake::TypeInto(Handle("f"), "x");
  EXPECT_EQ(Count("f TextChange"), 1u);
  EXPECT_EQ(GetString(field, "Text"), "replaced");
}

TEST_F(ControlPanes, PasswordFieldsShowStarsAndKeepTheRealText) {
  RuntimeObject* field = Open(KindDesign{.kind = "EditField", .className = "pw",
                                          .values = {{"Password", true}, {"Text", std::string("ab\tc")}}});
  EXPECT_EQ(Utf8(ui::native::EditText(Handle("pw"), false).get()), "**\t*");
  EXPECT_EQ(GetString(field, "Text"), "ab\tc");
  fake::EditOf(Handle("pw")).selection = {4, 4};
  fake::TypeInto(Handle("pw"), "d");
  EXPECT_EQ(Utf8(ui::native::EditText(Handle("pw"), false).get()), "**\t**");
  EXPECT_EQ(GetString(field, "Text"), "ab\tcd") << "typing reaches the real text";
  fake::EditOf(Handle("pw")).selection = {0, 1};
  fake::TypeInto(Handle("pw"), "\b");
  EXPECT_EQ(GetString(field, "Text"), "b\tcd");
  SetProperty(field, "Password", false);
  EXPECT_EQ(Utf8(ui::native::EditText(Handle("pw"), false).get()), "b\tcd");
}

TEST_F(ControlPanes, SettingsReachTheControl) {
  struct Case {
    PropertyValues values;
    std::function<void(const fake::FakeEdit&)> check;
  } const cases[] = {
      {{{"LimitText", int32_t{0}}}, [](const fake::FakeEdit& e) { EXPECT_EQ(e.limit, 1000000); }},
      {{{"LimitText", int32_t{5}}}, [](const fake::FakeEdit& e) { EXPECT_EQ(e.limit, 5); }},
      {{{"ReadOnly", true}}, [](const fake::FakeEdit& e) { EXPECT_TRUE(e.readOnly); }},
      {{{"BackColor", Rgb{0x112233}}}, [](const fake::FakeEdit& e) { EXPECT_EQ(e.background, 0x332211u); }},
      {{{"TextColor", Rgb{0xFF0000}}}, [](const fake::FakeEdit& e) { EXPECT_EQ(e.textColour, 0x0000FFu); }},
      {{{"Alignment", int32_t{2}}}, [](const fake::FakeEdit& e) { EXPECT_EQ(e.alignment, 2); }},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string name = "s" + std::to_string(n++);
    Open(KindDesign{.kind = "EditField", .className = name, .values = c.values});
    c.check(fake::EditOf(Handle(name)));
  }
  SetProperty(Control("s2"), "ReadOnly", false);
  EXPECT_FALSE(fake::EditOf(Handle("s2")).readOnly) << "an open field follows";
}

TEST_F(ControlPanes, MultiLineTextKeepsItsParagraphEnds) {
  RuntimeObject* field = Open(KindDesign{.kind = "EditField", .className = "help",
                                          .values = {{"MultiLine", true}, {"Text", std::string("one\r\ntwo")}}});
  EXPECT_EQ(GetString(field, "Text"), "one\rtwo");
  EXPECT_TRUE(PaneOf("help")->KeepsReturn());
}

struct Enabled : ui::MenuItemEnabler {
  void EnableItem(const char* name) override { items.push_back(name); }
  Strings items;
};

TEST_F(ControlPanes, EditMenuItemsFollowSelectionReadOnlyAndPassword) {
  struct Case {
    PropertyValues values;
    bool selection, clipboard;
    Strings items;
  } const cases[] = {
      {{}, true, true, {"EditCut", "EditCopy", "EditClear", "EditPaste"}},
      {{}, false, false, {}},
      {{{"ReadOnly", true}}, true, true, {"EditCopy"}},
      {{{"Password", true}}, true, false, {"EditClear"}},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string name = "m" + std::to_string(n++);
    PropertyValues values = c.values;
    values.push_back({"Text", std::string("abc")});
    Open(KindDesign{.kind = "EditField", .className = name, .values = values, .events = {"EnableMenuItems"}});
    fake::EditOf(Handle(name)).selection = c.selection ? ui::native::TextRange{0, 2} : ui::native::TextRange{1, 1};
    fake::SetClipboardText(c.clipboard ? "clip" : "");
    Enabled enabled;
    PaneOf(name)->EnableMenuItems(enabled);
    EXPECT_EQ(enabled.items, c.items) << name;
    EXPECT_EQ(Count(name + " EnableMenuItems"), 1u);
  }
  fake::EditOf(Handle("m0")).selection = {0, 2};
  String cut = Make("EditCut");
  EXPECT_TRUE(PaneOf("m0")->MenuCommand(cut.get()));
  EXPECT_EQ(fake::ClipboardTextNow(), "ab");
  EXPECT_EQ(GetString(Control("m0"), "Text"), "c");
}

// --- Pop-up menus ---

TEST_F(ControlPanes, InitialValueRowsAreLoadedOnceAndAPendingIndexSelectsWithoutChange) {
  RuntimeObject* popup = Open(KindDesign{.kind = "PopupMenu", .className = "unit",
                                          .values = {{"InitialValue", std::string("mg\r\ng\r\nkg\r\n")},
                                                     {"ListIndex", int32_t{1}}},
                                          .events = {"Change"}});
  EXPECT_EQ(fake::ComboOf(Handle("unit")).rows, (Strings{"mg", "g", "kg"}));
  EXPECT_EQ(GetString(popup, "InitialValue"), "") << "consumed";
  EXPECT_EQ(GetInt(popup, "ListIndex"), 1);
  EXPECT_EQ(GetString(popup, "Text"), "g");
  EXPECT_EQ(Count("unit Change"), 0u);
  EXPECT_EQ(GetInt(popup, "ListCount"), 3);
}

TEST_F(ControlPanes, ListIndexDeliversChangeEachTimeButNeverNested) {
  RuntimeObject* popup = Open(KindDesign{.kind = "PopupMenu", .className = "mode", .events = {"Change"}});
  for (const char* row : {"Formula", "Weight", "Other"}) RuntimePopupAddRow(popup, Make(row).get());
  SetProperty(popup, "ListIndex", int32_t{0});
  EXPECT_EQ(Count("mode Change"), 1u);
  EXPECT_EQ(GetString(popup, "Text"), "Formula");
  SetProperty(popup, "ListIndex", int32_t{0});
  EXPECT_EQ(Count("mode Change"), 2u) << "the same value fires again";
  OnEvent("mode", "Change", [](RuntimeObject* o) {
    SetProperty(o, "ListIndex", int32_t{2});
    return false;
  });
  fake::PickRow(Handle("mode"), 1);
  EXPECT_EQ(Count("mode Change"), 3u);
  EXPECT_EQ(GetInt(popup, "ListIndex"), 2) << "changed by the handler, without a nested Change";
  ClearEventActions();
  SetProperty(popup, "ListIndex", int32_t{7});
  EXPECT_EQ(GetInt(popup, "ListIndex"), -1) << "no such row: none selected";
  EXPECT_EQ(GetString(popup, "Text"), "");
}

TEST_F(ControlPanes, RowIndicesOutsideTheRowsRaiseOutOfBounds) {
  RuntimeObject* popup = Open(KindDesign{.kind = "PopupMenu", .className = "p"});
  RuntimePopupAddRow(popup, Make("a").get());
  struct Case {
    std::function<void()> call;
  } const cases[] = {
      {[&] { RuntimePopupRemoveRow(popup, 1); }},
      {[&] { RuntimePopupRemoveRow(popup, -1); }},
      {[&] { String::Adopt(RuntimePopupGetRow(popup, 1)); }},
      {[&] { RuntimePopupSetRow(popup, 5, nullptr); }},
      {[&] { RuntimePopupInsertRow(popup, 3, nullptr); }},
  };
  for (const Case& c : cases) {
    CatchScope scope;
    c.call();
    EXPECT_TRUE(scope.Close());
    EXPECT_STREQ(scope.CaughtClassName(), "OutOfBoundsException");
  }
  EXPECT_EQ(fake::ComboOf(Handle("p")).rows, Strings{"a"}) << "nothing changed";
  EXPECT_EQ(Utf8(String::Adopt(RuntimePopupGetRow(popup, 0)).get()), "a");
}

TEST_F(ControlPanes, ALongRowWidensTheDropDownNotTheControl) {
  RuntimeObject* popup = Open(KindDesign{.kind = "PopupMenu", .className = "wide", .bounds = {10, 10, 30, 60}});
  RuntimePopupAddRow(popup, Make("a row much wider than fifty pixels").get());
  EXPECT_EQ(fake::ComboOf(Handle("wide")).droppedWidth, 7 * 34 + 16 + 6);
  RuntimePopupAddRow(popup, Make("short").get());
  EXPECT_EQ(fake::ComboOf(Handle("wide")).droppedWidth, 7 * 34 + 16 + 6);
  EXPECT_EQ(fake::WindowOf(Handle("wide"))->width, 50);
  RuntimePopupEmpty(popup);
  EXPECT_EQ(fake::ComboOf(Handle("wide")).droppedWidth, 0);
}

TEST_F(ControlPanes, RowTagsAreHeldAndReleasedWithTheirRows) {
  RuntimeObject* popup = Open(KindDesign{.kind = "PopupMenu", .className = "tags"});
  RuntimePopupAddRow(popup, Make("a").get());
  ObjectRef tag = ObjectRef::Adopt(RuntimeNewObject(LookupClass("Object")));
  setPopupRowTag(popup, 0, tag.get());
  EXPECT_EQ(tag.get()->refCount, 2);
  ObjectRef back = ObjectRef::Adopt(getPopupRowTag(popup, 0));
  EXPECT_EQ(back.get(), tag.get());
  back = ObjectRef();
  RuntimePopupRemoveRow(popup, 0);
  EXPECT_EQ(tag.get()->refCount, 1);
}

// --- Push buttons ---

std::vector<std::string> g_received;
void ReceiveAction(RuntimeObject*) { g_received.push_back("receiver"); }

ObjectRef NewActionReceiver() {
  static RuntimeClass* cls = [] {
    RuntimeClass* c = NewTestClass(nullptr, 0, 1, 0, 0, 0);
    c->name = Make("ActionReceiver").release();
    c->instanceSize = sizeof(RuntimeObject);
    RuntimeInterfaceEntry& e = c->Interfaces()[0];
    e.iface = ClassOf(intrinsic::actionNotificationReceiver);
    e.methodCount = 1;
    e.methods = NewTestVtable(1);
    e.methods[0] = {EntryAddress(ReceiveAction), nullptr};
    return c;
  }();
  return ObjectRef::Adopt(RuntimeNewObject(cls));
}

TEST_F(ControlPanes, AClickTellsTheReceiversThenFiresAction) {
  RuntimeObject* button = Open(KindDesign{.kind = "PushButton", .className = "calc",
                                           .values = {{"Caption", std::string("Calculate")}}, .events = {"Action"}});
  g_received.clear();
  ObjectRef receiver = NewActionReceiver();
  pbAddActionNotificationReceiver(button, receiver.get());
  pbAddActionNotificationReceiver(button, receiver.get());  // once only
  OnEvent("calc", "Action", [](RuntimeObject*) {
    g_received.push_back("Action");
    return false;
  });
  fake::Click(Handle("calc"));
  EXPECT_EQ(g_received, (Strings{"receiver", "Action"}));
  pbRemoveActionNotificationReceiver(button, receiver.get());
  pushButtonPush(button);
  EXPECT_EQ(g_received.size(), 3u);
  EXPECT_EQ(fake::WindowOf(Handle("calc"))->text, "Calculate");
}

TEST_F(ControlPanes, PushDoesNothingOnADisabledButton) {
  RuntimeObject* button = Open(KindDesign{.kind = "PushButton", .className = "off",
                                           .values = {{"Enabled", false}}, .events = {"Action"}});
  pushButtonPush(button);
  EXPECT_EQ(Count("off Action"), 0u);
  SetProperty(button, "Enabled", true);
  pushButtonPush(button);
  EXPECT_EQ(Count("off Action"), 1u);
}

TEST_F(ControlPanes, CaptionShortcutsPushTheirButton) {
  Open(KindDesign{.kind = "PushButton", .className = "go", .values = {{"Caption", std::string("&Go")}},
                  .events = {"Action"}},
       {KindDesign{.kind = "PushButton", .className = "amp", .bounds = {40, 10, 60, 110},
                   .values = {{"Caption", std::string("Salt && pepper")}}, .events = {"Action"}}});
  ui::ShortcutEntry entry;
  ASSERT_TRUE(ui::FindShortcut(static_cast<ui::ShortcutTarget*>(PaneOf("go")), ui::ShortcutKind::PushButton, &entry));
  EXPECT_EQ(Utf8(entry.name), "Alt+G");
  EXPECT_FALSE(ui::FindShortcut(static_cast<ui::ShortcutTarget*>(PaneOf("amp")), ui::ShortcutKind::PushButton, &entry));
  EXPECT_TRUE(ui::PreTranslateKeyDown(View(), 'G', false, ui::kModifierAlt));
  EXPECT_EQ(Count("go Action"), 1u);
  EXPECT_EQ(View()->FocusPane(), PaneOf("go")) << "the shortcut focuses the button";
  SetProperty(Control("go"), "Caption", std::string("&Stop"));
  EXPECT_TRUE(ui::PreTranslateKeyDown(View(), 'S', false, ui::kModifierAlt));
  EXPECT_EQ(Count("go Action"), 2u);
  EXPECT_FALSE(ui::PreTranslateKeyDown(View(), 'G', false, ui::kModifierAlt)) << "the old shortcut was replaced";
}

TEST_F(ControlPanes, ReturnPushesTheDefaultButtonAndEscapeTheCancelButton) {
  Open(KindDesign{.kind = "PushButton", .className = "ok", .values = {{"Default", true}}, .events = {"Action"}},
       {KindDesign{.kind = "PushButton", .className = "cancel", .bounds = {40, 10, 60, 110},
                   .values = {{"Cancel", true}}, .events = {"Action"}}});
  EXPECT_TRUE(fake::DefaultFrameOf(Handle("ok")));
  EXPECT_FALSE(fake::DefaultFrameOf(Handle("cancel")));
  ui::PreTranslateKeyDown(View(), ui::kKeyReturn, false, 0);
  ui::PreTranslateKeyDown(View(), ui::kKeyEscape, false, 0);
  EXPECT_EQ(TraceOf("ok"), Strings{"ok Action"});
  EXPECT_EQ(TraceOf("cancel"), Strings{"cancel Action"});
  View()->SetFocusPane(PaneOf("cancel"));
  EXPECT_FALSE(fake::DefaultFrameOf(Handle("ok"))) << "another push button has the focus";
  EXPECT_TRUE(fake::DefaultFrameOf(Handle("cancel")));
}

TEST_F(ControlPanes, AFocusedPopupWithItsListOpenKeepsReturnAndEscape) {
  Open(KindDesign{.kind = "PopupMenu", .className = "units", .values = {{"InitialValue", std::string("g\r\nmg")}}},
       {KindDesign{.kind = "PushButton", .className = "go", .bounds = {40, 10, 60, 110},
                   .values = {{"Default", true}}, .events = {"Action"}},
        KindDesign{.kind = "PushButton", .className = "stop", .bounds = {70, 10, 90, 110},
                   .values = {{"Cancel", true}}, .events = {"Action"}}});
  View()->SetFocusPane(PaneOf("units"));
  fake::ComboOf(Handle("units")).dropped = true;
  EXPECT_FALSE(ui::PreTranslateKeyDown(View(), ui::kKeyReturn, false, 0));
  EXPECT_FALSE(ui::PreTranslateKeyDown(View(), ui::kKeyEscape, false, 0));
  EXPECT_EQ(TraceOf("go"), Strings{});
  EXPECT_EQ(TraceOf("stop"), Strings{});
  fake::ComboOf(Handle("units")).dropped = false;
  EXPECT_TRUE(ui::PreTranslateKeyDown(View(), ui::kKeyReturn, false, 0));
  EXPECT_TRUE(ui::PreTranslateKeyDown(View(), ui::kKeyEscape, false, 0));
  EXPECT_EQ(TraceOf("go"), Strings{"go Action"});
  EXPECT_EQ(TraceOf("stop"), Strings{"stop Action"});
}

// --- Labels ---

TEST_F(ControlPanes, LabelsDrawTheirTextAndADisabledOneLighter) {
  Open(KindDesign{.kind = "StaticText", .className = "on",
                  .values = {{"Text", std::string("&Mass")}, {"TextColor", Rgb{0x000000}}, {"TextAlign", int32_t{2}}},
                  .events = {"AcceleratorKey"}},
       {KindDesign{.kind = "StaticText", .className = "off", .bounds = {40, 10, 60, 110},
                   .values = {{"Text", std::string("Volume")}, {"Enabled", false}}},
        KindDesign{.kind = "StaticText", .className = "gone", .bounds = {70, 10, 90, 110},
                   .values = {{"Text", std::string("Hidden")}, {"Visible", false}}}});
  fake::TakeDrawnLabels();
  for (const char* key : {"on", "off", "gone"}) PaneOf(key)->Paint(ui::PaintContext{});
  const std::vector<fake::DrawnLabel> drawn = fake::TakeDrawnLabels();
  ASSERT_EQ(drawn.size(), 2u) << "a hidden label draws nothing";
  EXPECT_EQ(drawn[0].text, "&Mass");
  EXPECT_EQ(drawn[0].colourRef, 0x000000u);
  EXPECT_EQ(drawn[0].align, 2);
  EXPECT_EQ(drawn[0].box.right, 100);
  EXPECT_EQ(drawn[1].colourRef, 0x606060u);
  EXPECT_EQ(fake::WindowOf(Handle("on"))->text, "&Mass") << "the window text is the label's, for screen readers";
  EXPECT_TRUE(ui::PreTranslateKeyDown(View(), 'M', false, ui::kModifierAlt));
  EXPECT_EQ(Count("on AcceleratorKey"), 1u);
  SetProperty(Control("on"), "Text", std::string("Weight"));
  EXPECT_EQ(fake::WindowOf(Handle("on"))->text, "Weight");
  EXPECT_FALSE(ui::PreTranslateKeyDown(View(), 'M', false, ui::kModifierAlt));
}

// --- Tab panels ---

TEST_F(ControlPanes, TabsComeFromTheDefinitionAndOnlyTheSelectedPageShows) {
  RuntimeObject* tabs = Open(
      KindDesign{.kind = "TabPanel", .className = "tabs", .bounds = {0, 0, 300, 300},
                 .values = {{"TabDefinition", std::string("&Solutions\r\nD&ilutions")}, {"Value", int32_t{1}}},
                 .events = {"Change"}},
      {KindDesign{.kind = "EditField", .className = "first", .bounds = {40, 10, 60, 110}, .tabPage = 1},
       KindDesign{.kind = "GroupBox", .className = "box", .bounds = {80, 10, 200, 200}, .tabPage = 2},
       KindDesign{.kind = "EditField", .className = "inBox", .bounds = {100, 20, 120, 120}, .tabPage = 2}});
  EXPECT_EQ(fake::TabsOf(Handle("tabs")).captions, (Strings{"&Solutions", "D&ilutions"}));
  EXPECT_EQ(GetInt(tabs, "Value"), 0) << "opens on its first tab";
  EXPECT_TRUE(PaneOf("first")->Showing());
  EXPECT_FALSE(PaneOf("box")->Showing());
  EXPECT_FALSE(PaneOf("inBox")->Showing()) << "inside a container on page 2";
  SetProperty(Control("inBox"), "Visible", true);
  EXPECT_FALSE(PaneOf("inBox")->Showing()) << "Visible does not show a control of a hidden page";

  fake::PickTab(Handle("tabs"), 1);
  EXPECT_EQ(Count("tabs Change"), 1u);
  EXPECT_FALSE(PaneOf("first")->Showing());
  EXPECT_TRUE(PaneOf("box")->Showing());
  EXPECT_TRUE(PaneOf("inBox")->Showing());
  EXPECT_TRUE(fake::WindowOf(Handle("inBox"))->visible);

  SetProperty(tabs, "Value", int32_t{1});
  EXPECT_EQ(Count("tabs Change"), 2u) << "the current tab again: Change again";
  EXPECT_TRUE(ui::PreTranslateKeyDown(View(), 'S', false, ui::kModifierAlt));
  EXPECT_EQ(GetInt(tabs, "Value"), 0);
  EXPECT_EQ(Count("tabs Change"), 3u);
  EXPECT_TRUE(PaneOf("first")->Showing());
}

TEST_F(ControlPanes, TabCaptionsHaveBounds) {
  RuntimeObject* tabs = Open(KindDesign{.kind = "TabPanel", .className = "t", .bounds = {0, 0, 100, 200},
                                        .values = {{"TabDefinition", std::string("A\r\nB")}}});
  EXPECT_EQ(Utf8(String::Adopt(tabPanelCaptionGetter(tabs, 1)).get()), "B");
  tabPanelCaptionSetter(tabs, 0, Make("First").get());
  EXPECT_EQ(fake::TabsOf(Handle("t")).captions[0], "First");
  for (int32_t bad : {-1, 2}) {
    CatchScope scope;
    String::Adopt(tabPanelCaptionGetter(tabs, bad));
    EXPECT_TRUE(scope.Close()) << bad;
    EXPECT_STREQ(scope.CaughtClassName(), "OutOfBoundsException");
  }
}

// --- Canvases ---

TEST_F(ControlPanes, ACanvasWithoutPaintIsTransparentAndOneWithPaintGetsAGraphics) {
  Open(KindDesign{.kind = "Canvas", .className = "plain"},
       {KindDesign{.kind = "Canvas", .className = "drawn", .bounds = {40, 10, 90, 110}, .events = {"Paint"}}});
  EXPECT_EQ(fake::WindowOf(Handle("plain"))->exStyle & 0x20u, 0x20u);
  EXPECT_EQ(fake::WindowOf(Handle("drawn"))->exStyle & 0x20u, 0u);
  EXPECT_EQ(fake::WindowOf(Handle("drawn"))->className, "QL_CanvasPane");
  int32_t width = 0, height = 0;
  OnEvent("drawn", "Paint", [&](RuntimeObject*) {
    width = GetInt(PaintingGraphics(), "Width");
    height = GetInt(PaintingGraphics(), "Height");
    return false;
  });
  PaneOf("plain")->Paint(ui::PaintContext{});
  PaneOf("drawn")->Paint(ui::PaintContext{});
  EXPECT_EQ(TraceOf("drawn"), Strings{"drawn Paint"});
  EXPECT_EQ(width, 100);
  EXPECT_EQ(height, 50);
}

// --- List boxes ---

TEST_F(ControlPanes, RowsNeedThePaneAndRepaintThroughTheDeferredQueue) {
  KindDesign d{.kind = "Listbox", .className = "data", .bounds = {10, 10, 200, 210}, .values = {{"ColumnCount", int32_t{2}}}};
  ObjectRef closed = ObjectRef::Adopt(RuntimeNewObject(LookupClass("Listbox")));
  RuntimeListAddRow(closed.get(), Make("H").get());
  RuntimeObject* list = Open(d);
  EXPECT_EQ(GetInt(list, "ListCount"), 0);
  for (const char* symbol : {"H", "He", "Li"}) RuntimeListAddRow(list, Make(symbol).get());
  EXPECT_EQ(GetInt(list, "ListCount"), 3);
  EXPECT_EQ(GetInt(list, "LastIndex"), 2);
  auto* pane = static_cast<ui::ListPane*>(PaneOf("data"));
  EXPECT_EQ(pane->RowsShownByView(), 0) << "the view hears of the rows on the next loop pass";
  EXPECT_TRUE(ui::DeferredUpdateQueued(pane));
  ui::RunListDeferredUpdates();
  EXPECT_EQ(fake::ListOf(Handle("data")).rowCount, 3);
  EXPECT_FALSE(ui::DeferredUpdateQueued(pane));
}

// Telling a list view its row count costs time that grows with the rows:
// a hidden list filled row by row (the element table) tells it once per
// loop pass, however many rows were added.
TEST_F(ControlPanes, AHiddenListTellsItsViewOncePerLoopPass) {
  RuntimeObject* list = Open(KindDesign{.kind = "Listbox", .className = "hidden", .values = {{"Visible", false}}});
  for (const char* row : {"x", "y", "z"}) RuntimeListAddRow(list, Make(row).get());
  EXPECT_EQ(GetInt(list, "ListCount"), 3);
  EXPECT_EQ(fake::ListOf(Handle("hidden")).rowCount, 0);
  ui::RunListDeferredUpdates();
  EXPECT_EQ(fake::ListOf(Handle("hidden")).rowCount, 3);
  EXPECT_FALSE(ui::DeferredUpdateQueued(static_cast<ui::ListPane*>(PaneOf("hidden"))));
  EXPECT_FALSE(fake::WindowOf(Handle("hidden"))->visible);
}

TEST_F(ControlPanes, CellsHaveColumnsZeroTo255WhateverIsShown) {
  RuntimeObject* list = Open(KindDesign{.kind = "Listbox", .className = "cells", .values = {{"ColumnCount", int32_t{2}}}});
  RuntimeListAddRow(list, Make("Fe").get());
  listSetCell(list, 0, 5, Make("55.845").get());
  EXPECT_EQ(Utf8(String::Adopt(listGetCell(list, 0, 5)).get()), "55.845") << "column 5 is kept though not shown";
  EXPECT_EQ(listGetCell(list, 0, 3), nullptr) << "never set: nil, no exception";
  struct Case {
    int32_t row, column;
    bool write;
  } const cases[] = {{1, 0, false}, {-1, 0, false}, {0, 256, false}, {0, -1, false}, {0, 256, true}, {1, 0, true}};
  for (const Case& c : cases) {
    CatchScope scope;
    if (c.write) listSetCell(list, c.row, c.column, Make("x").get());
    else String::Adopt(listGetCell(list, c.row, c.column));
    EXPECT_TRUE(scope.Close()) << c.row << "," << c.column;
    EXPECT_STREQ(scope.CaughtClassName(), "OutOfBoundsException");
  }
  EXPECT_EQ(Utf8(String::Adopt(listGetCell(list, 0, 0)).get()), "Fe");
  SetProperty(list, "ColumnCount", int32_t{3});
  EXPECT_EQ(GetInt(list, "ColumnCount"), 3);
  EXPECT_EQ(fake::ListOf(Handle("cells")).columnWidths.size(), 3u);
}

TEST_F(ControlPanes, ColumnWidthsSharePixelsPercentagesAndTheRest) {
  struct Case {
    const char* plan;
    int32_t columns;
    std::vector<int32_t> widths;
  } const cases[] = {
      {"", 2, {100, 100}},        {"50,*", 2, {50, 150}},       {"25%,*,*", 3, {50, 75, 75}},
      {"2*,*", 2, {133, 66}},     {"300,*", 2, {300, 0}},       {"abc, 40 ", 3, {80, 40, 80}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ui::ColumnWidthsFor(Make(c.plan).get(), c.columns, 200), c.widths) << c.plan;
}

}  // namespace
}  // namespace ql::test

#endif
