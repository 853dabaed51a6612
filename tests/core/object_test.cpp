#include "core/object.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "compiled_code.h"
#include "core/intrinsic_classes.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

using test::CatchScope;

struct Counts {
  int32_t methods, interfaces, events, staticMethods, properties;
};

RuntimeClass* NewClass(RuntimeClass* super, const Counts& c) {
  return test::NewTestClass(super, c.methods, c.interfaces, c.events, c.staticMethods, c.properties);
}

char* At(RuntimeClass* cls, size_t offset) { return reinterpret_cast<char*>(cls) + offset; }

TEST(RuntimeNewClass, LaysTheTablesOutAfterTheHeadInOneZeroedBlock) {
  const Counts c{3, 2, 4, 1, 5};
  RuntimeClass* cls = NewClass(nullptr, c);
  ASSERT_NE(cls, nullptr);
  size_t offset = kRuntimeClassHeadSize;
  EXPECT_EQ(reinterpret_cast<char*>(cls->Interfaces()), At(cls, offset));
  offset += 2 * sizeof(RuntimeInterfaceEntry);
  EXPECT_EQ(reinterpret_cast<char*>(cls->methods), At(cls, offset));
  offset += 3 * sizeof(RuntimeMethodEntry);
  EXPECT_EQ(reinterpret_cast<char*>(cls->events), At(cls, offset));
  offset += 4 * sizeof(RuntimeEventEntry);
  EXPECT_EQ(reinterpret_cast<char*>(cls->staticMethods), At(cls, offset));
  offset += 1 * sizeof(RuntimeStaticMethodEntry);
  EXPECT_EQ(reinterpret_cast<char*>(cls->properties), At(cls, offset));
  offset += 5 * sizeof(RuntimePropertyEntry);
  EXPECT_EQ(cls->methodCount, 3);
  EXPECT_EQ(cls->interfaceCount, 2);
  EXPECT_EQ(cls->eventCount, 4);
  EXPECT_EQ(cls->staticMethodCount, 1);
  EXPECT_EQ(cls->propertyCount, 5);
  EXPECT_EQ(cls->super, nullptr);
  EXPECT_EQ(cls->name, nullptr);
  EXPECT_EQ(cls->instanceSize, 0u);
  for (size_t i = kRuntimeClassHeadSize; i < offset; ++i) ASSERT_EQ(*At(cls, i), 0) << "byte " << i;
}

TEST(RuntimeNewClass, SubclassStartsAsCopyOfSuperclassTables) {
  RuntimeClass* base = NewClass(nullptr, {2, 1, 2, 1, 2});
  RuntimeClass* iface = NewClass(nullptr, {});
  iface->isAnInterface = 1;
  int f1, f2, h1, s1, g1, g2;
  base->methods[0].function = &f1;
  base->methods[1].function = &f2;
  base->events[1].handler = &h1;
  base->staticMethods[0].function = &s1;
  base->properties[0] = {nullptr, 28, &g1, nullptr};
  base->properties[1] = {nullptr, 32, &g2, QL_STANDARD_ACCESSOR};
  base->Interfaces()[0] = {iface, 0, nullptr};

  RuntimeClass* same = NewClass(base, {2, 1, 2, 1, 2});
  ASSERT_NE(same, nullptr);
  EXPECT_EQ(same->super, base);
  EXPECT_EQ(memcmp(same->methods, base->methods, 2 * sizeof(RuntimeMethodEntry)), 0);
  EXPECT_EQ(memcmp(same->events, base->events, 2 * sizeof(RuntimeEventEntry)), 0);
  EXPECT_EQ(memcmp(same->staticMethods, base->staticMethods, sizeof(RuntimeStaticMethodEntry)), 0);
  EXPECT_EQ(memcmp(same->properties, base->properties, 2 * sizeof(RuntimePropertyEntry)), 0);
  EXPECT_EQ(memcmp(same->Interfaces(), base->Interfaces(), sizeof(RuntimeInterfaceEntry)), 0);

  RuntimeClass* bigger = NewClass(base, {4, 2, 3, 2, 3});
  ASSERT_NE(bigger, nullptr);
  EXPECT_EQ(bigger->methods[1].function, &f2);
  EXPECT_EQ(bigger->methods[2].function, nullptr);
  EXPECT_EQ(bigger->events[1].handler, &h1);
  EXPECT_EQ(bigger->events[2].handler, nullptr);
  EXPECT_EQ(bigger->properties[1].param, 32u);
  EXPECT_EQ(bigger->properties[2].getter, nullptr);
  EXPECT_EQ(bigger->Interfaces()[0].iface, iface);
  EXPECT_EQ(bigger->Interfaces()[1].iface, nullptr);
}

