// A test playing the application image: it builds its own classes on an
// intrinsic superclass exactly as compiled class getters do, then creates,
// casts, dispatches and applies design-time property values.
#include <gtest/gtest.h>
#include <stddef.h>
#include <string.h>

#include <string>
#include <vector>

#include "compiled_code.h"
#include "core/object.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/strings.h"
#include "core/entrypoint_table.h"

namespace ql {
namespace {

// A string record of the image's data section: the text follows the record.
struct ImageString {
  RuntimeString record;
  char text[48];
};

ImageString MakeImageString(const char* text) {
  ImageString s{};
  const size_t n = strlen(text);
  s.text[0] = static_cast<char>(n);
  memcpy(s.text + 1, text, n);
  s.record = RuntimeString{1, nullptr, static_cast<uint32_t>(n + 2), static_cast<int32_t>(n), QL_ENCODING_ASCII};
  return s;
}

// The image links its strings in place; these stay where they are.
ImageString* Data(const char* text) {
  ImageString* s = new ImageString(MakeImageString(text));
  s->record.text = s->text;
  test::KeepForProcess(s);
  return s;
}
RuntimeString* S(ImageString* s) { return &s->record; }

// AppError: a compiled subclass of RuntimeException with six fields of its own.
struct AppErrorObject {
  RuntimeExceptionObject base;
  uint8_t flag;
  int32_t tint;
  int32_t count;
  float ratio;
  double amount;
  RuntimeString* label;
  RuntimeObject* owner;
};

std::vector<std::string> g_trace;

RuntimeString* AppErrorDescribe(RuntimeObject*) { return RuntimeLockString(nullptr); }
int32_t AppErrorSeverity(RuntimeObject*) { return 1; }
int32_t AppErrorDetailSeverity(RuntimeObject*) { return 3; }
void AppErrorLayout(RuntimeObject*) { g_trace.push_back("_Layout"); }
void AppErrorSetWindow(RuntimeObject*, RuntimeObject*) { g_trace.push_back("_SetWindow"); }
int32_t AppErrorIndex(RuntimeObject*) { return 5; }
bool AppErrorDetailReported(RuntimeObject*, int32_t code) { return code == 42; }
void AppErrorCountSetter(RuntimeObject* o, uint32_t param, int32_t v) {
  g_trace.push_back("count " + std::to_string(v));
  intSetter(o, param, v);
}

AppErrorObject& Fields(RuntimeObject* o) { return *reinterpret_cast<AppErrorObject*>(o); }
void AppErrorInit(RuntimeObject* o) { Fields(o).count = 7; }
void AppErrorDetailInit(RuntimeObject* o) { Fields(o).count *= 2; }  // runs after AppError's
void AppErrorDestroy(RuntimeObject* o) {
  g_trace.push_back("destroy AppError");
  RuntimeUnlockString(Fields(o).label);
  RuntimeUnlockObject(Fields(o).owner);
}
void AppErrorDetailDestroy(RuntimeObject*) { g_trace.push_back("destroy AppErrorDetail"); }

void StoreMethod(RuntimeMethodEntry& entry, void* function, RuntimeString* signature) {
  entry = {function, signature};
  RuntimeLockString(signature);
}

void StoreProperty(RuntimeClass* c, int i, const char* signature, uint32_t param, void* setter) {
  c->properties[i] = {S(Data(signature)), param, QL_STANDARD_ACCESSOR, setter};
  RuntimeLockString(c->properties[i].signature);
}

RuntimeClass* g_appErrorClass = nullptr;

// The class getter of AppError, step by step.
RuntimeClass* AppErrorClass() {
  if (g_appErrorClass) return g_appErrorClass;                                   // 1
  RuntimeClass* super = RuntimeLookupClass(S(Data("RuntimeException")));          // 2
  RuntimeClass* c = g_appErrorClass =
      RuntimeNewClass(super, 2, super->interfaceCount + 1, super->eventCount + 2, super->staticMethodCount,
                      super->propertyCount + 6);                                   // 3
  c->name = RuntimeLockString(S(Data("AppError")));                               // 4
  c->isAnInterface = 0;
  c->instanceSize = sizeof(AppErrorObject);
  c->initHook = AppErrorInit;
  c->destroyHook = AppErrorDestroy;
  StoreMethod(c->methods[0], EntryAddress(AppErrorDescribe), S(Data("Describe%s%o<AppError>")));  // 5
  StoreMethod(c->methods[1], EntryAddress(AppErrorSeverity), S(Data("Severity%i%o<AppError>")));
  RuntimeInterfaceEntry& paneChild = c->Interfaces()[super->interfaceCount];                       // 6
  paneChild.iface = RuntimeLookupClass(S(Data("_PaneChild")));
  paneChild.methodCount = 3;
  paneChild.methods = RuntimeNewVtable(3);
  StoreMethod(paneChild.methods[0], EntryAddress(AppErrorLayout), S(Data("_Layout%%o<AppError>")));
  StoreMethod(paneChild.methods[1], EntryAddress(AppErrorSetWindow), S(Data("_SetWindow%%o<AppError>o<Window>")));
  StoreMethod(paneChild.methods[2], EntryAddress(AppErrorIndex), S(Data("_Index%i%o<AppError>")));
  const int p = super->propertyCount;                                                              // 7
  StoreProperty(c, p + 0, "flag%b%", offsetof(AppErrorObject, flag), QL_STANDARD_ACCESSOR);
  StoreProperty(c, p + 1, "tint%c%", offsetof(AppErrorObject, tint), QL_STANDARD_ACCESSOR);
  StoreProperty(c, p + 2, "count%i%", offsetof(AppErrorObject, count), EntryAddress(AppErrorCountSetter));
  StoreProperty(c, p + 3, "ratio%f%", offsetof(AppErrorObject, ratio), QL_STANDARD_ACCESSOR);
  StoreProperty(c, p + 4, "amount%d%", offsetof(AppErrorObject, amount), QL_STANDARD_ACCESSOR);
  StoreProperty(c, p + 5, "label%s%", offsetof(AppErrorObject, label), QL_STANDARD_ACCESSOR);
  return c;                                                                                         // 8
}

RuntimeClass* g_detailClass = nullptr;

// A compiled subclass of AppError: the same counts, one method overridden,
// one of AppError's events implemented.
RuntimeClass* AppErrorDetailClass() {
  if (g_detailClass) return g_detailClass;
  RuntimeClass* super = AppErrorClass();  // its own class getter, not a lookup
  RuntimeClass* c = g_detailClass = RuntimeNewClass(super, super->methodCount, super->interfaceCount,
                                                    super->eventCount, super->staticMethodCount, super->propertyCount);
  c->name = RuntimeLockString(S(Data("AppErrorDetail")));
  c->instanceSize = sizeof(AppErrorObject);
  c->initHook = AppErrorDetailInit;
  c->destroyHook = AppErrorDetailDestroy;
  StoreMethod(c->methods[1], EntryAddress(AppErrorDetailSeverity), S(Data("Severity%i%o<AppErrorDetail>")));
  c->events[1] = {EntryAddress(AppErrorDetailReported), S(Data("Reported"))};
  return c;
}

// The mass-property blob of a design-time AppErrorDetail: every encoding.
std::string DesignTimeValues() {
  std::string b;
  auto index = [&](int i) {
    b.push_back(static_cast<char>(i >> 8));
    b.push_back(static_cast<char>(i));
  };
  auto word = [&](uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<char>(v >> shift));
  };
  auto text = [&](const std::string& t) {
    word(static_cast<uint32_t>(t.size()));
    b += t;
  };
  index(0), text("Element table missing");  // Message, through stringSetter
  index(1), word(404);                      // ErrorNumber, through intSetter
  index(2), b.push_back(1);                 // flag: b
  index(3), b += "\x10\x20\x30";            // tint: c
  index(4), word(0xFFFFFFFF);               // count: i, the class's own setter
  float ratio = 0.5f;
  uint32_t ratioBits;
  memcpy(&ratioBits, &ratio, 4);
  index(5), word(ratioBits);  // ratio: f
  double amount = 58.44;
  uint64_t amountBits;
  memcpy(&amountBits, &amount, 8);
  index(6), word(static_cast<uint32_t>(amountBits >> 32)), word(static_cast<uint32_t>(amountBits));  // d
  index(7), text("NaCl");                                                                              // s
  return b;
}

TEST(CompiledClasses, BuildInstantiateCastDispatchAndApplyDesignTimeValues) {
  RuntimeClass* detail = AppErrorDetailClass();
  RuntimeClass* appError = AppErrorClass();
  RuntimeClass* exception = RuntimeLookupClass(S(Data("runtimeexception")));
  ASSERT_NE(exception, nullptr);
  EXPECT_EQ(AppErrorDetailClass(), detail) << "the cached class word";
  EXPECT_EQ(RuntimeLookupClass(S(Data("AppError"))), nullptr) << "image classes never enter the class cache";

  // Inherited entries arrived filled.
  EXPECT_EQ(detail->properties[0].setter, exception->properties[0].setter);
  EXPECT_EQ(detail->methods[0].function, EntryAddress(AppErrorDescribe));
  EXPECT_EQ(detail->Interfaces()[0].iface, appError->Interfaces()[0].iface);

  g_trace.clear();
  RuntimeObject* o = RuntimeNewObject(detail);
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(Fields(o).count, 14) << "init hooks ran root first";

  // Casts.
  for (RuntimeClass* target : {detail, appError, exception, detail->Interfaces()[0].iface}) {
    RuntimeObject* cast = RuntimeCheckCast(o, target);
    EXPECT_EQ(cast, o);
    RuntimeUnlockObject(cast);
  }
  {
    test::CatchScope scope;
    EXPECT_EQ(RuntimeCheckCast(o, RuntimeLookupClass(S(Data("Window")))), nullptr);
    EXPECT_TRUE(scope.Close());
    EXPECT_STREQ(scope.CaughtClassName(), "IllegalCastException");
  }

  // Virtual calls through the object's method table, interface calls, events.
  using IntMethod = int32_t (*)(RuntimeObject*);
  EXPECT_EQ(reinterpret_cast<IntMethod>(o->methodTable[1].function)(o), 3) << "overridden";
  EXPECT_STREQ(StringText(o->methodTable[1].signature), "Severity%i%o<AppErrorDetail>");
  RuntimeMethodEntry* paneChild = RuntimeLookupInterfaceVtable(o, detail->Interfaces()[0].iface);
  ASSERT_NE(paneChild, nullptr);
  EXPECT_EQ(reinterpret_cast<IntMethod>(paneChild[2].function)(o), 5);
  using Event = bool (*)(RuntimeObject*, int32_t);
  ASSERT_NE(EventHandlerAt(o, 1), nullptr);
  EXPECT_TRUE(reinterpret_cast<Event>(EventHandlerAt(o, 1))(o, 42));
  EXPECT_EQ(EventHandlerAt(o, 0), nullptr);

  // Design-time values.
  String blob = NewStringFromBytes(DesignTimeValues().data(), static_cast<int32_t>(DesignTimeValues().size()),
                                   QL_ENCODING_UNDEFINED);
  RuntimeMassPropertySetter(o, blob.get());
  AppErrorObject& f = Fields(o);
  EXPECT_STREQ(StringText(f.base.message), "Element table missing");
  EXPECT_EQ(f.base.errorNumber, 404);
  EXPECT_EQ(f.flag, 1);
  EXPECT_EQ(f.tint, 0x102030);
  EXPECT_EQ(f.count, -1);
  EXPECT_EQ(f.ratio, 0.5f);
  EXPECT_EQ(f.amount, 58.44);
  EXPECT_STREQ(StringText(f.label), "NaCl");
  EXPECT_EQ(g_trace, (std::vector<std::string>{"count -1"}));

  // Destruction: most derived first; RuntimeException releases Message.
  RuntimeString* message = RuntimeLockString(f.base.message);
  g_trace.clear();
  RuntimeUnlockObject(o);
  EXPECT_EQ(g_trace, (std::vector<std::string>{"destroy AppErrorDetail", "destroy AppError"}));
  EXPECT_EQ(message->refCount, 1);
  RuntimeUnlockString(message);
}

TEST(CompiledClasses, ACompiledExceptionIsRaisedAndCaughtLikeAnIntrinsicOne) {
  test::CatchScope scope;
  RuntimeObject* e = RuntimeNewObject(AppErrorDetailClass());
  RuntimeRaiseException(e);
  RuntimeUnlockObject(e);
  ASSERT_TRUE(scope.Close());
  EXPECT_STREQ(scope.CaughtClassName(), "AppErrorDetail");
  EXPECT_EQ(scope.caught()->refCount, 1);
}

}  // namespace
}  // namespace ql
