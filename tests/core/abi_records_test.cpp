// The records compiled code shares with the runtime, read and written at
// their byte offsets (docs/abi.md) on the machine the test runs on, as an
// image does: what the runtime stores must be found at the offset, and what
// is stored at the offset must be what the runtime acts on. The linux32
// build runs this with i686's offsets, the other builds with x86_64's.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "core/compiled_code.h"
#include "core/object.h"
#include "core/string.h"
#include "quillon/abi.h"
#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

constexpr bool kI686 = sizeof(void*) == 4;
constexpr size_t kWord = sizeof(void*);

// One row of docs/abi.md: the offset on each machine.
struct Offset {
  size_t i686, x86_64;
  size_t at() const { return kI686 ? i686 : x86_64; }
};

uintptr_t WordAt(const void* record, Offset offset) {
  uintptr_t word;
  memcpy(&word, static_cast<const char*>(record) + offset.at(), sizeof word);
  return word;
}
uint32_t U32At(const void* record, Offset offset) {
  uint32_t value;
  memcpy(&value, static_cast<const char*>(record) + offset.at(), sizeof value);
  return value;
}
void PutWord(void* record, Offset offset, const void* pointer) {
  const uintptr_t word = reinterpret_cast<uintptr_t>(pointer);
  memcpy(static_cast<char*>(record) + offset.at(), &word, sizeof word);
}
void PutU32(void* record, Offset offset, uint32_t value) {
  memcpy(static_cast<char*>(record) + offset.at(), &value, sizeof value);
}
uintptr_t Address(const void* p) { return reinterpret_cast<uintptr_t>(p); }

// RuntimeString
constexpr Offset kStringRefCount{0, 0}, kStringText{4, 8}, kStringSize{8, 16}, kStringLength{12, 20},
    kStringEncoding{16, 24};
// RuntimeObject
constexpr Offset kObjectReserved{0, 0}, kObjectMethodTable{4, 8}, kObjectClass{8, 16}, kObjectEventTable{12, 24},
    kObjectRefCount{16, 32}, kObjectPrevLive{20, 40}, kObjectNextLive{24, 48};
// RuntimeClass head
constexpr Offset kClassSuper{0, 0}, kClassName{4, 8}, kClassInstanceSize{12, 20}, kClassIsAnInterface{16, 24},
    kClassInitHook{20, 32}, kClassDestroyHook{24, 40}, kClassMethodCount{28, 48}, kClassMethods{32, 56},
    kClassEventCount{36, 64}, kClassEvents{40, 72}, kClassStaticMethodCount{44, 80}, kClassStaticMethods{48, 88},
    kClassPropertyCount{52, 96}, kClassProperties{56, 104}, kClassInterfaceCount{60, 112}, kClassHead{64, 120};
// Class table entries
constexpr Offset kMethodEntrySize{8, 16}, kMethodFunction{0, 0}, kMethodSignature{4, 8};
constexpr Offset kEventEntrySize{8, 16}, kEventHandler{0, 0}, kEventName{4, 8};
constexpr Offset kStaticMethodEntrySize{8, 16}, kStaticFunction{0, 0}, kStaticSignature{4, 8};
constexpr Offset kPropertyEntrySize{16, 32}, kPropertySignature{0, 0}, kPropertyParam{4, 8}, kPropertyGetter{8, 16},
    kPropertySetter{12, 24};
constexpr Offset kInterfaceEntrySize{12, 24}, kInterfaceClass{0, 0}, kInterfaceMethodCount{4, 8},
    kInterfaceMethods{8, 16};
// RuntimeException instances
constexpr Offset kExceptionSize{36, 72}, kExceptionErrorNumber{28, 56}, kExceptionMessage{32, 64};
// RuntimeHandlerFrame
constexpr Offset kFrameSize{12, 24}, kFrameLink{0, 0}, kFrameSlot{4, 8}, kFrameRaised{8, 16};

std::string TextOf(uintptr_t stringRecord) {
  if (stringRecord == 0) return "";
  const char* text = reinterpret_cast<const char*>(WordAt(reinterpret_cast<void*>(stringRecord), kStringText));
  return std::string(text + 1, U32At(reinterpret_cast<void*>(stringRecord), kStringLength));
}

RuntimeClass* ExceptionClass() {
  String name = NewStringFromCText("RuntimeException");
  RuntimeClass* cls = RuntimeLookupClass(name.get());
  EXPECT_NE(cls, nullptr);
  return cls;
}

