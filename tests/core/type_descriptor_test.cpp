#include "core/type_descriptor.h"

#include <gtest/gtest.h>

#include <string>

#include "core/string.h"

namespace ql {
namespace {

std::string Take(RuntimeString* s) { return String::Adopt(s).text(); }
String Text(const char* t) { return NewStringFromCText(t); }

TEST(TypeDescriptors, NamesAndWhichConversionsEachTypeHas) {
  struct Case {
    const TypeDescriptor& type;
    const char* name;
    bool converts, references;
  };
  const Case cases[] = {
      {kStringTypeDescriptor, "String", true, true},   {kIntegerTypeDescriptor, "Integer", true, false},
      {kBooleanTypeDescriptor, "Boolean", true, false}, {kSingleTypeDescriptor, "Single", true, false},
      {kDoubleTypeDescriptor, "Double", false, false},  {kColorTypeDescriptor, "Color", true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.type.type.kind, TypeKind::Scalar);
    EXPECT_STREQ(c.type.name, c.name);
    EXPECT_EQ(c.type.toString != nullptr && c.type.fromString != nullptr, c.converts) << c.name;
    EXPECT_EQ(c.type.release != nullptr && c.type.retain != nullptr, c.references) << c.name;
  }
}

TEST(TypeDescriptors, StringConversionsShareTheRecord) {
  String s = Text("value");
  RuntimeString* field = s.get();
  RuntimeString* out = kStringTypeDescriptor.toString(&field);
  EXPECT_EQ(out, s.get());
  EXPECT_EQ(s.get()->refCount, 2);
  kStringTypeDescriptor.release(&out);
  RuntimeString* parsed = nullptr;
  EXPECT_TRUE(kStringTypeDescriptor.fromString(s.get(), &parsed));
  EXPECT_EQ(parsed, s.get());
  kStringTypeDescriptor.retain(&parsed);
  EXPECT_EQ(s.get()->refCount, 3);
  ReleaseString(parsed);
  ReleaseString(parsed);
}

TEST(TypeDescriptors, IntegerTextAndParsing) {
  int32_t v = -2147483647 - 1;
  EXPECT_EQ(Take(kIntegerTypeDescriptor.toString(&v)), "-2147483648");
  struct Case {
    const char* text;
    int32_t value;
    bool ok;
  };
  const Case cases[] = {{"42", 42, true},         {"   -17xyz", -17, true}, {"+8", 8, true},
                        {"4294967297", 1, true},  {"abc", 0, false},       {"", 0, false},
                        {" - 3", 0, false},       {"12 34", 12, true}};
  for (const Case& c : cases) {
    int32_t out = 99;
    EXPECT_EQ(kIntegerTypeDescriptor.fromString(Text(c.text).get(), &out), c.ok) << c.text;
    EXPECT_EQ(out, c.value) << c.text;
  }
  EXPECT_EQ(kColorTypeDescriptor.fromString, kIntegerTypeDescriptor.fromString);
}

TEST(TypeDescriptors, BooleanIsTrueExactlyForTrueInAnyCase) {
  uint8_t yes = 1, no = 0;
  EXPECT_EQ(Take(kBooleanTypeDescriptor.toString(&yes)), "True");
  EXPECT_EQ(Take(kBooleanTypeDescriptor.toString(&no)), "False");
  for (const char* text : {"True", "TRUE", "true", "tRuE"}) {
    uint8_t out = 0;
    EXPECT_TRUE(kBooleanTypeDescriptor.fromString(Text(text).get(), &out));
    EXPECT_EQ(out, 1) << text;
  }
  for (const char* text : {"False", "1", "Truer", " True", ""}) {
    uint8_t out = 1;
    kBooleanTypeDescriptor.fromString(Text(text).get(), &out);
    EXPECT_EQ(out, 0) << text;
  }
}

TEST(TypeDescriptors, SingleUsesSevenSignificantDigitsAndVal) {
  float f = 1.0f / 3.0f;
  EXPECT_EQ(Take(kSingleTypeDescriptor.toString(&f)), "0.3333333");
  f = 2500000.0f;
  EXPECT_EQ(Take(kSingleTypeDescriptor.toString(&f)), "2.500000e+6");
  float out = 0;
  EXPECT_TRUE(kSingleTypeDescriptor.fromString(Text("  12.5abc").get(), &out));
  EXPECT_EQ(out, 12.5f);
  EXPECT_TRUE(kSingleTypeDescriptor.fromString(Text("&hFF").get(), &out));
  EXPECT_EQ(out, 255.0f);
}

}  // namespace
}  // namespace ql
