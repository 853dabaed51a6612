// Windows holding controls of the intrinsic kinds the way an image makes
// them: a compiled window class whose CreateControls adds one object per
// control, compiled control classes on the intrinsic kinds whose _Layout
// applies their design-time values with one mass-property call (looked up
// by property name), and event implementations that write "<class> <event>"
// to the trace of ui_world.h and run an optional action.
#pragma once

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "quillon/abi.h"
#include "ui/pane.h"
#include "ui_world.h"

namespace ql::test {

struct Rgb {
  uint32_t value;  // 0x00RRGGBB
};
using DesignValue = std::variant<bool, int32_t, std::string, Rgb>;
using PropertyValues = std::vector<std::pair<std::string, DesignValue>>;

struct KindDesign {
  std::string kind;       // the intrinsic class: "EditField", "Separator", ...
  std::string className;  // the control's own class and key
  ui::Rect16 bounds{10, 10, 30, 110};
  PropertyValues values;  // after Name, Visible, Left, Top, Width, Height
  std::vector<std::string> events;  // events its class implements
  int32_t tabPage = 0;
  std::string initialParent;
};

struct KindWindow {
  std::string className = "KindWindow";
  ui::Rect16 bounds{40, 40, 400, 480};
  std::string title = "Controls";
  std::vector<KindDesign> controls;
};

// One reference for the caller; closing it is the test's or UiTest's.
RuntimeObject* OpenKindWindow(const KindWindow& design);
// The control of that class, no new reference.
RuntimeObject* Kind(RuntimeObject* window, const std::string& className);

// What an implemented event does besides tracing (its Boolean result, or
// nothing): set per (control class, event) for the test that needs it.
using EventAction = std::function<bool(RuntimeObject* control)>;
void OnEvent(const std::string& className, const std::string& event, EventAction action);
void ClearEventActions();
// The Graphics object of the last Paint event while it runs (nil outside).
RuntimeObject* PaintingGraphics();

// The slot of an event by name in the class or its ancestors, -1 for none.
int32_t EventSlotOf(const RuntimeClass* cls, const std::string& name);

// A property by name: its index in the class's table (-1 for none), and
// calls of its accessors with the table's param.
int32_t PropertyIndex(RuntimeClass* cls, const std::string& name);
void SetProperty(RuntimeObject* o, const std::string& name, DesignValue value);
bool GetBool(RuntimeObject* o, const std::string& name);
int32_t GetInt(RuntimeObject* o, const std::string& name);
std::string GetString(RuntimeObject* o, const std::string& name);

// A runtime string's text as UTF-8 (nil: "").
std::string Utf8(RuntimeString* s);
// A new UTF-8 runtime string, one reference in the handle.
String Make(const std::string& utf8);

}  // namespace ql::test
