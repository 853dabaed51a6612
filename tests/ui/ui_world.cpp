#include "ui_world.h"

#include <map>

#include "core/compiled_code.h"
#include "core/entrypoint_table.h"
#include "core/string.h"
#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "startup/mainloop.h"
#include "ui/control_panes.h"
#include "ui/fonts.h"
#include "ui/native.h"
#include "ui/view_window.h"
#include "ui/window.h"

namespace ql::test {
namespace {

using ui::AsControl;
using ui::AsWindow;
using ui::Pane;
using ui::Rect16;

// Events of the test control kind after RectControl's seven.
enum : int32_t { kMouseDown = 7, kMouseUp = 8, kKeyDown = 9, kGotFocus = 10, kLostFocus = 11, kOwnEvents = 5 };
const ui::ControlEventSlots kSlots{.mouseDown = kMouseDown, .mouseUp = kMouseUp, .keyDown = kKeyDown,
                                   .gotFocus = kGotFocus, .lostFocus = kLostFocus};

std::map<std::string, ControlDesign>& ControlDesigns() {
  static auto& designs = *new std::map<std::string, ControlDesign>;
  return designs;
}
std::map<std::string, WindowDesign>& WindowDesigns() {
  static auto& designs = *new std::map<std::string, WindowDesign>;
  return designs;
}
std::map<std::string, RuntimeClass*>& Classes() {
  static auto& classes = *new std::map<std::string, RuntimeClass*>;
  return classes;
}

std::string Label(RuntimeObject* o) { return std::string(StringText(o->cls->name), StringLength(o->cls->name)); }
void Trace(RuntimeObject* o, const std::string& what) { UiTrace().push_back(Label(o) + " " + what); }

const ControlDesign& ControlDesignOf(RuntimeObject* o) { return ControlDesigns()[Label(o)]; }
const WindowDesign& WindowDesignOf(RuntimeObject* o) { return WindowDesigns()[Label(o)]; }

RuntimeString* S(const std::string& text) { return NewStringFromBytes(text.data(), int32_t(text.size()), QL_ENCODING_UTF8).release(); }

class TestPane : public Pane {
 public:
  explicit TestPane(const ControlDesign& d) : design_(d) {}
  bool TakesFocus() const override { return design_.kind == PaneKind::Button || design_.kind == PaneKind::TextField; }
  bool KeepsArrowKeys() const override { return design_.kind == PaneKind::TextField; }
  bool AcceptsTabs() const override { return design_.acceptsTabs; }
  bool IsPushButton() const override { return design_.kind == PaneKind::Button; }
  bool IsDefaultButton() const override { return IsPushButton() && design_.isDefault; }
  bool IsCancelButton() const override { return IsPushButton() && design_.isCancel; }
  void Push() override {
    ++pushes;
    if (Control()) Trace(Control(), "Push");
  }
  bool ShortcutAction() override {
    Push();
    return true;
  }
  bool IsContainer() const override { return design_.kind == PaneKind::Group; }
  bool ClaimsChild(const Rect16& b, uint32_t) const override {
    const Rect16 r = Bounds();
    return IsContainer() && b.left >= r.left && b.top >= r.top && b.right <= r.right && b.bottom <= r.bottom;
  }
  int32_t pushes = 0;