TEST(AbiRecords, TheRecordSizesAreThoseOfThisMachine) {
  struct Case {
    const char* record;
    size_t size;
    Offset expected;
  };
  const Case cases[] = {
      {"RuntimeString", sizeof(RuntimeString), {20, 32}},
      {"RuntimeObject", sizeof(RuntimeObject), {28, 56}},
      {"RuntimeClass head", kRuntimeClassHeadSize, kClassHead},
      {"method entry", sizeof(RuntimeMethodEntry), kMethodEntrySize},
      {"event entry", sizeof(RuntimeEventEntry), kEventEntrySize},
      {"static method entry", sizeof(RuntimeStaticMethodEntry), kStaticMethodEntrySize},
      {"property entry", sizeof(RuntimePropertyEntry), kPropertyEntrySize},
      {"interface entry", sizeof(RuntimeInterfaceEntry), kInterfaceEntrySize},
      {"RuntimeException instance", sizeof(RuntimeExceptionObject), kExceptionSize},
      {"RuntimeHandlerFrame", sizeof(RuntimeHandlerFrame), kFrameSize},
  };
  for (const Case& c : cases) EXPECT_EQ(c.size, c.expected.at()) << c.record;
}

TEST(AbiRecords, ARuntimeStringHoldsItsFieldsAtTheirOffsets) {
  String s = NewStringFromCText("abc");
  RuntimeString* record = s.get();
  EXPECT_EQ(U32At(record, kStringRefCount), 1u);
  const char* buffer = reinterpret_cast<const char*>(WordAt(record, kStringText));
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(buffer[0], 3) << "the length byte";
  EXPECT_EQ(std::string(buffer + 1, 4), std::string("abc\0", 4));
  EXPECT_GE(U32At(record, kStringSize), 5u);
  EXPECT_EQ(U32At(record, kStringLength), 3u);
  EXPECT_EQ(U32At(record, kStringEncoding), uint32_t{QL_ENCODING_ASCII});
  RuntimeLockString(record);
  EXPECT_EQ(U32At(record, kStringRefCount), 2u);
  RuntimeUnlockString(record);
  EXPECT_EQ(U32At(record, kStringRefCount), 1u);
}

std::vector<RuntimeObject*> g_initialised, g_destroyed;
void InitHook(RuntimeObject* object) { g_initialised.push_back(object); }
void DestroyHook(RuntimeObject* object) { g_destroyed.push_back(object); }

// A class on RuntimeException as compiled code makes one, with one interface
// entry and one method, two static methods of its own.
struct MadeClass {
  RuntimeClass* base;
  RuntimeClass* cls;
  int32_t methods, events, statics, properties;
};
MadeClass MakeClass() {
  MadeClass made{};
  made.base = ExceptionClass();
  made.methods = made.base->methodCount + 1;
  made.events = made.base->eventCount;
  made.statics = made.base->staticMethodCount + 2;
  made.properties = made.base->propertyCount;
  made.cls = test::NewTestClass(made.base, made.methods, 1, made.events, made.statics, made.properties);
  return made;
}

TEST(AbiRecords, AClassHeadCountsItsTablesAndPointsIntoItsOneBlock) {
  const MadeClass made = MakeClass();
  const RuntimeClass* cls = made.cls;
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(WordAt(cls, kClassSuper), Address(made.base));
  EXPECT_EQ(U32At(cls, kClassMethodCount), static_cast<uint32_t>(made.methods));
  EXPECT_EQ(U32At(cls, kClassEventCount), static_cast<uint32_t>(made.events));
  EXPECT_EQ(U32At(cls, kClassStaticMethodCount), static_cast<uint32_t>(made.statics));
  EXPECT_EQ(U32At(cls, kClassPropertyCount), static_cast<uint32_t>(made.properties));
  EXPECT_EQ(U32At(cls, kClassInterfaceCount), 1u);
  // After the head: interface entries, then methods, events, static methods, properties.
  const uintptr_t methods = Address(cls) + kClassHead.at() + kInterfaceEntrySize.at();
  const uintptr_t events = methods + made.methods * kMethodEntrySize.at();
  const uintptr_t statics = events + made.events * kEventEntrySize.at();
  const uintptr_t properties = statics + made.statics * kStaticMethodEntrySize.at();
  EXPECT_EQ(WordAt(cls, kClassMethods), methods);
  if (made.events > 0) {
    EXPECT_EQ(WordAt(cls, kClassEvents), events);
  }
  EXPECT_EQ(WordAt(cls, kClassStaticMethods), statics);
  EXPECT_EQ(WordAt(cls, kClassProperties), properties);
  // The superclass's method entries were copied into the new table, each
  // a function and a signature "name%result%params".
  const void* baseMethods = reinterpret_cast<const void*>(WordAt(made.base, kClassMethods));
  for (int32_t i = 0; i < made.base->methodCount; ++i) {
    const void* entry = static_cast<const char*>(baseMethods) + i * kMethodEntrySize.at();
    const void* copy = reinterpret_cast<const char*>(methods) + i * kMethodEntrySize.at();
    EXPECT_EQ(WordAt(copy, kMethodFunction), WordAt(entry, kMethodFunction)) << "method " << i;
    EXPECT_EQ(WordAt(copy, kMethodSignature), WordAt(entry, kMethodSignature)) << "method " << i;
    EXPECT_NE(TextOf(WordAt(entry, kMethodSignature)).find('%'), std::string::npos) << "method " << i;
  }
}

