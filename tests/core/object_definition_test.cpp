#include "core/object_definition.h"

#include <gtest/gtest.h>
#include <stddef.h>

#include <string>

#include "core/class_lookup.h"
#include "core/entrypoint_registry.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "core/signature.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"
#include "support/assertion_recorder.h"

// Functions the test tables name; their link names are their own names.
extern "C" {
int32_t testShapeAreaGetter(RuntimeObject*, uint32_t) { return 1; }
void testShapeAreaSetter(RuntimeObject*, uint32_t, int32_t) {}
void TestShapeDraw(RuntimeObject*) {}
RuntimeString* TestShapeCell(RuntimeObject*, int32_t, int32_t) { return nullptr; }
void TestShapeSetCell(RuntimeObject*, int32_t, int32_t, RuntimeString*) {}
void TestCircleOpen(RuntimeObject*) {}
void TestCircleRotate(RuntimeObject*, int32_t) {}
void TestGlobalHelper() {}
}

namespace ql {
namespace {

struct ShapeObject {
  RuntimeObject header;
  int32_t sides;
  RuntimeString* label;
};

struct CircleObject {
  ShapeObject shape;
  double radius;
};

// --- An interface, a root class and a subclass, as a subsystem writes them ---

const ParameterEntry kRotateParameters[] = {Parameter("degrees", types::Integer)};
const MethodEntry kRotatableMethods[] = {
    Method("Draw", kNoLink),
    Method("Rotate", kNoLink, nullptr, kRotateParameters),
};
const ClassDescription kRotatableDescription{
    .name = "TestRotatable", .methods = kRotatableMethods, .role = ClassRole::Interface};
ObjectDefinition TestRotatable(kRotatableDescription);

const EventDeclarationEntry kShapeEvents[] = {
    Event("Open"),
    Event("Resize", "Width As Integer, Height As Integer", "Boolean"),
};
const PropertyEntry kShapeProperties[] = {
    Property("Sides", types::Integer, QL_LINK(intGetter), QL_LINK(intSetter), offsetof(ShapeObject, sides)),
    Property("Label", types::String, QL_LINK(stringGetter), QL_LINK(stringSetter), offsetof(ShapeObject, label)),
    Property("Area", types::Integer, QL_LINK(testShapeAreaGetter), QL_LINK(testShapeAreaSetter)),
};
const ParameterEntry kCellParameters[] = {Parameter("row", types::Integer), Parameter("column", types::Integer)};
const MethodEntry kShapeMethods[] = {
    Method("Draw", QL_LINK(TestShapeDraw)),
    IndexedProperty("Cell", types::String, kCellParameters, QL_LINK(TestShapeCell), QL_LINK(TestShapeSetCell)),
};
const ClassDescription kShapeDescription{
    .name = "TestShape",
    .instanceSize = sizeof(ShapeObject),
    .events = kShapeEvents,
    .properties = kShapeProperties,
    .methods = kShapeMethods,
};
ObjectDefinition TestShape(kShapeDescription);

const EventDeclarationEntry kCircleEvents[] = {Event("Roll")};
const PropertyEntry kCircleProperties[] = {
    Property("Radius", types::Double, QL_LINK(doubleGetter), QL_LINK(doubleSetter), offsetof(CircleObject, radius)),
    ReadOnlyProperty("Owner", TypeOf(intrinsic::Window), QL_LINK(objGetter), offsetof(ShapeObject, label)),
};
const MethodEntry kCircleMethods[] = {Method("Rotate", QL_LINK(TestCircleRotate), nullptr, kRotateParameters)};
const EventImplementation kCircleHandlers[] = {Handles("open", TestCircleOpen)};
ObjectDefinition* const kCircleInterfaces[] = {&TestRotatable};
const ClassDescription kCircleDescription{
    .name = "TestCircle",
    .super = &TestShape,
    .instanceSize = sizeof(CircleObject),
    .events = kCircleEvents,
    .properties = kCircleProperties,
    .methods = kCircleMethods,
    .eventHandlers = kCircleHandlers,
    .interfaces = kCircleInterfaces,
};
ObjectDefinition TestCircle(kCircleDescription);

RuntimeClass* Converted(ObjectDefinition& d) {
  RegisterDefinition(d);
  return LookupClass(TextOf(d.name));
}

std::string Text(RuntimeString* s) { return StringText(s); }

TEST(ObjectDefinition, RegistrationEntersEveryNamedFunction) {
  RegisterDefinition(TestCircle);  // its superclass is reached later, as a superclass
  RegisterDefinition(TestShape);
  struct Case {
    const char* link;
    void* function;
  };
  const Case cases[] = {
      {"testShapeAreaGetter", EntryAddress(testShapeAreaGetter)},
      {"testShapeAreaSetter", EntryAddress(testShapeAreaSetter)},
      {"TestShapeDraw", EntryAddress(TestShapeDraw)},
      {"TestShapeCell", EntryAddress(TestShapeCell)},
      {"TestShapeSetCell", EntryAddress(TestShapeSetCell)},
      {"TestCircleRotate", EntryAddress(TestCircleRotate)},
  };
  for (const Case& c : cases) EXPECT_EQ(LookupEntryPoint(c.link), c.function) << c.link;
  EXPECT_EQ(LookupEntryPoint("TestCircleOpen"), nullptr) << "event handlers carry no link name";
}

TEST(ObjectDefinition, ConvertsEventsPropertiesAndStaticMethodsAfterTheSuperclass) {
  RuntimeClass* shape = Converted(TestShape);
  RuntimeClass* circle = Converted(TestCircle);
  ASSERT_NE(shape, nullptr);
  ASSERT_NE(circle, nullptr);
  EXPECT_EQ(circle->super, shape);
  EXPECT_EQ(Text(circle->name), "TestCircle");
  EXPECT_EQ(shape->instanceSize, sizeof(ShapeObject));
  EXPECT_EQ(circle->instanceSize, sizeof(CircleObject));
  EXPECT_EQ(circle->methodCount, 0);

  // Events: the subclass's Roll follows Open and Resize; Open is implemented at its slot.
  EXPECT_EQ(shape->eventCount, 2);
  ASSERT_EQ(circle->eventCount, 3);
  EXPECT_EQ(circle->events[0].handler, EntryAddress(TestCircleOpen));
  EXPECT_EQ(Text(circle->events[0].name), "Open");
  EXPECT_EQ(circle->events[1].handler, nullptr);
  EXPECT_EQ(circle->events[2].handler, nullptr);
  EXPECT_EQ(TestCircle.eventDeclarations.items[0].slot, 2);
  EXPECT_EQ(shape->events[0].handler, nullptr) << "the superclass's own slot stays empty";

  // Properties in table order along the chain.
  struct Prop {
    const char* signature;
    uint32_t param;
  };
  const Prop props[] = {{"Sides%i", offsetof(ShapeObject, sides)},
                        {"Label%s", offsetof(ShapeObject, label)},
                        {"Area%i", 0},
                        {"Radius%d", offsetof(CircleObject, radius)},
                        {"Owner%o<Window>", offsetof(ShapeObject, label)}};
  ASSERT_EQ(circle->propertyCount, 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Text(circle->properties[i].signature), props[i].signature);
    EXPECT_EQ(circle->properties[i].param, props[i].param);
  }
  EXPECT_EQ(circle->properties[2].getter, EntryAddress(testShapeAreaGetter));
  EXPECT_EQ(circle->properties[4].setter, nullptr) << "read-only";
  EXPECT_EQ(TestCircle.properties.items[1].tableIndex, 4);
  EXPECT_EQ(TestCircle.propertyTableSize, 5);

