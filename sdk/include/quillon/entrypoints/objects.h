// Entry points: objects, classes and reference counting, the standard
// property accessors, the mass property setter and the line-end object.
#pragma once

#include "quillon/entrypoints/common.h"

// --- Classes ---
// A zero-filled class whose tables start as copies of the superclass's; each
// count must be at least the superclass's.
QL_ENTRY RuntimeClass* RuntimeNewClass(RuntimeClass* super, int32_t methodCount, int32_t interfaceCount,
                                       int32_t eventCount, int32_t staticMethodCount, int32_t propertyCount);
// A block of `count` method entries for an interface entry.
QL_ENTRY RuntimeMethodEntry* RuntimeNewVtable(int32_t count);
// An intrinsic or plug-in class by name (case-insensitive), or nil.
QL_ENTRY RuntimeClass* RuntimeLookupClass(RuntimeString* name);

// --- Objects and references ---
QL_ENTRY RuntimeObject* RuntimeNewObject(RuntimeClass* cls);
QL_ENTRY void RuntimeLockObject(RuntimeObject* object);
QL_ENTRY void RuntimeUnlockObject(RuntimeObject* object);
// Assignment: locks the new value, then unlocks the old; nothing when equal.
QL_ENTRY void RuntimeLockUnlockObjects(RuntimeObject* newValue, RuntimeObject* oldValue);

// --- Type tests ---
QL_ENTRY bool RuntimeObjectIsa(RuntimeObject* object, RuntimeClass* cls);
// The object with one added reference, or nil (IllegalCastException on a mismatch).
QL_ENTRY RuntimeObject* RuntimeCheckCast(RuntimeObject* object, RuntimeClass* cls);
// The interface's method table in the object's class (no reference added), or nil.
QL_ENTRY RuntimeMethodEntry* RuntimeLookupInterfaceVtable(RuntimeObject* object, RuntimeClass* iface);

// --- Design-time property values: records of a big-endian property index and value ---
QL_ENTRY void RuntimeMassPropertySetter(RuntimeObject* object, RuntimeString* data);

// --- Standard accessors: `param` is the field's byte offset in the instance ---
QL_ENTRY int32_t intGetter(RuntimeObject* object, uint32_t param);
QL_ENTRY void intSetter(RuntimeObject* object, uint32_t param, int32_t value);
QL_ENTRY int32_t shortGetter(RuntimeObject* object, uint32_t param);
QL_ENTRY void shortSetter(RuntimeObject* object, uint32_t param, int32_t value);
QL_ENTRY bool boolGetter(RuntimeObject* object, uint32_t param);
QL_ENTRY void boolSetter(RuntimeObject* object, uint32_t param, bool value);
QL_ENTRY float singleGetter(RuntimeObject* object, uint32_t param);
QL_ENTRY void singleSetter(RuntimeObject* object, uint32_t param, float value);
QL_ENTRY double doubleGetter(RuntimeObject* object, uint32_t param);
QL_ENTRY void doubleSetter(RuntimeObject* object, uint32_t param, double value);
QL_ENTRY RuntimeString* stringGetter(RuntimeObject* object, uint32_t param);
QL_ENTRY void stringSetter(RuntimeObject* object, uint32_t param, RuntimeString* value);
QL_ENTRY RuntimeObject* objGetter(RuntimeObject* object, uint32_t param);
QL_ENTRY void objSetter(RuntimeObject* object, uint32_t param, RuntimeObject* value);

// Accessor shapes, one per value type. Property entries store them as
// addresses; callers cast back to the shape of the property's type.
typedef int32_t (*RuntimeIntGetter)(RuntimeObject*, uint32_t);
typedef void (*RuntimeIntSetter)(RuntimeObject*, uint32_t, int32_t);
typedef bool (*RuntimeBoolGetter)(RuntimeObject*, uint32_t);
typedef void (*RuntimeBoolSetter)(RuntimeObject*, uint32_t, bool);
typedef float (*RuntimeSingleGetter)(RuntimeObject*, uint32_t);
typedef void (*RuntimeSingleSetter)(RuntimeObject*, uint32_t, float);
typedef double (*RuntimeDoubleGetter)(RuntimeObject*, uint32_t);
typedef void (*RuntimeDoubleSetter)(RuntimeObject*, uint32_t, double);
typedef RuntimeString* (*RuntimeStringGetter)(RuntimeObject*, uint32_t);
typedef void (*RuntimeStringSetter)(RuntimeObject*, uint32_t, RuntimeString*);
typedef RuntimeObject* (*RuntimeObjectGetter)(RuntimeObject*, uint32_t);
typedef void (*RuntimeObjectSetter)(RuntimeObject*, uint32_t, RuntimeObject*);

// A getter or setter word of 1 in a property entry: the standard accessor of the property's type.
#define QL_STANDARD_ACCESSOR ((void*)1)

// --- The line-end object (class EndOfLine) ---
QL_ENTRY RuntimeObject* RuntimeGetEndOfLineObject(void);
// text + CR LF; the line-end object is not read.
QL_ENTRY RuntimeString* RuntimeEndOfLineAddRight(RuntimeObject* eol, RuntimeString* text);
// CR LF + text.
QL_ENTRY RuntimeString* RuntimeEndOfLineAdd(RuntimeObject* eol, RuntimeString* text);
// The line end as a String: CR LF.
QL_ENTRY RuntimeString* RuntimeEndOfLine(RuntimeObject* eol);
// The properties Macintosh (CR), Windows (CR LF) and UNIX (LF).
QL_ENTRY RuntimeString* getMacEndOfLine(RuntimeObject* eol, uint32_t param);
QL_ENTRY RuntimeString* getWin32EndOfLine(RuntimeObject* eol, uint32_t param);
QL_ENTRY RuntimeString* getUNIXEndOfLine(RuntimeObject* eol, uint32_t param);
