#include "core/object_definition.h"

#include <stdio.h>
#include <string.h>

#include <utility>

#include "core/assertion.h"
#include "core/entrypoint_registry.h"
#include "core/object.h"
#include "core/string.h"
#include "core/stringmap.h"

namespace ql {
namespace {

constexpr const char kSource[] = "ObjectDefinition";

struct Definitions {
  StringMap<ObjectDefinition> registered;  // the definition map
  StringMap<ObjectDefinition> plugins;
  ObjectDefinition* first = nullptr;       // every definition set up, newest first
  uint32_t generation = 1;                 // definitions start at 0: their arrays are stale
};

// Never destroyed: classes and definitions live until the process ends.
Definitions& TheDefinitions() {
  static Definitions& d = *new Definitions;
  return d;
}

// A definition's own copy of a text; false when memory ran out (a nil or
// empty text is the nil string and always succeeds).
bool NewName(const char* text, RuntimeString** out) {
  *out = NewStringFromCText(text).release();
  return *out || !text || !*text;
}

// --- Set-up steps ---

void Initialise(ObjectDefinition& d) {
  d.type.kind = TypeKind::Class;
  d.instanceSize = kObjectHeaderSize;
  d.propertyTableSize = 0;
  d.propertyIndicesAssigned = false;
}

bool SetIdentity(ObjectDefinition& d, const ClassDescription& desc) {
  QL_CHECK(desc.name && *desc.name, kSource, __LINE__, "defn->name");
  d.super = desc.super;
  d.initHook = desc.initHook;
  d.destroyHook = desc.destroyHook;
  if (desc.instanceSize) d.instanceSize = desc.instanceSize;
  d.isInterface = desc.role == ClassRole::Interface;
  d.virtualMethods = desc.virtualMethods.items;
  d.virtualMethodCount = desc.virtualMethods.count;
  return NewName(desc.name, &d.name);
}

// Each record is appended even when one of its names could not be had:
// DiscardRecords then releases what it holds.
bool AddEventImplementations(ObjectDefinition& d, Table<EventImplementation> handlers) {
  for (const EventImplementation& e : handlers) {
    EventImplementationRecord r{nullptr, -1, e.handler};
    const bool named = NewName(e.event, &r.event);
    d.eventImplementations.Append(r);
    if (!named) return false;
  }
  return true;
}

bool AddEventDeclarations(ObjectDefinition& d, Table<EventDeclarationEntry> events) {
  for (const EventDeclarationEntry& e : events) {
    EventDeclarationRecord r{nullptr, nullptr, nullptr, -1};
    const bool named =
        NewName(e.name, &r.name) && NewName(e.parameters, &r.parameters) && NewName(e.result, &r.result);
    d.eventDeclarations.Append(r);
    if (!named) return false;
  }
  return true;
}

bool AddProperties(ObjectDefinition& d, Table<PropertyEntry> properties) {
  for (const PropertyEntry& p : properties) {
    PropertyRecord r{p.flags, nullptr, p.type, p.getter, p.getterLink, p.setter, p.setterLink, p.param, -1,
                     kPropertyInTable};
    const bool named = NewName(p.name, &r.name);
    d.properties.Append(r);
    if (!named) return false;
  }
  return true;
}

bool AddMethods(ObjectDefinition& d, Table<MethodEntry> methods) {
  for (const MethodEntry& m : methods) {
    MethodRecord r{0, nullptr, m};
    const bool named = NewName(m.name, &r.name);
    d.methods.Append(r);
    if (!named) return false;
  }
  return true;
}

void AddInterfaces(ObjectDefinition& d, Table<ObjectDefinition*> interfaces) {
  for (ObjectDefinition* iface : interfaces) {
    if (!QL_CHECK(iface != nullptr, kSource, __LINE__, "iface")) continue;
    d.interfaces.Append({iface, nullptr, 0});
  }
}

// Undoes a set-up that could not be completed: the names made so far are
// released and the lists emptied (their blocks serve the next attempt).
void DiscardRecords(ObjectDefinition& d) {
  ReleaseString(std::exchange(d.name, nullptr));
  for (const EventImplementationRecord& e : d.eventImplementations) ReleaseString(e.event);
  for (const EventDeclarationRecord& e : d.eventDeclarations) {
    ReleaseString(e.name);
    ReleaseString(e.parameters);
    ReleaseString(e.result);
  }
  for (const PropertyRecord& p : d.properties) ReleaseString(p.name);
  for (const MethodRecord& m : d.methods) ReleaseString(m.name);
  d.eventImplementations.count = 0;
  d.eventDeclarations.count = 0;
  d.properties.count = 0;
  d.methods.count = 0;
}

// The definition's own records from its description, all or none.
bool BuildRecords(ObjectDefinition& d) {
  const ClassDescription& desc = *d.description;
  Initialise(d);
  if (SetIdentity(d, desc) && AddEventImplementations(d, desc.eventHandlers) &&
      AddEventDeclarations(d, desc.events) && AddProperties(d, desc.properties) && AddMethods(d, desc.methods)) {
    d.staticTables = 1;
    AddInterfaces(d, desc.interfaces);
    return true;
  }
  DiscardRecords(d);
  return false;
}

// --- Registration ---

void RegisterPair(const char* link, void* function) {
  if (link && function) RegisterEntryPoint(link, function);
}

// --- Interface implementation arrays ---

// The first method of that name along the chain that has a function.
void* FindImplementation(const ObjectDefinition& d, RuntimeString* name) {
  for (const ObjectDefinition* c = &d; c; c = c->super)
    for (const MethodRecord& m : c->methods)
      if (m.entry.function && CompareNames(m.name, name) == 0) return m.entry.function;
  return nullptr;
}

void ReportMissingImplementation(const ObjectDefinition& d, const ObjectDefinition& iface, RuntimeString* method) {
  char message[256];
  snprintf(message, sizeof message, "%s does not implement %s.%s", StringText(d.name), StringText(iface.name),
           StringText(method));
  ReportAssertion(kSource, __LINE__, "interfaceMethod", message);
}

enum class Implementation { Built, MethodMissing, OutOfMemory };

// Element 0 stays empty; a missing method leaves its element nil, is
// reported, and ends the build for this definition. Without memory for the
// array the record keeps the array it had.
Implementation BuildImplementation(const ObjectDefinition& d, InterfaceRecord& r) {
  const ObjectDefinition& iface = *r.iface;
  const uint32_t length = iface.methods.count + 1;
  void** array = static_cast<void**>(AllocateZeroed(sizeof(void*) * length));
  if (!array) return Implementation::OutOfMemory;
  Release(r.implementation, sizeof(void*) * r.length);
  r.implementation = array;
  r.length = length;
  for (uint32_t i = 0; i < iface.methods.count; ++i) {
    array[i + 1] = FindImplementation(d, iface.methods.items[i].name);
    if (!array[i + 1]) {
      ReportMissingImplementation(d, iface, iface.methods.items[i].name);
      return Implementation::MethodMissing;
    }
  }
  return Implementation::Built;
}

}  // namespace

// --- Writing tables ---

PropertyEntry Property(const char* name, const TypeReference* type, Link getter, Link setter, uint32_t param,
                       uint32_t flags) {
  return PropertyEntry{flags, name, type, getter.function, getter.name, setter.function, setter.name, param};
}

PropertyEntry ReadOnlyProperty(const char* name, const TypeReference* type, Link getter, uint32_t param,
                               uint32_t flags) {
  return Property(name, type, getter, kNoLink, param, flags);
}

PropertyEntry WriteOnlyProperty(const char* name, const TypeReference* type, Link setter, uint32_t param,
                                uint32_t flags) {
  return Property(name, type, kNoLink, setter, param, flags);
}

ParameterEntry Parameter(const char* name, const TypeReference* type, PassBy passBy) {
  return ParameterEntry{name, type, static_cast<uint32_t>(passBy), {}};
}

MethodEntry Method(const char* name, Link function, const TypeReference* result, Table<ParameterEntry> parameters) {
  MethodEntry m{};
  m.name = name;
  m.result = result;
  m.parameters = parameters.items;
  m.parameterCount = parameters.count;
  m.function = function.function;
  m.link = function.name;
  return m;
}

MethodEntry IndexedProperty(const char* name, const TypeReference* result, Table<ParameterEntry> parameters,
                            Link getter, Link setter, uint32_t assignmentFlags) {
  MethodEntry m = Method(name, getter, result, parameters);
  m.setter = setter.function;
  m.setterLink = setter.name;
  m.assignmentFlags = assignmentFlags;
  return m;
}

EventDeclarationEntry Event(const char* name, const char* parameters, const char* result, uint32_t flags) {
  return EventDeclarationEntry{flags, name, parameters, result, nullptr};
}

// --- Set-up and registration ---

bool SetUpDefinition(ObjectDefinition& d) {
  if (d.setUp) return true;
  if (!BuildRecords(d)) return false;
  d.setUp = true;
  Definitions& all = TheDefinitions();
  d.nextDefinition = all.first;
  all.first = &d;
  // What the definition refers to is set up early where memory allows;
  // conversion sets up any that could not be, before it reads them.
  if (d.super) SetUpDefinition(*d.super);
  for (InterfaceRecord& r : d.interfaces) SetUpDefinition(*r.iface);
  AdvanceDefinitionGeneration();
  return true;
}

void RegisterDefinitionLinkNames(ObjectDefinition& d) {
  if (d.linkNamesRegistered) return;
  d.linkNamesRegistered = true;
  for (const MethodRecord& m : d.methods) {
    RegisterPair(m.entry.link, m.entry.function);
    RegisterPair(m.entry.setterLink, m.entry.setter);
  }
  for (const PropertyRecord& p : d.properties) {
    RegisterPair(p.getterLink, p.getter);
    RegisterPair(p.setterLink, p.setter);
  }
}

void RegisterDefinition(ObjectDefinition& d) {
  // Without its records it stays out of the map; converting it sets it up later.
  if (!SetUpDefinition(d)) return;
  if (!d.inDefinitionMap && d.name) {
    // Two definitions of one name: the first stays, the second is reported.
    const bool added = TheDefinitions().registered.Insert(d.name, &d);
    QL_CHECK(added, kSource, __LINE__, "!gDefinitionMap->Contains(defn->name)");
    d.inDefinitionMap = added;
  }
  RegisterDefinitionLinkNames(d);
}

ObjectDefinition* FindRegisteredDefinition(const char* name, size_t length) {
  return TheDefinitions().registered.Find(name, length);
}

void RegisterPluginDefinition(ObjectDefinition& d) {
  if (!SetUpDefinition(d)) return;
  if (d.name) {
    const bool added = TheDefinitions().plugins.Insert(d.name, &d);
    QL_CHECK(added, kSource, __LINE__, "!gPluginClassMap->Contains(defn->name)");
  }
  RegisterDefinitionLinkNames(d);
}

ObjectDefinition* FindPluginDefinition(const char* name, size_t length) {
  return TheDefinitions().plugins.Find(name, length);
}

void RegisterGlobalFunctions(Table<MethodEntry> functions) {
  for (const MethodEntry& m : functions) {
    RegisterPair(m.link, m.function);
    RegisterPair(m.setterLink, m.setter);
  }
}

// --- Before conversion ---

void AssignPropertyTableIndices(ObjectDefinition& d) {
  if (d.propertyIndicesAssigned) return;
  int32_t size = 0;
  if (d.super) {
    AssignPropertyTableIndices(*d.super);
    size = d.super->propertyTableSize;
  }
  for (PropertyRecord& p : d.properties)
    if (p.tableKind != kPropertyOutsideTable) p.tableIndex = size++;
  d.propertyTableSize = size;
  d.propertyIndicesAssigned = true;
}

bool BuildInterfaceImplementations(ObjectDefinition& d) {
  if (d.isInterface) return true;
  const uint32_t generation = TheDefinitions().generation;
  if (d.generation != generation) {
    for (InterfaceRecord& r : d.interfaces) {
      const Implementation built = BuildImplementation(d, r);
      // The generation stays behind, so the next conversion builds them again.
      if (built == Implementation::OutOfMemory) return false;
      if (built == Implementation::MethodMissing) break;
    }
    d.generation = generation;
  }
  if (!d.staticTables && d.super && d.super->generation != generation) return BuildInterfaceImplementations(*d.super);
  return true;
}

uint32_t DefinitionGeneration() { return TheDefinitions().generation; }

void AdvanceDefinitionGeneration() { ++TheDefinitions().generation; }

}  // namespace ql
