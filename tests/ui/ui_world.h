// Windows and controls the way an image makes them, for the window layer's
// tests: a compiled window class whose Layout applies its design with one
// mass-property call and whose CreateControls allocates and adds one object
// per control; compiled control classes on RectControl with the _PaneChild
// interface, a _Layout applying their design, and a test control kind whose
// CreatePane builds a pane of the framework. Every event writes "<class>
// <event>" to one trace.
#pragma once

#include <gtest/gtest.h>

#include <stdint.h>

#include <string>
#include <vector>

#include "quillon/abi.h"
#include "ui/pane.h"
#include "ui/window_object.h"

namespace ql::test {

// What the test kind's pane is.
enum class PaneKind {
  Button,     // "BUTTON": takes the focus, can be a default or cancel button
  TextField,  // "RichEdit20W": takes the focus, keeps the arrow keys
  Label,      // "QL_Pane": never takes the focus
  Group,      // "BUTTON" style 7: a container that claims what lies inside it
};

struct ControlDesign {
  std::string className;  // the control's class, its key ("c1")
  std::string name;       // Name set by _Layout; empty: the class name
  ui::Rect16 bounds{10, 10, 30, 90};
  bool visible = true;
  bool enabled = true;
  int32_t tabPage = 0;
  int32_t index = -1;     // a control-array member from 0
  bool lockLeft = false, lockTop = false, lockRight = false, lockBottom = false;
  std::string initialParent;
  PaneKind kind = PaneKind::Button;
  bool isDefault = false;
  bool isCancel = false;
  bool acceptsTabs = false;
  bool handlesMouseDown = false;  // its MouseDown event returns True
  bool consumesKeys = false;      // its KeyDown event returns True
};

struct WindowDesign {
  std::string className = "TestWindow";
  ui::Rect16 bounds{0, 0, 200, 300};
  bool visible = true;
  int32_t frame = 0;
  int32_t placement = 1;
  std::string title = "Test window";
  int16_t minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
  bool cancelClose = false;       // CancelClose returns True
  bool consumesKeys = false;      // the window's KeyDown returns True
  bool raisesOnKeyDown = false;   // the window's KeyDown lets a NilObjectException escape
  bool handlesMouseDown = false;  // the window's MouseDown returns True
  std::vector<ControlDesign> controls;
};

std::vector<std::string>& UiTrace();
// The trace entries that start with `prefix`.
std::vector<std::string> TraceOf(const std::string& prefix);

// The window class of a design (made once per class name per process; a
// second design under the same name replaces the first's handlers' data).
RuntimeClass* WindowClassOf(const WindowDesign& design);
// An open window as the image makes one: RuntimeNewObject, then the
// constructor. One reference for the caller.
RuntimeObject* OpenWindow(const WindowDesign& design);
// The control entered under `key` (no new reference), or nil.
RuntimeObject* ControlOf(RuntimeObject* window, const char* key);
ui::Pane* PaneOf(RuntimeObject* window, const char* key);
// How often the test kind's Push ran for the control's pane.
int32_t PushCount(RuntimeObject* control);

// The mass-property data of design-time values (16-bit big-endian index,
// value by the property's type).
class DesignValues {
 public:
  DesignValues& Bool(uint16_t index, bool v);
  DesignValues& Int(uint16_t index, int32_t v);
  DesignValues& Str(uint16_t index, const std::string& v);
  RuntimeString* Blob() const;  // one reference

 private:
  void Index(uint16_t index);
  std::string bytes_;
};

// Each test starts with no window open and an empty trace, and closes what
// it left open.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::vector<std::string>& trace() { return UiTrace(); }
};

}  // namespace ql::test
