// The plug-in interface: how a plug-in library registers its classes with
// the runtime. A plug-in is a native library of the runtime's own target
// (an x64 or IA-32 Windows DLL), carried in an application image as a 'QLPl'
// resource; the runtime installs it at start-up, loads it and calls its
//
//   extern "C" __declspec(dllexport) void QUILPluginMain(QuillonLookupEntryPoint lookup);
//
// once. Through `lookup` the plug-in finds every entry point of the runtime
// by its link name, among them "RuntimeRegisterPluginClass", with which it
// describes its classes. docs/plugins.md explains the whole interface.
//
// This header is freestanding (only <stdint.h>) and its records are plain C
// layouts: every field is a pointer or a 32-bit word.
#pragma once

#include <stdint.h>

#include "quillon/abi.h"

// The version this header describes; QuillonPluginClass.version carries it.
#define QUILLON_PLUGIN_VERSION 1

// C calling convention on both targets.
typedef void* (*QuillonLookupEntryPoint)(const char* linkName);
typedef void (*QuillonPluginMainFunction)(QuillonLookupEntryPoint lookup);

// QuillonPluginProperty.flags: `param` counts from the start of the class's
// own fields; the runtime adds their offset in the instance, so the standard
// accessors ("intGetter", "stringSetter", ...) read the right field.
#define QUILLON_PARAM_IN_FIELDS 1u

// A property. Getters are called as getter(object, param), setters as
// setter(object, param, value), with the value types of docs/abi.md.
struct QuillonPluginProperty {
  const char* name;        // "Caption"
  const char* type;        // "String", "Integer", "Boolean", "Single", "Double", "Color", or a class name
  void* getter;            // null: the property cannot be read
  void* setter;            // null: read-only
  const char* getterLink;  // optional link names the runtime registers the accessors under
  const char* setterLink;
  uint32_t param;  // passed to both accessors
  uint32_t flags;  // QUILLON_PARAM_IN_FIELDS or 0
};

struct QuillonPluginParameter {
  const char* name;
  const char* type;      // as for properties
  uint32_t byReference;  // nonzero: passed by reference
};

// A method, called as function(object, parameters...).
struct QuillonPluginMethod {
  const char* name;
  void* function;
  const char* link;        // optional link name
  const char* resultType;  // null: no result
  const QuillonPluginParameter* parameters;
  uint32_t parameterCount;
};

// An event the class declares; its slot follows the superclass's events,
// in the order given. Subclasses of the application implement it.
struct QuillonPluginEvent {
  const char* name;
  const char* parameters;  // source form, "X As Integer, Y As Integer"; null for none
  const char* resultType;  // "Boolean", or null
};

// A rectangle in pixels, in the order of the runtime's rectangles.
struct QuillonRect {
  int32_t top;
  int32_t left;
  int32_t bottom;
  int32_t right;
};

// What a control class asks of the control framework: `paint` is called
// each time the control's rectangle is painted, with the window's device
// context (an HDC) and the control's bounds in window coordinates.
typedef void (*QuillonPaintHook)(RuntimeObject* control, void* deviceContext, const QuillonRect* bounds);

struct QuillonPluginControl {
  int32_t defaultWidth;  // the size a new control of the class gets
  int32_t defaultHeight;
  QuillonPaintHook paint;  // null: the control draws nothing of its own
};

// One class. The runtime copies everything (names, tables, the control
// record) during the call, except `fieldOffset`, which it writes later.
struct QuillonPluginClass {
  uint32_t version;               // QUILLON_PLUGIN_VERSION
  const char* name;               // letters, digits, '_' and '$'
  const char* superName;          // an intrinsic or plug-in class; null or "": none
  uint32_t fieldBytes;            // bytes of the class's own fields, after the superclass's
  uint32_t* fieldOffset;          // optional: receives where those fields start in an instance
  RuntimeObjectHook initHook;     // called for each new instance (superclass hooks first), or null
  RuntimeObjectHook destroyHook;  // called before an instance is freed (before the superclass's), or null
  const QuillonPluginProperty* properties;
  uint32_t propertyCount;
  const QuillonPluginMethod* methods;
  uint32_t methodCount;
  const QuillonPluginEvent* events;
  uint32_t eventCount;
  const QuillonPluginControl* control;  // null: not a control class
};

// "RuntimeRegisterPluginClass": 1 when the description was accepted, 0 when
// it was refused (docs/plugins.md lists why).
typedef int32_t (*QuillonRegisterPluginClass)(const struct QuillonPluginClass* description);
