// Fuzz entry: up to three class descriptions as a plug-in hands them to
// RuntimeRegisterPluginClass, built from the input: names, types, counts,
// accessors, link names, field sizes and superclasses (intrinsic classes,
// each other, unknown names and cycles). The accepted classes are completed,
// looked up, instantiated, and every property is written and read through
// its accessors; the instance is then released. Must never crash or touch
// memory outside an instance, and an accepted class must be found.
//
// Registrations last for the process, so each input's class names carry a
// running number: every description is judged on its own.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <strings.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/class_lookup.h"
#include "core/entrypoint_registry.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "core/signature.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/plugin.h"
#include "startup/plugin_classes.h"
#include "support/fuzz_support.h"

namespace {

using ql::fuzz::InputReader;
using ql::fuzz::Require;

constexpr int kMostClasses = 3;
constexpr uint32_t kMostMembers = 6;

const bool kQuiet = (ql::fuzz::QuietReports(), ql::RegisterIntrinsicClasses(), true);

uint64_t g_inputs = 0;

// The plug-in's own accessors, one pair per value type, and its hooks.
int32_t IntGet(RuntimeObject*, uint32_t) { return 7; }
void IntSet(RuntimeObject*, uint32_t, int32_t) {}
bool BoolGet(RuntimeObject*, uint32_t) { return true; }
void BoolSet(RuntimeObject*, uint32_t, bool) {}
float SingleGet(RuntimeObject*, uint32_t) { return 0.5f; }
void SingleSet(RuntimeObject*, uint32_t, float) {}
double DoubleGet(RuntimeObject*, uint32_t) { return 0.25; }
void DoubleSet(RuntimeObject*, uint32_t, double) {}
RuntimeString* StringGet(RuntimeObject*, uint32_t) { return nullptr; }
void StringSet(RuntimeObject*, uint32_t, RuntimeString*) {}
RuntimeObject* ObjectGet(RuntimeObject*, uint32_t) { return nullptr; }
void ObjectSet(RuntimeObject*, uint32_t, RuntimeObject*) {}
void Hook(RuntimeObject*) {}
void Method(RuntimeObject*) {}
void Paint(RuntimeObject*, void*, const QuillonRect*) {}

template <class F>
void* Fn(F f) {
  return reinterpret_cast<void*>(f);
}

enum class Kind { Int, Bool, Single, Double, String, Object };

// The value type a type name stands for, as the runtime reads it: a scalar
// name in any case, or a class.
Kind KindOf(const char* type) {
  const struct {
    const char* name;
    Kind kind;
  } scalars[] = {{"Integer", Kind::Int},   {"Color", Kind::Int},   {"Boolean", Kind::Bool},
                 {"Single", Kind::Single}, {"Double", Kind::Double}, {"String", Kind::String}};
  for (const auto& s : scalars)
    if (type && strcasecmp(type, s.name) == 0) return s.kind;
  return Kind::Object;
}

// The signature's code of each kind (Color shares Integer's accessors).
bool CodeFits(char code, Kind kind) {
  switch (kind) {
    case Kind::Int: return code == 'i' || code == 'c';
    case Kind::Bool: return code == 'b';
    case Kind::Single: return code == 'f';
    case Kind::Double: return code == 'd';
    case Kind::String: return code == 's';
    case Kind::Object: return code == 'o';
  }
  return false;
}

// Scalars in several cases, intrinsic classes, and names that are no type.
const char* const kTypes[] = {"Integer", "color",   "Boolean",    "Single", "DOUBLE",    "String",
                              "Picture", "Collection", "NoSuchType", "",     "Integer[]", "Short"};
const char* const kSuperclasses[] = {nullptr, "", "Collection", "Picture", "NoSuchClass", "_PaneChild"};

struct Accessors {
  const char* standardGetter;
  const char* standardSetter;
  void* ownGetter;
  void* ownSetter;
};
Accessors AccessorsOf(Kind kind) {
  switch (kind) {
    case Kind::Int: return {"intGetter", "intSetter", Fn(IntGet), Fn(IntSet)};
    case Kind::Bool: return {"boolGetter", "boolSetter", Fn(BoolGet), Fn(BoolSet)};
    case Kind::Single: return {"singleGetter", "singleSetter", Fn(SingleGet), Fn(SingleSet)};
    case Kind::Double: return {"doubleGetter", "doubleSetter", Fn(DoubleGet), Fn(DoubleSet)};
    case Kind::String: return {"stringGetter", "stringSetter", Fn(StringGet), Fn(StringSet)};
    case Kind::Object: return {"objGetter", "objSetter", Fn(ObjectGet), Fn(ObjectSet)};
  }
  return {};
}

// Everything one input's descriptions point to; lives until the input ends.
struct Descriptions {
  std::deque<std::string> texts;
  std::deque<std::vector<QuillonPluginProperty>> properties;
  std::deque<std::vector<QuillonPluginMethod>> methods;
  std::deque<std::vector<QuillonPluginParameter>> parameters;
  std::deque<std::vector<QuillonPluginEvent>> events;
  std::deque<QuillonPluginControl> controls;
  std::vector<std::string> classNames;
  QuillonPluginClass classes[kMostClasses]{};
  uint32_t fieldOffsets[kMostClasses]{};
  std::vector<std::vector<Kind>> kinds;  // of each class's properties

