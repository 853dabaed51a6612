#include <gtest/gtest.h>
#include <stddef.h>
#include <string.h>

#include <string>
#include <vector>

#include "compiled_code.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

struct Fields {
  RuntimeObject header;
  uint8_t flag;
  int32_t tint;
  int32_t count;
  float ratio;
  double amount;
  RuntimeString* label;
};

// What the custom setters were called with.
struct Calls {
  std::vector<std::string> log;
};
Calls* g_calls;

void RecordBool(RuntimeObject*, uint32_t param, bool v) {
  g_calls->log.push_back("bool " + std::to_string(param) + " " + (v ? "true" : "false"));
}
void RecordInt(RuntimeObject*, uint32_t param, int32_t v) {
  g_calls->log.push_back("int " + std::to_string(param) + " " + std::to_string(v));
}
void RecordSingle(RuntimeObject*, uint32_t param, float v) {
  g_calls->log.push_back("single " + std::to_string(param) + " " + std::to_string(v));
}
void RecordString(RuntimeObject*, uint32_t param, RuntimeString* v) {
  g_calls->log.push_back("string " + std::to_string(param) + " '" + StringText(v) + "' count " +
                         std::to_string(v ? v->refCount : 0) + (StringEncoding(v) == QL_ENCODING_UTF8 ? " utf8" : ""));
}

void* Fn(auto f) { return reinterpret_cast<void*>(f); }

// A class whose properties cover every value encoding, through the standard
// setters (setter word 1) and through setters that record their arguments.
struct Fixture {
  std::vector<String> signatures;
  RuntimeClass* cls = test::NewTestClass(nullptr, 0, 0, 0, 0, 12);
  RuntimeObject* o = nullptr;
  Calls calls;

  void Set(int i, const char* signature, uint32_t param, void* setter) {
    signatures.push_back(NewStringFromCText(signature));
    cls->properties[i] = RuntimePropertyEntry{signatures.back().get(), param, nullptr, setter};
  }

  Fixture() {
    Set(0, "Flag%b", offsetof(Fields, flag), QL_STANDARD_ACCESSOR);
    Set(1, "Tint%c", offsetof(Fields, tint), QL_STANDARD_ACCESSOR);
    Set(2, "Count%i", offsetof(Fields, count), QL_STANDARD_ACCESSOR);
    Set(3, "Ratio%f", offsetof(Fields, ratio), QL_STANDARD_ACCESSOR);
    Set(4, "Amount%d", offsetof(Fields, amount), QL_STANDARD_ACCESSOR);
    Set(5, "Label%s", offsetof(Fields, label), QL_STANDARD_ACCESSOR);
    Set(6, "Seen%b", 6, Fn(RecordBool));
    Set(7, "Custom%i", 7, Fn(RecordInt));
    Set(8, "ReadOnly%i", 8, nullptr);
    Set(9, "owner%o<Window1>%", 9, QL_STANDARD_ACCESSOR);
    Set(10, "Scale%f", 10, Fn(RecordSingle));
    Set(11, "Title%s", 11, Fn(RecordString));
    cls->instanceSize = sizeof(Fields);
    o = RuntimeNewObject(cls);
    g_calls = &calls;
  }
  ~Fixture() {
    stringSetter(o, offsetof(Fields, label), nullptr);
    RuntimeUnlockObject(o);
    g_calls = nullptr;
  }
  Fields& fields() { return *reinterpret_cast<Fields*>(o); }
  void Apply(const std::string& data) {
    String s = NewStringFromBytes(data.data(), static_cast<int32_t>(data.size()), QL_ENCODING_UNDEFINED);
    RuntimeMassPropertySetter(o, s.get());
  }
};

// The byte stream: big-endian index, then the value bytes.
struct Blob {
  std::string bytes;
  Blob& Index(int i) { return Raw({static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)}); }
  Blob& Raw(std::initializer_list<uint8_t> b) {
    for (uint8_t x : b) bytes.push_back(static_cast<char>(x));
    return *this;
  }
  Blob& Word(uint32_t v) { return Raw({uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)}); }
  Blob& Text(const std::string& t) {
    Word(static_cast<uint32_t>(t.size()));
    bytes += t;
    return *this;
  }
  Blob& Single(float f) {
    uint32_t w;
    memcpy(&w, &f, 4);
    return Word(w);
  }
  Blob& Double(double d) {
    uint64_t w;
    memcpy(&w, &d, 8);
    Word(static_cast<uint32_t>(w >> 32));
    return Word(static_cast<uint32_t>(w));
  }
};

