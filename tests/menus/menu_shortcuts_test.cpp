// Items' keyboard shortcuts: their entries in the shortcut list, and a key
// press that matches one running the item's command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_fixtures.h"
#include "menu_world.h"
#include "menus/menus_layer.h"
#include "ui/pane.h"
#include "ui/shortcuts.h"

namespace ql::menus {
namespace {

using test::Append;
using test::MenuLog;
using test::MenuWorld;
using test::NewActionItem;
using test::NewBar;
using test::NewItem;
using test::Str;
using Log = std::vector<std::string>;

std::vector<std::string> MenuShortcutNames() {
  std::vector<std::string> names;
  for (size_t i = 0; i < ui::ShortcutCount(); ++i) {
    const ui::ShortcutEntry e = ui::ShortcutAt(i);
    if (e.kind == ui::ShortcutKind::MenuItem) names.push_back(test::Std(e.name));
  }
  return names;
}

TEST(MenuShortcuts, AnItemInAMenuWithACommandKeyHasOneEntry) {
  const size_t before = MenuShortcutNames().size();
  {
    const ObjectRef menu = NewItem("Edit");
    const ObjectRef copy = NewItem("Copy", "EditCopy", "C");
    const ObjectRef cut = NewItem("Cut", "EditCut");
    EXPECT_EQ(MenuShortcutNames().size(), before) << "not in a menu yet";
    Append(menu, copy);
    Append(menu, cut);
    EXPECT_EQ(MenuShortcutNames().size(), before + 1);
    EXPECT_EQ(MenuShortcutNames().front(), "Ctrl+C");

    RuntimeMenuItemCommandKeySetter(copy.get(), 0, Str("Shift-C").get());
    EXPECT_EQ(MenuShortcutNames().size(), before + 1) << "replaced, not added";
    EXPECT_EQ(MenuShortcutNames().front(), "Ctrl+Shift+C");
    RuntimeMenuItemCommandKeySetter(cut.get(), 0, Str("X").get());
    EXPECT_EQ(MenuShortcutNames().size(), before + 2);
    RuntimeMenuItemCommandKeySetter(copy.get(), 0, nullptr);
    EXPECT_EQ(MenuShortcutNames().size(), before + 1) << "no command key, no entry";
    RuntimeMenuItemRemoveIndex(menu.get(), 1);
    EXPECT_EQ(MenuShortcutNames().size(), before) << "out of the menu, out of the list";
    Append(menu, cut);
    EXPECT_EQ(MenuShortcutNames().size(), before + 1) << "back in";
  }
  EXPECT_EQ(MenuShortcutNames().size(), before) << "gone with the items";
}

// Edit: Copy (Ctrl+C, served by the window), Save (Ctrl+S, served by nobody),
// Save As (Ctrl+Shift+S), Find (F10 as command key), Zoom (Option-Z).
struct Keys {
  ObjectRef bar = NewBar();
  ObjectRef edit = NewItem("Edit");
  ObjectRef copy = NewItem("Copy", "EditCopy", "C");
  ObjectRef save = NewItem("Save", "FileSave", "S");
  ObjectRef saveAs = NewActionItem("Save As", "FileSaveAs", true);
  ObjectRef find = NewActionItem("Find", "EditFind", true);
  ObjectRef zoom = NewActionItem("Zoom", "ViewZoom", true);
  Keys() {
    Append(bar, edit);
    for (const ObjectRef* i : {&copy, &save, &saveAs, &find, &zoom}) Append(edit, *i);
    RuntimeMenuItemCommandKeySetter(saveAs.get(), 0, Str("Shift-S").get());
    RuntimeMenuItemCommandKeySetter(find.get(), 0, Str("F10").get());
    RuntimeMenuItemCommandKeySetter(zoom.get(), 0, Str("Option-Z").get());
  }
};

TEST(MenuShortcuts, AKeyPressRunsTheCommandOfTheEnabledItemOfItsName) {
  InstallMenuLayer();
  struct Case {
    const char* what;
    uint32_t virtualKey;
    uint32_t modifiers;
    Log log;  // besides the update's events
    bool consumed;
  };
  const uint32_t ctrl = ui::kModifierControl, shift = ui::kModifierShift, alt = ui::kModifierAlt;
  const Case cases[] = {
      {"Ctrl+C", 'C', ctrl, {"window EditCopy -1"}, true},
      {"C alone is no shortcut", 'C', 0, {}, false},
      {"Ctrl+S with Save greyed does nothing", 'S', ctrl, {}, false},
      {"Ctrl+Shift+S is Save As", 'S', ctrl | shift, {"item Action Save As"}, true},
      {"Ctrl+F10 matches the command key F10", 0x79, ctrl, {"item Action Find"}, true},
      {"F10 alone does not", 0x79, 0, {}, false},
      {"Ctrl+Alt+Z matches Option-Z", 'Z', ctrl | alt, {"item Action Zoom"}, true},
      {"Ctrl+Z does not", 'Z', ctrl, {}, false},
  };
  for (const Case& c : cases) {
    MenuWorld world;
    Keys m;
    world.SetWindowMenuBar(m.bar);
    world.AddWindowHandler("EditCopy", true);
    MenuLog().clear();
    EXPECT_EQ(ui::MatchShortcut(c.virtualKey, c.modifiers, false), c.consumed) << c.what;
    Log commands;
    for (const std::string& line : MenuLog())
      if (line.find("EnableMenu") == std::string::npos) commands.push_back(line);
    EXPECT_EQ(commands, c.log) << c.what;
  }
}

TEST(MenuShortcuts, TheMenusAreUpdatedBeforeTheShortcutActs) {
  InstallMenuLayer();
  MenuWorld world;
  Keys m;
  world.SetWindowMenuBar(m.bar);
  // Save is served only when the window's EnableMenuItems enables it.
  bool saveAllowed = false;
  test::g_onWindowEnableMenuItems = [&] {
    if (saveAllowed) RuntimeEnableMenu(m.save.get());
  };
  world.AddApplicationHandler("FileSave", false);  // auto-enables Save...
  world.pane()->serves.insert("FileSave");         // ...and the control serves it
  RuntimeMenuItemAutoEnableSetter(m.save.get(), 0, false);
  EXPECT_FALSE(ui::MatchShortcut('S', ui::kModifierControl, false));
  saveAllowed = true;
  MenuLog().clear();
  EXPECT_TRUE(ui::MatchShortcut('S', ui::kModifierControl, false));
  EXPECT_EQ(MenuLog().back(), "control command FileSave");
}

TEST(MenuShortcuts, AnItemClosedByTheUpdateDoesNotAct) {
  InstallMenuLayer();
  MenuWorld world;
  Keys m;
  world.SetWindowMenuBar(m.bar);
  test::g_onWindowEnableMenuItems = [&] { RuntimeCloseMenuItem(m.saveAs.get()); };
  MenuLog().clear();
  EXPECT_FALSE(ui::MatchShortcut('S', ui::kModifierControl | ui::kModifierShift, false));
  for (const std::string& line : MenuLog()) EXPECT_NE(line, "item Action Save As");
}

}  // namespace
}  // namespace ql::menus