  const char* Keep(std::string text) {
    texts.push_back(std::move(text));
    return texts.back().c_str();
  }
};

// A name: usually a well-formed one of the pool, sometimes whatever the
// input holds (empty, too long, with bytes no identifier has).
const char* Name(InputReader& in, Descriptions& d, const char* prefix) {
  const uint8_t choice = in.Byte();
  if (choice < 0xF0) return d.Keep(prefix + std::to_string(choice % 8));
  if (choice < 0xF8) return d.Keep(in.Text(16));
  if (choice < 0xFE) return nullptr;
  return d.Keep(std::string(256 + in.Byte(), 'n'));
}

// A type name: a scalar or class of the table, one of this input's classes,
// or the input's text.
const char* Type(InputReader& in, Descriptions& d, Kind* kind) {
  const uint8_t choice = in.Byte();
  const char* type;
  if (choice < 0xC0) type = kTypes[choice % (sizeof kTypes / sizeof kTypes[0])];
  else if (choice < 0xF0) type = d.classNames[choice % d.classNames.size()].c_str();
  else if (choice < 0xF8) type = nullptr;
  else type = d.Keep(in.Text(16));
  *kind = KindOf(type);
  return type;
}

// A link name: none, a fresh one, one the registry holds for another
// function, or one of this input's own (given twice).
const char* Link(InputReader& in, Descriptions& d, const char* standard) {
  switch (in.Byte() % 6) {
    case 0:
    case 1: return nullptr;
    case 2: return d.Keep("L" + std::to_string(g_inputs) + "_" + std::to_string(d.texts.size()));
    case 3: return standard;
    case 4: return d.Keep("L" + std::to_string(g_inputs) + "_dup");
    default: return d.Keep(in.Text(12));
  }
}

void* Accessor(InputReader& in, const char* standard, void* own) {
  switch (in.Byte() % 5) {
    case 0: return nullptr;
    case 1: return reinterpret_cast<void*>(1);  // the standard-accessor marker
    case 2: return own;
    default: return ql::LookupEntryPoint(standard);
  }
}

void DescribeProperties(InputReader& in, Descriptions& d, QuillonPluginClass& c, std::vector<Kind>& kinds) {
  std::vector<QuillonPluginProperty>& list = d.properties.emplace_back();
  const uint32_t count = in.Byte() % (kMostMembers + 1);
  for (uint32_t i = 0; i < count; ++i) {
    QuillonPluginProperty p{};
    Kind kind;
    p.name = Name(in, d, "P");
    p.type = Type(in, d, &kind);
    const Accessors a = AccessorsOf(kind);
    p.getter = Accessor(in, a.standardGetter, a.ownGetter);
    p.setter = Accessor(in, a.standardSetter, a.ownSetter);
    p.getterLink = Link(in, d, a.standardGetter);
    p.setterLink = Link(in, d, a.standardSetter);
    // The standard accessors take an offset: one outside the class's own
    // fields would be the plug-in's own fault, unless it counts from them.
    const bool standard = (p.getter && p.getter != a.ownGetter) || (p.setter && p.setter != a.ownSetter);
    p.flags = standard ? QUILLON_PARAM_IN_FIELDS : in.Byte() & QUILLON_PARAM_IN_FIELDS;
    p.param = in.Word16() % (c.fieldBytes + 16);
    list.push_back(p);
    kinds.push_back(kind);
  }
  c.properties = list.data();
  c.propertyCount = count;
  if (count && in.Byte() == 0xFF) c.properties = nullptr;  // a count with a null table
}

void DescribeMethods(InputReader& in, Descriptions& d, QuillonPluginClass& c) {
  std::vector<QuillonPluginMethod>& list = d.methods.emplace_back();
  const uint32_t count = in.Byte() % (kMostMembers + 1);
  for (uint32_t i = 0; i < count; ++i) {
    QuillonPluginMethod m{};
    Kind kind;
    m.name = Name(in, d, "M");
    m.function = in.Byte() == 0xFF ? nullptr : Fn(Method);
    m.link = Link(in, d, "RuntimeNewObject");
    m.resultType = in.Byte() % 2 ? Type(in, d, &kind) : nullptr;
    std::vector<QuillonPluginParameter>& parameters = d.parameters.emplace_back();
    const uint32_t parameterCount = in.Byte() % 4;
    for (uint32_t k = 0; k < parameterCount; ++k)
      parameters.push_back(QuillonPluginParameter{Name(in, d, "a"), Type(in, d, &kind), in.Byte() % 2u});
    m.parameters = parameters.data();
    m.parameterCount = parameterCount;
    list.push_back(m);
  }
  c.methods = list.data();
  c.methodCount = count;
}

void DescribeEvents(InputReader& in, Descriptions& d, QuillonPluginClass& c) {
  std::vector<QuillonPluginEvent>& list = d.events.emplace_back();
  const uint32_t count = in.Byte() % (kMostMembers + 1);
  for (uint32_t i = 0; i < count; ++i) {
    Kind kind;
    const char* name = Name(in, d, "E");
    const char* parameters = in.Byte() % 2 ? d.Keep(in.Text(40)) : nullptr;
    list.push_back(QuillonPluginEvent{name, parameters, in.Byte() % 2 ? Type(in, d, &kind) : nullptr});
  }
  c.events = list.data();
  c.eventCount = count;
}

void Describe(InputReader& in, Descriptions& d, int i) {
  QuillonPluginClass& c = d.classes[i];
  const uint8_t version = in.Byte();
  c.version = version == 0xFF ? in.Byte() : QUILLON_PLUGIN_VERSION;
  const uint8_t naming = in.Byte();
  // Mostly this input's own name; sometimes another's, or a taken or bad one.
  c.name = naming < 0xE0 ? d.classNames[i].c_str() : naming < 0xF0 ? "Collection" : d.Keep(in.Text(8));
  const uint8_t super = in.Byte();
  const size_t supers = sizeof kSuperclasses / sizeof kSuperclasses[0];
  c.superName = super < 0x80 ? kSuperclasses[super % supers] : d.classNames[super % d.classNames.size()].c_str();
  const uint8_t fields = in.Byte();
  c.fieldBytes = fields == 0xFF ? in.Word32() : fields;
  c.fieldOffset = in.Byte() % 2 ? &d.fieldOffsets[i] : nullptr;
  const uint8_t hooks = in.Byte();
  c.initHook = hooks & 1 ? Hook : nullptr;
  c.destroyHook = hooks & 2 ? Hook : nullptr;
  if (hooks & 4) c.control = &d.controls.emplace_back(QuillonPluginControl{in.Byte(), in.Byte(), Paint});
  d.kinds.emplace_back();
  DescribeProperties(in, d, c, d.kinds.back());
  DescribeMethods(in, d, c);
  DescribeEvents(in, d, c);
}

// Writes and reads a property through the accessors its entry holds, as
// compiled code would (the standard marker meaning the standard accessor),
// and leaves its field zero: fields of different types may overlap.
void UseProperty(RuntimeObject* o, const RuntimePropertyEntry& p, Kind kind) {
  const Accessors a = AccessorsOf(kind);
  void* getter = p.getter == QL_STANDARD_ACCESSOR ? ql::LookupEntryPoint(a.standardGetter) : p.getter;
  void* setter = p.setter == QL_STANDARD_ACCESSOR ? ql::LookupEntryPoint(a.standardSetter) : p.setter;
  switch (kind) {
    case Kind::Int:
      if (setter) reinterpret_cast<RuntimeIntSetter>(setter)(o, p.param, 0x12345678);
      if (getter) reinterpret_cast<RuntimeIntGetter>(getter)(o, p.param);
      if (setter) reinterpret_cast<RuntimeIntSetter>(setter)(o, p.param, 0);
      break;
    case Kind::Bool:
      if (setter) reinterpret_cast<RuntimeBoolSetter>(setter)(o, p.param, true);
      if (getter) reinterpret_cast<RuntimeBoolGetter>(getter)(o, p.param);
      if (setter) reinterpret_cast<RuntimeBoolSetter>(setter)(o, p.param, false);
      break;
    case Kind::Single:
      if (setter) reinterpret_cast<RuntimeSingleSetter>(setter)(o, p.param, 1.5f);
      if (getter) reinterpret_cast<RuntimeSingleGetter>(getter)(o, p.param);
      if (setter) reinterpret_cast<RuntimeSingleSetter>(setter)(o, p.param, 0.0f);
      break;
    case Kind::Double:
      if (setter) reinterpret_cast<RuntimeDoubleSetter>(setter)(o, p.param, 2.5);
      if (getter) reinterpret_cast<RuntimeDoubleGetter>(getter)(o, p.param);
      if (setter) reinterpret_cast<RuntimeDoubleSetter>(setter)(o, p.param, 0.0);
      break;
    case Kind::String: {
      const ql::String text = ql::NewStringFromCText("plug-in");
      if (setter) reinterpret_cast<RuntimeStringSetter>(setter)(o, p.param, text.get());
      if (getter) ql::String::Adopt(reinterpret_cast<RuntimeStringGetter>(getter)(o, p.param));
      if (setter) reinterpret_cast<RuntimeStringSetter>(setter)(o, p.param, nullptr);
      break;
    }
    case Kind::Object:
      if (setter) reinterpret_cast<RuntimeObjectSetter>(setter)(o, p.param, nullptr);
      if (getter) ql::ObjectRef::Adopt(reinterpret_cast<RuntimeObjectGetter>(getter)(o, p.param));
      break;
  }
}

void UseClass(const Descriptions& d, int i) {
  const QuillonPluginClass& c = d.classes[i];
  RuntimeClass* cls = ql::LookupClass(c.name);
  Require(cls != nullptr, "an accepted class is found once completed");
  if (c.fieldOffset) Require(*c.fieldOffset + c.fieldBytes <= ql::InstanceBytes(cls), "the fields lie in the instance");
  const ql::ObjectRef o = ql::ObjectRef::Adopt(RuntimeNewObject(cls));
  if (!o) return;  // an interface superclass: no instances
  // The class's own properties follow its superclass's.
  const int32_t own = static_cast<int32_t>(c.propertyCount);
  Require(cls->propertyCount >= own, "the class holds its properties");
  for (int32_t k = 0; k < own; ++k) {
    const RuntimePropertyEntry& p = cls->properties[cls->propertyCount - own + k];
    const std::string_view signature = ql::TextOf(p.signature);
    const size_t percent = signature.find('%');
    Require(percent != std::string_view::npos && percent + 1 < signature.size() &&
                CodeFits(signature[percent + 1], d.kinds[i][k]),
            "a property's signature names its declared type");
    UseProperty(o.get(), p, d.kinds[i][k]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  ++g_inputs;
  InputReader in(bytes, size);
  Descriptions d;
  for (const char* prefix : {"A", "B", "C"}) d.classNames.push_back(prefix + std::to_string(g_inputs));
  const int count = 1 + in.Byte() % kMostClasses;
  for (int i = 0; i < count; ++i) Describe(in, d, i);
  bool accepted[kMostClasses] = {};
  for (int i = 0; i < count; ++i) accepted[i] = RuntimeRegisterPluginClass(&d.classes[i]) == 1;
  Require(RuntimeRegisterPluginClass(nullptr) == 0, "no description is refused");
  ql::CompletePluginClasses();
  for (int i = 0; i < count; ++i)
    if (accepted[i]) UseClass(d, i);
  return 0;
}
