// A small world for dispatch and enabling tests: an application object, a
// front window with a view, a focused control whose pane serves built-in
// commands, menu handlers on all three, and items whose classes implement
// Action and EnableMenu. Every event that runs is written to one log.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/object.h"
#include "core/stringmap.h"
#include "menu_fixtures.h"
#include "ui/control_object.h"
#include "ui/pane.h"
#include "ui/view_window.h"
#include "ui/window_object.h"

namespace ql::test {

// Everything that ran, in order: "window Checkit 2", "item Action Copy", ...
std::vector<std::string>& MenuLog();

// A menu handler (a _MenuHandler subclass) that logs "<who> <item> <index>"
// and answers `result`.
ObjectRef NewMenuHandler(const std::string& who, const std::string& item, bool result);

// An item of a MenuItem subclass implementing Action (logs "item Action
// <text>" and answers `result`) and EnableMenu (logs "item EnableMenu
// <text>" and runs the world's enableMenu callback with the item).
ObjectRef NewActionItem(const char* text, const char* name, bool result);

// The front window and what the world's windows do in EnableMenuItems.
extern std::function<void(RuntimeObject* item)> g_onEnableMenu;
extern std::function<void()> g_onWindowEnableMenuItems;
extern std::function<void()> g_onApplicationEnableMenuItems;

// A pane whose control serves some built-in commands by item name and
// enables some items.
class CommandPane : public ui::Pane {
 public:
  std::set<std::string> serves;   // MenuCommand answers true for these
  std::vector<std::string> enables;  // EnableMenuItems names these
  bool MenuCommand(RuntimeString* itemName) override;
  void EnableMenuItems(ui::MenuItemEnabler& enabler) override;
  bool TakesFocus() const override { return true; }
};

class MenuWorld {
 public:
  // `procedure`: the front window's frame (0: a document window; 2: a modal one).
  explicit MenuWorld(int32_t frame = 0);
  ~MenuWorld();
  MenuWorld(const MenuWorld&) = delete;
  MenuWorld& operator=(const MenuWorld&) = delete;

  RuntimeObject* window() const { return window_.get(); }
  RuntimeObject* control() const { return control_.get(); }
  RuntimeObject* app() const { return app_.get(); }
  CommandPane* pane() const { return pane_; }

  void AddWindowHandler(const char* item, bool result);
  void AddApplicationHandler(const char* item, bool result);
  void AddControlHandler(const char* item, bool result);
  // The window's and the application's menu bars (nil leaves none).
  void SetWindowMenuBar(const ObjectRef& bar);
  void SetApplicationMenuBar(const ObjectRef& bar);
  // The focus leaves the control (the window keeps the front).
  void Unfocus();
  // No runtime window in front.
  void NothingInFront();

 private:
  ObjectRef app_;
  ObjectRef window_;
  ObjectRef control_;
  ui::RuntimeViewWindow* view_ = nullptr;
  CommandPane* pane_ = nullptr;
};

}  // namespace ql::test
