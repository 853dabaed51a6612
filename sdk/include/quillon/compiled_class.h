// What every compiled class of an image does, once: its class getter builds
// the class on first use from constant tables (RuntimeNewClass on the
// superclass, then name, size, hooks, methods, interfaces, events and
// properties by index), the control classes implement _PaneChild, event
// implementations forward to their window's methods, and window classes are
// reached through their implicit instance.
//
//   constinit RuntimeClass* gWindow1 = nullptr;
//   const quillon::ClassSpec kWindow1{.name = QL_ASCII("Window1"), .superclass = QL_ASCII("Window"), ...};
//   RuntimeClass* Window1Class() { return quillon::ClassFor(gWindow1, kWindow1); }
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "quillon/abi.h"
#include "quillon/entrypoints.h"
#include "quillon/handles.h"
#include "quillon/static_string.h"

namespace quillon {

// A code address in a constant table. C++ cannot turn one function type into
// another in a constant expression, so a table entry names a small function
// that returns the address instead (QL_CODE(function)); the tables stay
// constant data, without start-up code.
using CodeAddress = void* (*)();

template <auto Function>
void* AddressOf() {
  return reinterpret_cast<void*>(Function);
}
inline void* StandardAccessorAddress() { return QL_STANDARD_ACCESSOR; }

#define QL_CODE(function) (&::quillon::AddressOf<function>)
// The standard accessor of the property's type (a getter or setter word of 1).
#define QL_STANDARD (&::quillon::StandardAccessorAddress)

template <class T>
struct Table {
  const T* entries = nullptr;
  int32_t count = 0;
  constexpr Table() = default;
  template <size_t N>
  constexpr Table(const T (&array)[N]) : entries(array), count(static_cast<int32_t>(N)) {}
};

struct MethodSpec {
  CodeAddress function;
  RuntimeString* signature;  // "name%result%receiver-params", "#Open%%o<Window1>" for an event implementation
};

// An event the class implements: the handler goes into the event's slot and,
// as an event implementation, into the method table.
struct EventSpec {
  int32_t slot;              // the declaring class's slot (quillon/intrinsic_tables.h)
  CodeAddress handler;       // called with the object first, then the event's parameters
  RuntimeString* name;       // plain event name, "Open"
  RuntimeString* signature;  // its method entry, "#Open%%o<Window1>"
};

struct PropertySpec {
  RuntimeString* signature;  // "owner%o<Window1>%", "conc%o<EditField>%o<Window1>"
  // With a standard accessor: the field's offset within the class's own
  // fields (the class adds where they start). Otherwise passed as it is.
  uint32_t param;
  CodeAddress getter;  // nil: none
  CodeAddress setter;  // nil: read-only
};

struct ClassSpec {
  RuntimeString* name;
  RuntimeString* superclass;  // an intrinsic or plug-in class, looked up by name
  // Counts the superclass's interface declares; the class passes at least
  // these (and at least the superclass record's own counts) to RuntimeNewClass.
  int32_t superEvents = 0;
  uint32_t fieldBytes = 0;  // the class's own fields, placed after the superclass's
  RuntimeObjectHook initHook = nullptr;
  RuntimeObjectHook destroyHook = nullptr;
  Table<MethodSpec> methods;    // appended after the superclass's
  Table<MethodSpec> paneChild;  // _Layout, _SetWindow, _Index: the class implements _PaneChild
  Table<EventSpec> events;
  Table<PropertySpec> properties;  // appended after the superclass's
};

// Where a class's own fields start: after the superclass's instance, at
// pointer alignment.
inline uint32_t OwnFieldsOffset(const RuntimeClass* cls) {
  const uint32_t base = cls->super ? cls->super->instanceSize : static_cast<uint32_t>(sizeof(RuntimeObject));
  return (base + alignof(void*) - 1) & ~static_cast<uint32_t>(alignof(void*) - 1);
}

// The own fields of an object of `cls` (or of a subclass that adds none).
template <class Fields>
Fields* OwnFields(RuntimeObject* object, const RuntimeClass* cls) {
  return reinterpret_cast<Fields*>(reinterpret_cast<char*>(object) + OwnFieldsOffset(cls));
}

namespace detail {

inline void StoreMethod(RuntimeMethodEntry& entry, CodeAddress function, RuntimeString* signature) {
  entry = {function(), RuntimeLockString(signature)};
}

inline void StoreMethods(RuntimeMethodEntry* entries, const Table<MethodSpec>& specs) {
  for (int32_t i = 0; i < specs.count; ++i) StoreMethod(entries[i], specs.entries[i].function, specs.entries[i].signature);
}

inline int32_t Max(int32_t a, int32_t b) { return a > b ? a : b; }

}  // namespace detail

// The class getter: the cached class, or the class built now from `plan` and
// cached. Nil, and nothing cached, when the superclass does not exist (a
// plug-in class whose library is missing): the caller goes without it.
inline RuntimeClass* ClassFor(RuntimeClass*& cached, const ClassSpec& plan) {
  if (cached) return cached;
  RuntimeClass* super = RuntimeLookupClass(plan.superclass);
  if (!super) return nullptr;
  int32_t events = detail::Max(super->eventCount, plan.superEvents);
  for (int32_t i = 0; i < plan.events.count; ++i) events = detail::Max(events, plan.events.entries[i].slot + 1);
  const int32_t interfaces = super->interfaceCount + (plan.paneChild.count ? 1 : 0);
  const int32_t methods = super->methodCount + plan.methods.count + plan.events.count;
  RuntimeClass* cls = cached = RuntimeNewClass(super, methods, interfaces, events, super->staticMethodCount,
                                               super->propertyCount + plan.properties.count);
  if (!cls) return nullptr;
  cls->name = RuntimeLockString(plan.name);
  cls->isAnInterface = 0;
  const uint32_t fields = OwnFieldsOffset(cls);
  cls->instanceSize = fields + plan.fieldBytes;
  cls->initHook = plan.initHook;
  cls->destroyHook = plan.destroyHook;
  detail::StoreMethods(cls->methods + super->methodCount, plan.methods);
  if (plan.paneChild.count) {
    RuntimeInterfaceEntry& entry = cls->Interfaces()[super->interfaceCount];
    entry.iface = RuntimeLookupClass(QL_ASCII("_PaneChild"));
    entry.methodCount = plan.paneChild.count;
    entry.methods = RuntimeNewVtable(plan.paneChild.count);
    if (entry.methods) detail::StoreMethods(entry.methods, plan.paneChild);
  }
  RuntimeMethodEntry* eventMethods = cls->methods + super->methodCount + plan.methods.count;
  for (int32_t i = 0; i < plan.events.count; ++i) {
    const EventSpec& e = plan.events.entries[i];
    cls->events[e.slot] = {e.handler(), RuntimeLockString(e.name)};
    detail::StoreMethod(eventMethods[i], e.handler, e.signature);
  }
  for (int32_t i = 0; i < plan.properties.count; ++i) {
    const PropertySpec& p = plan.properties.entries[i];
    void* getter = p.getter ? p.getter() : nullptr;
    void* setter = p.setter ? p.setter() : nullptr;
    const bool field = getter == QL_STANDARD_ACCESSOR || setter == QL_STANDARD_ACCESSOR;
    cls->properties[super->propertyCount + i] = {RuntimeLockString(p.signature), field ? fields + p.param : p.param,
                                                 getter, setter};
  }
  return cls;
}

// --- Exceptions in compiled methods ---

// The exception slot of one compiled method. Raising redirects instead of
// unwinding: a runtime function that raises returns its failure value and the
// method goes on, so the method checks `raised()` before work that must not
// follow an exception (a loop's next round, a step after a quit). At the end
// of the scope a caught exception is passed on to the caller's call site.
class MethodScope {
 public:
  MethodScope() { RuntimePushHandlerFrame(&frame_, exception_.slot()); }
  ~MethodScope() {
    if (RuntimePopHandlerFrame(&frame_)) RuntimeReraiseException(exception_.get());
  }
  MethodScope(const MethodScope&) = delete;
  MethodScope& operator=(const MethodScope&) = delete;