  // Static methods: a function, then a setter entry for the assignment form.
  ASSERT_EQ(shape->staticMethodCount, 3);
  EXPECT_EQ(Text(shape->staticMethods[0].signature), "Draw%%o<TestShape>");
  EXPECT_EQ(Text(shape->staticMethods[1].signature), "Cell%s%o<TestShape>ii");
  EXPECT_EQ(shape->staticMethods[1].function, EntryAddress(TestShapeCell));
  EXPECT_EQ(shape->staticMethods[2].function, EntryAddress(TestShapeSetCell));
  EXPECT_EQ(shape->staticMethods[2].signature, nullptr);
  ASSERT_EQ(circle->staticMethodCount, 4);
  EXPECT_EQ(Text(circle->staticMethods[3].signature), "Rotate%%o<TestCircle>i");
}

// Implements the inherited Open and declares an Open of its own, which its
// subclasses implement: the implementation goes to the inherited slot.
const EventDeclarationEntry kTileEvents[] = {Event("Open", "", "Boolean")};
const EventImplementation kTileHandlers[] = {Handles("Open", TestCircleOpen)};
const ClassDescription kTileDescription{
    .name = "TestTile", .super = &TestShape, .events = kTileEvents, .eventHandlers = kTileHandlers};
ObjectDefinition TestTile(kTileDescription);

TEST(ObjectDefinition, AnImplementationNamesTheInheritedEventBeforeTheClassOwn) {
  RuntimeClass* tile = Converted(TestTile);
  ASSERT_NE(tile, nullptr);
  ASSERT_EQ(tile->eventCount, 3);
  EXPECT_EQ(tile->events[0].handler, EntryAddress(TestCircleOpen)) << "the inherited Open";
  EXPECT_EQ(tile->events[2].handler, nullptr) << "its own Open stays for subclasses";
}

TEST(ObjectDefinition, InterfaceTablesComeFromTheChainInTheInterfacesOrder) {
  RuntimeClass* circle = Converted(TestCircle);
  RuntimeClass* rotatable = ClassOf(TestRotatable);
  ASSERT_NE(rotatable, nullptr);
  EXPECT_NE(rotatable->isAnInterface, 0);
  EXPECT_EQ(rotatable->staticMethodCount, 0) << "interface methods without functions";
  ASSERT_EQ(circle->interfaceCount, 1);
  const RuntimeInterfaceEntry& entry = circle->Interfaces()[0];
  EXPECT_EQ(entry.iface, rotatable);
  ASSERT_EQ(entry.methodCount, 2);
  EXPECT_EQ(entry.methods[0].function, EntryAddress(TestShapeDraw)) << "found in the superclass";
  EXPECT_EQ(Text(entry.methods[0].signature), "Draw%%o<TestShape>");
  EXPECT_EQ(entry.methods[1].function, EntryAddress(TestCircleRotate));
  EXPECT_EQ(Text(entry.methods[1].signature), "Rotate%%o<TestCircle>i");

  RuntimeObject* o = RuntimeNewObject(circle);
  EXPECT_TRUE(RuntimeObjectIsa(o, rotatable));
  EXPECT_EQ(RuntimeLookupInterfaceVtable(o, rotatable), entry.methods);
  RuntimeUnlockObject(o);
}

// A class that claims an interface it does not implement.
const ClassDescription kSquareDescription{.name = "TestSquare", .super = &TestShape, .interfaces = kCircleInterfaces};
ObjectDefinition TestSquare(kSquareDescription);

TEST(ObjectDefinition, AnInterfaceMethodNobodyImplementsIsReportedAndLeftEmpty) {
  test::AssertionRecorder recorder;
  RuntimeClass* square = Converted(TestSquare);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].source, "ObjectDefinition");
  EXPECT_EQ(recorder.reports()[0].condition, "interfaceMethod");
  EXPECT_EQ(recorder.reports()[0].message, "TestSquare does not implement TestRotatable.Rotate");
  ASSERT_NE(square, nullptr);
  const RuntimeInterfaceEntry& entry = square->Interfaces()[0];
  ASSERT_EQ(entry.methodCount, 2);
  EXPECT_EQ(entry.methods[0].function, EntryAddress(TestShapeDraw));
  EXPECT_EQ(entry.methods[1].function, nullptr);
  EXPECT_EQ(square->instanceSize, sizeof(ShapeObject)) << "no size of its own: the superclass's";
}

