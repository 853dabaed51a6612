// Objects and classes: class records, object creation and destruction,
// reference counts, the live-object list, type tests and casts. The exported
// operations are the entry points of quillon/entrypoints/objects.h; this
// header adds what other runtime code needs beside them.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "quillon/abi.h"

namespace ql {

// The bytes of the bare object header; the smallest instance size.
constexpr uint32_t kObjectHeaderSize = sizeof(RuntimeObject);

// --- Live-object bookkeeping (process-wide) ---
RuntimeObject* FirstLiveObject();
size_t LiveObjectCount();
// Called with each dying object after its destroy hooks; returns the previous hook.
RuntimeObjectHook SetObjectDestroyedHook(RuntimeObjectHook hook);

// --- Reading class records ---
// The handler an object's class stores at an event slot; nil when the
// event is not implemented or the slot lies beyond the class's events.
void* EventHandlerAt(const RuntimeObject* object, int32_t slot);
// The class or one of its ancestors is `ancestor`.
bool ClassDescendsFrom(const RuntimeClass* cls, const RuntimeClass* ancestor);
// The class's interface entry for `iface`, or nil.
const RuntimeInterfaceEntry* FindInterfaceEntry(RuntimeClass* cls, const RuntimeClass* iface);

// Frees a block from RuntimeNewClass that was never handed out (a build that
// could not be completed). What its own entries hold is the caller's to
// release first; the superclass's entries it copied are not touched.
void DiscardUnusedClass(RuntimeClass* cls);

// Lock and unlock through an owning handle, for runtime code that keeps an object.
class ObjectRef {
 public:
  ObjectRef() = default;
  ObjectRef(const ObjectRef& other);
  ObjectRef(ObjectRef&& other) noexcept : o_(other.o_) { other.o_ = nullptr; }
  ObjectRef& operator=(const ObjectRef& other);
  ObjectRef& operator=(ObjectRef&& other) noexcept;
  ~ObjectRef();

  // Takes over a reference the caller owns (a function result).
  static ObjectRef Adopt(RuntimeObject* o) {
    ObjectRef r;
    r.o_ = o;
    return r;
  }
  // Adds a reference to a borrowed object.
  static ObjectRef Retain(RuntimeObject* o);

  RuntimeObject* get() const { return o_; }
  RuntimeObject* release() {
    RuntimeObject* o = o_;
    o_ = nullptr;
    return o;
  }
  explicit operator bool() const { return o_ != nullptr; }

 private:
  RuntimeObject* o_ = nullptr;
};

}  // namespace ql

namespace ql {

// Bytes allocated per instance of the class: its instance size, never less
// than the header.
inline uint32_t InstanceBytes(const RuntimeClass* cls) {
  return cls->instanceSize > kObjectHeaderSize ? cls->instanceSize : kObjectHeaderSize;
}

}  // namespace ql