  bool raised() const { return frame_.raised != 0; }

 private:
  Object exception_;
  RuntimeHandlerFrame frame_{};
};

// A member access through nil: raises NilObjectException. True when `o` is nil.
inline bool IsNil(RuntimeObject* o) {
  if (o) return false;
  RuntimeNilObject();
  return true;
}

// --- Controls ---

// The constructor of every control class: the index argument goes into
// Index (-1: not a member of a control array), then RectControl().
inline void ControlConstructor(RuntimeObject* control, int32_t index) {
  if (IsNil(control)) return;
  reinterpret_cast<RuntimeControlFields*>(control)->index = index;
  RectControlDefaultConstructor(control);
}
// _SetWindow: the runtime stores the window itself.
inline void ControlSetWindow(RuntimeObject*, RuntimeObject*) {}
inline int32_t ControlIndex(RuntimeObject* control) {
  return control ? reinterpret_cast<RuntimeControlFields*>(control)->index : 0;
}

// One control placed on a window: its class is named like the control and
// derives from the intrinsic control class; `_Layout` applies `design`.
struct ControlSpec {
  RuntimeString* name;        // the control's (and its class's) name, "conc"
  RuntimeString* superclass;  // the intrinsic class, "EditField"
  int32_t superEvents;        // the intrinsic class's event count
  RuntimeString* design;      // QL_DESIGN_VALUES(...)
  // The members' signatures, which name the class: "conc%%o<conc>i",
  // "_SetWindow%%o<conc>o<Window>", "_Index%i%o<conc>", "_Layout%%o<conc>"
  // (QL_CONTROL_SIGNATURES(conc)).
  RuntimeString* signatures[4];
  Table<EventSpec> events;  // the event forwarders
};

#define QL_CONTROL_SIGNATURES(name)                                                          \
  {QL_ASCII(#name "%%o<" #name ">i"), QL_ASCII("_SetWindow%%o<" #name ">o<Window>"),        \
   QL_ASCII("_Index%i%o<" #name ">"), QL_ASCII("_Layout%%o<" #name ">")}

// The class of one control: ControlClass<kConcSpec>::Get().
template <const ControlSpec& Plan>
struct ControlClass {
  static void Layout(RuntimeObject* control) {
    if (!IsNil(control)) RuntimeMassPropertySetter(control, Plan.design);
  }

  static constexpr MethodSpec kMethods[] = {
      {QL_CODE(ControlConstructor), Plan.signatures[0]},
      {QL_CODE(ControlSetWindow), Plan.signatures[1]},
      {QL_CODE(ControlIndex), Plan.signatures[2]},
      {QL_CODE(Layout), Plan.signatures[3]},
  };
  // The interface's order: _Layout, _SetWindow, _Index.
  static constexpr MethodSpec kPaneChild[] = {kMethods[3], kMethods[1], kMethods[2]};
  static constexpr ClassSpec kClass{.name = Plan.name,
                                    .superclass = Plan.superclass,
                                    .superEvents = Plan.superEvents,
                                    .methods = kMethods,
                                    .paneChild = kPaneChild,
                                    .events = Plan.events};

  static RuntimeClass* Get() { return ClassFor(cached, kClass); }

  static inline constinit RuntimeClass* cached = nullptr;
};

// --- Event implementations of control classes ---

// Takes the control's Window, checks that it is an instance of the window
// class and calls the window's method named after the control and the event
// (calculate_what_Change), with the control as argument.
template <RuntimeClass* (*WindowClass)(), void (*Method)(RuntimeObject* window, RuntimeObject* control)>
void ForwardToWindow(RuntimeObject* control) {
  if (IsNil(control)) return;
  Object window = Object::Adopt(controlWindowGetter(control, 0));
  Object typed = Object::Adopt(RuntimeCheckCast(window.get(), WindowClass()));
  if (!typed) {
    if (!window) RuntimeNilObject();  // a window of another class raised IllegalCastException already
    return;
  }
  Method(typed.get(), control);
}

// The same for a mouse event, whose Boolean result is the method's.
template <RuntimeClass* (*WindowClass)(),
          bool (*Method)(RuntimeObject* window, RuntimeObject* control, int32_t x, int32_t y)>
bool ForwardMouseToWindow(RuntimeObject* control, int32_t x, int32_t y) {
  if (IsNil(control)) return false;
  Object window = Object::Adopt(controlWindowGetter(control, 0));
  Object typed = Object::Adopt(RuntimeCheckCast(window.get(), WindowClass()));
  if (!typed) {
    if (!window) RuntimeNilObject();
    return false;
  }
  return Method(typed.get(), control, x, y);
}

// --- Windows ---

// A window class used by its name: its implicit instance, created (and
// opened) when none exists. One reference for the caller.
inline Object ImplicitWindow(RuntimeString* className, RuntimeClass* cls) {
  Object window = Object::Adopt(RuntimeGetImplicitWindow(className));
  if (window) return window;
  window = Object::Adopt(RuntimeNewObject(cls));
  if (window) WindowDefaultConstructor(window.get());
  return window;
}

}  // namespace quillon