// Descriptions that break the rules.
const EventImplementation kUnknownHandler[] = {Handles("Explode", TestCircleOpen)};
const ClassDescription kBadEventDescription{.name = "TestBadEvent", .eventHandlers = kUnknownHandler};
ObjectDefinition TestBadEvent(kBadEventDescription);

const ClassDescription kSmallDescription{.name = "TestTooSmall", .super = &TestShape, .instanceSize = 30};
ObjectDefinition TestTooSmall(kSmallDescription);

extern ObjectDefinition TestLoop;
const ClassDescription kLoopDescription{.name = "TestLoop", .super = &TestLoop};
ObjectDefinition TestLoop(kLoopDescription);

const ClassDescription kDuplicateDescription{.name = "testshape"};
ObjectDefinition TestDuplicate(kDuplicateDescription);

TEST(ObjectDefinition, InconsistentDescriptionsAreReported) {
  struct Case {
    ObjectDefinition* definition;
    const char* condition;
  };
  const Case cases[] = {
      {&TestBadEvent, "eventDecl"},
      {&TestTooSmall, "defn->instanceSize >= super->instanceSize"},
      {&TestLoop, "!defn->converting"},
  };
  for (const Case& c : cases) {
    test::AssertionRecorder recorder;
    ClassOf(*c.definition);
    EXPECT_TRUE(recorder.Saw(c.condition)) << c.condition;
  }
  {
    test::AssertionRecorder recorder;
    EXPECT_EQ(ClassOf(TestLoop), nullptr);
  }
  EXPECT_EQ(ClassOf(TestTooSmall)->instanceSize, sizeof(ShapeObject)) << "raised to the superclass's";
  EXPECT_EQ(ClassOf(TestBadEvent)->eventCount, 0);

  test::AssertionRecorder recorder;
  RegisterDefinition(TestShape);
  RegisterDefinition(TestDuplicate);
  EXPECT_TRUE(recorder.Saw("!gDefinitionMap->Contains(defn->name)"));
  EXPECT_EQ(LookupClass("TESTSHAPE"), ClassOf(TestShape)) << "the first definition stays";
}

