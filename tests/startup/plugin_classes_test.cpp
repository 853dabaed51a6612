#include "startup/plugin_classes.h"

#include <gtest/gtest.h>
#include <string.h>

#include <deque>
#include <string>
#include <vector>

#include "core/class_lookup.h"
#include "core/compiled_code.h"
#include "core/entrypoint_registry.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "quillon/entrypoints/objects.h"
#include "startup/bytes.h"
#include "startup/plugins.h"
#include "support/allocation_failure.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

// Each test registers classes of its own names: registrations last for the process.
QuillonPluginClass Class(const char* name, const char* superName, uint32_t fieldBytes = 0) {
  QuillonPluginClass c{};
  c.version = QUILLON_PLUGIN_VERSION;
  c.name = name;
  c.superName = superName;
  c.fieldBytes = fieldBytes;
  return c;
}

std::string Text(const RuntimeString* s) { return s ? std::string(s->text + 1, static_cast<size_t>(s->length)) : ""; }

uint32_t g_lineFields = 0;
uint32_t g_baseFields = 0;
int g_painted = 0;

void SetCountToSeven(RuntimeObject* o) {
  *reinterpret_cast<int32_t*>(reinterpret_cast<char*>(o) + g_baseFields + 4) = 7;
}
void Paint(RuntimeObject*, void*, const QuillonRect*) { ++g_painted; }

int32_t PropertyValue(RuntimeObject* o, const char* signature) {
  for (int32_t i = 0; i < o->cls->propertyCount; ++i) {
    const RuntimePropertyEntry& p = o->cls->properties[i];
    if (Text(p.signature) == signature)
      return reinterpret_cast<int32_t (*)(RuntimeObject*, uint32_t)>(p.getter)(o, p.param);
  }
  ADD_FAILURE() << "no property " << signature;
  return -1;
}

TEST(PluginClasses, CompleteSuperclassFirstWhateverTheRegistrationOrder) {
  const QuillonPluginControl control{64, 4, Paint};
  QuillonPluginClass line = Class("PcLine", "PcBase", 4);
  line.fieldOffset = &g_lineFields;
  line.control = &control;
  const QuillonPluginProperty count{
      "Count", "Integer", LookupEntryPoint("intGetter"), LookupEntryPoint("intSetter"), nullptr,
      nullptr, 4,         QUILLON_PARAM_IN_FIELDS};
  QuillonPluginClass base = Class("PcBase", "RectControl", 8);
  base.fieldOffset = &g_baseFields;
  base.initHook = SetCountToSeven;
  base.properties = &count;
  base.propertyCount = 1;
  ASSERT_EQ(RuntimeRegisterPluginClass(&line), 1);
  ASSERT_EQ(RuntimeRegisterPluginClass(&base), 1);
  EXPECT_EQ(LookupClass("PcLine"), nullptr) << "found only once completed";

  CompletePluginClasses();
  RuntimeClass* lineClass = LookupClass("pcline");
  RuntimeClass* baseClass = LookupClass("PCBASE");
  RuntimeClass* rectControl = LookupClass("RectControl");
  ASSERT_NE(lineClass, nullptr);
  ASSERT_NE(baseClass, nullptr);
  EXPECT_EQ(lineClass->super, baseClass);
  EXPECT_EQ(baseClass->super, rectControl);
  EXPECT_EQ(Text(lineClass->name), "PcLine");

  // Fields follow the superclass's instance, pointer-aligned.
  EXPECT_EQ(g_baseFields, AlignUp(InstanceBytes(rectControl), alignof(void*)));
  EXPECT_EQ(baseClass->instanceSize, g_baseFields + 8);
  EXPECT_EQ(g_lineFields, AlignUp(baseClass->instanceSize, alignof(void*)));
  EXPECT_EQ(lineClass->instanceSize, g_lineFields + 4);

  // The init hook ran, and the in-fields param reaches the same field.
  RuntimeObject* o = RuntimeNewObject(lineClass);
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(PropertyValue(o, "Count%i"), 7);
  RuntimeUnlockObject(o);

  // The control record is found for the class and for subclasses the image makes of it.
  const QuillonPluginControl* found = PluginControlOf(lineClass);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->defaultWidth, 64);
  EXPECT_EQ(found->defaultHeight, 4);
  found->paint(nullptr, nullptr, nullptr);
  EXPECT_EQ(g_painted, 1);
  RuntimeClass* compiled =
      test::NewTestClass(lineClass, lineClass->methodCount, lineClass->interfaceCount, lineClass->eventCount,
                         lineClass->staticMethodCount, lineClass->propertyCount);
  EXPECT_EQ(PluginControlOf(compiled), found);
  EXPECT_EQ(PluginControlOf(baseClass), nullptr);
  EXPECT_EQ(PluginControlOf(rectControl), nullptr);
  EXPECT_EQ(PluginControlOf(nullptr), nullptr);
}