void EventHandler(RuntimeObject*) {}
void StaticMethod() {}

TEST(AbiRecords, EventAndStaticMethodEntriesWrittenAtTheirOffsetsAreWhatASubclassAndItsObjectsGet) {
  RuntimeClass* base = ExceptionClass();
  RuntimeClass* cls = test::NewTestClass(base, base->methodCount, 0, base->eventCount + 1,
                                         base->staticMethodCount + 1, base->propertyCount);
  PutU32(cls, kClassInstanceSize, U32At(base, kClassInstanceSize));
  String eventName = NewStringFromCText("Open");
  String staticSignature = NewStringFromCText("Make%o<AbiRecords>%");
  char* event = reinterpret_cast<char*>(WordAt(cls, kClassEvents)) + base->eventCount * kEventEntrySize.at();
  PutWord(event, kEventHandler, reinterpret_cast<void*>(EventHandler));
  PutWord(event, kEventName, RuntimeLockString(eventName.get()));
  char* staticEntry =
      reinterpret_cast<char*>(WordAt(cls, kClassStaticMethods)) + base->staticMethodCount * kStaticMethodEntrySize.at();
  PutWord(staticEntry, kStaticFunction, reinterpret_cast<void*>(StaticMethod));
  PutWord(staticEntry, kStaticSignature, RuntimeLockString(staticSignature.get()));

  // A subclass starts with copies of both tables.
  RuntimeClass* sub =
      test::NewTestClass(cls, cls->methodCount, 0, cls->eventCount, cls->staticMethodCount, cls->propertyCount);
  PutU32(sub, kClassInstanceSize, U32At(cls, kClassInstanceSize));
  const char* subEvent =
      reinterpret_cast<const char*>(WordAt(sub, kClassEvents)) + base->eventCount * kEventEntrySize.at();
  EXPECT_EQ(WordAt(subEvent, kEventHandler), Address(reinterpret_cast<void*>(EventHandler)));
  EXPECT_EQ(TextOf(WordAt(subEvent, kEventName)), "Open");
  const char* subStatic = reinterpret_cast<const char*>(WordAt(sub, kClassStaticMethods)) +
                          base->staticMethodCount * kStaticMethodEntrySize.at();
  EXPECT_EQ(WordAt(subStatic, kStaticFunction), Address(reinterpret_cast<void*>(StaticMethod)));
  EXPECT_EQ(TextOf(WordAt(subStatic, kStaticSignature)), "Make%o<AbiRecords>%");

  // An object's event table is the class's, as the runtime finds handlers in it.
  RuntimeObject* object = RuntimeNewObject(sub);
  const char* table = reinterpret_cast<const char*>(WordAt(object, kObjectEventTable));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(WordAt(table + base->eventCount * kEventEntrySize.at(), kEventHandler),
            Address(reinterpret_cast<void*>(EventHandler)));
  EXPECT_EQ(EventHandlerAt(object, base->eventCount), reinterpret_cast<void*>(EventHandler));
  RuntimeUnlockObject(object);
}

