// Panes: the runtime-internal objects that stand for controls on the
// platform. Panes form a tree whose root is the window's view
// (RuntimeViewWindow); each pane owns its native child window (or none, when
// its container draws it) and links to its control through an event sink.
//
// The tree, the flags and their propagation, hit-testing and focus are
// portable; the native window behind a pane is reached only through
// ui/native.h. A control kind derives from Pane (or StandardPane) and
// overrides the virtual operations below; docs/ui.md shows how.
#pragma once

#include <stdint.h>

#include "core/array.h"
#include "core/string.h"
#include "quillon/abi.h"
#include "ui/native.h"
#include "ui/shortcuts.h"
#include "ui/window_object.h"

namespace ql::ui {

class Pane;
class RuntimeViewWindow;

// Modifier bits of mouse and key events (the runtime's values).
enum : uint32_t {
  kModifierWindows = 0x100,
  kModifierShift = 0x200,
  kModifierAlt = 0x800,
  kModifierControl = 0x1000,
};

// A mouse press, move or release in window client coordinates.
struct MouseEvent {
  int32_t x = 0;
  int32_t y = 0;
  uint32_t modifiers = 0;
  bool doubleClick = false;
  bool rightButton = false;
};

// A key press as the key pre-translation sees it.
struct KeyEvent {
  uint32_t virtualKey = 0;  // the keypad's Enter arrives as 0x97
  uint32_t modifiers = 0;
  bool hasCharacter = false;  // false for the modifier keys themselves
  uint8_t character = 0;      // the KeyDown string's one character
};

// A paint request: the native device context and the rectangle to update,
// in the pane's own client coordinates.
struct PaintContext {
  void* deviceContext = nullptr;  // HDC; nil on POSIX
  Rect16 update{};
};

// A Graphics object drawing on a device context, clipped to a rectangle, as
// a Paint event receives it. The control layer that defines class Graphics
// installs the maker; without one, Paint events receive nil.
using GraphicsMaker = RuntimeObject* (*)(void* deviceContext, const Rect16& clip);
void SetGraphicsMaker(GraphicsMaker maker);
// A new Graphics object (one reference), or nil.
RuntimeObject* MakeGraphics(void* deviceContext, const Rect16& clip);

// The menu enabling of the focused control: the menus layer passes one and
// the control enables the items it serves, by item name ("EditCut").
class MenuItemEnabler {
 public:
  virtual void EnableItem(const char* itemName) = 0;

 protected:
  ~MenuItemEnabler() = default;
};

// The event slots of a control kind, for the events the framework fires on
// its behalf; -1 where the kind has no such event.
struct ControlEventSlots {
  int32_t mouseDown = -1;  // (X, Y As Integer) As Boolean
  int32_t mouseDrag = -1;  // (X, Y As Integer)
  int32_t mouseUp = -1;    // (X, Y As Integer), Boolean or not: the result is ignored
  int32_t keyDown = -1;    // (Key As String) As Boolean
  int32_t gotFocus = -1;
  int32_t lostFocus = -1;
};

// Links a pane to its control and fires the control's events. The control
// is not held: the window's control table owns it, and the pane goes before
// the control does.
class EventSink {
 public:
  EventSink(RuntimeObject* control, const ControlEventSlots* slots);
  RuntimeObject* Control() const { return control_; }
  const ControlEventSlots& Slots() const { return *slots_; }
  // The control's rectangle in window coordinates.
  Rect16 Bounds() const;

 private:
  RuntimeObject* control_;
  const ControlEventSlots* slots_;
};

// What a pane's native window is made of.
struct PaneWindowSpec {
  // "BUTTON", "COMBOBOX", "SysTabControl32", "RichEdit20W", "QL_Pane",
  // "QL_CanvasPane"...; empty: no native window, the container draws it.
  const char* className = "";
  RuntimeString* text = nullptr;  // window text, any encoding; nil for none
  uint32_t style = 0;             // WS_CHILD | WS_VISIBLE are added
  uint32_t exStyle = 0;
};

class Pane : public ShortcutTarget {
 public:
  Pane();
  Pane(const Pane&) = delete;
  Pane& operator=(const Pane&) = delete;

  // --- The tree ---
  Pane* Parent() const { return parent_; }
  size_t ChildCount() const { return children_.Count(); }
  Pane* Child(size_t i) const { return children_[i]; }
  // `other` is a direct child or any descendant.
  bool Contains(const Pane* other) const;
  // Takes the pane out of its parent's children and adds it to
  // `newParent`'s; its native window moves to the nearest native ancestor
  // of the new parent, keeping its place in the window.
  void MoveUnder(Pane* newParent);
  // The window's view this pane belongs to (the root; itself for the root).
  RuntimeViewWindow* Root() const { return root_; }

