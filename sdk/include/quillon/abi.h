// Binary records shared by the runtime and compiled application images.
//
// Compiled code reads and writes these at fixed byte offsets, so their layout
// is the interface itself. On i686 every word is 32-bit; on x86_64 pointers are
// 8 bytes and every other word (counts, sizes, params, flags, reserved words)
// stays 32-bit, with natural alignment. docs/abi.md lists both layouts.
//
// This header is freestanding: compiled images include it too.
#pragma once

#include <stddef.h>
#include <stdint.h>

struct RuntimeClass;
struct RuntimeObject;

// A reference-counted string. The buffer holds a length byte, the text and a
// NUL (two NULs for UTF-16 text). Nil is the empty string.
struct RuntimeString {
  int32_t refCount;   // references; a release that finds 1 frees the record
  char* text;         // the buffer: length byte, text, NUL
  uint32_t size;      // bytes allocated for the buffer
  int32_t length;     // text length in bytes (UTF-16: 2 per code unit)
  uint32_t encoding;  // text encoding value (QL_ENCODING_*)
};

enum : uint32_t {
  QL_ENCODING_ASCII = 0x0600,
  QL_ENCODING_UTF8 = 0x08000100,
  QL_ENCODING_UTF16 = 0x0100,
  QL_ENCODING_WINLATIN1 = 0x0500,
  QL_ENCODING_UNDEFINED = 0xFFFF,
};

typedef void (*RuntimeObjectHook)(RuntimeObject* object);

// Method table entry; also the layout of interface method tables.
struct RuntimeMethodEntry {
  void* function;            // code address, called with the object first
  RuntimeString* signature;  // "name%result%receiver-params"
};

// Event slot: the handler a class stores for an event it implements.
struct RuntimeEventEntry {
  void* handler;        // nil: the event is not implemented
  RuntimeString* name;  // plain event name ("Open")
};

struct RuntimeStaticMethodEntry {
  void* function;            // code address
  RuntimeString* signature;  // may be nil (setter half of an indexed property)
};

struct RuntimePropertyEntry {
  RuntimeString* signature;  // "name%type" for intrinsic classes
  uint32_t param;            // passed to both accessors: field offset or selector
  void* getter;              // accessor, nil for none, or 1 for the standard accessor
  void* setter;              // accessor, nil for read-only, or 1 for the standard accessor
};

struct RuntimeInterfaceEntry {
  RuntimeClass* iface;           // the interface class
  int32_t methodCount;           // entries in methods
  RuntimeMethodEntry* methods;   // from RuntimeNewVtable
};

// The header of every object; instance fields follow it.
struct RuntimeObject {
  uint32_t reserved;                // zero at creation, never read by the runtime
  RuntimeMethodEntry* methodTable;  // copy of the class's methods, taken at creation
  RuntimeClass* cls;                // the object's class
  RuntimeEventEntry* eventTable;    // copy of the class's events, taken at creation
  int32_t refCount;                 // 1 after creation; 0 means not counted
  RuntimeObject* prevLive;          // live-object list, nil for the head
  RuntimeObject* nextLive;
};

// One block per class: this head, then interface, method, event, static
// method and property entries, in that order, all inside the same block.
struct RuntimeClass {
  RuntimeClass* super;                       // nil for a root class
  RuntimeString* name;                       // nil until set
  uint32_t reserved;                         // zero
  uint32_t instanceSize;                     // bytes per instance, header included
  uint8_t isAnInterface;                     // nonzero for an interface
  uint8_t isAnInterfacePad[3];               // zero
  RuntimeObjectHook initHook;                // run root class first, or nil
  RuntimeObjectHook destroyHook;             // run most derived first, or nil
  int32_t methodCount;
  RuntimeMethodEntry* methods;               // the virtual method table
  int32_t eventCount;
  RuntimeEventEntry* events;
  int32_t staticMethodCount;
  RuntimeStaticMethodEntry* staticMethods;
  int32_t propertyCount;
  RuntimePropertyEntry* properties;
  int32_t interfaceCount;
  // Interface entries start right after the head.
  RuntimeInterfaceEntry* Interfaces();
};

// Bytes of the class head: 64 on i686, 120 on x86_64.
constexpr size_t kRuntimeClassHeadSize =
    (offsetof(RuntimeClass, interfaceCount) + 4 + alignof(void*) - 1) & ~(alignof(void*) - 1);

inline RuntimeInterfaceEntry* RuntimeClass::Interfaces() {
  return reinterpret_cast<RuntimeInterfaceEntry*>(reinterpret_cast<char*>(this) + kRuntimeClassHeadSize);
}

// A protected call site of compiled code, registered for the duration of the
// call in the calling thread's handler chain (see docs/exceptions.md).
struct RuntimeHandlerFrame {
  RuntimeHandlerFrame* link;  // next outer frame
  RuntimeObject** slot;       // where the exception is stored, or nil to only redirect
  int32_t raised;             // nonzero once an exception was delivered here
};

// An instance of RuntimeException or one of its subclasses.
struct RuntimeExceptionObject {
  RuntimeObject header;
  int32_t errorNumber;     // property ErrorNumber
  RuntimeString* message;  // property Message, one reference
};

// The first fields of every control (class Control). Compiled control
// classes store their constructor's index argument into `index` and return
// it from `_Index` directly; the other fields belong to the runtime.
struct RuntimeControlFields {
  RuntimeObject header;
  RuntimeObject* parent;  // runtime-owned
  uint32_t reserved;      // runtime-owned
  void* pane;             // runtime-owned
  RuntimeString* name;    // property Name
  int32_t index;          // property Index; negative: not a control-array member
};

