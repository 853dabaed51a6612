// The intrinsic control classes' tables (the binary contract with compiled
// images: property indices, event slots, instance sizes, link names) and
// what their setters store while a control has no pane.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "control_world.h"
#include "core/class_lookup.h"
#include "core/compiled_code.h"
#include "core/entrypoint_registry.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/objects.h"
#include "support/assertion_recorder.h"
#include "ui/canvas.h"
#include "ui/edit_field.h"
#include "ui/group_box.h"
#include "ui/listbox.h"
#include "ui/popup_menu.h"
#include "ui/push_button.h"
#include "ui/static_text.h"
#include "ui/tab_panel.h"

namespace ql::test {
namespace {

RuntimeClass* Class(const char* name) { return LookupClass(name); }

std::string PropertyName(RuntimeClass* cls, int32_t i) {
  const std::string sig = Utf8(cls->properties[i].signature);
  return sig.substr(0, sig.find('%'));
}

TEST(ControlClasses, CountsAndSizesMatchTheContract) {
  struct Case {
    const char* name;
    const char* super;
    int32_t properties, events;
    size_t instance;
  } const cases[] = {
      {"EditField", "RectControl", 64, 15, sizeof(ui::EditFieldObject)},
      {"PopupMenu", "RectControl", 36, 12, sizeof(ui::PopupMenuObject)},
      {"PushButton", "RectControl", 33, 12, sizeof(ui::PushButtonObject)},
      {"StaticText", "RectControl", 37, 11, sizeof(ui::StaticTextObject)},
      {"GroupBox", "RectControl", 31, 10, sizeof(ui::GroupBoxObject)},
      {"PagePanel", "RectControl", 28, 8, sizeof(ui::PagePanelObject)},
      {"TabPanel", "PagePanel", 38, 14, sizeof(ui::TabPanelObject)},
      {"Canvas", "RectControl", 30, 15, sizeof(ui::CanvasObject)},
      {"Listbox", "RectControl", 57, 31, sizeof(ui::ListboxObject)},
  };
  for (const Case& c : cases) {
    RuntimeClass* cls = Class(c.name);
    ASSERT_NE(cls, nullptr) << c.name;
    EXPECT_EQ(cls->super, Class(c.super)) << c.name;
    EXPECT_EQ(cls->propertyCount, c.properties) << c.name;
    EXPECT_EQ(cls->eventCount, c.events) << c.name;
    EXPECT_EQ(cls->instanceSize, c.instance) << c.name;
  }
  EXPECT_EQ(Class("TabPanel")->staticMethodCount, Class("RectControl")->staticMethodCount + 2)
      << "RectControl's and Caption's getter and setter";
}

TEST(ControlClasses, MassPropertyIndicesCountControlAndRectControlFirst) {
  struct Case {
    const char* kind;
    int32_t index;
    const char* property;
  } const cases[] = {
      {"TabPanel", 25, "Enabled"},  {"TabPanel", 26, "Value"},       {"TabPanel", 27, "PanelCount"},
      {"TabPanel", 28, "Enabled"},  {"TabPanel", 29, "TabDefinition"}, {"TabPanel", 30, "Value"},
      {"TabPanel", 37, "Underline"}, {"EditField", 25, "Text"},      {"EditField", 37, "ScrollBar"},
      {"EditField", 62, "Alignment"}, {"EditField", 63, "SelAlignment"}, {"PopupMenu", 31, "ListIndex"},
      {"PopupMenu", 33, "InitialValue"}, {"PushButton", 25, "Caption"}, {"PushButton", 26, "Default"},
      {"StaticText", 26, "Caption"}, {"StaticText", 34, "MultiLine"}, {"Listbox", 33, "ColumnCount"},
      {"Listbox", 56, "ColumnsResizable"}, {"Canvas", 26, "Backdrop"}, {"GroupBox", 25, "Caption"},
  };
  for (const Case& c : cases) EXPECT_EQ(PropertyName(Class(c.kind), c.index), c.property) << c.kind << " " << c.index;
}

TEST(ControlClasses, EventSlotsFollowRectControlsSeven) {
  struct Case {
    const char* kind;
    int32_t slot;
    const char* event;
  } const cases[] = {
      {"EditField", 7, "KeyDown"},     {"EditField", 13, "TextChange"},  {"PopupMenu", 7, "Change"},
      {"PushButton", 7, "Action"},     {"StaticText", 7, "AcceleratorKey"}, {"PagePanel", 7, "Change"},
      {"TabPanel", 8, "Change"},       {"TabPanel", 13, "MouseUp"},      {"Canvas", 7, "Paint"},
      {"Listbox", 30, "HeaderPressed"}, {"GroupBox", 9, "MouseUp"},
  };
  for (const Case& c : cases) EXPECT_EQ(EventSlotOf(Class(c.kind), c.event), c.slot) << c.kind << "." << c.event;
}

TEST(ControlClasses, TheirCreatePaneIsImplemented) {
  for (const char* kind : {"EditField", "PopupMenu", "PushButton", "StaticText", "GroupBox", "PagePanel", "TabPanel",
                           "Canvas", "Listbox"})
    EXPECT_NE(Class(kind)->events[0].handler, nullptr) << kind;
}

#if !defined(_WIN32)
// Every control entry point the SDK declares is in the registry.
TEST(ControlClasses, EveryDeclaredLinkNameIsRegistered) {
  for (const char* header : {"controls.h", "graphics.h"}) {
    std::ifstream in(std::string(QL_SDK_ENTRY_POINTS) + "/" + header);
    ASSERT_TRUE(in) << header;
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    const std::regex declaration(R"(QL_ENTRY\s+[^(;]*?\b(\w+)\s*\()");
    int found = 0;
    for (std::sregex_iterator it(all.begin(), all.end(), declaration), end; it != end; ++it, ++found)
      EXPECT_NE(LookupEntryPoint((*it)[1].str().c_str()), nullptr) << (*it)[1].str();
    EXPECT_GE(found, 4) << header;
  }
}
#endif

// --- Stored values without a pane ---

struct StoredCase {
  const char* kind;
  const char* property;
  DesignValue value;
};

class Stored : public UiTest {};

TEST_F(Stored, SettersWithoutAPaneStoreAndGettersReturnTheStoredValue) {
  const StoredCase cases[] = {
      {"EditField", "Text", std::string("12.5")},
      {"EditField", "Border", true},
      {"EditField", "MultiLine", true},
      {"EditField", "ReadOnly", true},
      {"EditField", "Password", true},
      {"EditField", "LimitText", int32_t{20}},
      {"EditField", "TextColor", Rgb{0x123456}},
      {"EditField", "BackColor", Rgb{0xFFEEDD}},
      {"EditField", "TextFont", std::string("Helvetica")},
      {"EditField", "TextSize", int32_t{9}},
      {"EditField", "Bold", true},
      {"EditField", "Alignment", int32_t{2}},
      {"EditField", "DataSource", std::string("db")},
      {"EditField", "DataField", std::string("mass")},
      {"PopupMenu", "TextFont", std::string("System")},
      {"PopupMenu", "Italic", true},
      {"PopupMenu", "InitialValue", std::string("mg\r\ng")},
      {"PushButton", "Caption", std::string("&Calculate")},
      {"PushButton", "Default", true},
      {"PushButton", "Cancel", true},
      {"PushButton", "TextSize", int32_t{12}},
      {"StaticText", "Text", std::string("Volume")},
      {"StaticText", "TextAlign", int32_t{1}},
      {"StaticText", "TextColor", Rgb{0x800000}},
      {"StaticText", "Underline", true},
      {"StaticText", "MultiLine", true},
      {"GroupBox", "Caption", std::string("Units")},
      {"GroupBox", "Bold", true},
      {"TabPanel", "Facing", int32_t{1}},
      {"TabPanel", "TextFont", std::string("System")},
      {"TabPanel", "TextSize", int32_t{12}},
      {"TabPanel", "Italic", true},
      {"PagePanel", "PanelCount", int32_t{3}},
      {"Canvas", "AcceptFocus", true},
      {"Listbox", "ColumnWidths", std::string("30,*")},
      {"Listbox", "HasHeading", true},
      {"Listbox", "Hierarchical", true},
      {"Listbox", "GridLinesHorizontal", int32_t{1}},
      {"Listbox", "DefaultRowHeight", int32_t{18}},
  };
  for (const StoredCase& c : cases) {
    ObjectRef o = ObjectRef::Adopt(RuntimeNewObject(Class(c.kind)));
    SetProperty(o.get(), c.property, c.value);
    const std::string where = std::string(c.kind) + "." + c.property;
    if (const bool* b = std::get_if<bool>(&c.value)) {
      EXPECT_EQ(GetBool(o.get(), c.property), *b) << where;
    } else if (const int32_t* i = std::get_if<int32_t>(&c.value)) {
      EXPECT_EQ(GetInt(o.get(), c.property), *i) << where;
    } else if (const Rgb* rgb = std::get_if<Rgb>(&c.value)) {
      EXPECT_EQ(GetInt(o.get(), c.property), int32_t(rgb->value)) << where;
    } else {
      EXPECT_EQ(GetString(o.get(), c.property), std::get<std::string>(c.value)) << where;
    }
  }
}

TEST_F(Stored, ScrollBarAndScrollBarVerticalAreOneFlagAndCaptionIsText) {
  ObjectRef field = ObjectRef::Adopt(RuntimeNewObject(Class("EditField")));
  SetProperty(field.get(), "ScrollBar", true);
  EXPECT_TRUE(GetBool(field.get(), "ScrollBarVertical"));
  SetProperty(field.get(), "ScrollBarVertical", false);
  EXPECT_FALSE(GetBool(field.get(), "ScrollBar"));
  ObjectRef label = ObjectRef::Adopt(RuntimeNewObject(Class("StaticText")));
  SetProperty(label.get(), "Caption", std::string("Mass"));
  EXPECT_EQ(GetString(label.get(), "Text"), "Mass");
}

TEST_F(Stored, WithoutAPaneThereAreNoRowsTabsOrSelection) {
  ObjectRef popup = ObjectRef::Adopt(RuntimeNewObject(Class("PopupMenu")));
  SetProperty(popup.get(), "ListIndex", int32_t{2});
  EXPECT_EQ(GetInt(popup.get(), "ListIndex"), -1) << "kept for the pane, not read back";
  EXPECT_EQ(ui::AsPopupMenu(popup.get())->pendingListIndex, 2);
  String row = Make("kg");
  RuntimePopupAddRow(popup.get(), row.get());
  EXPECT_EQ(GetString(popup.get(), "Text"), "");
  EXPECT_FALSE(popupDataAvailable(popup.get()));

  ObjectRef tabs = ObjectRef::Adopt(RuntimeNewObject(Class("TabPanel")));
  SetProperty(tabs.get(), "Value", int32_t{1});
  EXPECT_EQ(GetInt(tabs.get(), "Value"), 0) << "a Value without a pane is not kept";
  EXPECT_EQ(Utf8(String::Adopt(tabPanelCaptionGetter(tabs.get(), 5)).get()), "") << "no pane: nil, no exception";

  ObjectRef list = ObjectRef::Adopt(RuntimeNewObject(Class("Listbox")));
  RuntimeListAddRow(list.get(), row.get());
  EXPECT_EQ(listGetCell(list.get(), 0, 0), nullptr);
  EXPECT_EQ(GetInt(list.get(), "ListIndex"), -1);
  EXPECT_EQ(GetInt(list.get(), "LastIndex"), -1);
}

TEST_F(Stored, CountsOfControlsOutsideAWindowAreReported) {
  AssertionRecorder recorder;
  ObjectRef popup = ObjectRef::Adopt(RuntimeNewObject(Class("PopupMenu")));
  ObjectRef list = ObjectRef::Adopt(RuntimeNewObject(Class("Listbox")));
  EXPECT_EQ(GetInt(popup.get(), "ListCount"), 0);
  EXPECT_EQ(GetInt(list.get(), "ListCount"), 0);
  ASSERT_EQ(recorder.count(), 2u);
  EXPECT_EQ(recorder.reports()[0].source, "runpopup");
  EXPECT_EQ(recorder.reports()[0].line, 1039);
  EXPECT_EQ(recorder.reports()[1].source, "RuntimeListboxAccessors");
  EXPECT_EQ(recorder.reports()[1].line, 631);
}

TEST_F(Stored, ColumnCountIsClampedToOneTo64) {
  struct Case {
    int32_t given, stored;
  } const cases[] = {{0, 1}, {1, 1}, {7, 7}, {64, 64}, {65, 64}, {100, 64}, {-1, 64}, {INT32_MIN, 64}};
  ObjectRef list = ObjectRef::Adopt(RuntimeNewObject(Class("Listbox")));
  EXPECT_EQ(GetInt(list.get(), "ColumnCount"), 1) << "a new list box has one column";
  for (const Case& c : cases) {
    SetProperty(list.get(), "ColumnCount", c.given);
    EXPECT_EQ(GetInt(list.get(), "ColumnCount"), c.stored) << c.given;
  }
}

TEST_F(Stored, AttributeSetterWritesOnlyTheThreeStyleFlags) {
  AssertionRecorder recorder;
  ObjectRef label = ObjectRef::Adopt(RuntimeNewObject(Class("StaticText")));
  ui::StaticTextObject* l = ui::AsStaticText(label.get());
  staticAttributeSetter(label.get(), offsetof(ui::StaticTextObject, font.italic), true);
  EXPECT_TRUE(l->font.italic);
  const int32_t colour = l->textColor;
  staticAttributeSetter(label.get(), offsetof(ui::StaticTextObject, textColor), true);
  EXPECT_EQ(l->textColor, colour);
  EXPECT_EQ(recorder.count(), 1u);
}

TEST_F(Stored, NilReceiversRaiseNilObjectException) {
  CatchScope scope;
  editTextSetter(nullptr, 0, nullptr);
  EXPECT_TRUE(scope.Close());
  EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException");
}

// The calculator's tab panel: its design-time values decode by the tables.
TEST_F(Stored, TheCalculatorsTabPanelDesignDecodes) {
  KindWindow w;
  w.className = "TabDesignWindow";
  w.controls = {KindDesign{.kind = "TabPanel",
                           .className = "TabPanel1",
                           .bounds = {1, 1, 310, 291},
                           .values = {{"AutoDeactivate", true},
                                      {"TextFont", std::string("System")},
                                      {"TextSize", int32_t{12}},
                                      {"Value", int32_t{1}},
                                      {"PanelCount", int32_t{2}},
                                      {"TabDefinition", std::string("Solutions\r\nDilutions")}}}};
  ObjectRef window = ObjectRef::Adopt(OpenKindWindow(w));
  RuntimeObject* tabs = Kind(window.get(), "TabPanel1");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(GetString(tabs, "Name"), "TabPanel1");
  EXPECT_EQ(GetInt(tabs, "Width"), 290);
  EXPECT_EQ(GetInt(tabs, "Height"), 309);
  EXPECT_EQ(GetString(tabs, "TextFont"), "System");
  EXPECT_EQ(GetInt(tabs, "PanelCount"), 2);
  EXPECT_TRUE(GetBool(tabs, "Enabled"));
  EXPECT_EQ(GetInt(tabs, "Value"), 0) << "the Value of _Layout is lost: the panel opens on its first tab";
  EXPECT_EQ(Utf8(String::Adopt(tabPanelCaptionGetter(tabs, 1)).get()), "Dilutions");
}

// --- Models ---

TEST(ControlModels, EditStylesFollowTheFlags) {
  struct Case {
    bool multiLine, vertical, horizontal, border;
    uint32_t style, exStyle;
  } const cases[] = {
      {false, false, false, false, 0x80, 0},      {false, true, true, true, 0x80, 0x200},
      {true, false, false, false, 0x104, 0},      {true, true, false, false, 0x200144, 0},
      {true, false, true, false, 0x100184, 0},    {true, true, true, true, 0x3001C4, 0x200},
  };
  for (const Case& c : cases) {
    ui::EditFieldObject f{};
    f.multiLine = c.multiLine;
    f.scrollBarVertical = c.vertical;
    f.scrollBarHorizontal = c.horizontal;
    f.border = c.border;
    const ui::EditWindowStyle s = ui::EditStyleOf(f);
    EXPECT_EQ(s.style, c.style) << c.multiLine << c.vertical << c.horizontal;
    EXPECT_EQ(s.exStyle, c.exStyle);
  }
}

TEST(ControlModels, PasswordMaskKeepsControlCharacters) {
  struct Case {
    const char* text;
    const char* shown;
  } const cases[] = {{"ab\tc", "**\t*"}, {"", ""}, {"\xC3\xA9t\xC3\xA9", "***"}, {"a\r\nb", "*\r\n*"}};
  for (const Case& c : cases) EXPECT_EQ(Utf8(ui::MaskedText(Make(c.text).get()).get()), c.shown) << c.text;
}

TEST(ControlModels, SmallArithmetic) {
  EXPECT_EQ(ui::EffectiveTextLimit(0), 1000000);
  EXPECT_EQ(ui::EffectiveTextLimit(8), 8);
  struct Facing {
    int32_t facing;
    uint32_t style;
  } const facings[] = {{0, 0}, {1, 2}, {2, 0x82}, {3, 0x80}, {4, 0}, {-1, 0}};
  for (const Facing& f : facings) EXPECT_EQ(ui::TabStyleOfFacing(f.facing), f.style) << f.facing;
  struct Page {
    int32_t value, count, page;
  } const pages[] = {{0, 3, 0}, {2, 3, 2}, {3, 3, 2}, {-1, 3, 2}, {9, 1, 0}};
  for (const Page& p : pages) EXPECT_EQ(ui::ClampedPage(p.value, p.count), p.page) << p.value;
}

TEST(ControlModels, DisabledLabelColourIsLighterForDarkText) {
  struct Case {
    uint32_t enabled, disabled;
  } const cases[] = {
      {0x000000, 0x606060},  // (0 + 0x18000) / 4 = 0x6000
      {0xFF0000, 0x9F6060},  // (0xFFFF + 0x18000) / 4 = 0x9FFF
      {0x808080, 0x808080},  // (0x8080 + 0x18000) / 4 = 0x8020
      {0x102030, 0x64686C},
  };
  for (const Case& c : cases) EXPECT_EQ(ui::DisabledTextColor(c.enabled), c.disabled) << std::hex << c.enabled;
}

}  // namespace
}  // namespace ql::test
