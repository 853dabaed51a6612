// Building a class from its definition while memory runs out at one request.

#include <gtest/gtest.h>
#include <stddef.h>

#include <deque>
#include <string>

#include "core/compiled_code.h"
#include "core/entrypoint_registry.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "core/object_definition.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"
#include "support/allocation_failure.h"
#include "support/assertion_recorder.h"

extern "C" {
void BuildingShapeDraw(RuntimeObject*) {}
void BuildingCircleRotate(RuntimeObject*, int32_t) {}
}

namespace ql {
namespace {

struct ShapeObject {
  RuntimeObject header;
  int32_t sides;
};

const ParameterEntry kRotateParameters[] = {Parameter("degrees", types::Integer)};
const MethodEntry kRotatableMethods[] = {
    Method("Draw", kNoLink),
    Method("Rotate", kNoLink, nullptr, kRotateParameters),
};
const PropertyEntry kShapeProperties[] = {
    Property("Sides", types::Integer, QL_LINK(intGetter), QL_LINK(intSetter), offsetof(ShapeObject, sides)),
};
const MethodEntry kShapeMethods[] = {Method("Draw", QL_LINK(BuildingShapeDraw))};
const EventDeclarationEntry kShapeEvents[] = {Event("Resize", "Width As Integer, Height As Integer", "Boolean")};
const MethodEntry kCircleMethods[] = {Method("Rotate", QL_LINK(BuildingCircleRotate), nullptr, kRotateParameters)};

// An interface, a root class and a subclass implementing the interface with
// a method of each; never built before, so every run builds all three.
// Definitions and their descriptions live for the process, as the runtime's own do.
struct Definitions {
  ClassDescription rotatableDescription{
      .name = "BuildingRotatable", .methods = kRotatableMethods, .role = ClassRole::Interface};
  ClassDescription shapeDescription{.name = "BuildingShape",
                                    .instanceSize = sizeof(ShapeObject),
                                    .events = kShapeEvents,
                                    .properties = kShapeProperties,
                                    .methods = kShapeMethods};
  ObjectDefinition rotatable{rotatableDescription};
  ObjectDefinition shape{shapeDescription};
  ObjectDefinition* const interfaces[1] = {&rotatable};
  ClassDescription circleDescription{.name = "BuildingCircle",
                                     .super = &shape,
                                     .instanceSize = sizeof(ShapeObject),
                                     .methods = kCircleMethods,
                                     .interfaces = interfaces};
  ObjectDefinition circle{circleDescription};
};

Definitions& FreshDefinitions() {
  static std::deque<Definitions>& all = *new std::deque<Definitions>;
  return all.emplace_back();
}

// Everything a call through the class needs is there.
void ExpectWhole(RuntimeClass* circle, size_t n) {
  ASSERT_NE(circle->super, nullptr) << "request " << n;
  EXPECT_STREQ(StringText(circle->name), "BuildingCircle") << "request " << n;
  EXPECT_STREQ(StringText(circle->super->name), "BuildingShape") << "request " << n;
  ASSERT_EQ(circle->eventCount, 1) << "request " << n;
  EXPECT_STREQ(StringText(circle->events[0].name), "Resize") << "request " << n;
  ASSERT_EQ(circle->propertyCount, 1) << "request " << n;
  EXPECT_NE(circle->properties[0].signature, nullptr) << "request " << n;
  ASSERT_EQ(circle->interfaceCount, 1) << "request " << n;
  const RuntimeInterfaceEntry& entry = circle->Interfaces()[0];
  ASSERT_EQ(entry.methodCount, 2) << "request " << n;
  ASSERT_NE(entry.methods, nullptr) << "request " << n;
  EXPECT_EQ(entry.methods[0].function, EntryAddress(BuildingShapeDraw)) << "request " << n;
  EXPECT_EQ(entry.methods[1].function, EntryAddress(BuildingCircleRotate)) << "request " << n;
}

// A build that meets exhausted memory gives no class (NilObjectException)
// or a whole one, never one with tables missing; and a build asked again
// once memory is there gives the whole class.
// Disabled while class building goes on past a failed request: today the
// class gives empty names for itself and its events, a property without its
// signature, an interface without its methods (an array or method table
// that could not be had, and not built again later), and some runs report
// a failed assertion. Enable it with the fix.
TEST(ClassBuilding, DISABLED_MemoryRunningOutAtAnyRequestGivesNoClassOrAWholeOne) {
  RegisterIntrinsicClasses();  // what the process builds once is there
  size_t n = 1;
  for (;; ++n) {
    Definitions& d = FreshDefinitions();
    test::AssertionRecorder recorder;
    test::CatchScope scope;
    RuntimeClass* circle;
    bool happened;
    {
      test::AllocationFailure failure(test::Requests::Refusable, n);
      circle = ClassOf(d.circle);
      happened = failure.happened();
    }
    if (!happened) {
      ASSERT_NE(circle, nullptr) << "with every request served";
      ExpectWhole(circle, n);
      break;
    }
    if (!circle) {
      EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException") << "request " << n;
      circle = ClassOf(d.circle);
      ASSERT_NE(circle, nullptr) << "request " << n << ", asked again";
    }
    ExpectWhole(circle, n);
    EXPECT_EQ(recorder.count(), 0u) << "request " << n;
  }
  EXPECT_GE(n, 4u) << "two classes, the interface array and its method table";
}

}  // namespace
}  // namespace ql