TEST(PluginClasses, AMissingSuperclassOrACycleGivesARootClass) {
  const QuillonPluginClass classes[] = {Class("PcOrphan", "PcNoSuchClass"), Class("PcCycleA", "PcCycleB"),
                                        Class("PcCycleB", "PcCycleA"),      Class("PcSelf", "pcself"),
                                        Class("PcRoot", nullptr),           Class("PcEmptySuper", "")};
  for (const QuillonPluginClass& c : classes) ASSERT_EQ(RuntimeRegisterPluginClass(&c), 1) << c.name;
  CompletePluginClasses();
  for (const char* root : {"PcOrphan", "PcSelf", "PcRoot", "PcEmptySuper"}) {
    RuntimeClass* cls = LookupClass(root);
    ASSERT_NE(cls, nullptr) << root;
    EXPECT_EQ(cls->super, nullptr) << root;
    EXPECT_EQ(cls->instanceSize, AlignUp(kObjectHeaderSize, alignof(void*))) << root;
  }
  // The cycle is cut where completion found it: A completes B first, whose superclass A is still completing.
  EXPECT_EQ(LookupClass("PcCycleB")->super, nullptr);
  EXPECT_EQ(LookupClass("PcCycleA")->super, LookupClass("PcCycleB"));
}

int32_t Shift(RuntimeObject*, int32_t by) { return by + 1; }
int32_t OtherGetter(RuntimeObject*, uint32_t) { return 0; }

TEST(PluginClasses, MembersBecomeClassTableEntriesAndLinkNames) {
  const QuillonPluginParameter byParameter{"by", "Integer", 0};
  const QuillonPluginParameter pictureParameter{"p", "Picture", 1};
  const QuillonPluginParameter twoParameters[] = {byParameter, pictureParameter};
  const QuillonPluginMethod methods[] = {
      {"Shift", reinterpret_cast<void*>(Shift), "PcMembersShift", "Integer", &byParameter, 1},
      {"Take", reinterpret_cast<void*>(Shift), nullptr, nullptr, twoParameters, 2},
  };
  const QuillonPluginEvent events[] = {{"Moved", "X As Integer", nullptr}, {"Query", nullptr, "Boolean"}};
  const QuillonPluginProperty properties[] = {
      {"Next", "PcMembers", LookupEntryPoint("objGetter"), LookupEntryPoint("objSetter"), nullptr, nullptr, 0,
       QUILLON_PARAM_IN_FIELDS},
      {"Label", "string", LookupEntryPoint("stringGetter"), nullptr, nullptr, nullptr, sizeof(void*),
       QUILLON_PARAM_IN_FIELDS},
      {"Other", "Double", reinterpret_cast<void*>(OtherGetter), nullptr, "PcMembersOtherGetter", nullptr, 0, 0},
  };
  QuillonPluginClass c = Class("PcMembers", nullptr, 2 * sizeof(void*));
  c.properties = properties;
  c.propertyCount = 3;
  c.methods = methods;
  c.methodCount = 2;
  c.events = events;
  c.eventCount = 2;
  ASSERT_EQ(RuntimeRegisterPluginClass(&c), 1);
  EXPECT_EQ(LookupEntryPoint("pcmembersshift"), reinterpret_cast<void*>(Shift));
  EXPECT_EQ(LookupEntryPoint("PcMembersOtherGetter"), reinterpret_cast<void*>(OtherGetter));
  CompletePluginClasses();

  RuntimeClass* cls = LookupClass("PcMembers");
  ASSERT_NE(cls, nullptr);
  ASSERT_EQ(cls->propertyCount, 3);
  EXPECT_EQ(Text(cls->properties[0].signature), "Next%o<PcMembers>");
  EXPECT_EQ(Text(cls->properties[1].signature), "Label%s");
  EXPECT_EQ(cls->properties[1].setter, nullptr) << "read-only";
  const uint32_t fields = AlignUp(kObjectHeaderSize, alignof(void*));
  EXPECT_EQ(cls->properties[0].param, fields);
  EXPECT_EQ(cls->properties[1].param, fields + sizeof(void*));
  EXPECT_EQ(cls->properties[2].param, 0u) << "not in the fields: as given";
  ASSERT_EQ(cls->staticMethodCount, 2);
  EXPECT_EQ(cls->staticMethods[0].function, reinterpret_cast<void*>(Shift));
  EXPECT_EQ(Text(cls->staticMethods[0].signature), "Shift%i%o<PcMembers>i");
  EXPECT_EQ(Text(cls->staticMethods[1].signature), "Take%%o<PcMembers>i&o<Picture>");
  EXPECT_EQ(cls->eventCount, 2);
}