#if defined(__i386__)
static_assert(sizeof(RuntimeString) == 20);
static_assert(offsetof(RuntimeString, refCount) == 0 && offsetof(RuntimeString, text) == 4 &&
              offsetof(RuntimeString, size) == 8 && offsetof(RuntimeString, length) == 12 &&
              offsetof(RuntimeString, encoding) == 16);
static_assert(sizeof(RuntimeObject) == 28);
static_assert(offsetof(RuntimeObject, methodTable) == 4 && offsetof(RuntimeObject, cls) == 8 &&
              offsetof(RuntimeObject, eventTable) == 12 && offsetof(RuntimeObject, refCount) == 16 &&
              offsetof(RuntimeObject, prevLive) == 20 && offsetof(RuntimeObject, nextLive) == 24);
static_assert(kRuntimeClassHeadSize == 64);
static_assert(offsetof(RuntimeClass, name) == 4 && offsetof(RuntimeClass, reserved) == 8 &&
              offsetof(RuntimeClass, instanceSize) == 12 && offsetof(RuntimeClass, isAnInterface) == 16 &&
              offsetof(RuntimeClass, initHook) == 20 && offsetof(RuntimeClass, destroyHook) == 24 &&
              offsetof(RuntimeClass, methodCount) == 28 && offsetof(RuntimeClass, methods) == 32 &&
              offsetof(RuntimeClass, eventCount) == 36 && offsetof(RuntimeClass, events) == 40 &&
              offsetof(RuntimeClass, staticMethodCount) == 44 && offsetof(RuntimeClass, staticMethods) == 48 &&
              offsetof(RuntimeClass, propertyCount) == 52 && offsetof(RuntimeClass, properties) == 56 &&
              offsetof(RuntimeClass, interfaceCount) == 60);
static_assert(sizeof(RuntimeMethodEntry) == 8 && sizeof(RuntimeEventEntry) == 8 &&
              sizeof(RuntimeStaticMethodEntry) == 8 && sizeof(RuntimePropertyEntry) == 16 &&
              sizeof(RuntimeInterfaceEntry) == 12);
static_assert(offsetof(RuntimePropertyEntry, param) == 4 && offsetof(RuntimePropertyEntry, getter) == 8 &&
              offsetof(RuntimePropertyEntry, setter) == 12);
static_assert(offsetof(RuntimeInterfaceEntry, methodCount) == 4 && offsetof(RuntimeInterfaceEntry, methods) == 8);
static_assert(offsetof(RuntimeExceptionObject, errorNumber) == 28 && offsetof(RuntimeExceptionObject, message) == 32 &&
              sizeof(RuntimeExceptionObject) == 36);
static_assert(sizeof(RuntimeHandlerFrame) == 12);
static_assert(offsetof(RuntimeControlFields, index) == 44);
#elif defined(__x86_64__)
static_assert(sizeof(RuntimeString) == 32);
static_assert(offsetof(RuntimeString, text) == 8 && offsetof(RuntimeString, size) == 16 &&
              offsetof(RuntimeString, length) == 20 && offsetof(RuntimeString, encoding) == 24);
static_assert(sizeof(RuntimeObject) == 56);
static_assert(offsetof(RuntimeObject, methodTable) == 8 && offsetof(RuntimeObject, cls) == 16 &&
              offsetof(RuntimeObject, eventTable) == 24 && offsetof(RuntimeObject, refCount) == 32 &&
              offsetof(RuntimeObject, prevLive) == 40 && offsetof(RuntimeObject, nextLive) == 48);
static_assert(kRuntimeClassHeadSize == 120);
static_assert(offsetof(RuntimeClass, name) == 8 && offsetof(RuntimeClass, reserved) == 16 &&
              offsetof(RuntimeClass, instanceSize) == 20 && offsetof(RuntimeClass, isAnInterface) == 24 &&
              offsetof(RuntimeClass, initHook) == 32 && offsetof(RuntimeClass, destroyHook) == 40 &&
              offsetof(RuntimeClass, methodCount) == 48 && offsetof(RuntimeClass, methods) == 56 &&
              offsetof(RuntimeClass, eventCount) == 64 && offsetof(RuntimeClass, events) == 72 &&
              offsetof(RuntimeClass, staticMethodCount) == 80 && offsetof(RuntimeClass, staticMethods) == 88 &&
              offsetof(RuntimeClass, propertyCount) == 96 && offsetof(RuntimeClass, properties) == 104 &&
              offsetof(RuntimeClass, interfaceCount) == 112);
static_assert(sizeof(RuntimeMethodEntry) == 16 && sizeof(RuntimeEventEntry) == 16 &&
              sizeof(RuntimeStaticMethodEntry) == 16 && sizeof(RuntimePropertyEntry) == 32 &&
              sizeof(RuntimeInterfaceEntry) == 24);
static_assert(offsetof(RuntimePropertyEntry, param) == 8 && offsetof(RuntimePropertyEntry, getter) == 16 &&
              offsetof(RuntimePropertyEntry, setter) == 24);
static_assert(offsetof(RuntimeInterfaceEntry, methodCount) == 8 && offsetof(RuntimeInterfaceEntry, methods) == 16);
static_assert(offsetof(RuntimeExceptionObject, errorNumber) == 56 && offsetof(RuntimeExceptionObject, message) == 64 &&
              sizeof(RuntimeExceptionObject) == 72);
static_assert(sizeof(RuntimeHandlerFrame) == 24);
static_assert(offsetof(RuntimeControlFields, index) == 88);
#else
#error "Quillon records are defined for i686 and x86_64 only"
#endif