TEST(RuntimeNewClass, ReportsEachTableSmallerThanTheSuperclassAndKeepsWhatFits) {
  struct Case {
    Counts counts;
    const char* condition;
  };
  const Case cases[] = {
      {{1, 2, 2, 2, 2}, "out->methodCount >= base->methodCount"},
      {{2, 1, 2, 2, 2}, "out->interfaceCount >= base->interfaceCount"},
      {{2, 2, 1, 2, 2}, "out->eventCount >= base->eventCount"},
      {{2, 2, 2, 1, 2}, "out->staticMethodCount >= base->staticMethodCount"},
      {{2, 2, 2, 2, 1}, "out->propertyCount >= base->propertyCount"},
  };
  RuntimeClass* base = NewClass(nullptr, {2, 2, 2, 2, 2});
  int marker;
  for (int i = 0; i < 2; ++i) {
    base->methods[i].function = &marker;
    base->events[i].handler = &marker;
    base->staticMethods[i].function = &marker;
    base->properties[i].getter = &marker;
  }
  for (const Case& c : cases) {
    test::AssertionRecorder recorder;
    RuntimeClass* cls = NewClass(base, c.counts);
    ASSERT_NE(cls, nullptr);
    ASSERT_EQ(recorder.count(), 1u) << c.condition;
    EXPECT_EQ(recorder.reports()[0].condition, c.condition);
    EXPECT_EQ(recorder.reports()[0].source, "RuntimeObjectFoundation");
    // The short table holds the first entries only: nothing spilt into the next table.
    EXPECT_EQ(cls->methods[0].function, &marker);
    EXPECT_EQ(cls->properties[cls->propertyCount - 1].getter, &marker);
  }
}

TEST(RuntimeNewClass, NegativeCountsAreRefusedWithNilObjectException) {
  CatchScope scope;
  EXPECT_EQ(RuntimeNewClass(nullptr, -1, 0, 0, 0, 0), nullptr);
  ASSERT_TRUE(scope.Close());
  EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException");
}

TEST(RuntimeNewVtable, GivesTheRequestedEntriesOrNilWithNilObjectException) {
  RuntimeMethodEntry* table = test::NewTestVtable(3);
  ASSERT_NE(table, nullptr);
  for (int i = 0; i < 3; ++i) table[i] = {nullptr, nullptr};  // writable for all three
  CatchScope scope;
  EXPECT_EQ(RuntimeNewVtable(-2), nullptr);
  ASSERT_TRUE(scope.Close());
  EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException");
}

// A class with hooks that record their calls.
std::vector<std::string>* g_calls = nullptr;
void InitRoot(RuntimeObject*) { g_calls->push_back("init root"); }
void InitMiddle(RuntimeObject*) { g_calls->push_back("init middle"); }
void InitLeaf(RuntimeObject*) { g_calls->push_back("init leaf"); }
void DestroyRoot(RuntimeObject*) { g_calls->push_back("destroy root"); }
void DestroyLeaf(RuntimeObject*) { g_calls->push_back("destroy leaf"); }
void Destroyed(RuntimeObject*) { g_calls->push_back("destroyed hook"); }

