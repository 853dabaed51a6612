// Building a class from its definition while memory runs out at one request.

#include <gtest/gtest.h>
#include <stddef.h>

#include <deque>
#include <string>

#include "core/allocator.h"
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
bool BuildingCircleResize(RuntimeObject*, int32_t, int32_t) { return false; }
}

namespace ql {
namespace {

struct ShapeObject {
  RuntimeObject header;
  int32_t sides;
  int32_t corners;
};

const ParameterEntry kRotateParameters[] = {Parameter("degrees", types::Integer)};
const MethodEntry kRotatableMethods[] = {
    Method("Draw", kNoLink),
    Method("Rotate", kNoLink, nullptr, kRotateParameters),
};
const PropertyEntry kShapeProperties[] = {
    Property("Sides", types::Integer, QL_LINK(intGetter), QL_LINK(intSetter), offsetof(ShapeObject, sides)),
    ReadOnlyProperty("Corners", types::Integer, QL_LINK(intGetter), offsetof(ShapeObject, corners)),
};
const MethodEntry kShapeMethods[] = {Method("Draw", QL_LINK(BuildingShapeDraw))};
const EventDeclarationEntry kShapeEvents[] = {Event("Resize", "Width As Integer, Height As Integer", "Boolean")};
const MethodEntry kCircleMethods[] = {Method("Rotate", QL_LINK(BuildingCircleRotate), nullptr, kRotateParameters)};
const EventImplementation kCircleHandlers[] = {Handles("Resize", BuildingCircleResize)};

// An interface, a root class and a subclass implementing the interface with
// a method of each and the root's event; never built before, so every run
// builds all three.
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
                                     .eventHandlers = kCircleHandlers,
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
  EXPECT_EQ(circle->events[0].handler, EntryAddress(BuildingCircleResize)) << "request " << n;
  EXPECT_STREQ(StringText(circle->events[0].name), "Resize") << "request " << n;
  ASSERT_EQ(circle->propertyCount, 2) << "request " << n;
  EXPECT_STREQ(StringText(circle->properties[0].signature), "Sides%i") << "request " << n;
  EXPECT_STREQ(StringText(circle->properties[1].signature), "Corners%i") << "request " << n;
  ASSERT_EQ(circle->staticMethodCount, 2) << "request " << n;
  EXPECT_STREQ(StringText(circle->staticMethods[0].signature), "Draw%%o<BuildingShape>") << "request " << n;
  EXPECT_STREQ(StringText(circle->staticMethods[1].signature), "Rotate%%o<BuildingCircle>i") << "request " << n;
  ASSERT_EQ(circle->interfaceCount, 1) << "request " << n;
  const RuntimeInterfaceEntry& entry = circle->Interfaces()[0];
  ASSERT_NE(entry.iface, nullptr) << "request " << n;
  EXPECT_STREQ(StringText(entry.iface->name), "BuildingRotatable") << "request " << n;
  ASSERT_EQ(entry.methodCount, 2) << "request " << n;
  ASSERT_NE(entry.methods, nullptr) << "request " << n;
  EXPECT_EQ(entry.methods[0].function, EntryAddress(BuildingShapeDraw)) << "request " << n;
  EXPECT_STREQ(StringText(entry.methods[0].signature), "Draw%%o<BuildingShape>") << "request " << n;
  EXPECT_EQ(entry.methods[1].function, EntryAddress(BuildingCircleRotate)) << "request " << n;
  EXPECT_STREQ(StringText(entry.methods[1].signature), "Rotate%%o<BuildingCircle>i") << "request " << n;
}

// The runtime's bytes a build of fresh definitions keeps, every request
// served. The leak checker cannot see a block lost inside the allocator's
// chunks, so runs that met a failure are held to this figure.
size_t BytesOfAWholeBuild() {
  Definitions& d = FreshDefinitions();
  const size_t before = AllocatedBytes();
  EXPECT_NE(ClassOf(d.circle), nullptr);
  return AllocatedBytes() - before;
}

// A build that meets exhausted memory gives no class (NilObjectException)
// or a whole one, never one with tables missing; a build asked again once
// memory is there gives the whole class; and between them they keep what
// one whole build keeps, nothing lost or made twice.
TEST(ClassBuilding, MemoryRunningOutAtAnyRequestGivesNoClassOrAWholeOne) {
  RegisterIntrinsicClasses();  // what the process builds once is there
  BytesOfAWholeBuild();        // the link names enter the registry once
  const size_t whole = BytesOfAWholeBuild();
  size_t n = 1;
  for (;; ++n) {
    Definitions& d = FreshDefinitions();
    const size_t before = AllocatedBytes();
    RuntimeClass* circle;
    bool happened;
    {
      test::AssertionRecorder recorder;
      test::CatchScope scope;
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
      } else {
        EXPECT_EQ(scope.caught(), nullptr) << "request " << n << ": a whole class, yet a raise";
      }
      ExpectWhole(circle, n);
      EXPECT_EQ(recorder.count(), 0u) << "request " << n;
    }
    EXPECT_EQ(AllocatedBytes() - before, whole) << "request " << n;
  }
  EXPECT_GE(n, 4u) << "two classes, the interface array and its method table";
}

}  // namespace
}  // namespace ql