 private:
  const ControlDesign design_;
};

const char* NativeClassOf(PaneKind kind) {
  switch (kind) {
    case PaneKind::TextField: return "RichEdit20W";
    case PaneKind::Label: return "QL_Pane";
    default: return "BUTTON";
  }
}

// --- The control class's handlers ---

void ControlCreatePane(RuntimeObject* c) {
  Trace(c, "CreatePane");
  const ControlDesign& d = ControlDesignOf(c);
  auto* pane = new TestPane(d);
  ui::PaneWindowSpec plan{.className = NativeClassOf(d.kind), .text = nullptr,
                          .style = d.kind == PaneKind::Group ? 7u : 0u, .exStyle = 0};
  pane->CreatePaneWindow(ui::ControlView(c), nullptr, AsControl(c)->bounds, plan);
  if (d.kind != PaneKind::Label) {
    String face = NewStringFromCText("System");
    pane->SetFont(ui::AcquireControlFont(ui::FontRequest{face.get(), 12, false, false, false}));
  }
  ui::InstallControlPane(c, pane, &kSlots);
}
void ControlOpen(RuntimeObject* c) { Trace(c, "Open"); }
void ControlClose(RuntimeObject* c) { Trace(c, "Close"); }
void ControlMouseMove(RuntimeObject* c, int32_t x, int32_t y) { Trace(c, "MouseMove " + std::to_string(x) + "," + std::to_string(y)); }
void ControlMouseEnter(RuntimeObject* c) { Trace(c, "MouseEnter"); }
void ControlMouseExit(RuntimeObject* c) { Trace(c, "MouseExit"); }
bool ControlMouseDown(RuntimeObject* c, int32_t x, int32_t y) {
  Trace(c, "MouseDown " + std::to_string(x) + "," + std::to_string(y));
  return ControlDesignOf(c).handlesMouseDown;
}
void ControlMouseUp(RuntimeObject* c, int32_t x, int32_t y) { Trace(c, "MouseUp " + std::to_string(x) + "," + std::to_string(y)); }
bool ControlKeyDown(RuntimeObject* c, RuntimeString* key) {
  Trace(c, "KeyDown " + std::to_string(key ? uint8_t(StringText(key)[0]) : 0));
  return ControlDesignOf(c).consumesKeys;
}
void ControlGotFocus(RuntimeObject* c) { Trace(c, "GotFocus"); }
void ControlLostFocus(RuntimeObject* c) { Trace(c, "LostFocus"); }

void ControlLayout(RuntimeObject* c) {
  Trace(c, "_Layout");
  const ControlDesign& d = ControlDesignOf(c);
  DesignValues v;
  v.Str(0, d.name.empty() ? d.className : d.name);
  if (d.tabPage) v.Int(2, d.tabPage);
  v.Bool(11, d.visible).Int(12, d.bounds.left).Int(13, d.bounds.top);
  v.Int(14, d.bounds.right - d.bounds.left).Int(15, d.bounds.bottom - d.bounds.top);
  if (!d.initialParent.empty()) v.Str(24, d.initialParent);
  v.Bool(19, d.lockLeft).Bool(20, d.lockTop).Bool(21, d.lockRight).Bool(22, d.lockBottom);
  v.Bool(16, d.enabled);
  String blob = String::Adopt(v.Blob());
  RuntimeMassPropertySetter(c, blob.get());
}
void ControlSetWindow(RuntimeObject*, RuntimeObject*) {}
int32_t ControlIndex(RuntimeObject* c) { return AsControl(c)->index; }

void SetEvent(RuntimeClass* c, int32_t slot, void* handler, const char* name) {
  c->events[slot] = {handler, S(name)};
}

RuntimeClass* ControlClassOf(const ControlDesign& d) {
  ControlDesigns()[d.className] = d;
  RuntimeClass*& cls = Classes()[d.className];
  if (cls) return cls;
  String superName = NewStringFromCText("RectControl");
  RuntimeClass* super = RuntimeLookupClass(superName.get());
  cls = NewTestClass(super, super->methodCount, super->interfaceCount + 1, super->eventCount + kOwnEvents,
                     super->staticMethodCount, super->propertyCount);
  cls->name = S(d.className);
  cls->instanceSize = super->instanceSize;
  SetEvent(cls, 0, EntryAddress(ControlCreatePane), "CreatePane");
  SetEvent(cls, 1, EntryAddress(ControlOpen), "Open");
  SetEvent(cls, 2, EntryAddress(ControlClose), "Close");
  SetEvent(cls, 3, EntryAddress(ControlMouseMove), "MouseMove");
  SetEvent(cls, 4, EntryAddress(ControlMouseEnter), "MouseEnter");
  SetEvent(cls, 5, EntryAddress(ControlMouseExit), "MouseExit");
  SetEvent(cls, kMouseDown, EntryAddress(ControlMouseDown), "MouseDown");
  SetEvent(cls, kMouseUp, EntryAddress(ControlMouseUp), "MouseUp");
  SetEvent(cls, kKeyDown, EntryAddress(ControlKeyDown), "KeyDown");
  SetEvent(cls, kGotFocus, EntryAddress(ControlGotFocus), "GotFocus");
  SetEvent(cls, kLostFocus, EntryAddress(ControlLostFocus), "LostFocus");
  GivePaneChildInterface(cls, d.className,
                         {EntryAddress(ControlLayout), EntryAddress(ControlSetWindow), EntryAddress(ControlIndex)});
  return cls;
}

// --- The window class's handlers ---

void WindowLayout(RuntimeObject* w) {
  Trace(w, "Layout");
  const WindowDesign& d = WindowDesignOf(w);
  DesignValues v;
  v.Int(12, d.frame).Int(5, d.placement).Int(1, d.bounds.left).Int(2, d.bounds.top);
  v.Int(3, d.bounds.right - d.bounds.left).Int(4, d.bounds.bottom - d.bounds.top).Str(6, d.title).Bool(0, d.visible);
  v.Int(20, d.minWidth).Int(21, d.minHeight).Int(22, d.maxWidth).Int(23, d.maxHeight);
  String blob = String::Adopt(v.Blob());
  RuntimeMassPropertySetter(w, blob.get());
}

void WindowCreateControls(RuntimeObject* w) {
  Trace(w, "CreateControls");
  for (const ControlDesign& d : WindowDesignOf(w).controls) {
    RuntimeObject* c = WindowAllocateObject(w, ControlClassOf(d));
    AsControl(c)->index = d.index;  // the generated constructor stores its argument
    RectControlDefaultConstructor(c);
    WindowAddControl(w, c);
    RuntimeUnlockObject(c);
  }
}

void WindowSetupBindings(RuntimeObject* w) { Trace(w, "SetupBindings"); }
void WindowOpen(RuntimeObject* w) { Trace(w, "Open"); }
void WindowClose(RuntimeObject* w) { Trace(w, "Close"); }
bool WindowCancelClose(RuntimeObject* w) {
  Trace(w, "CancelClose");
  return WindowDesignOf(w).cancelClose;
}
bool WindowKeyDown(RuntimeObject* w, RuntimeString* key) {
  Trace(w, "KeyDown " + std::to_string(key ? uint8_t(StringText(key)[0]) : 0));
  if (WindowDesignOf(w).raisesOnKeyDown) RuntimeNilObject();
  return WindowDesignOf(w).consumesKeys;
}
void WindowMouseMove(RuntimeObject* w, int32_t x, int32_t y) { Trace(w, "MouseMove " + std::to_string(x) + "," + std::to_string(y)); }
void WindowMouseEnter(RuntimeObject* w) { Trace(w, "MouseEnter"); }
void WindowMouseExit(RuntimeObject* w) { Trace(w, "MouseExit"); }
bool WindowMouseDown(RuntimeObject* w, int32_t x, int32_t y) {
  Trace(w, "MouseDown " + std::to_string(x) + "," + std::to_string(y));
  return WindowDesignOf(w).handlesMouseDown;
}
void WindowMouseDrag(RuntimeObject* w, int32_t x, int32_t y) { Trace(w, "MouseDrag " + std::to_string(x) + "," + std::to_string(y)); }
void WindowMouseUp(RuntimeObject* w, int32_t x, int32_t y) { Trace(w, "MouseUp " + std::to_string(x) + "," + std::to_string(y)); }
void WindowResized(RuntimeObject* w) { Trace(w, "Resized"); }
void WindowResizing(RuntimeObject* w) { Trace(w, "Resizing"); }
void WindowMoved(RuntimeObject* w) { Trace(w, "Moved"); }
void WindowActivate(RuntimeObject* w) { Trace(w, "Activate"); }
void WindowDeactivate(RuntimeObject* w) { Trace(w, "Deactivate"); }

}  // namespace

std::vector<std::string>& UiTrace() {
  static auto& trace = *new std::vector<std::string>;
  return trace;
}

std::vector<std::string> TraceOf(const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& t : UiTrace())
    if (t.compare(0, prefix.size(), prefix) == 0) out.push_back(t);
  return out;
}

