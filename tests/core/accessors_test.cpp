#include <gtest/gtest.h>
#include <string.h>

#include "compiled_code.h"
#include "core/object.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

using test::CatchScope;

// An instance with room for fields at odd offsets after the header.
struct Fixture {
  RuntimeClass* cls = test::NewTestClass(nullptr, 0, 0, 0, 0, 0);
  RuntimeObject* o = nullptr;
  static constexpr uint32_t kBase = kObjectHeaderSize;
  Fixture() {
    cls->instanceSize = kObjectHeaderSize + 40;
    o = RuntimeNewObject(cls);
  }
  ~Fixture() { RuntimeUnlockObject(o); }
  char* at(uint32_t offset) { return reinterpret_cast<char*>(o) + offset; }
};

TEST(StandardAccessors, ScalarsRoundTripAtAnyOffset) {
  Fixture f;
  const uint32_t odd = Fixture::kBase + 1;  // unaligned on purpose
  intSetter(f.o, odd, -123456789);
  EXPECT_EQ(intGetter(f.o, odd), -123456789);
  singleSetter(f.o, odd + 4, 1.5f);
  EXPECT_EQ(singleGetter(f.o, odd + 4), 1.5f);
  doubleSetter(f.o, odd + 8, -2.25e300);
  EXPECT_EQ(doubleGetter(f.o, odd + 8), -2.25e300);
  EXPECT_EQ(intGetter(f.o, odd), -123456789) << "neighbours untouched";
}

TEST(StandardAccessors, ShortAndBooleanWidths) {
  Fixture f;
  const uint32_t p = Fixture::kBase;
  memset(f.at(p), 0x55, 8);
  shortSetter(f.o, p, 0x12348001);  // the low 16 bits only
  EXPECT_EQ(static_cast<uint8_t>(*f.at(p + 2)), 0x55);
  EXPECT_EQ(shortGetter(f.o, p), -32767) << "sign-extended";
  boolSetter(f.o, p + 4, true);
  EXPECT_EQ(*f.at(p + 4), 1);
  EXPECT_EQ(static_cast<uint8_t>(*f.at(p + 5)), 0x55) << "one byte written";
  *f.at(p + 6) = static_cast<char>(0x80);
  EXPECT_TRUE(boolGetter(f.o, p + 6));
  boolSetter(f.o, p + 4, false);
  EXPECT_FALSE(boolGetter(f.o, p + 4));
}

TEST(StandardAccessors, StringFieldsHoldOneReference) {
  Fixture f;
  const uint32_t p = Fixture::kBase + 8;
  String a = NewStringFromCText("alpha");
  stringSetter(f.o, p, a.get());
  EXPECT_EQ(a.get()->refCount, 2);
  stringSetter(f.o, p, a.get());  // the value it already holds
  EXPECT_EQ(a.get()->refCount, 2);
  RuntimeString* got = stringGetter(f.o, p);
  EXPECT_EQ(got, a.get());
  EXPECT_EQ(a.get()->refCount, 3);
  ReleaseString(got);
  stringSetter(f.o, p, nullptr);
  EXPECT_EQ(a.get()->refCount, 1);
  EXPECT_EQ(stringGetter(f.o, p), nullptr);
}

TEST(StandardAccessors, ObjectFieldsLockBeforeUnlocking) {
  Fixture f;
  const uint32_t p = Fixture::kBase + 16;
  RuntimeObject* v = RuntimeNewObject(f.cls);
  objSetter(f.o, p, v);
  EXPECT_EQ(v->refCount, 2);
  RuntimeUnlockObject(v);  // the field keeps the only reference
  objSetter(f.o, p, v);    // assigning the same value must not destroy it
  ASSERT_EQ(v->refCount, 1);
  RuntimeObject* got = objGetter(f.o, p);
  EXPECT_EQ(got, v);
  EXPECT_EQ(v->refCount, 2);
  RuntimeUnlockObject(got);
  const size_t live = LiveObjectCount();
  objSetter(f.o, p, nullptr);
  EXPECT_EQ(LiveObjectCount(), live - 1);
}

TEST(StandardAccessors, NilObjectRaisesAndFieldsOutsideTheInstanceAreRefused) {
  {
    CatchScope scope;
    EXPECT_EQ(intGetter(nullptr, 28), 0);
    ASSERT_TRUE(scope.Close());
    EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException");
  }
  Fixture f;
  const uint32_t size = f.cls->instanceSize;
  struct Case {
    uint32_t param;
    const char* what;
  };
  for (const Case& c : {Case{size - 3, "straddles the end"}, Case{size, "just past the end"},
                        Case{0xFFFFFFFFu, "wraps"}, Case{4, "inside the header"}}) {
    test::AssertionRecorder recorder;
    intSetter(f.o, c.param, 7);
    EXPECT_EQ(intGetter(f.o, c.param), 0) << c.what;
    EXPECT_EQ(recorder.count(), 2u) << c.what;
  }
  EXPECT_EQ(f.o->methodTable, f.cls->methods) << "the header was not written";
}

}  // namespace
}  // namespace ql