struct HookChain {
  RuntimeClass* root = NewClass(nullptr, {});
  RuntimeClass* middle = NewClass(root, {});
  RuntimeClass* leaf = NewClass(middle, {});
  HookChain() {
    root->initHook = InitRoot;
    root->destroyHook = DestroyRoot;
    middle->initHook = InitMiddle;  // no destroy hook: skipped
    leaf->initHook = InitLeaf;
    leaf->destroyHook = DestroyLeaf;
    leaf->instanceSize = kObjectHeaderSize + 8;
  }
};

TEST(RuntimeNewObject, SetsTheHeaderAndRunsInitHooksRootFirstDestroyHooksMostDerivedFirst) {
  std::vector<std::string> calls;
  g_calls = &calls;
  HookChain chain;
  RuntimeObjectHook previous = SetObjectDestroyedHook(Destroyed);
  const size_t live = LiveObjectCount();

  RuntimeObject* o = RuntimeNewObject(chain.leaf);
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(o->reserved, 0u);
  EXPECT_EQ(o->cls, chain.leaf);
  EXPECT_EQ(o->methodTable, chain.leaf->methods);
  EXPECT_EQ(o->eventTable, chain.leaf->events);
  EXPECT_EQ(o->refCount, 1);
  EXPECT_EQ(FirstLiveObject(), o);
  EXPECT_EQ(o->prevLive, nullptr);
  EXPECT_EQ(LiveObjectCount(), live + 1);
  const char* fields = reinterpret_cast<const char*>(o) + kObjectHeaderSize;
  for (int i = 0; i < 8; ++i) EXPECT_EQ(fields[i], 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"init root", "init middle", "init leaf"}));

  calls.clear();
  RuntimeUnlockObject(o);
  EXPECT_EQ(calls, (std::vector<std::string>{"destroy leaf", "destroy root", "destroyed hook"}));
  EXPECT_EQ(LiveObjectCount(), live);
  SetObjectDestroyedHook(previous);
  g_calls = nullptr;
}

TEST(RuntimeNewObject, LiveListStaysLinkedWhenObjectsDieInAnyOrder) {
  RuntimeClass* cls = NewClass(nullptr, {});
  RuntimeObject* a = RuntimeNewObject(cls);
  RuntimeObject* b = RuntimeNewObject(cls);
  RuntimeObject* c = RuntimeNewObject(cls);
  // The newest is the head: c, b, a.
  EXPECT_EQ(FirstLiveObject(), c);
  EXPECT_EQ(c->nextLive, b);
  EXPECT_EQ(b->prevLive, c);
  EXPECT_EQ(b->nextLive, a);
  RuntimeUnlockObject(b);  // from the middle
  EXPECT_EQ(c->nextLive, a);
  EXPECT_EQ(a->prevLive, c);
  RuntimeUnlockObject(c);  // the head
  EXPECT_EQ(FirstLiveObject(), a);
  EXPECT_EQ(a->prevLive, nullptr);
  RuntimeUnlockObject(a);
}

TEST(RuntimeNewObject, NilClassRaisesAndInterfaceIsAnInternalError) {
  {
    CatchScope scope;
    EXPECT_EQ(RuntimeNewObject(nullptr), nullptr);
    ASSERT_TRUE(scope.Close());
    EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException");
  }
  RuntimeClass* iface = NewClass(nullptr, {});
  iface->isAnInterface = 1;
  test::AssertionRecorder recorder;
  const size_t live = LiveObjectCount();
  EXPECT_EQ(RuntimeNewObject(iface), nullptr);
  EXPECT_TRUE(recorder.Saw("!parent->isAnInterface"));
  EXPECT_EQ(LiveObjectCount(), live);
}

