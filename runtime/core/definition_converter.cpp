// Conversion of a class definition into its RuntimeClass: the superclass
// and the interfaces first, then the counts, the class block, and the event,
// interface, static method and property entries the definition adds. A
// conversion that meets exhausted memory raises NilObjectException, keeps
// nothing of its class and is made again by the next request.
#include "core/allocator.h"
#include "core/assertion.h"
#include "core/exception.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "core/object_definition.h"
#include "core/signature.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

constexpr const char kSource[] = "ObjectDefinitionConverter";

struct Counts {
  int32_t interfaces = 0, events = 0, staticMethods = 0, properties = 0;
};

int32_t Count(uint32_t n) { return static_cast<int32_t>(n); }

// --- Step 2: counts, slot numbers of new events ---

int32_t CountStaticMethods(const ObjectDefinition& d) {
  int32_t n = 0;
  for (const MethodRecord& m : d.methods) {
    QL_CHECK(0 == (m.userFlags & kSystemPropertyVirtual), kSource, __LINE__,
             "0 == (item->userFlags & systemPropertyVirtual)");
    n += (m.entry.function ? 1 : 0) + (m.entry.setter ? 1 : 0);
  }
  return n;
}

int32_t CountProperties(const ObjectDefinition& d, int32_t inherited) {
  int32_t count = inherited;
  for (const PropertyRecord& p : d.properties) {
    if (p.tableKind == kPropertyOutsideTable) continue;
    QL_CHECK(p.tableIndex == count, kSource, __LINE__, "item->mPropertyTableIndex == propertyCount");
    ++count;
  }
  QL_CHECK(count == d.propertyTableSize, kSource, __LINE__, "propertyCount == defn->mPropertyTableSize");
  return count;
}

Counts CountTables(ObjectDefinition& d, const RuntimeClass* super) {
  Counts c;
  if (super) c = {super->interfaceCount, super->eventCount, super->staticMethodCount, super->propertyCount};
  c.interfaces += Count(d.interfaces.count);
  for (EventDeclarationRecord& e : d.eventDeclarations) e.slot = c.events++;
  c.staticMethods += CountStaticMethods(d);
  c.properties = CountProperties(d, c.properties);
  return c;
}

// --- Step 4: identity ---

// A subclass is never smaller than its superclass: its fields follow the superclass's.
uint32_t InstanceSizeOf(const ObjectDefinition& d, const RuntimeClass* super) {
  if (!super || d.instanceSize >= super->instanceSize) return d.instanceSize;
  if (d.description && d.description->instanceSize)
    ReportAssertion(kSource, __LINE__, "defn->instanceSize >= super->instanceSize");
  return super->instanceSize;
}

void CopyIdentity(const ObjectDefinition& d, RuntimeClass* out) {
  out->name = RetainString(d.name);
  out->initHook = d.initHook;
  out->destroyHook = d.destroyHook;
  out->instanceSize = InstanceSizeOf(d, out->super);
  out->isAnInterface = d.isInterface;
  for (int32_t j = 0; j < out->methodCount; ++j) out->methods[j].function = d.virtualMethods[j];
}

// --- Step 5: event implementations ---

const EventDeclarationRecord* FindDeclarationIn(const ObjectDefinition* c, RuntimeString* event) {
  for (; c; c = c->super)
    for (const EventDeclarationRecord& e : c->eventDeclarations)
      if (CompareNames(e.name, event) == 0) return &e;
  return nullptr;
}

// An implementation names an ancestor's event first: a class may implement
// an inherited event and declare a new one of the same name (QuitMenuItem's
// Action), which its own subclasses implement.
const EventDeclarationRecord* FindDeclaration(const ObjectDefinition& d, RuntimeString* event) {
  const EventDeclarationRecord* inherited = FindDeclarationIn(d.super, event);
  return inherited ? inherited : FindDeclarationIn(&d, event);
}

