#include "core/object.h"

#include <string.h>

#include "core/allocator.h"
#include "core/assertion.h"
#include "core/exception.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

constexpr const char kSource[] = "RuntimeObjectFoundation";

// The object core takes no lock: one GUI thread owns every object.
struct LiveObjects {
  RuntimeObject* head = nullptr;
  size_t count = 0;
  RuntimeObjectHook destroyedHook = nullptr;
};

LiveObjects g_live;

// --- Class blocks ---

struct TableCounts {
  int32_t methods, interfaces, events, staticMethods, properties;
};

bool AllCountsValid(const TableCounts& c) {
  return c.methods >= 0 && c.interfaces >= 0 && c.events >= 0 && c.staticMethods >= 0 && c.properties >= 0;
}

size_t ClassBlockSize(const TableCounts& c) {
  return kRuntimeClassHeadSize + sizeof(RuntimeInterfaceEntry) * static_cast<size_t>(c.interfaces) +
         sizeof(RuntimeMethodEntry) * static_cast<size_t>(c.methods) +
         sizeof(RuntimeEventEntry) * static_cast<size_t>(c.events) +
         sizeof(RuntimeStaticMethodEntry) * static_cast<size_t>(c.staticMethods) +
         sizeof(RuntimePropertyEntry) * static_cast<size_t>(c.properties);
}

// Tables follow the head in the order interfaces, methods, events, static
// methods, properties.
void LayOutTables(RuntimeClass* out, const TableCounts& c) {
  char* p = reinterpret_cast<char*>(out->Interfaces()) + sizeof(RuntimeInterfaceEntry) * c.interfaces;
  out->interfaceCount = c.interfaces;
  out->methodCount = c.methods;
  out->methods = reinterpret_cast<RuntimeMethodEntry*>(p);
  p += sizeof(RuntimeMethodEntry) * c.methods;
  out->eventCount = c.events;
  out->events = reinterpret_cast<RuntimeEventEntry*>(p);
  p += sizeof(RuntimeEventEntry) * c.events;
  out->staticMethodCount = c.staticMethods;
  out->staticMethods = reinterpret_cast<RuntimeStaticMethodEntry*>(p);
  p += sizeof(RuntimeStaticMethodEntry) * c.staticMethods;
  out->propertyCount = c.properties;
  out->properties = reinterpret_cast<RuntimePropertyEntry*>(p);
}

// A short table was reported; it keeps only the entries that fit.
template <class Entry>
void CopyInherited(Entry* to, int32_t toCount, const Entry* from, int32_t fromCount) {
  const int32_t n = toCount < fromCount ? toCount : fromCount;
  if (n > 0) memcpy(static_cast<void*>(to), from, sizeof(Entry) * static_cast<size_t>(n));
}

void CheckInheritedCounts(const RuntimeClass* out, const RuntimeClass* base) {
  QL_CHECK(out->methodCount >= base->methodCount, kSource, __LINE__, "out->methodCount >= base->methodCount");
  QL_CHECK(out->interfaceCount >= base->interfaceCount, kSource, __LINE__,
           "out->interfaceCount >= base->interfaceCount");
  QL_CHECK(out->eventCount >= base->eventCount, kSource, __LINE__, "out->eventCount >= base->eventCount");
  QL_CHECK(out->staticMethodCount >= base->staticMethodCount, kSource, __LINE__,
           "out->staticMethodCount >= base->staticMethodCount");
  QL_CHECK(out->propertyCount >= base->propertyCount, kSource, __LINE__, "out->propertyCount >= base->propertyCount");
}

// A subclass starts as a copy of its superclass's tables.
void InheritTables(RuntimeClass* out, RuntimeClass* base) {
  CheckInheritedCounts(out, base);
  CopyInherited(out->Interfaces(), out->interfaceCount, base->Interfaces(), base->interfaceCount);
  CopyInherited(out->methods, out->methodCount, base->methods, base->methodCount);
  CopyInherited(out->events, out->eventCount, base->events, base->eventCount);
  CopyInherited(out->staticMethods, out->staticMethodCount, base->staticMethods, base->staticMethodCount);
  CopyInherited(out->properties, out->propertyCount, base->properties, base->propertyCount);
}