  // --- The native window ---
  // Creates the pane's native window and enters the pane into the tree
  // (creation steps of docs/ui.md): the native parent is chosen by
  // containment when `parent` is nil (the root). False when the system
  // refused the window; the pane is in the tree either way.
  bool CreatePaneWindow(RuntimeViewWindow* root, Pane* parent, const Rect16& bounds, const PaneWindowSpec& plan);
  native::Handle NativeHandle() const { return native_; }
  // The class name the native window was created with ("" for none).
  const char* NativeClass() const { return nativeClass_; }
  // A standard system control (subclassed, "QLInstance"), not a drawn pane.
  bool IsStandardControl() const { return standardControl_; }

  // --- Geometry (window client coordinates) ---
  Rect16 Bounds() const { return bounds_; }
  // Moves the native window with it.
  virtual void SetBounds(const Rect16& bounds);
  // Top-left of the pane in window coordinates: added to a point in the
  // pane's own client coordinates gives window coordinates.
  int32_t OffsetX() const { return bounds_.left; }
  int32_t OffsetY() const { return bounds_.top; }
  bool ContainsPoint(int32_t x, int32_t y) const;

  // --- State and its propagation ---
  bool Visible() const { return visible_; }
  bool PageShown() const { return pageShown_; }
  bool Enabled() const { return enabled_; }
  // Shown on screen: visible and page-shown.
  bool Showing() const { return visible_ && pageShown_; }
  // Rules of docs/ui.md: a pane on a tab page whose page is not shown only
  // records the value; otherwise the children follow.
  void SetVisible(bool visible);
  void SetPageShown(bool shown);
  // Enabling a pane whose parent is disabled does nothing.
  void SetEnabled(bool enabled);
  int32_t TabPage() const { return tabPage_; }
  void SetTabPage(int32_t page);

  // --- Lifetime ---
  // Locked while the pane's own notifications run; a pane whose count drops
  // below zero is destroyed with the panes below it.
  void Lock() { ++lockCount_; }
  void Unlock();
  int32_t LockCount() const { return lockCount_; }
  // The owner's final release: gives up the focus, detaches the sink and
  // destroys the pane (now, or when the last lock goes).
  void Close();

  // --- Event sink ---
  // A second sink is an internal error.
  void AttachSink(EventSink* sink);
  EventSink* Sink() const { return sink_; }
  RuntimeObject* Control() const;

  // --- Help and font ---
  void SetHelpTag(RuntimeString* text) { helpTag_ = String::Retain(text); }
  void SetToolTips(RuntimeString* enabled, RuntimeString* disabled);
  RuntimeString* HelpTag() const { return helpTag_.get(); }
  RuntimeString* ToolTip() const { return toolTip_.get(); }
  RuntimeString* DisabledToolTip() const { return disabledToolTip_.get(); }
  void SetAutoDeactivate(bool value) { autoDeactivate_ = value; }
  bool AutoDeactivate() const { return autoDeactivate_; }
  // A font of the font cache (fonts.h): the pane takes over the use the
  // caller acquired and gives back its previous font's. Standard controls
  // get WM_SETFONT.
  virtual void SetFont(void* font);
  void* Font() const { return font_; }

  // --- What a control kind overrides ---
  // Paints the pane (drawn panes); the default draws nothing.
  virtual void Paint(const PaintContext& context);
  // Mouse in window coordinates. MouseDown returns true when the pane
  // handles the press (then it tracks the mouse: MouseDrag, MouseUp). The
  // defaults fire the control's events in control coordinates.
  virtual bool MouseDown(const MouseEvent& event);
  virtual void MouseDrag(const MouseEvent& event);
  virtual void MouseUp(const MouseEvent& event);
  virtual void MouseMove(const MouseEvent& event);
  virtual void MouseEnter();
  virtual void MouseExit();
  // True consumes the key. The default fires the control's KeyDown.
  virtual bool KeyDown(const KeyEvent& event);
  // The default fires GotFocus / LostFocus with the pane locked.
  virtual void GotFocus();
  virtual void LostFocus();
  // The kind takes the focus at all (edit fields, pop-ups, push buttons,
  // tab panels, list boxes, canvases with AcceptFocus); see AcceptsFocus.
  virtual bool TakesFocus() const { return false; }
  // The kind keeps the arrow keys (edit fields, pop-ups, tab panels).
  virtual bool KeepsArrowKeys() const { return false; }
  // Tab is typed into the control instead of moving the focus.
  virtual bool AcceptsTabs() const { return false; }
  // Return is typed into the control (a multi-line edit field).
  virtual bool KeepsReturn() const { return false; }
  // A list of the control is open (a pop-up's drop-down): Return and
  // Escape close it rather than push the default or cancel button.
  virtual bool HasOpenList() const { return false; }
  // A text field in the sense of the key pre-translation: the window's
  // KeyDown is not offered while it has the focus.
  virtual bool IsTextField() const;
  // Called once per loop pass while the pane has the focus.
  virtual void Idle() {}

