// Event slots of Window, Control and RectControl, and firing an event: the
// handler a compiled class stores at the event's slot is called with the
// object first. An event the class does not implement is not fired.
#pragma once

#include <stdint.h>

#include "core/object.h"
#include "quillon/abi.h"

namespace ql::ui {

// Class Window, in slot order (the first three are the generated code's).
enum class WindowEvent : int32_t {
  Layout = 0,
  CreateControls = 1,
  SetupBindings = 2,
  Open = 3,
  Close = 4,
  CancelClose = 5,      // () As Boolean
  KeyDown = 6,          // (Key As String) As Boolean
  MouseMove = 7,        // (X, Y As Integer)
  MouseEnter = 8,
  MouseExit = 9,
  Paint = 10,           // (g As Graphics)
  MouseDown = 11,       // (X, Y As Integer) As Boolean
  MouseDrag = 12,       // (X, Y As Integer)
  MouseUp = 13,         // (X, Y As Integer)
  EnableMenuItems = 14,
  Resized = 15,
  Resizing = 16,
  Moved = 17,
  DropObject = 18,      // (obj As DragItem)
  Activate = 19,
  Deactivate = 20,
};
inline constexpr int32_t kWindowEventCount = 21;

// Classes Control (0 to 2) and RectControl (3 to 6); a control kind's own
// events start at kControlKindFirstEvent.
enum class ControlEvent : int32_t {
  CreatePane = 0,  // hidden: the control kind builds its pane
  Open = 1,
  Close = 2,
  MouseMove = 3,   // (X, Y As Integer), control coordinates
  MouseEnter = 4,
  MouseExit = 5,
  DropObject = 6,  // (obj As DragItem)
};
inline constexpr int32_t kControlKindFirstEvent = 7;

inline int32_t Slot(WindowEvent e) { return static_cast<int32_t>(e); }
inline int32_t Slot(ControlEvent e) { return static_cast<int32_t>(e); }

inline bool Implements(const RuntimeObject* o, int32_t slot) { return o && EventHandlerAt(o, slot) != nullptr; }
template <class E>
bool Implements(const RuntimeObject* o, E e) {
  return Implements(o, Slot(e));
}

// Fires the event at `slot` with `args` after the object; false when the
// class does not implement it. The object is held while the handler runs,
// so a handler that closes the window or the control cannot free it under
// the caller.
template <class... Args>
bool FireEvent(RuntimeObject* o, int32_t slot, Args... args) {
  if (!o) return false;
  void* handler = EventHandlerAt(o, slot);
  if (!handler) return false;
  ObjectRef hold = ObjectRef::Retain(o);
  reinterpret_cast<void (*)(RuntimeObject*, Args...)>(handler)(o, args...);
  return true;
}

// The same for an event with a Boolean result: false when not implemented.
template <class... Args>
bool FireBooleanEvent(RuntimeObject* o, int32_t slot, Args... args) {
  if (!o) return false;
  void* handler = EventHandlerAt(o, slot);
  if (!handler) return false;
  ObjectRef hold = ObjectRef::Retain(o);
  return reinterpret_cast<bool (*)(RuntimeObject*, Args...)>(handler)(o, args...);
}

template <class E, class... Args>
bool FireEvent(RuntimeObject* o, E e, Args... args) {
  return FireEvent(o, Slot(e), args...);
}
template <class E, class... Args>
bool FireBooleanEvent(RuntimeObject* o, E e, Args... args) {
  return FireBooleanEvent(o, Slot(e), args...);
}

}  // namespace ql::ui
