// The intrinsic classes of menus: MenuItem and its subclasses MenuBar,
// QuitMenuItem, PrefsMenuItem and AppleMenuItem, and _MenuHandler.
#include <stddef.h>

#include <utility>

#include "core/intrinsic_classes.h"
#include "menus/menu_events.h"
#include "menus/menu_item.h"
#include "quillon/entrypoints/application.h"
#include "quillon/entrypoints/menus.h"

namespace ql {
namespace {

using menus::MenuItemImp;
using menus::MenuItemObject;

MenuItemObject* Instance(RuntimeObject* o) { return reinterpret_cast<MenuItemObject*>(o); }

// Every item gets its implementation when it is created; a MenuBar's native
// menu is a menu bar.
void CreateMenuItem(RuntimeObject* o) {
  const MenuItemImp::Role role =
      ClassDescendsFrom(o->cls, ClassOf(intrinsic::MenuBar)) ? MenuItemImp::Role::Bar : MenuItemImp::Role::Item;
  Instance(o)->imp = new MenuItemImp(o, role);
}

void DestroyMenuItem(RuntimeObject* o) { delete std::exchange(Instance(o)->imp, nullptr); }

// The quit item quits, unless the application's own Action reports the
// choice handled; either way the choice is handled.
bool QuitMenuItemAction(RuntimeObject* item) {
  if (!menus::FireAction(item, menus::MenuItemEvent::OwnAction)) ApplicationQuit();
  return true;
}
const EventImplementation kQuitMenuItemHandlers[] = {Handles("Action", QuitMenuItemAction)};

// The preferences item reports every choice handled, whatever its own
// Action does.
bool PrefsMenuItemAction(RuntimeObject* item) {
  menus::FireAction(item, menus::MenuItemEvent::OwnAction);
  return true;
}
const EventImplementation kPrefsMenuItemHandlers[] = {Handles("Action", PrefsMenuItemAction)};

const EventDeclarationEntry kMenuItemEvents[] = {
    Event("Action", "", "Boolean"),
    Event("EnableMenu"),
};

const PropertyEntry kMenuItemProperties[] = {
    Property("Name", types::String, QL_LINK(RuntimeMenuItemNameGetter), QL_LINK(RuntimeMenuItemNameSetter)),
    Property("Index", types::Integer, QL_LINK(RuntimeMenuItemIndexGetter), QL_LINK(RuntimeMenuItemIndexSetter)),
    Property("Tag", TypeOf(intrinsic::Variant), QL_LINK(RuntimeMenuItemTagGetter), QL_LINK(RuntimeMenuItemTagSetter)),
    Property("BalloonHelp", types::String, QL_LINK(RuntimeMenuItemBalloonHelpGetter),
             QL_LINK(RuntimeMenuItemBalloonHelpSetter)),
    Property("DisabledBalloonHelp", types::String, QL_LINK(RuntimeMenuItemDisabledHelpGetter),
             QL_LINK(RuntimeMenuItemDisabledHelpSetter)),
    Property("Text", types::String, QL_LINK(RuntimeMenuItemTextGetter), QL_LINK(RuntimeMenuItemTextSetter)),
    Property("Checked", types::Boolean, QL_LINK(RuntimeMenuItemCheckedGetter), QL_LINK(RuntimeMenuItemCheckedSetter)),
    Property("Enabled", types::Boolean, QL_LINK(RuntimeMenuItemEnabledGetter), QL_LINK(RuntimeMenuItemEnabledSetter)),
    Property("Visible", types::Boolean, QL_LINK(RuntimeMenuItemVisibleGetter), QL_LINK(RuntimeMenuItemVisibleSetter)),
    Property("CommandKey", types::String, QL_LINK(RuntimeMenuItemCommandKeyGetter),
             QL_LINK(RuntimeMenuItemCommandKeySetter)),
    Property("_Bold", types::Boolean, QL_LINK(RuntimeMenuItemBoldGetter), QL_LINK(RuntimeMenuItemBoldSetter)),
    Property("_Italic", types::Boolean, QL_LINK(RuntimeMenuItemItalicsGetter), QL_LINK(RuntimeMenuItemItalicsSetter)),
    Property("_Underline", types::Boolean, QL_LINK(RuntimeMenuItemUnderlineGetter),
             QL_LINK(RuntimeMenuItemUnderlineSetter)),
    Property("AutoEnable", types::Boolean, QL_LINK(RuntimeMenuItemAutoEnableGetter),
             QL_LINK(RuntimeMenuItemAutoEnableSetter)),
};

const ParameterEntry kIndexParameter[] = {Parameter("index", types::Integer)};
const ParameterEntry kNameParameter[] = {Parameter("name", types::String)};
const ParameterEntry kItemParameter[] = {Parameter("item", TypeOf(intrinsic::MenuItem))};
const ParameterEntry kIndexItemParameters[] = {Parameter("index", types::Integer),
                                               Parameter("item", TypeOf(intrinsic::MenuItem))};
const ParameterEntry kNameIndexParameters[] = {Parameter("name", types::String), Parameter("index", types::Integer)};

const MethodEntry kMenuItemMethods[] = {
    Method("Enable", QL_LINK(RuntimeEnableMenu)),
    Method("Close", QL_LINK(RuntimeCloseMenuItem)),
    Method("Item", QL_LINK(RuntimeMenuItemItem), TypeOf(intrinsic::MenuItem), kIndexParameter),
    Method("Count", QL_LINK(RuntimeMenuItemCount), types::Integer),
    Method("Child", QL_LINK(RuntimeMenuItemChild), TypeOf(intrinsic::MenuItem), kNameParameter),
    Method("Append", QL_LINK(RuntimeMenuItemAppend), nullptr, kItemParameter),
    Method("Insert", QL_LINK(RuntimeMenuItemInsert), nullptr, kIndexItemParameters),
    Method("Remove", QL_LINK(RuntimeMenuItemRemoveIndex), nullptr, kIndexParameter),
    Method("Remove", QL_LINK(RuntimeMenuItemRemoveItem), nullptr, kItemParameter),
    Method("_Lookup", QL_LINK(RuntimeMenuItemLookup), TypeOf(intrinsic::MenuItem), kNameParameter),
    Method("_Lookup", QL_LINK(RuntimeMenuItemLookupArray), TypeOf(intrinsic::MenuItem), kNameIndexParameters),
    Method("MenuItem", QL_LINK(RuntimeMenuItemDefaultConstructor)),
};

const ParameterEntry kInstallThisParameter[] = {Parameter("installThis", TypeOf(intrinsic::MenuItem))};
const MethodEntry kMenuBarMethods[] = {
    Method("_InstallClone", QL_LINK(MenuBarInstallClone), nullptr, kInstallThisParameter),
};

// QuitMenuItem and PrefsMenuItem implement MenuItem's Action themselves and
// declare an Action of their own for the application's subclasses.
const EventDeclarationEntry kOwnActionEvent[] = {Event("Action", "", "Boolean")};

const EventDeclarationEntry kMenuHandlerEvents[] = {Event("Action", "index As Integer", "Boolean")};

}  // namespace

namespace intrinsic {

const ClassDescription MenuItemDescription{
    .name = "MenuItem",
    .instanceSize = sizeof(MenuItemObject),
    .initHook = CreateMenuItem,
    .destroyHook = DestroyMenuItem,
    .events = kMenuItemEvents,
    .properties = kMenuItemProperties,
    .methods = kMenuItemMethods,
};
ObjectDefinition MenuItem(MenuItemDescription);

const ClassDescription MenuBarDescription{
    .name = "MenuBar",
    .super = &MenuItem,
    .instanceSize = sizeof(MenuItemObject),
    .methods = kMenuBarMethods,
};
ObjectDefinition MenuBar(MenuBarDescription);

const ClassDescription QuitMenuItemDescription{
    .name = "QuitMenuItem",
    .super = &MenuItem,
    .instanceSize = sizeof(MenuItemObject),
    .events = kOwnActionEvent,
    .eventHandlers = kQuitMenuItemHandlers,
};
ObjectDefinition QuitMenuItem(QuitMenuItemDescription);

const ClassDescription PrefsMenuItemDescription{
    .name = "PrefsMenuItem",
    .super = &MenuItem,
    .instanceSize = sizeof(MenuItemObject),
    .events = kOwnActionEvent,
    .eventHandlers = kPrefsMenuItemHandlers,
};
ObjectDefinition PrefsMenuItem(PrefsMenuItemDescription);

// No behaviour of its own on this platform.
const ClassDescription AppleMenuItemDescription{
    .name = "AppleMenuItem",
    .super = &MenuItem,
    .instanceSize = sizeof(MenuItemObject),
};
ObjectDefinition AppleMenuItem(AppleMenuItemDescription);

const ClassDescription MenuHandlerDescription{
    .name = "_MenuHandler",
    .instanceSize = kObjectHeaderSize,
    .events = kMenuHandlerEvents,
};
ObjectDefinition MenuHandler(MenuHandlerDescription);

}  // namespace intrinsic

}  // namespace ql