TEST(PluginClasses, TheDescriptionIsCopiedDuringTheCall) {
  std::string name = "PcCopied", property = "Width", type = "Integer";
  const QuillonPluginProperty p{
      property.c_str(),       type.c_str(), LookupEntryPoint("intGetter"), nullptr, nullptr, nullptr, 0,
      QUILLON_PARAM_IN_FIELDS};
  QuillonPluginClass c = Class(name.c_str(), nullptr, 4);
  c.properties = &p;
  c.propertyCount = 1;
  ASSERT_EQ(RuntimeRegisterPluginClass(&c), 1);
  name.assign(name.size(), 'x');
  property.assign(property.size(), 'y');
  type = "Nonsense";
  CompletePluginClasses();
  RuntimeClass* cls = LookupClass("PcCopied");
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(Text(cls->properties[0].signature), "Width%i");
}

void* Function() { return nullptr; }

TEST(PluginClasses, DescriptionsThatCannotBeClassesAreRefused) {
  void* const f = reinterpret_cast<void*>(Function);
  const QuillonPluginProperty unknownType{"P", "NoSuchType", f, nullptr, nullptr, nullptr, 0, 0};
  const QuillonPluginProperty paramBeyondFields{"P",     "Integer", f, nullptr,
                                                nullptr, nullptr,   4, QUILLON_PARAM_IN_FIELDS};
  const QuillonPluginProperty takenLink{"P", "Integer", f, nullptr, "intGetter", nullptr, 0, 0};
  const QuillonPluginProperty badName{"Two words", "Integer", f, nullptr, nullptr, nullptr, 0, 0};
  const QuillonPluginProperty linkWithoutFunction{"P", "Integer", nullptr, nullptr, "PcRefusedGetter", nullptr, 0, 0};
  const QuillonPluginProperty standardMarkerLinked{
      "P", "Integer", reinterpret_cast<void*>(1), nullptr, "PcRefusedStandard", nullptr, 0, 0};
  const QuillonPluginProperty sameLinkTwice[] = {
      {"A", "Integer", f, nullptr, "PcRefusedTwice", nullptr, 0, 0},
      {"B", "Integer", reinterpret_cast<void*>(OtherGetter), nullptr, "PcRefusedTwice", nullptr, 0, 0}};
  const QuillonPluginMethod noFunction{"M", nullptr, nullptr, nullptr, nullptr, 0};
  const QuillonPluginMethod parametersMissing{"M", f, nullptr, nullptr, nullptr, 2};
  const QuillonPluginMethod badResult{"M", f, nullptr, "NoSuchType", nullptr, 0};
  const QuillonPluginEvent badEvent{"", nullptr, nullptr};
  const std::string longName(256, 'N');

  struct Case {
    const char* what;
    QuillonPluginClass description;
  };
  std::vector<Case> cases;
  // A name of its own for each case: one wrongly accepted must not make the next refused for its name.
  std::deque<std::string> names;
  auto add = [&](const char* what, QuillonPluginClass c) {
    if (c.name && strcmp(c.name, "PcRefused") == 0)
      c.name = names.emplace_back("PcRefused" + std::to_string(names.size())).c_str();
    cases.push_back({what, c});
  };
  QuillonPluginClass c = Class("PcRefused", nullptr, 4);
  c.version = 2;
  add("another version", c);
  add("no name", Class(nullptr, nullptr));
  add("an empty name", Class("", nullptr));
  add("a name with a space", Class("Pc Refused", nullptr));
  add("a name of 256 bytes", Class(longName.c_str(), nullptr));
  add("the name of an intrinsic class", Class("window", nullptr));
  const QuillonPluginClass taken = Class("PcTakenName", nullptr);
  ASSERT_EQ(RuntimeRegisterPluginClass(&taken), 1);
  add("the name of a plug-in class, in another case", Class("pctakenname", nullptr));
  add("more field bytes than any class has", Class("PcRefused", nullptr, (1u << 20) + 1));
  struct Member {
    const char* what;
    const QuillonPluginProperty* properties;
    uint32_t propertyCount;
    const QuillonPluginMethod* methods;
    uint32_t methodCount;
    const QuillonPluginEvent* events;
    uint32_t eventCount;
  };
  const Member members[] = {
      {"a property of an unknown type", &unknownType, 1, nullptr, 0, nullptr, 0},
      {"an in-fields param beyond the fields", &paramBeyondFields, 1, nullptr, 0, nullptr, 0},
      {"a link name the runtime has for another function", &takenLink, 1, nullptr, 0, nullptr, 0},
      {"a property name with a space", &badName, 1, nullptr, 0, nullptr, 0},
      {"a link name without a function", &linkWithoutFunction, 1, nullptr, 0, nullptr, 0},
      {"a link name for the standard-accessor marker", &standardMarkerLinked, 1, nullptr, 0, nullptr, 0},
      {"one link name for two functions", sameLinkTwice, 2, nullptr, 0, nullptr, 0},
      {"a property count without a table", nullptr, 1, nullptr, 0, nullptr, 0},
      {"more properties than any class has", &unknownType, 1025, nullptr, 0, nullptr, 0},
      {"a method without a function", nullptr, 0, &noFunction, 1, nullptr, 0},
      {"parameters missing", nullptr, 0, &parametersMissing, 1, nullptr, 0},
      {"a method result of an unknown type", nullptr, 0, &badResult, 1, nullptr, 0},
      {"an event without a name", nullptr, 0, nullptr, 0, &badEvent, 1},
      {"an event count without a table", nullptr, 0, nullptr, 0, nullptr, 3},
  };
  for (const Member& m : members) {
    c = Class("PcRefused", nullptr, 4);
    c.properties = m.properties;
    c.propertyCount = m.propertyCount;
    c.methods = m.methods;
    c.methodCount = m.methodCount;
    c.events = m.events;
    c.eventCount = m.eventCount;
    add(m.what, c);
  }
  const size_t registered = RegisteredEntryPointCount();
  EXPECT_EQ(RuntimeRegisterPluginClass(nullptr), 0);
  for (const Case& k : cases) EXPECT_EQ(RuntimeRegisterPluginClass(&k.description), 0) << k.what;
  EXPECT_EQ(RegisteredEntryPointCount(), registered) << "a refused class registers no link name";
  EXPECT_EQ(LookupEntryPoint("PcRefusedTwice"), nullptr);
  CompletePluginClasses();
  for (const std::string& name : names) EXPECT_EQ(LookupClass(name), nullptr) << name;
}