TEST(AbiRecords, AnObjectHeaderAndTheExceptionFieldsReadThroughTheirOffsets) {
  MadeClass made = MakeClass();
  RuntimeClass* cls = made.cls;
  // Compiled code sets the name, the size and the hooks through the head.
  String name = NewStringFromCText("AbiRecordsError");
  PutWord(cls, kClassName, RuntimeLockString(name.get()));
  PutU32(cls, kClassInstanceSize, U32At(made.base, kClassInstanceSize) + 4);
  PutWord(cls, kClassInitHook, reinterpret_cast<void*>(InitHook));
  PutWord(cls, kClassDestroyHook, reinterpret_cast<void*>(DestroyHook));
  EXPECT_EQ(cls->name, name.get());
  EXPECT_EQ(cls->isAnInterface, 0) << "at " << kClassIsAnInterface.at();

  g_initialised.clear();
  g_destroyed.clear();
  RuntimeObject* first = RuntimeNewObject(cls);
  RuntimeObject* second = RuntimeNewObject(cls);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(g_initialised, (std::vector<RuntimeObject*>{first, second}));
  EXPECT_EQ(U32At(first, kObjectReserved), 0u);
  EXPECT_EQ(WordAt(first, kObjectClass), Address(cls));
  EXPECT_EQ(U32At(first, kObjectRefCount), 1u);
  const void* table = reinterpret_cast<const void*>(WordAt(first, kObjectMethodTable));
  ASSERT_NE(table, nullptr);
  const void* classMethods = reinterpret_cast<const void*>(WordAt(cls, kClassMethods));
  EXPECT_EQ(WordAt(table, kMethodFunction), WordAt(classMethods, kMethodFunction));
  if (made.events > 0) {
    EXPECT_NE(WordAt(first, kObjectEventTable), 0u);
  }
  // Live objects are linked both ways, whichever order the list keeps.
  const bool secondAfterFirst =
      WordAt(second, kObjectPrevLive) == Address(first) && WordAt(first, kObjectNextLive) == Address(second);
  const bool firstAfterSecond =
      WordAt(first, kObjectPrevLive) == Address(second) && WordAt(second, kObjectNextLive) == Address(first);
  EXPECT_TRUE(secondAfterFirst || firstAfterSecond);
  RuntimeLockObject(first);
  EXPECT_EQ(U32At(first, kObjectRefCount), 2u);
  RuntimeUnlockObject(first);

  // The properties ErrorNumber and Message name their fields by offset.
  const char* properties = reinterpret_cast<const char*>(WordAt(cls, kClassProperties));
  uint32_t errorParam = 0, messageParam = 0;
  for (int32_t i = 0; i < made.properties; ++i) {
    const char* entry = properties + i * kPropertyEntrySize.at();
    const std::string signature = TextOf(WordAt(entry, kPropertySignature));
    if (signature.rfind("ErrorNumber", 0) == 0) errorParam = U32At(entry, kPropertyParam);
    if (signature.rfind("Message", 0) == 0) {
      messageParam = U32At(entry, kPropertyParam);
      EXPECT_NE(WordAt(entry, kPropertyGetter), 0u);
      EXPECT_NE(WordAt(entry, kPropertySetter), 0u);
    }
  }
  EXPECT_EQ(errorParam, kExceptionErrorNumber.at());
  EXPECT_EQ(messageParam, kExceptionMessage.at());
  PutU32(first, kExceptionErrorNumber, 1234);
  EXPECT_EQ(intGetter(first, errorParam), 1234);
  String message = NewStringFromCText("written at its offset");
  stringSetter(first, messageParam, message.get());
  EXPECT_EQ(TextOf(WordAt(first, kExceptionMessage)), "written at its offset");

  RuntimeUnlockObject(second);
  RuntimeUnlockObject(first);
  EXPECT_EQ(g_destroyed, (std::vector<RuntimeObject*>{second, first}));
}

TEST(AbiRecords, AnInterfaceEntryWrittenAtItsOffsetsIsTheOneTheRuntimeFinds) {
  String ifaceName = NewStringFromCText("actionSource");
  RuntimeClass* iface = RuntimeLookupClass(ifaceName.get());
  ASSERT_NE(iface, nullptr);
  MadeClass made = MakeClass();
  PutU32(made.cls, kClassInstanceSize, U32At(made.base, kClassInstanceSize));
  RuntimeMethodEntry* vtable = test::NewTestVtable(2);
  void* entry = reinterpret_cast<char*>(made.cls) + kClassHead.at();
  PutWord(entry, kInterfaceClass, iface);
  PutU32(entry, kInterfaceMethodCount, 2);
  PutWord(entry, kInterfaceMethods, vtable);
  RuntimeObject* object = RuntimeNewObject(made.cls);
  EXPECT_EQ(RuntimeLookupInterfaceVtable(object, iface), vtable);
  RuntimeUnlockObject(object);
}

TEST(AbiRecords, AHandlerFrameLinksItsSlotAndItsRaisedWordAtTheirOffsets) {
  RuntimeHandlerFrame outer, inner;
  memset(&inner, 0xA5, sizeof inner);
  RuntimeObject* slot = nullptr;
  RuntimePushHandlerFrame(&outer, nullptr);
  RuntimePushHandlerFrame(&inner, &slot);
  EXPECT_EQ(WordAt(&inner, kFrameLink), Address(&outer));
  EXPECT_EQ(WordAt(&inner, kFrameSlot), Address(&slot));
  EXPECT_EQ(U32At(&inner, kFrameRaised), 0u);
  RuntimeNilObject();
  EXPECT_NE(U32At(&inner, kFrameRaised), 0u);
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(TextOf(WordAt(reinterpret_cast<void*>(WordAt(slot, kObjectClass)), kClassName)), "NilObjectException");
  EXPECT_TRUE(RuntimePopHandlerFrame(&inner));
  EXPECT_FALSE(RuntimePopHandlerFrame(&outer));
  RuntimeUnlockObject(slot);
}

}  // namespace
}  // namespace ql
