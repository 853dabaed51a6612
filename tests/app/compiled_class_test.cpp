// The SDK's class getters and method scopes with the runtime's own object
// core: a class built from constant tables on an intrinsic superclass, its
// counts, slots, interface and own fields, and exceptions passed on.
#include "quillon/compiled_class.h"

#include <gtest/gtest.h>

#include "core/exception.h"
#include "quillon/protected_call.h"
#include "core/intrinsic_classes.h"

namespace {

// What the image linker does for a static string record: its text follows it.
RuntimeString* Linked(RuntimeString* record) {
  record->text = reinterpret_cast<char*>(record) + sizeof(RuntimeString);
  return record;
}

struct ErrorFields {
  int32_t count;
  RuntimeString* label;
};

int layouts = 0;
void Layout(RuntimeObject*) { ++layouts; }
void SetWindow(RuntimeObject*, RuntimeObject*) {}
int32_t Index(RuntimeObject*) { return 7; }
bool Reported(RuntimeObject*, int32_t code) { return code == 42; }

constexpr quillon::MethodSpec kPaneChild[] = {
    {QL_CODE(Layout), QL_ASCII("_Layout%%o<AppError>")},
    {QL_CODE(SetWindow), QL_ASCII("_SetWindow%%o<AppError>o<Window>")},
    {QL_CODE(Index), QL_ASCII("_Index%i%o<AppError>")},
};
constexpr quillon::EventSpec kEvents[] = {
    {5, QL_CODE(Reported), QL_ASCII("Reported"), QL_ASCII("#Reported%b%o<AppError>i")}};
constexpr quillon::PropertySpec kProperties[] = {
    {QL_ASCII("count%i%"), offsetof(ErrorFields, count), QL_STANDARD, QL_STANDARD},
    {QL_ASCII("label%s%"), offsetof(ErrorFields, label), QL_STANDARD, QL_STANDARD},
    {QL_ASCII("seven%i%o<AppError>"), 3, QL_CODE(Index), nullptr},
};
constexpr quillon::ClassSpec kAppError{.name = QL_ASCII("AppError"),
                                       .superclass = QL_ASCII("RuntimeException"),
                                       .superEvents = 3,
                                       .fieldBytes = sizeof(ErrorFields),
                                       .paneChild = kPaneChild,
                                       .events = kEvents,
                                       .properties = kProperties};

void LinkStrings() {
  for (RuntimeString* s :
       {kAppError.name, kAppError.superclass, QL_ASCII("_PaneChild"), kPaneChild[0].signature,
        kPaneChild[1].signature, kPaneChild[2].signature, kEvents[0].name, kEvents[0].signature,
        kProperties[0].signature, kProperties[1].signature, kProperties[2].signature, QL_ASCII("NoSuchClass")})
    Linked(s);
}

TEST(ClassGetter, BuildsTheClassOnceFromItsTables) {
  ql::RegisterIntrinsicClasses();
  LinkStrings();
  static RuntimeClass* cached = nullptr;  // classes live for the process, as the image's cache words keep them
  RuntimeClass* cls = quillon::ClassFor(cached, kAppError);
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cached, cls);
  EXPECT_EQ(quillon::ClassFor(cached, kAppError), cls) << "the cached class";
  RuntimeClass* super = cls->super;
  ASSERT_NE(super, nullptr);
  EXPECT_EQ(cls->eventCount, 6) << "up to the highest slot implemented";
  EXPECT_EQ(cls->propertyCount, super->propertyCount + 3);
  EXPECT_EQ(cls->interfaceCount, super->interfaceCount + 1);
  EXPECT_EQ(cls->methodCount, super->methodCount + 1) << "the event implementation";
  EXPECT_EQ(cls->events[5].handler, reinterpret_cast<void*>(Reported));

  const uint32_t fields = quillon::OwnFieldsOffset(cls);
  EXPECT_GE(fields, super->instanceSize);
  EXPECT_EQ(fields % alignof(void*), 0u);
  EXPECT_EQ(cls->instanceSize, fields + sizeof(ErrorFields));
  EXPECT_EQ(cls->properties[super->propertyCount].param, fields + offsetof(ErrorFields, count));
  EXPECT_EQ(cls->properties[super->propertyCount + 2].param, 3u) << "a param of its own stays";
  EXPECT_EQ(cls->properties[super->propertyCount + 2].setter, nullptr);

  RuntimeObject* o = RuntimeNewObject(cls);
  ASSERT_NE(o, nullptr);
  intSetter(o, cls->properties[super->propertyCount].param, 12);
  EXPECT_EQ(quillon::OwnFields<ErrorFields>(o, cls)->count, 12);
  RuntimeMethodEntry* paneChild = RuntimeLookupInterfaceVtable(o, cls->Interfaces()[super->interfaceCount].iface);
  ASSERT_NE(paneChild, nullptr);
  reinterpret_cast<void (*)(RuntimeObject*)>(paneChild[0].function)(o);
  EXPECT_EQ(layouts, 1);
  EXPECT_EQ(reinterpret_cast<int32_t (*)(RuntimeObject*)>(paneChild[2].function)(o), 7);
  RuntimeUnlockObject(o);
}

TEST(ClassGetter, AMissingSuperclassGivesNoClass) {
  LinkStrings();
  quillon::ClassSpec plan = kAppError;
  plan.superclass = QL_ASCII("NoSuchClass");
  RuntimeClass* cached = nullptr;
  EXPECT_EQ(quillon::ClassFor(cached, plan), nullptr);
  EXPECT_EQ(cached, nullptr) << "nothing cached: a later call tries again";
}

TEST(MethodScope, AnExceptionIsSeenAndPassedOnWhenTheMethodEnds) {
  ql::RegisterIntrinsicClasses();
  quillon::Object outer;
  bool seenInside = false;
  const bool reachedOuter = quillon::Protected(outer, [&] {
    quillon::MethodScope scope;
    EXPECT_FALSE(scope.raised());
    RuntimeNilObject();
    seenInside = scope.raised();
  });
  EXPECT_TRUE(seenInside);
  EXPECT_TRUE(reachedOuter);
  ASSERT_TRUE(outer);
  EXPECT_STREQ(outer->cls->name->text + 1, "NilObjectException");

  quillon::Object none;
  EXPECT_FALSE(quillon::Protected(none, [] { quillon::MethodScope scope; }));
}

}  // namespace