TEST(RuntimeNewObject, ClassWithoutInstanceSizeStillGetsTheHeader) {
  RuntimeClass* cls = NewClass(nullptr, {});  // instanceSize left 0
  RuntimeObject* o = RuntimeNewObject(cls);
  ASSERT_NE(o, nullptr);
  o->refCount = 1;  // the header is writable
  RuntimeUnlockObject(o);
}

TEST(ReferenceCounts, LockAndUnlockLeaveNilAndUncountedObjectsAlone) {
  RuntimeLockObject(nullptr);
  RuntimeUnlockObject(nullptr);
  RuntimeLockUnlockObjects(nullptr, nullptr);

  RuntimeObject uncounted{};
  uncounted.refCount = 0;
  RuntimeLockObject(&uncounted);
  EXPECT_EQ(uncounted.refCount, 0);
  RuntimeUnlockObject(&uncounted);  // must not destroy a block it never allocated
  EXPECT_EQ(uncounted.refCount, 0);
}

TEST(ReferenceCounts, AssignmentLocksTheNewValueBeforeUnlockingTheOld) {
  RuntimeClass* cls = NewClass(nullptr, {});
  RuntimeObject* x = RuntimeNewObject(cls);
  RuntimeLockUnlockObjects(x, x);  // assigning a variable its own value
  EXPECT_EQ(x->refCount, 1);

  RuntimeObject* y = RuntimeNewObject(cls);
  RuntimeLockUnlockObjects(y, x);  // x's only reference goes, y gains one
  EXPECT_EQ(y->refCount, 2);
  RuntimeLockUnlockObjects(nullptr, y);
  EXPECT_EQ(y->refCount, 1);
  RuntimeUnlockObject(y);
}

struct Hierarchy {
  RuntimeClass* iface = NewClass(nullptr, {});
  RuntimeClass* otherIface = NewClass(nullptr, {});
  RuntimeClass* base = NewClass(nullptr, {0, 1, 0, 0, 0});
  RuntimeClass* derived = nullptr;
  RuntimeClass* unrelated = NewClass(nullptr, {});
  RuntimeMethodEntry* table = test::NewTestVtable(1);
  Hierarchy() {
    iface->isAnInterface = 1;
    otherIface->isAnInterface = 1;
    base->Interfaces()[0] = {iface, 1, table};
    derived = NewClass(base, {0, 1, 0, 0, 0});  // inherits the interface entry
  }
};

TEST(RuntimeObjectIsa, FollowsSuperclassesAndInterfaceEntries) {
  Hierarchy h;
  RuntimeObject* o = RuntimeNewObject(h.derived);
  struct Case {
    RuntimeObject* object;
    RuntimeClass* cls;
    bool expected;
    const char* what;
  };
  const Case cases[] = {
      {nullptr, h.base, false, "nil object"},
      {o, nullptr, true, "nil class"},
      {o, h.derived, true, "own class"},
      {o, h.base, true, "superclass"},
      {o, h.unrelated, false, "unrelated class"},
      {o, h.iface, true, "interface only the superclass declares"},
      {o, h.otherIface, false, "interface nobody declares"},
  };
  for (const Case& c : cases) EXPECT_EQ(RuntimeObjectIsa(c.object, c.cls), c.expected) << c.what;
  RuntimeUnlockObject(o);
}

TEST(RuntimeCheckCast, SuccessAddsAReferenceAndMismatchRaisesIllegalCast) {
  Hierarchy h;
  RuntimeObject* o = RuntimeNewObject(h.derived);
  {
    CatchScope scope;
    EXPECT_EQ(RuntimeCheckCast(nullptr, h.base), nullptr);
    EXPECT_FALSE(scope.Close()) << "casting nil raises nothing";
  }
  for (RuntimeClass* target : {h.base, h.iface, static_cast<RuntimeClass*>(nullptr)}) {
    EXPECT_EQ(RuntimeCheckCast(o, target), o);
    EXPECT_EQ(o->refCount, 2);
    RuntimeUnlockObject(o);
  }
  CatchScope scope;
  EXPECT_EQ(RuntimeCheckCast(o, h.unrelated), nullptr);
  ASSERT_TRUE(scope.Close());
  EXPECT_STREQ(scope.CaughtClassName(), "IllegalCastException");
  EXPECT_EQ(o->refCount, 1);
  RuntimeUnlockObject(o);
}

