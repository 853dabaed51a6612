// Intrinsic class definitions: how a subsystem declares one of the runtime's
// own classes from constant tables, and the definition records that
// registration and conversion into a RuntimeClass work on. docs/classes.md
// shows a complete example.
//
// A subsystem writes, in its own .cpp:
//   const PropertyEntry kFooProperties[] = {Property("Text", types::String, QL_LINK(stringGetter), ...)};
//   const ClassDescription kFooClass{.name = "Foo", .super = &BarDefinition, .instanceSize = sizeof(FooObject),
//                                    .properties = kFooProperties};
//   ObjectDefinition FooDefinition(kFooClass);
// and lists FooDefinition in intrinsic_classes.{h,cpp}.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/allocator.h"
#include "core/type_descriptor.h"
#include "quillon/abi.h"
#include "core/entrypoint_table.h"

namespace ql {

struct ObjectDefinition;

// --- Constant table entries (one word per field; pointers are words) ---

// Property entry, 8 words.
struct PropertyEntry {
  uint32_t flags;              // carried along; kSystemPropertyVirtual must not occur on methods
  const char* name;            // "Text"
  const TypeReference* type;   // scalar, array or class definition
  void* getter;                // nil: write-only
  const char* getterLink;      // link name entered into the registry, or nil
  void* setter;                // nil: read-only
  const char* setterLink;
  uint32_t param;              // passed to both accessors: field offset or selector
};

// Parameter entry, 7 words.
struct ParameterEntry {
  const char* name;
  const TypeReference* type;
  uint32_t byRef;              // low byte nonzero: passed by reference
  uint32_t reserved[4];        // zero
};

// Method entry, 19 words; also the layout of intrinsic global functions.
struct MethodEntry {
  const char* name;
  const TypeReference* result;       // nil: no result
  const ParameterEntry* parameters;
  uint32_t parameterCount;
  void* function;
  const char* link;
  uint32_t reserved1[5];             // zero
  void* setter;                      // assignment form of an indexed property, or nil
  const char* setterLink;
  uint32_t reserved2[5];             // zero
  uint32_t assignmentFlags;          // kExtendsFirst | kAssignsLast
};

// Event declaration entry, 5 words.
struct EventDeclarationEntry {
  uint32_t flags;
  const char* name;
  const char* parameters;   // source form, "X As Integer, Y As Integer"; stored, never parsed
  const char* result;       // "Boolean", or nil
  void* declaration;        // unused: tables stay constant, records live in the definition
};

// An event of an ancestor that this class implements itself.
struct EventImplementation {
  const char* event;
  void* handler;
};

enum : uint32_t {
  kSystemPropertyVirtual = 0x100,  // property flag; an internal error on a method
  kExtendsFirst = 1,               // assignment flags: the first parameter is the extended object
  kAssignsLast = 2,                // the last parameter is the assigned value
};

#if defined(__i386__)
static_assert(sizeof(PropertyEntry) == 32 && offsetof(PropertyEntry, param) == 28);
static_assert(sizeof(ParameterEntry) == 28 && offsetof(ParameterEntry, byRef) == 8);
static_assert(sizeof(MethodEntry) == 76 && offsetof(MethodEntry, function) == 16 && offsetof(MethodEntry, setter) == 44 &&
              offsetof(MethodEntry, assignmentFlags) == 72);
static_assert(sizeof(EventDeclarationEntry) == 20 && offsetof(EventDeclarationEntry, declaration) == 16);
#elif defined(__x86_64__)
static_assert(sizeof(PropertyEntry) == 64 && offsetof(PropertyEntry, name) == 8 && offsetof(PropertyEntry, param) == 56);
static_assert(sizeof(ParameterEntry) == 40 && offsetof(ParameterEntry, byRef) == 16);
static_assert(sizeof(MethodEntry) == 112 && offsetof(MethodEntry, function) == 32 &&
              offsetof(MethodEntry, setter) == 72 && offsetof(MethodEntry, assignmentFlags) == 108);
static_assert(sizeof(EventDeclarationEntry) == 40 && offsetof(EventDeclarationEntry, declaration) == 32);
#endif

// --- Writing tables ---

// A function and the link name it is registered under.
struct Link {
  void* function = nullptr;
  const char* name = nullptr;
};
inline constexpr Link kNoLink{};
// An exported entry point under its own name.
#define QL_LINK(function) (::ql::Link{::ql::EntryAddress(function), #function})

enum class PassBy : uint32_t { Value = 0, Reference = 1 };

// A constant table: a pointer and a count, made from an array.
template <class T>
struct Table {
  const T* items = nullptr;
  uint32_t count = 0;
  constexpr Table() = default;
  template <size_t N>
  constexpr Table(const T (&array)[N]) : items(array), count(N) {}
  constexpr Table(const T* p, uint32_t n) : items(p), count(n) {}
  const T* begin() const { return items; }
  const T* end() const { return items + count; }
};

PropertyEntry Property(const char* name, const TypeReference* type, Link getter, Link setter, uint32_t param = 0,
                       uint32_t flags = 0);
PropertyEntry ReadOnlyProperty(const char* name, const TypeReference* type, Link getter, uint32_t param = 0,
                               uint32_t flags = 0);
PropertyEntry WriteOnlyProperty(const char* name, const TypeReference* type, Link setter, uint32_t param = 0,
                                uint32_t flags = 0);

ParameterEntry Parameter(const char* name, const TypeReference* type, PassBy passBy = PassBy::Value);

MethodEntry Method(const char* name, Link function, const TypeReference* result = nullptr,
                   Table<ParameterEntry> parameters = {});
// An indexed property read through `getter` and assigned through `setter`
// ("Cell(row, column) As String").
MethodEntry IndexedProperty(const char* name, const TypeReference* result, Table<ParameterEntry> parameters,
                            Link getter, Link setter, uint32_t assignmentFlags = kAssignsLast);

EventDeclarationEntry Event(const char* name, const char* parameters = "", const char* result = nullptr,
                            uint32_t flags = 0);

template <class F>
EventImplementation Handles(const char* event, F* handler) {
  return EventImplementation{event, EntryAddress(handler)};
}

// --- Describing a class ---

enum class ClassRole : uint8_t { Class, Interface };
// Auxiliary definitions are built but never entered into the definition map.
enum class Visibility : uint8_t { Registered, Auxiliary };

struct ClassDescription {
  const char* name;
  ObjectDefinition* super = nullptr;
  uint32_t instanceSize = 0;  // bytes per instance, header included; 0: the bare header
  RuntimeObjectHook initHook = nullptr;
  RuntimeObjectHook destroyHook = nullptr;
  Table<EventDeclarationEntry> events = {};          // new events, in slot order
  Table<PropertyEntry> properties = {};              // new properties, in table order
  Table<MethodEntry> methods = {};
  Table<EventImplementation> eventHandlers = {};     // ancestors' events it implements
  Table<ObjectDefinition*> interfaces = {};          // interfaces it implements
  Table<void*> virtualMethods = {};                  // the method table (no intrinsic class has one)
  ClassRole role = ClassRole::Class;
  Visibility visibility = Visibility::Registered;
};

// --- Definition records (heap records owned by the definition) ---

// A list that is never freed: definitions live until the process ends.
template <class T>
struct RecordList {
  T* items = nullptr;
  uint32_t count = 0;
  uint32_t capacity = 0;
  void Append(const T& value) {
    if (count == capacity) {
      const uint32_t grown = capacity + (capacity < 16 ? 16 : capacity);
      T* bigger = static_cast<T*>(AllocateOrDie(sizeof(T) * grown));
      for (uint32_t i = 0; i < count; ++i) bigger[i] = items[i];
      Release(items, sizeof(T) * capacity);
      items = bigger;
      capacity = grown;
    }
    items[count++] = value;
  }
  T* begin() const { return items; }
  T* end() const { return items + count; }
};

enum : uint32_t { kPropertyInTable = 0, kPropertyOutsideTable = 3 };

struct PropertyRecord {
  uint32_t userFlags;
  RuntimeString* name;
  const TypeReference* type;
  void* getter;
  const char* getterLink;
  void* setter;
  const char* setterLink;
  uint32_t param;
  int32_t tableIndex;  // -1 until assigned
  uint32_t tableKind;  // kPropertyInTable for every table-built property
};

struct MethodRecord {
  uint32_t userFlags;  // 0 for table-built methods
  RuntimeString* name;
  MethodEntry entry;
};

struct EventDeclarationRecord {
  RuntimeString* name;
  RuntimeString* parameters;
  RuntimeString* result;  // nil for none
  int32_t slot;           // assigned at conversion, -1 before
};

struct EventImplementationRecord {
  RuntimeString* event;
  int32_t slot;
  void* handler;
};

struct InterfaceRecord {
  ObjectDefinition* iface;
  void** implementation;  // element 0 unused, then one function per interface method
  uint32_t length;        // elements, element 0 included; 0 until built
};

struct ObjectDefinition {
  constexpr explicit ObjectDefinition(const ClassDescription& d) : description(&d) {}
  ObjectDefinition(const ObjectDefinition&) = delete;
  ObjectDefinition& operator=(const ObjectDefinition&) = delete;