  // Notifications a standard control sends its parent, forwarded to its
  // pane: WM_COMMAND (notification code, modifier bits), WM_NOTIFY (the
  // NMHDR), WM_DRAWITEM (the DRAWITEMSTRUCT), WM_HSCROLL / WM_VSCROLL.
  // Results are the window procedure's.
  virtual intptr_t Command(uint32_t notificationCode, uint32_t modifiers);
  virtual intptr_t Notify(const void* header);
  virtual bool DrawItem(const void* drawItem);
  virtual void Scroll(bool vertical, uint32_t code, int32_t position);
  // The pane chooses its own colours (WM_CTLCOLOR* is left to it).
  virtual bool ChoosesOwnColours() const { return false; }
  // Messages to the pane's own subclassed standard control, before the
  // control's own procedure; true when handled (with `result`).
  virtual bool NativeMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t* result);

  // Push buttons: Return pushes the default button, Escape the cancel
  // button, Return the focused push button.
  virtual bool IsPushButton() const { return false; }
  virtual bool IsDefaultButton() const { return false; }
  virtual bool IsCancelButton() const { return false; }
  virtual void Push() {}
  // ShortcutTarget: a push button pushes, a tab selects, a label fires
  // AcceleratorKey. False: nothing acted.
  bool ShortcutAction() override { return false; }

  // The built-in menu commands of the focused control ("EditCut", ...):
  // true when the item was served.
  virtual bool MenuCommand(RuntimeString* itemName);
  virtual void EnableMenuItems(MenuItemEnabler& enabler);

  // Containers: a pane that claims a new pane created inside it becomes its
  // logical parent (group boxes, tab panels). `style` is the new native
  // window's style.
  virtual bool ClaimsChild(const Rect16& bounds, uint32_t style) const;
  // A container or tab panel: the native parent of panes created inside it.
  virtual bool IsContainer() const { return false; }
  // The page pass: sets page-shown on every child with `shown` (a tab panel
  // passes its own rule).
  virtual void PassPageShown(bool shown);

  // The kind can take the focus now: it takes the focus at all and it is
  // enabled, visible and its page is shown.
  bool AcceptsFocus() const { return TakesFocus() && enabled_ && Showing(); }

 protected:
  virtual ~Pane();
  // Fires the control's event at `slot` (from the sink's slots) with
  // coordinates relative to the control; false when there is none.
  bool FireMouseEvent(int32_t slot, bool booleanResult, const MouseEvent& event);
  // The native window's show state follows Showing().
  void ApplyNativeShowState();
  // The lock count went below zero: the pane goes with the panes below it;
  // the view overrides it with its own teardown.
  virtual void Destroy();
  // The panes below go with their container now; one that a running
  // notification holds locked is freed when that lock goes.
  void DestroyChildren();

 private:
  friend class RuntimeViewWindow;
  void AddChild(Pane* child);
  void RemoveChild(Pane* child);
  // Out of the tree and the window: focus, mouse, shortcuts, native window,
  // font, sink. Once.
  void Teardown();
  void DestroyWithParent();

  RuntimeViewWindow* root_ = nullptr;
  Pane* parent_ = nullptr;
  Array<Pane*> children_;
  native::Handle native_ = nullptr;
  const char* nativeClass_ = "";
  bool standardControl_ = false;
  Rect16 bounds_{};
  bool visible_ = true;
  bool pageShown_ = true;
  bool enabled_ = true;
  bool autoDeactivate_ = false;
  bool closing_ = false;   // the owner let go (Close)
  bool tornDown_ = false;
  int32_t tabPage_ = 0;
  int32_t lockCount_ = 0;
  EventSink* sink_ = nullptr;
  void* font_ = nullptr;
  String helpTag_;
  String toolTip_;
  String disabledToolTip_;
};

// Holds a pane's lock for a scope (its notifications).
class PaneLock {
 public:
  explicit PaneLock(Pane* pane) : pane_(pane) {
    if (pane_) pane_->Lock();
  }
  ~PaneLock() {
    if (pane_) pane_->Unlock();
  }
  PaneLock(const PaneLock&) = delete;
  PaneLock& operator=(const PaneLock&) = delete;

 private:
  Pane* pane_;
};

// The application's focus pane: the pane holding the keyboard focus in the
// active window, or nil.
Pane* ApplicationFocusPane();

}  // namespace ql::ui