RuntimeClass* WindowClassOf(const WindowDesign& d) {
  WindowDesigns()[d.className] = d;
  for (const ControlDesign& c : d.controls) ControlClassOf(c);
  RuntimeClass*& cls = Classes()[d.className];
  if (cls) return cls;
  String superName = NewStringFromCText("Window");
  RuntimeClass* super = RuntimeLookupClass(superName.get());
  cls = NewTestClass(super, super->methodCount, super->interfaceCount, super->eventCount, super->staticMethodCount,
                     super->propertyCount);
  cls->name = S(d.className);
  cls->instanceSize = super->instanceSize;
  SetEvent(cls, 0, EntryAddress(WindowLayout), "Layout");
  SetEvent(cls, 1, EntryAddress(WindowCreateControls), "CreateControls");
  SetEvent(cls, 2, EntryAddress(WindowSetupBindings), "SetupBindings");
  SetEvent(cls, 3, EntryAddress(WindowOpen), "Open");
  SetEvent(cls, 4, EntryAddress(WindowClose), "Close");
  SetEvent(cls, 5, EntryAddress(WindowCancelClose), "CancelClose");
  SetEvent(cls, 6, EntryAddress(WindowKeyDown), "KeyDown");
  SetEvent(cls, 7, EntryAddress(WindowMouseMove), "MouseMove");
  SetEvent(cls, 8, EntryAddress(WindowMouseEnter), "MouseEnter");
  SetEvent(cls, 9, EntryAddress(WindowMouseExit), "MouseExit");
  SetEvent(cls, 11, EntryAddress(WindowMouseDown), "MouseDown");
  SetEvent(cls, 12, EntryAddress(WindowMouseDrag), "MouseDrag");
  SetEvent(cls, 13, EntryAddress(WindowMouseUp), "MouseUp");
  SetEvent(cls, 15, EntryAddress(WindowResized), "Resized");
  SetEvent(cls, 16, EntryAddress(WindowResizing), "Resizing");
  SetEvent(cls, 17, EntryAddress(WindowMoved), "Moved");
  SetEvent(cls, 19, EntryAddress(WindowActivate), "Activate");
  SetEvent(cls, 20, EntryAddress(WindowDeactivate), "Deactivate");
  return cls;
}