  TypeReference type{TypeKind::Class};  // a class definition is a type reference too
  void* typeFunctions[4] = {};          // nil for definitions
  ObjectDefinition* super = nullptr;
  void* const* virtualMethods = nullptr;
  uint32_t virtualMethodCount = 0;
  uint32_t generation = 0;  // of the interface implementation arrays
  RuntimeString* name = nullptr;
  uint8_t staticTables = 0;
  int32_t propertyTableSize = 0;  // table properties of this class and its ancestors
  ObjectDefinition* nextDefinition = nullptr;
  uint32_t instanceSize = 0;
  RecordList<PropertyRecord> properties;
  RecordList<MethodRecord> methods;
  RecordList<EventDeclarationRecord> eventDeclarations;
  RecordList<EventImplementationRecord> eventImplementations;
  RecordList<InterfaceRecord> interfaces;
  uint8_t isInterface = 0;
  RuntimeObjectHook initHook = nullptr;
  RuntimeObjectHook destroyHook = nullptr;

  // Bookkeeping of set-up, registration and conversion.
  const ClassDescription* description;
  bool setUp = false;
  bool linkNamesRegistered = false;
  bool inDefinitionMap = false;
  bool converting = false;
  bool propertyIndicesAssigned = false;
  RuntimeClass* runtimeClass = nullptr;  // made on first use, kept for the process
};

inline const TypeReference* TypeOf(const ObjectDefinition& d) { return &d.type; }
inline ObjectDefinition* AsDefinition(const TypeReference* t) {
  return t && t->kind == TypeKind::Class ? reinterpret_cast<ObjectDefinition*>(const_cast<TypeReference*>(t))
                                         : nullptr;
}

// --- Set-up, registration, lookup ---

// Builds the definition's records from its description (once). False when
// memory ran out: nothing of them is kept and the next call tries again.
bool SetUpDefinition(ObjectDefinition& d);
// Enters the definition into the definition map and its link names into the
// entry-point registry (once). A name already in the map is reported; a
// definition that could not be set up stays out.
void RegisterDefinition(ObjectDefinition& d);
// Only the link names (a definition reached as a superclass or interface).
void RegisterDefinitionLinkNames(ObjectDefinition& d);
ObjectDefinition* FindRegisteredDefinition(const char* name, size_t length);

// Plug-in classes, consulted by class lookup after the intrinsic ones.
void RegisterPluginDefinition(ObjectDefinition& d);
ObjectDefinition* FindPluginDefinition(const char* name, size_t length);

// Intrinsic global functions and operators: their link names enter the registry.
void RegisterGlobalFunctions(Table<MethodEntry> functions);

// Runs before conversion: property table indices along the superclass chain.
void AssignPropertyTableIndices(ObjectDefinition& d);
// Runs before conversion: the implementation arrays of the class's
// interfaces, rebuilt when the generation moved on. False when memory ran
// out; they are built again by the next call.
bool BuildInterfaceImplementations(ObjectDefinition& d);
uint32_t DefinitionGeneration();
void AdvanceDefinitionGeneration();

// The class record of a definition, converted on first use (nil when the
// conversion failed). Registers the intrinsic classes first.
RuntimeClass* ClassOf(ObjectDefinition& d);

}  // namespace ql