TEST(MassPropertySetter, EveryEncodingThroughTheStandardSetters) {
  Fixture f;
  f.Apply(Blob()
              .Index(0).Raw({0x02})
              .Index(1).Raw({0x12, 0x34, 0x56})
              .Index(2).Word(0xFFFFFFFE)
              .Index(3).Single(0.75f)
              .Index(4).Double(1234.5678)
              .Index(5).Text("Solutions\r\nDilutions")
              .bytes);
  EXPECT_EQ(f.fields().flag, 1) << "a nonzero byte is true";
  EXPECT_EQ(f.fields().tint, 0x00123456);
  EXPECT_EQ(f.fields().count, -2);
  EXPECT_EQ(f.fields().ratio, 0.75f);
  EXPECT_EQ(f.fields().amount, 1234.5678);
  ASSERT_NE(f.fields().label, nullptr);
  EXPECT_STREQ(StringText(f.fields().label), "Solutions\r\nDilutions");
  EXPECT_EQ(StringEncoding(f.fields().label), QL_ENCODING_UTF8);
  EXPECT_EQ(f.fields().label->refCount, 1) << "the setter's reference only";
}

TEST(MassPropertySetter, OwnSettersReceiveParamAndTypedValue) {
  Fixture f;
  f.Apply(Blob()
              .Index(6).Raw({0x00})
              .Index(7).Word(0x7FFFFFFF)
              .Index(10).Single(-2.5f)
              .Index(11).Text("Calculate")
              .Index(11).Text("")
              .bytes);
  EXPECT_EQ(f.calls.log, (std::vector<std::string>{
                             "bool 6 false",
                             "int 7 2147483647",
                             "single 10 -2.500000",
                             "string 11 'Calculate' count 1 utf8",
                             "string 11 '' count 0",
                         }));
}

TEST(MassPropertySetter, BadRecordsAreReportedAndNeverReadPastTheData) {
  struct Case {
    const char* what;
    std::string data;
    const char* condition;
    std::vector<std::string> applied;  // what the recording setters saw
  };
  const Case cases[] = {
      {"index beyond the table stops", Blob().Index(12).Word(1).Index(7).Word(1).bytes,
       "destIndex < propTableCount", {}},
      {"read-only value is skipped", Blob().Index(8).Word(5).Index(7).Word(9).bytes, "destProperty->setter",
       {"int 7 9"}},
      {"object type has no encoding", Blob().Index(9).Word(0).Index(7).Word(1).bytes, "0", {}},
      {"half an index", Blob().Index(7).Word(3).Raw({0x00}).bytes, "valueBytes <= bytesLeft", {"int 7 3"}},
      {"short integer", Blob().Index(7).Raw({1, 2, 3}).bytes, "valueBytes <= bytesLeft", {}},
      {"short double", Blob().Index(4).Word(0).bytes, "valueBytes <= bytesLeft", {}},
      {"colour of two bytes", Blob().Index(1).Raw({1, 2}).bytes, "valueBytes <= bytesLeft", {}},
      {"missing Boolean byte", Blob().Index(6).bytes, "valueBytes <= bytesLeft", {}},
      {"string longer than the data", Blob().Index(11).Word(100).Raw({'a', 'b'}).bytes, "valueBytes <= bytesLeft",
       {}},
      {"huge string length", Blob().Index(11).Word(0xFFFFFFFF).bytes, "valueBytes <= bytesLeft", {}},
  };
  for (const Case& c : cases) {
    Fixture f;
    test::AssertionRecorder recorder;
    f.Apply(c.data);
    ASSERT_EQ(recorder.count(), 1u) << c.what;
    EXPECT_EQ(recorder.reports()[0].condition, c.condition) << c.what;
    EXPECT_EQ(f.calls.log, c.applied) << c.what;
  }
}

TEST(MassPropertySetter, MessagesOfTheReadOnlyAndIllegalTypeReports) {
  Fixture f;
  test::AssertionRecorder recorder;
  f.Apply(Blob().Index(8).Word(5).Index(9).bytes);
  ASSERT_EQ(recorder.count(), 2u);
  EXPECT_EQ(recorder.reports()[0].message, "Assignment to a read-only property.");
  EXPECT_EQ(recorder.reports()[1].message, "Illegal type in mass property input.");
}

TEST(MassPropertySetter, NilDataSetsNothingAndNilObjectRaises) {
  Fixture f;
  RuntimeMassPropertySetter(f.o, nullptr);
  EXPECT_TRUE(f.calls.log.empty());
  test::CatchScope scope;
  String data = NewStringFromBytes("\0\7\0\0\0\1", 6, QL_ENCODING_UNDEFINED);
  RuntimeMassPropertySetter(nullptr, data.get());
  ASSERT_TRUE(scope.Close());
  EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException");
}

}  // namespace
}  // namespace ql
