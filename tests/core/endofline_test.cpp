#include <gtest/gtest.h>

#include <string>

#include "core/class_lookup.h"
#include "core/intrinsic_classes.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

std::string Take(RuntimeString* s) {
  String owned = String::Adopt(s);
  return std::string(owned.text(), static_cast<size_t>(owned.length()));
}

TEST(EndOfLine, TheObjectIsANewInstanceOfItsClass) {
  RuntimeObject* eol = RuntimeGetEndOfLineObject();
  ASSERT_NE(eol, nullptr);
  EXPECT_EQ(eol->cls, LookupClass("EndOfLine"));
  EXPECT_EQ(eol->refCount, 1);
  RuntimeObject* other = RuntimeGetEndOfLineObject();
  EXPECT_NE(other, eol);
  RuntimeUnlockObject(other);
  RuntimeUnlockObject(eol);
}

TEST(EndOfLine, JoinsCarriageReturnLineFeedToATextWithoutReadingTheObject) {
  String text = NewStringFromCText("Stock solution concentration must be greater than");
  EXPECT_EQ(Take(RuntimeEndOfLineAddRight(nullptr, text.get())),
            "Stock solution concentration must be greater than\r\n");
  EXPECT_EQ(text.get()->refCount, 1) << "the argument is borrowed";
  EXPECT_EQ(Take(RuntimeEndOfLineAddRight(nullptr, nullptr)), "\r\n");
  EXPECT_EQ(Take(RuntimeEndOfLineAdd(nullptr, text.get())),
            "\r\nStock solution concentration must be greater than");
  EXPECT_EQ(Take(RuntimeEndOfLine(nullptr)), "\r\n");
}

TEST(EndOfLine, PropertiesGiveTheThreeLineEndsSharedOnce) {
  RuntimeClass* cls = LookupClass("EndOfLine");
  ASSERT_EQ(cls->propertyCount, 3);
  struct Case {
    const char* signature;
    const char* text;
  };
  const Case cases[] = {{"Macintosh%s", "\r"}, {"Windows%s", "\r\n"}, {"UNIX%s", "\n"}};
  RuntimeObject* eol = RuntimeGetEndOfLineObject();
  for (int i = 0; i < 3; ++i) {
    const RuntimePropertyEntry& p = cls->properties[i];
    EXPECT_STREQ(StringText(p.signature), cases[i].signature);
    EXPECT_EQ(p.setter, nullptr) << "read-only";
    auto getter = reinterpret_cast<RuntimeStringGetter>(p.getter);
    RuntimeString* first = getter(eol, p.param);
    RuntimeString* second = getter(eol, p.param);
    EXPECT_EQ(first, second) << "one shared string";
    EXPECT_EQ(StringEncoding(first), QL_ENCODING_ASCII);
    ReleaseString(second);
    EXPECT_EQ(Take(first), cases[i].text);
  }
  RuntimeUnlockObject(eol);
}

TEST(EndOfLine, OperatorsAreStaticMethodsWithTheirSignatures) {
  RuntimeClass* cls = LookupClass("EndOfLine");
  ASSERT_EQ(cls->staticMethodCount, 3);
  struct Case {
    const char* signature;
    void* function;
  };
  const Case cases[] = {
      {"Operator_Convert%s%o<EndOfLine>", EntryAddress(RuntimeEndOfLine)},
      {"Operator_Add%s%o<EndOfLine>s", EntryAddress(RuntimeEndOfLineAdd)},
      {"Operator_AddRight%s%o<EndOfLine>s", EntryAddress(RuntimeEndOfLineAddRight)},
  };
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(StringText(cls->staticMethods[i].signature), cases[i].signature);
    EXPECT_EQ(cls->staticMethods[i].function, cases[i].function);
  }
}

}  // namespace
}  // namespace ql