// --- Objects ---

// Never below the header, so a class whose size was left 0 stays safe.
size_t AllocationSize(const RuntimeClass* cls) { return InstanceBytes(cls); }

void LinkLive(RuntimeObject* o) {
  QL_CHECK(o != nullptr, kSource, __LINE__, "objToAdd");
  o->prevLive = nullptr;
  o->nextLive = g_live.head;
  if (g_live.head) g_live.head->prevLive = o;
  g_live.head = o;
}

void UnlinkLive(RuntimeObject* o) {
  QL_CHECK(o != nullptr, kSource, __LINE__, "objToRemove");
  if (o->prevLive)
    o->prevLive->nextLive = o->nextLive;
  else if (g_live.head == o)
    g_live.head = o->nextLive;
  if (o->nextLive) o->nextLive->prevLive = o->prevLive;
  o->prevLive = o->nextLive = nullptr;
}

// Root class first: a subclass's hook sees its ancestors' fields set up.
void RunInitHooks(RuntimeClass* cls, RuntimeObject* o) {
  if (!cls) return;
  RunInitHooks(cls->super, o);
  if (cls->initHook) cls->initHook(o);
}

[[gnu::noinline]] void DestroyObject(RuntimeObject* o) {
  for (RuntimeClass* c = o->cls; c; c = c->super)
    if (c->destroyHook) c->destroyHook(o);
  if (g_live.destroyedHook) g_live.destroyedHook(o);
  UnlinkLive(o);
  Release(o, AllocationSize(o->cls));
  --g_live.count;
}

}  // namespace

// --- Internal interface ---

RuntimeObject* FirstLiveObject() { return g_live.head; }

size_t LiveObjectCount() { return g_live.count; }

RuntimeObjectHook SetObjectDestroyedHook(RuntimeObjectHook hook) {
  RuntimeObjectHook old = g_live.destroyedHook;
  g_live.destroyedHook = hook;
  return old;
}

void* EventHandlerAt(const RuntimeObject* object, int32_t slot) {
  if (!object || !object->cls || slot < 0 || slot >= object->cls->eventCount) return nullptr;
  return object->cls->events[slot].handler;
}

bool ClassDescendsFrom(const RuntimeClass* cls, const RuntimeClass* ancestor) {
  for (; cls; cls = cls->super)
    if (cls == ancestor) return true;
  return false;
}

const RuntimeInterfaceEntry* FindInterfaceEntry(RuntimeClass* cls, const RuntimeClass* iface) {
  if (!cls) return nullptr;
  const RuntimeInterfaceEntry* entries = cls->Interfaces();
  for (int32_t i = 0; i < cls->interfaceCount; ++i)
    if (entries[i].iface == iface) return &entries[i];
  return nullptr;
}

ObjectRef::ObjectRef(const ObjectRef& other) : o_(other.o_) { RuntimeLockObject(o_); }

ObjectRef& ObjectRef::operator=(const ObjectRef& other) {
  RuntimeLockUnlockObjects(other.o_, o_);
  o_ = other.o_;
  return *this;
}

ObjectRef& ObjectRef::operator=(ObjectRef&& other) noexcept {
  if (this != &other) {
    RuntimeObject* old = o_;
    o_ = other.o_;
    other.o_ = nullptr;
    RuntimeUnlockObject(old);
  }
  return *this;
}

ObjectRef::~ObjectRef() { RuntimeUnlockObject(o_); }

ObjectRef ObjectRef::Retain(RuntimeObject* o) {
  RuntimeLockObject(o);
  return Adopt(o);
}

void DiscardUnusedClass(RuntimeClass* cls) {
  if (!cls) return;
  const TableCounts counts{cls->methodCount, cls->interfaceCount, cls->eventCount, cls->staticMethodCount,
                           cls->propertyCount};
  Release(cls, ClassBlockSize(counts));
}

}  // namespace ql