TEST(RuntimeLookupInterfaceVtable, FindsInheritedTablesAndRaisesOnEveryMismatch) {
  Hierarchy h;
  RuntimeObject* o = RuntimeNewObject(h.derived);
  EXPECT_EQ(RuntimeLookupInterfaceVtable(o, h.iface), h.table);
  EXPECT_EQ(o->refCount, 1) << "no reference is added";
  struct Case {
    RuntimeObject* object;
    RuntimeClass* iface;
    const char* raised;
  };
  const Case cases[] = {
      {nullptr, h.iface, "NilObjectException"},
      {o, nullptr, "NilObjectException"},
      {o, h.base, "IllegalCastException"},  // not an interface
      {o, h.otherIface, "IllegalCastException"},
  };
  for (const Case& c : cases) {
    CatchScope scope;
    EXPECT_EQ(RuntimeLookupInterfaceVtable(c.object, c.iface), nullptr);
    ASSERT_TRUE(scope.Close());
    EXPECT_STREQ(scope.CaughtClassName(), c.raised);
  }
  RuntimeUnlockObject(o);
}

TEST(EventHandlerAt, ReadsTheSlotOfTheObjectsClassAndRefusesSlotsBeyondIt) {
  RuntimeClass* cls = NewClass(nullptr, {0, 0, 2, 0, 0});
  int handler;
  cls->events[1].handler = &handler;
  RuntimeObject* o = RuntimeNewObject(cls);
  EXPECT_EQ(EventHandlerAt(o, 0), nullptr);
  EXPECT_EQ(EventHandlerAt(o, 1), &handler);
  EXPECT_EQ(EventHandlerAt(o, 2), nullptr);
  EXPECT_EQ(EventHandlerAt(o, -1), nullptr);
  EXPECT_EQ(EventHandlerAt(nullptr, 0), nullptr);
  RuntimeUnlockObject(o);
}

}  // namespace
}  // namespace ql

namespace ql {
namespace {

TEST(ObjectRef, OwnsOneReferenceThroughCopiesMovesAndAssignments) {
  RuntimeClass* cls = test::NewTestClass(nullptr, 0, 0, 0, 0, 0);
  RuntimeObject* a = RuntimeNewObject(cls);
  RuntimeObject* b = RuntimeNewObject(cls);
  const size_t live = LiveObjectCount();
  {
    ObjectRef ra = ObjectRef::Adopt(a);  // takes over the creation reference
    ObjectRef copy = ra;
    EXPECT_EQ(a->refCount, 2);
    ObjectRef moved = std::move(copy);
    EXPECT_EQ(copy.get(), nullptr);
    EXPECT_EQ(a->refCount, 2);
    moved = moved;  // assigning itself keeps it alive
    EXPECT_EQ(a->refCount, 2);
    ObjectRef rb = ObjectRef::Retain(b);
    EXPECT_EQ(b->refCount, 2);
    moved = rb;  // a loses one, b gains one
    EXPECT_EQ(a->refCount, 1);
    EXPECT_EQ(b->refCount, 3);
    rb = std::move(ra);  // b loses one, a moves over
    EXPECT_EQ(b->refCount, 2);
    EXPECT_EQ(a->refCount, 1);
  }
  EXPECT_EQ(LiveObjectCount(), live - 1) << "a died with its last handle; b keeps its own reference";
  EXPECT_EQ(b->refCount, 1);
  RuntimeUnlockObject(b);
}

}  // namespace
}  // namespace ql
