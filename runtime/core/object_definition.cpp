#include "core/object_definition.h"

#include <stdio.h>
#include <string.h>

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

RuntimeString* NewName(const char* text) { return NewStringFromCText(text).release(); }

// --- Set-up steps ---

void Initialise(ObjectDefinition& d) {
  d.type.kind = TypeKind::Class;
  d.instanceSize = kObjectHeaderSize;
  d.propertyTableSize = 0;
  d.propertyIndicesAssigned = false;
  Definitions& all = TheDefinitions();
  d.nextDefinition = all.first;
  all.first = &d;
}

void SetIdentity(ObjectDefinition& d, const ClassDescription& desc) {
  QL_CHECK(desc.name && *desc.name, kSource, __LINE__, "defn->name");
  d.name = NewName(desc.name);
  d.super = desc.super;
  d.initHook = desc.initHook;
  d.destroyHook = desc.destroyHook;
  if (desc.instanceSize) d.instanceSize = desc.instanceSize;
  d.isInterface = desc.role == ClassRole::Interface;
  d.virtualMethods = desc.virtualMethods.items;
  d.virtualMethodCount = desc.virtualMethods.count;
}

void AddEventImplementations(ObjectDefinition& d, Table<EventImplementation> handlers) {
  for (const EventImplementation& e : handlers) d.eventImplementations.Append({NewName(e.event), -1, e.handler});
}

void AddEventDeclarations(ObjectDefinition& d, Table<EventDeclarationEntry> events) {
  for (const EventDeclarationEntry& e : events)
    d.eventDeclarations.Append({NewName(e.name), NewName(e.parameters), NewName(e.result), -1});
}

void AddProperties(ObjectDefinition& d, Table<PropertyEntry> properties) {
  for (const PropertyEntry& p : properties)
    d.properties.Append({p.flags, NewName(p.name), p.type, p.getter, p.getterLink, p.setter, p.setterLink, p.param, -1,
                         kPropertyInTable});
}

void AddMethods(ObjectDefinition& d, Table<MethodEntry> methods) {
  for (const MethodEntry& m : methods) d.methods.Append({0, NewName(m.name), m});
}

void AddInterfaces(ObjectDefinition& d, Table<ObjectDefinition*> interfaces) {
  for (ObjectDefinition* iface : interfaces) {
    if (!QL_CHECK(iface != nullptr, kSource, __LINE__, "iface")) continue;
    d.interfaces.Append({iface, nullptr, 0});
  }
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

// Element 0 stays empty; a missing method leaves its element nil, is
// reported, and ends the build for this definition (false).
bool BuildImplementation(const ObjectDefinition& d, InterfaceRecord& r) {
  const ObjectDefinition& iface = *r.iface;
  const uint32_t length = iface.methods.count + 1;
  void** array = static_cast<void**>(AllocateZeroed(sizeof(void*) * length));
  if (!array) return false;
  Release(r.implementation, sizeof(void*) * r.length);
  r.implementation = array;
  r.length = length;
  for (uint32_t i = 0; i < iface.methods.count; ++i) {
    array[i + 1] = FindImplementation(d, iface.methods.items[i].name);
    if (!array[i + 1]) {
      ReportMissingImplementation(d, iface, iface.methods.items[i].name);
      return false;
    }
  }
  return true;
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

void SetUpDefinition(ObjectDefinition& d) {
  if (d.setUp) return;
  d.setUp = true;
  const ClassDescription& desc = *d.description;
  Initialise(d);
  SetIdentity(d, desc);
  AddEventImplementations(d, desc.eventHandlers);
  AddEventDeclarations(d, desc.events);
  AddProperties(d, desc.properties);
  AddMethods(d, desc.methods);
  d.staticTables = 1;
  AddInterfaces(d, desc.interfaces);
  // What the definition refers to is built before anything reads it.
  if (d.super) SetUpDefinition(*d.super);
  for (InterfaceRecord& r : d.interfaces) SetUpDefinition(*r.iface);
  AdvanceDefinitionGeneration();
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
  SetUpDefinition(d);
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
  SetUpDefinition(d);
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

void BuildInterfaceImplementations(ObjectDefinition& d) {
  if (d.isInterface) return;
  const uint32_t generation = TheDefinitions().generation;
  if (d.generation != generation) {
    d.generation = generation;
    for (InterfaceRecord& r : d.interfaces)
      if (!BuildImplementation(d, r)) break;
  }
  if (!d.staticTables && d.super && d.super->generation != generation) BuildInterfaceImplementations(*d.super);
}

uint32_t DefinitionGeneration() { return TheDefinitions().generation; }

void AdvanceDefinitionGeneration() { ++TheDefinitions().generation; }

}  // namespace ql
