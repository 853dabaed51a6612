// The calculator's classes and how its code reaches their objects: the
// class getters, the controls and menu items of the main window (Window1)
// through the window's properties, and the window's own state.
#pragma once

#include "language.h"
#include "quillon/compiled_class.h"
#include "units.h"

namespace titrix {

// The controls of Window1 with their intrinsic classes, in the order
// CreateControls creates them, which is also the order of the window's
// control properties: X(name, class).
#define TITRIX_WINDOW1_CONTROLS(X)                                                                        \
  X(TabPanel1, TabPanel) X(data, Listbox) X(calculate_what, PopupMenu) X(GroupBox2, GroupBox)              \
  X(GroupBox1, GroupBox) X(conc, EditField) X(vol, EditField) X(result_1, EditField)                       \
  X(text_conc, StaticText) X(text_vol, StaticText) X(text_mass, StaticText) X(PushButton1, PushButton)     \
  X(conc_units, PopupMenu) X(vol_units, PopupMenu) X(result_1_units, PopupMenu) X(Separator1, Separator)   \
  X(formula_field, EditField) X(weight_format, PopupMenu) X(StaticText1, StaticText)                       \
  X(stock_conc, EditField) X(des_conc, EditField) X(des_vol, EditField) X(des_vol_units, PopupMenu)        \
  X(des_conc_units, PopupMenu) X(stock_conc_units, PopupMenu) X(StaticText2, StaticText)                   \
  X(StaticText3, StaticText) X(StaticText4, StaticText) X(req_vol_units, PopupMenu) X(req_vol, EditField)  \
  X(PushButton2, PushButton) X(StaticText6, StaticText) X(Separator2, Separator) X(StaticText7, StaticText) \
  X(Separator3, Separator)

// The named items of MenuBar1, each also a property of Window1: X(name, class).
#define TITRIX_MENU_ITEMS(X)                                                                              \
  X(FileMenu, MenuItem) X(FileQuit, QuitMenuItem) X(EditMenu, MenuItem) X(EditUndo, MenuItem)              \
  X(EditCut, MenuItem) X(EditCopy, MenuItem) X(EditPaste, MenuItem) X(EditClear, MenuItem)                 \
  X(prefs, MenuItem) X(show_mw, MenuItem) X(save_fields, MenuItem) X(HelpMenu, MenuItem) X(HelpHelp, MenuItem)

#define TITRIX_ENUMERATOR(name, cls) name,
enum class W1 : int32_t { TITRIX_WINDOW1_CONTROLS(TITRIX_ENUMERATOR) Count };
enum class Item : int32_t { TITRIX_MENU_ITEMS(TITRIX_ENUMERATOR) Count };
#undef TITRIX_ENUMERATOR

// --- Class getters ---
RuntimeClass* AppClass();
RuntimeClass* MenuBar1Class();
RuntimeClass* Window1Class();
RuntimeClass* Window3Class();
// The menu handlers of Window1, in the order CreateControls adds them.
enum class Handler : int32_t { show_mw, save_fields, HelpHelp, Count };
RuntimeClass* MenuHandlerClass(Handler handler);
RuntimeString* MenuHandlerItemName(Handler handler);
void MenuHandlerConstructor(RuntimeObject* handler, RuntimeObject* owner);

// The one MenuBar1 of the run, created with its menus on first use (the
// application and Window1 share it). Borrowed: the image keeps it.
RuntimeObject* MenuBar1Instance();

// --- Window1's controls and menu items (its properties) ---
Object Control(RuntimeObject* window1, W1 control);
Object MenuItem(RuntimeObject* window1, Item item);
// The class getter of a Window1 control, nil when its class cannot exist
// (the Separator class of a missing plug-in).
RuntimeClass* Window1ControlClass(W1 control);

// Window1's own fields.
struct Window1State {
  uint8_t calculating;       // a solution calculation is running
  uint8_t closed;            // Close has run: a running calculation stops
  uint8_t preferencesRead;   // prefs.txt was read (or found missing) by Open
};
Window1State& StateOf(RuntimeObject* window1);

// --- Window1's methods, by concern ---
// Element table (elements.cpp): false when the file is missing (the
// message was shown and quitting requested).
bool LoadElementTable(RuntimeObject* window1, const quillon::MethodScope& scope);
// Preferences (preferences.cpp).
void ReadPreferences(RuntimeObject* window1, const quillon::MethodScope& scope);
void WritePreferences(RuntimeObject* window1);
// The two pages (solution.cpp, dilution.cpp).
void GroupBox1_Open(RuntimeObject* window1, RuntimeObject* control);
void GroupBox2_Open(RuntimeObject* window1, RuntimeObject* control);
void calculate_what_Change(RuntimeObject* window1, RuntimeObject* control);
void PushButton1_Action(RuntimeObject* window1, RuntimeObject* control);
void PushButton2_Action(RuntimeObject* window1, RuntimeObject* control);
// The menu handler methods (window1.cpp); each returns false.
bool show_mw_Action(RuntimeObject* window1);
bool save_fields_Action(RuntimeObject* window1);
bool HelpHelp_Action(RuntimeObject* window1);

// Fills a pop-up with its rows and selects `initial`.
void FillPopup(const Object& popup, RuntimeString* const* rows, int32_t count, int32_t initial);
template <size_t N>
void FillUnits(const Object& popup, const Unit (&units)[N], int32_t initial) {
  for (const Unit& unit : units) AddRow(popup, String::Borrow(unit.name));
  SetListIndex(popup, initial);
}

}  // namespace titrix
