// Window1, the main window: its class (design-time values, controls, menu
// handlers, one property per control and per menu item), its Open and Close,
// and the two preference toggles and the help item.
#include "quillon/intrinsic_tables.h"
#include "titrix.h"
#include "window1_design.h"

namespace titrix {
namespace {

using quillon::ClassSpec;
using quillon::EventSpec;
using quillon::IsNil;
using quillon::MethodScope;
using quillon::MethodSpec;
using quillon::PropertySpec;
namespace WE = quillon::WindowEvent;

// The calculation modes of the solution page.
constexpr RuntimeString* kModes[] = {
    QL_STR("Mass from concentration and volume"),
    QL_STR("Volume from mass and concentration"),
    QL_STR("Molarity from mass and volume"),
};

#define TITRIX_NAME(name, cls) QL_ASCII(#name),
#define TITRIX_CLASS(name, cls) QL_ASCII(#cls),
constexpr RuntimeString* kControlNames[] = {TITRIX_WINDOW1_CONTROLS(TITRIX_NAME)};
constexpr RuntimeString* kControlClasses[] = {TITRIX_WINDOW1_CONTROLS(TITRIX_CLASS)};
constexpr RuntimeString* kItemNames[] = {TITRIX_MENU_ITEMS(TITRIX_NAME)};
#undef TITRIX_NAME
#undef TITRIX_CLASS

// The getter of a control property: the control of that name, cast to its
// intrinsic class. One reference for the caller, or nil.
RuntimeObject* ControlGetter(RuntimeObject* window, uint32_t control) {
  if (IsNil(window) || control >= static_cast<uint32_t>(W1::Count)) return nullptr;
  Object found = Object::Adopt(RuntimeControlReference(window, kControlNames[control]));
  return RuntimeCheckCast(found.get(), RuntimeLookupClass(kControlClasses[control]));
}

// The getter of a menu item property: the item of that name in the window's
// menu bar, cast to MenuItem.
RuntimeObject* MenuItemGetter(RuntimeObject* window, uint32_t item) {
  if (IsNil(window) || item >= static_cast<uint32_t>(Item::Count)) return nullptr;
  Object bar = Object::Adopt(WindowMenuBarGetter(window, 0));
  if (IsNil(bar.get())) return nullptr;
  Object found = Object::Adopt(RuntimeMenuItemLookup(bar.get(), kItemNames[item]));
  return RuntimeCheckCast(found.get(), RuntimeLookupClass(QL_ASCII("MenuItem")));
}

// --- Events ---

void Layout(RuntimeObject* window) {
  MethodScope scope;
  WindowMenuBarSetter(window, 0, MenuBar1Instance());
  RuntimeMassPropertySetter(window, QL_DESIGN_VALUES(window1::kWindow1));
}

void CreateControls(RuntimeObject* window) {
  MethodScope scope;
  for (int32_t i = 0; i < static_cast<int32_t>(W1::Count); ++i) {
    RuntimeClass* cls = Window1ControlClass(static_cast<W1>(i));
    if (!cls) continue;  // a Separator without its plug-in: the page goes without the line
    Object control = Object::Adopt(WindowAllocateObject(window, cls));
    quillon::ControlConstructor(control.get(), -1);
    WindowAddControl(window, control.get());
  }
  for (int32_t i = 0; i < static_cast<int32_t>(Handler::Count); ++i) {
    const Handler h = static_cast<Handler>(i);
    Object handler = Object::Adopt(WindowAllocateObject(window, MenuHandlerClass(h)));
    MenuHandlerConstructor(handler.get(), window);
    WindowAddMenuHandler(window, MenuHandlerItemName(h), handler.get());
  }
}

void Open(RuntimeObject* window) {
  MethodScope scope;
  FillPopup(Control(window, W1::calculate_what), kModes, 3, 0);
  if (scope.raised() || !LoadElementTable(window, scope) || scope.raised()) return;
  ReadPreferences(window, scope);
}

void Close(RuntimeObject* window) {
  MethodScope scope;
  Window1State& state = StateOf(window);
  state.closed = 1;
  // Until Open has read prefs.txt, the fields hold start-up values, not the
  // user's: writing them would replace what the file remembers.
  if (state.preferencesRead) WritePreferences(window);
}

// --- Menu handler methods ---

bool Toggle(RuntimeObject* window, Item item) {
  MethodScope scope;
  Object menuItem = MenuItem(window, item);
  if (Checked(menuItem))
    SetChecked(menuItem, false);
  else
    SetChecked(menuItem, true);
  return false;
}

// --- The class ---

constexpr EventSpec kEvents[] = {
    {WE::Layout, QL_CODE(Layout), QL_ASCII("Layout"), QL_ASCII("#Layout%%o<Window1>")},
    {WE::CreateControls, QL_CODE(CreateControls), QL_ASCII("CreateControls"),
     QL_ASCII("#CreateControls%%o<Window1>")},
    {WE::Open, QL_CODE(Open), QL_ASCII("Open"), QL_ASCII("#Open%%o<Window1>")},
    {WE::Close, QL_CODE(Close), QL_ASCII("Close"), QL_ASCII("#Close%%o<Window1>")},
};

constexpr MethodSpec kMethods[] = {
    {QL_CODE(calculate_what_Change), QL_ASCII("calculate_what_Change%%o<Window1>o<PopupMenu>")},
    {QL_CODE(GroupBox1_Open), QL_ASCII("GroupBox1_Open%%o<Window1>o<GroupBox>")},
    {QL_CODE(GroupBox2_Open), QL_ASCII("GroupBox2_Open%%o<Window1>o<GroupBox>")},
    {QL_CODE(PushButton1_Action), QL_ASCII("PushButton1_Action%%o<Window1>o<PushButton>")},
    {QL_CODE(PushButton2_Action), QL_ASCII("PushButton2_Action%%o<Window1>o<PushButton>")},
    {QL_CODE(show_mw_Action), QL_ASCII("show_mw_Action%b%o<Window1>")},
    {QL_CODE(save_fields_Action), QL_ASCII("save_fields_Action%b%o<Window1>")},
    {QL_CODE(HelpHelp_Action), QL_ASCII("HelpHelp_Action%b%o<Window1>")},
};

#define TITRIX_CONTROL_PROPERTY(name, cls) \
  {QL_ASCII(#name "%o<" #cls ">%o<Window1>"), static_cast<uint32_t>(W1::name), QL_CODE(ControlGetter), nullptr},
#define TITRIX_ITEM_PROPERTY(name, cls) \
  {QL_ASCII(#name "%o<" #cls ">%o<Window1>"), static_cast<uint32_t>(Item::name), QL_CODE(MenuItemGetter), nullptr},
constexpr PropertySpec kProperties[] = {TITRIX_WINDOW1_CONTROLS(TITRIX_CONTROL_PROPERTY)
                                            TITRIX_MENU_ITEMS(TITRIX_ITEM_PROPERTY)};

constexpr ClassSpec kWindow1Class{.name = QL_ASCII("Window1"),
                             .superclass = QL_ASCII("Window"),
                             .superEvents = WE::Count,
                             .fieldBytes = sizeof(Window1State),
                             .methods = kMethods,
                             .events = kEvents,
                             .properties = kProperties};

constinit RuntimeClass* gWindow1 = nullptr;

}  // namespace

bool show_mw_Action(RuntimeObject* window) { return Toggle(window, Item::show_mw); }
bool save_fields_Action(RuntimeObject* window) { return Toggle(window, Item::save_fields); }

bool HelpHelp_Action(RuntimeObject*) {
  MethodScope scope;
  Object help = quillon::ImplicitWindow(QL_ASCII("Window3"), Window3Class());
  if (!IsNil(help.get())) RuntimeShowWindow(help.get());
  return false;
}

RuntimeClass* Window1Class() { return quillon::ClassFor(gWindow1, kWindow1Class); }

Window1State& StateOf(RuntimeObject* window1) { return *quillon::OwnFields<Window1State>(window1, Window1Class()); }

Object Control(RuntimeObject* window1, W1 control) {
  return Object::Adopt(ControlGetter(window1, static_cast<uint32_t>(control)));
}

Object MenuItem(RuntimeObject* window1, Item item) {
  return Object::Adopt(MenuItemGetter(window1, static_cast<uint32_t>(item)));
}

void FillPopup(const Object& popup, RuntimeString* const* rows, int32_t count, int32_t initial) {
  for (int32_t i = 0; i < count; ++i) AddRow(popup, String::Borrow(rows[i]));
  SetListIndex(popup, initial);
}

}  // namespace titrix