using namespace ql;

// --- Classes ---

QL_ENTRY RuntimeClass* RuntimeNewClass(RuntimeClass* super, int32_t methodCount, int32_t interfaceCount,
                                       int32_t eventCount, int32_t staticMethodCount, int32_t propertyCount) {
  const TableCounts counts{methodCount, interfaceCount, eventCount, staticMethodCount, propertyCount};
  // A negative count cannot be laid out: refused like a failed allocation.
  void* block = AllCountsValid(counts) ? AllocateZeroed(ClassBlockSize(counts)) : nullptr;
  if (!block) {
    RaiseNilObjectException();
    return nullptr;
  }
  RuntimeClass* out = static_cast<RuntimeClass*>(block);
  LayOutTables(out, counts);
  if (super) InheritTables(out, super);
  out->super = super;
  out->reserved = 0;
  return out;
}

QL_ENTRY RuntimeMethodEntry* RuntimeNewVtable(int32_t count) {
  void* block = count >= 0 ? AllocateZeroed(sizeof(RuntimeMethodEntry) * static_cast<size_t>(count)) : nullptr;
  if (!block) {
    RaiseNilObjectException();
    return nullptr;
  }
  return static_cast<RuntimeMethodEntry*>(block);
}

// --- Objects and references ---

QL_ENTRY RuntimeObject* RuntimeNewObject(RuntimeClass* cls) {
  if (!cls) {
    RaiseNilObjectException();
    return nullptr;
  }
  if (!QL_CHECK(!cls->isAnInterface, kSource, __LINE__, "!parent->isAnInterface")) return nullptr;
  RuntimeObject* o = static_cast<RuntimeObject*>(AllocateZeroed(AllocationSize(cls)));
  if (!o) {
    RaiseNilObjectException();
    return nullptr;
  }
  ++g_live.count;
  LinkLive(o);
  o->cls = cls;
  o->methodTable = cls->methods;
  o->eventTable = cls->events;
  o->refCount = 1;
  RunInitHooks(cls, o);
  return o;
}

QL_ENTRY void RuntimeLockObject(RuntimeObject* object) {
  if (object && object->refCount != 0) ++object->refCount;
}

QL_ENTRY void RuntimeUnlockObject(RuntimeObject* object) {
  if (object && object->refCount > 0 && --object->refCount == 0) DestroyObject(object);
}

QL_ENTRY void RuntimeLockUnlockObjects(RuntimeObject* newValue, RuntimeObject* oldValue) {
  if (newValue == oldValue) return;
  RuntimeLockObject(newValue);
  RuntimeUnlockObject(oldValue);
}

// --- Type tests ---

QL_ENTRY bool RuntimeObjectIsa(RuntimeObject* object, RuntimeClass* cls) {
  if (!object) return false;
  if (!cls) return true;
  if (!cls->isAnInterface) return ClassDescendsFrom(object->cls, cls);
  return FindInterfaceEntry(object->cls, cls) != nullptr;
}

QL_ENTRY RuntimeObject* RuntimeCheckCast(RuntimeObject* object, RuntimeClass* cls) {
  if (!object) return nullptr;
  if (!RuntimeObjectIsa(object, cls)) {
    RaiseIllegalCastException();
    return nullptr;
  }
  // Casts hand out an owned reference, also for the unchecked nil class.
  RuntimeLockObject(object);
  return object;
}

QL_ENTRY RuntimeMethodEntry* RuntimeLookupInterfaceVtable(RuntimeObject* object, RuntimeClass* iface) {
  if (!object || !iface) {
    RaiseNilObjectException();
    return nullptr;
  }
  const RuntimeInterfaceEntry* entry = iface->isAnInterface ? FindInterfaceEntry(object->cls, iface) : nullptr;
  if (!entry) {
    RaiseIllegalCastException();
    return nullptr;
  }
  return entry->methods;
}