const ClassDescription kHiddenDescription{.name = "TestHidden", .visibility = Visibility::Auxiliary};
ObjectDefinition TestHidden(kHiddenDescription);
const ClassDescription kVisibleDescription{.name = "TestVisible", .super = &TestHidden};
ObjectDefinition TestVisible(kVisibleDescription);

TEST(ObjectDefinition, AnAuxiliarySuperclassIsConvertedButNeverFoundByName) {
  RuntimeClass* visible = Converted(TestVisible);
  ASSERT_NE(visible, nullptr);
  ASSERT_NE(visible->super, nullptr);
  EXPECT_EQ(Text(visible->super->name), "TestHidden");
  EXPECT_EQ(LookupClass("TestHidden"), nullptr);
}

const ClassDescription kPluginDescription{.name = "TestSeparator", .super = &TestShape};
ObjectDefinition TestSeparator(kPluginDescription);

TEST(ObjectDefinition, PluginClassesAreFoundAfterTheIntrinsicOnes) {
  EXPECT_EQ(LookupClass("TestSeparator"), nullptr);
  RegisterPluginDefinition(TestSeparator);
  RuntimeClass* separator = LookupClass("testseparator");
  ASSERT_NE(separator, nullptr);
  EXPECT_EQ(separator->propertyCount, 3) << "the superclass's properties come first";
  EXPECT_EQ(LookupClass("TestSeparator"), separator);
}

const MethodEntry kGlobals[] = {Method("_TestHelper", QL_LINK(TestGlobalHelper))};

TEST(ObjectDefinition, GlobalFunctionsEnterTheRegistry) {
  RegisterGlobalFunctions(kGlobals);
  EXPECT_EQ(LookupEntryPoint("TestGlobalHelper"), EntryAddress(TestGlobalHelper));
}

TEST(ObjectDefinition, InterfaceArraysAreRebuiltOnlyWhenTheGenerationMovesOn) {
  Converted(TestCircle);
  InterfaceRecord& record = TestCircle.interfaces.items[0];
  BuildInterfaceImplementations(TestCircle);
  void** built = record.implementation;
  BuildInterfaceImplementations(TestCircle);
  EXPECT_EQ(record.implementation, built);
  AdvanceDefinitionGeneration();
  EXPECT_NE(TestCircle.generation, DefinitionGeneration());
  BuildInterfaceImplementations(TestCircle);
  EXPECT_EQ(TestCircle.generation, DefinitionGeneration());
  ASSERT_EQ(record.length, 3u);
  EXPECT_EQ(record.implementation[0], nullptr) << "element 0 is not used";
  EXPECT_EQ(record.implementation[2], EntryAddress(TestCircleRotate));
}

}  // namespace
}  // namespace ql