// Memory running out while the superclass's class is built leaves the
// subclass pending, never a root class whose fields overlap its superclass's;
// the next pass completes it under the right superclass.
TEST(PluginClasses, ASubclassWaitsForASuperclassThatMemoryRanOutFor) {
  std::deque<std::string> names;  // the registrations keep pointers to them
  size_t n = 1;
  for (;; ++n) {
    const std::string& baseName = names.emplace_back("PoBase" + std::to_string(n));
    const std::string& lineName = names.emplace_back("PoLine" + std::to_string(n));
    const QuillonPluginClass base = Class(baseName.c_str(), "RectControl", 8);
    const QuillonPluginClass line = Class(lineName.c_str(), baseName.c_str(), 4);
    ASSERT_EQ(RuntimeRegisterPluginClass(&base), 1);
    ASSERT_EQ(RuntimeRegisterPluginClass(&line), 1);
    bool happened;
    {
      test::AssertionRecorder recorder;
      test::CatchScope scope;
      test::AllocationFailure failure(test::Requests::Refusable, n);
      CompletePluginClasses();
      happened = failure.happened();
      EXPECT_EQ(recorder.count(), 0u) << "request " << n;
    }
    CompletePluginClasses();
    RuntimeClass* lineClass = LookupClass(lineName);
    RuntimeClass* baseClass = LookupClass(baseName);
    if (!happened) {
      ASSERT_NE(lineClass, nullptr) << "with every request served";
      ASSERT_NE(baseClass, nullptr);
      EXPECT_EQ(lineClass->super, baseClass);
      break;
    }
    // A registration that memory ran out for is refused for good; a class
    // that is there has its superclass and the fields after it.
    if (!lineClass) continue;
    ASSERT_NE(lineClass->super, nullptr) << "request " << n << ": made a root class";
    EXPECT_EQ(Text(lineClass->super->name), baseName) << "request " << n;
    EXPECT_GE(lineClass->instanceSize, lineClass->super->instanceSize + 4) << "request " << n;
  }
  EXPECT_GE(n, 2u) << "completing the two classes asks for memory";
}

TEST(PluginClasses, ThePluginLookupFindsEntryPointsWithoutRegardToCase) {
  EXPECT_EQ(LookupEntryPointForPlugin("RuntimeRegisterPluginClass"),
            reinterpret_cast<void*>(RuntimeRegisterPluginClass));
  EXPECT_EQ(LookupEntryPointForPlugin("runtimeregisterpluginclass"),
            reinterpret_cast<void*>(RuntimeRegisterPluginClass));
  EXPECT_EQ(LookupEntryPointForPlugin("RuntimeLookupClass"), reinterpret_cast<void*>(RuntimeLookupClass));
  EXPECT_EQ(LookupEntryPointForPlugin("NoSuchEntryPoint"), nullptr);
  EXPECT_EQ(LookupEntryPointForPlugin(nullptr), nullptr);
}

}  // namespace
}  // namespace ql