void FillEvents(ObjectDefinition& d, RuntimeClass* out) {
  for (EventImplementationRecord& impl : d.eventImplementations) {
    const EventDeclarationRecord* decl = FindDeclaration(d, impl.event);
    if (!QL_CHECK(decl && decl->slot >= 0 && decl->slot < out->eventCount, kSource, __LINE__, "eventDecl")) continue;
    impl.slot = decl->slot;
    out->events[decl->slot] = RuntimeEventEntry{impl.handler, decl->name};
  }
}

// --- Step 6: interfaces ---

String SignatureOf(const ObjectDefinition& owner, const MethodRecord& m) {
  return MethodSignature(m.entry.name, m.entry.result, TextOf(owner.name), m.entry.parameters,
                         m.entry.parameterCount);
}

// Every step below that makes a block raises NilObjectException when memory
// runs out and gives false; RuntimeNewClass and RuntimeNewVtable raise it themselves.
bool OutOfMemory() {
  RaiseNilObjectException();
  return false;
}

// The signature of the chain's method whose function (or setter) is `fn`
// into `*out`; nil, the empty string, when there is none.
bool SignatureForFunction(const ObjectDefinition& d, void* fn, RuntimeString** out) {
  *out = nullptr;
  if (!fn) return true;
  for (const ObjectDefinition* c = &d; c; c = c->super)
    for (const MethodRecord& m : c->methods)
      if (m.entry.function == fn || m.entry.setter == fn) {
        *out = SignatureOf(*c, m).release();
        return *out || OutOfMemory();
      }
  return true;
}

bool FillInterfaces(ObjectDefinition& d, RuntimeClass* out) {
  int32_t counter = out->super ? out->super->interfaceCount : 0;
  for (const InterfaceRecord& r : d.interfaces) {
    if (!QL_CHECK(counter < out->interfaceCount, kSource, __LINE__, "itableCtr < out->interfaceCount")) return true;
    RuntimeInterfaceEntry& entry = out->Interfaces()[counter++];
    entry.iface = r.iface->runtimeClass;  // converted before the class, nil if it could not be
    // An array that was never built (its build stopped earlier) has no methods.
    const int32_t n = r.length > 0 ? Count(r.length - 1) : 0;
    if (n == 0) continue;
    entry.methods = RuntimeNewVtable(n);
    if (!entry.methods) return false;
    entry.methodCount = n;
    for (int32_t i = 1; i <= n; ++i) {
      RuntimeMethodEntry& method = entry.methods[i - 1];
      method = RuntimeMethodEntry{r.implementation[i], nullptr};
      if (!SignatureForFunction(d, r.implementation[i], &method.signature)) return false;
    }
  }
  return true;
}

// --- Steps 7 and 8: static methods and properties ---

bool FillStaticMethods(const ObjectDefinition& d, RuntimeClass* out) {
  int32_t counter = out->super ? out->super->staticMethodCount : 0;
  for (const MethodRecord& m : d.methods) {
    if (m.entry.function && counter < out->staticMethodCount) {
      RuntimeStaticMethodEntry& entry = out->staticMethods[counter++];
      entry = RuntimeStaticMethodEntry{m.entry.function, SignatureOf(d, m).release()};
      if (!entry.signature) return OutOfMemory();
    }
    if (m.entry.setter && counter < out->staticMethodCount)
      out->staticMethods[counter++] = RuntimeStaticMethodEntry{m.entry.setter, nullptr};
  }
  return true;
}

bool FillProperties(const ObjectDefinition& d, RuntimeClass* out) {
  int32_t counter = out->super ? out->super->propertyCount : 0;
  for (const PropertyRecord& p : d.properties) {
    if (p.tableKind == kPropertyOutsideTable) continue;
    if (!QL_CHECK(counter < out->propertyCount, kSource, __LINE__, "propertyCtr < out->propertyCount")) return true;
    QL_CHECK(counter == p.tableIndex, kSource, __LINE__, "propertyCtr == ivar->mPropertyTableIndex");
    RuntimePropertyEntry& entry = out->properties[counter++];
    entry = RuntimePropertyEntry{PropertySignature(StringText(p.name), p.type).release(), p.param, p.getter, p.setter};
    if (!entry.signature) return OutOfMemory();
  }
  return true;
}