RuntimeObject* OpenWindow(const WindowDesign& design) {
  RuntimeObject* w = RuntimeNewObject(WindowClassOf(design));
  WindowDefaultConstructor(w);
  return w;
}

RuntimeObject* ControlOf(RuntimeObject* window, const char* key) {
  String k = NewStringFromCText(key);
  return RuntimeControlFetch(window, k.get());
}

Pane* PaneOf(RuntimeObject* window, const char* key) {
  RuntimeObject* c = ControlOf(window, key);
  return c ? AsControl(c)->pane : nullptr;
}

int32_t PushCount(RuntimeObject* control) {
  Pane* pane = control ? AsControl(control)->pane : nullptr;
  return pane ? static_cast<TestPane*>(pane)->pushes : -1;
}

void DesignValues::Index(uint16_t index) {
  bytes_ += char(index >> 8);
  bytes_ += char(index & 0xFF);
}

DesignValues& DesignValues::Bool(uint16_t index, bool v) {
  Index(index);
  bytes_ += char(v ? 1 : 0);
  return *this;
}

DesignValues& DesignValues::Int(uint16_t index, int32_t v) {
  Index(index);
  for (int shift = 24; shift >= 0; shift -= 8) bytes_ += char(uint32_t(v) >> shift);
  return *this;
}

DesignValues& DesignValues::Str(uint16_t index, const std::string& v) {
  Index(index);
  for (int shift = 24; shift >= 0; shift -= 8) bytes_ += char(uint32_t(v.size()) >> shift);
  bytes_ += v;
  return *this;
}

RuntimeString* DesignValues::Blob() const {
  return NewStringFromBytes(bytes_.data(), int32_t(bytes_.size()), QL_ENCODING_UNDEFINED).release();
}

void UiTest::SetUp() {
  ui::native::RegisterWindowClasses();
  ResetMainLoopState();
  UiTrace().clear();
}

void UiTest::TearDown() {
  while (ui::RuntimeViewWindow* view = ui::FirstOpenWindow()) {
    if (RuntimeObject* w = view->WindowRef()) ui::CloseWindowView(w);
    else view->LeaveOpenList();
  }
  UiTrace().clear();
}

}  // namespace ql::test