// --- A build that could not be completed ---

// Releases what the class's own entries hold (the superclass's entries are
// copies it does not own), then the block: nothing of the build is kept.
void DiscardClass(RuntimeClass* out) {
  const RuntimeClass* super = out->super;
  ReleaseString(out->name);
  for (int32_t i = super ? super->interfaceCount : 0; i < out->interfaceCount; ++i) {
    RuntimeInterfaceEntry& entry = out->Interfaces()[i];
    for (int32_t j = 0; entry.methods && j < entry.methodCount; ++j) ReleaseString(entry.methods[j].signature);
    Release(entry.methods, sizeof(RuntimeMethodEntry) * static_cast<size_t>(entry.methodCount));
  }
  for (int32_t i = super ? super->staticMethodCount : 0; i < out->staticMethodCount; ++i)
    ReleaseString(out->staticMethods[i].signature);
  for (int32_t i = super ? super->propertyCount : 0; i < out->propertyCount; ++i)
    ReleaseString(out->properties[i].signature);
  DiscardUnusedClass(out);
}

// --- The whole conversion ---

// A conversion gives the class, or nil and whether memory ran out (then
// NilObjectException has been raised and nothing of the build is kept).
struct Conversion {
  RuntimeClass* cls = nullptr;
  bool outOfMemory = false;
};
constexpr Conversion kOutOfMemory{nullptr, true};

Conversion Obtain(ObjectDefinition& d);

// What the class reads of other definitions is converted first: the
// superclass chain and the interfaces. Gives the superclass, nil for a root class.
Conversion ConvertReferents(ObjectDefinition& d) {
  Conversion super;
  if (d.super) {
    super = Obtain(*d.super);
    if (!super.cls) {
      if (!super.outOfMemory) ReportAssertion(kSource, __LINE__, "super");
      return super;
    }
  }
  for (const InterfaceRecord& r : d.interfaces)
    if (Obtain(*r.iface).outOfMemory) return kOutOfMemory;
  return super;
}

Conversion Convert(ObjectDefinition& d) {
  const Conversion super = ConvertReferents(d);
  const bool superMissing = d.super && !super.cls;
  if (super.outOfMemory || superMissing) return {nullptr, super.outOfMemory};
  AssignPropertyTableIndices(d);
  // Without memory for an implementation array nothing is built; the arrays are built again next time.
  if (!BuildInterfaceImplementations(d)) {
    RaiseNilObjectException();
    return kOutOfMemory;
  }
  const Counts c = CountTables(d, super.cls);
  RuntimeClass* out =
      RuntimeNewClass(super.cls, Count(d.virtualMethodCount), c.interfaces, c.events, c.staticMethods, c.properties);
  if (!out) return kOutOfMemory;
  CopyIdentity(d, out);
  FillEvents(d, out);
  if (FillInterfaces(d, out) && FillStaticMethods(d, out) && FillProperties(d, out)) return {out};
  DiscardClass(out);
  return kOutOfMemory;
}

Conversion Obtain(ObjectDefinition& d) {
  if (d.runtimeClass) return {d.runtimeClass};
  // A definition that is its own ancestor cannot be converted.
  if (!QL_CHECK(!d.converting, kSource, __LINE__, "!defn->converting")) return {};
  // Without memory for its records nothing is built; the next call tries again.
  if (!SetUpDefinition(d)) {
    RaiseNilObjectException();
    return kOutOfMemory;
  }
  // Reached as a superclass or an interface: its link names count from now on.
  RegisterDefinitionLinkNames(d);
  d.converting = true;
  const Conversion c = Convert(d);
  d.converting = false;
  d.runtimeClass = c.cls;
  return c;
}

}  // namespace

RuntimeClass* ClassOf(ObjectDefinition& d) {
  if (d.runtimeClass) return d.runtimeClass;
  RegisterIntrinsicClasses();
  return Obtain(d).cls;
}

}  // namespace ql
