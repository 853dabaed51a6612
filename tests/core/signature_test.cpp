#include "core/signature.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/intrinsic_classes.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

TEST(Signature, SplitsTheFormsImagesAndIntrinsicTablesUse) {
  struct Case {
    const char* text;
    bool event;
    const char *name, *result, *receiver, *parameters;
  };
  const Case cases[] = {
      {"_Index%i%o<TabPanel1>", false, "_Index", "i", "o<TabPanel1>", ""},
      {"MouseDown%b%o<Canvas1>ii", false, "MouseDown", "b", "o<Canvas1>", "ii"},
      {"getBoundPart%o<Object>%o<Listbox>s", false, "getBoundPart", "o<Object>", "o<Listbox>", "s"},
      {"PushButton1_Action%%o<Window1>o<PushButton>", false, "PushButton1_Action", "", "o<Window1>", "o<PushButton>"},
      {"owner%o<Window1>%", false, "owner", "o<Window1>", "", ""},
      {"FileQuit%o<QuitMenuItem>%o<Window1>", false, "FileQuit", "o<QuitMenuItem>", "o<Window1>", ""},
      {"Text%s", false, "Text", "s", "", ""},
      {"#Open%%o<Window1>", true, "Open", "", "o<Window1>", ""},
      {"#Action%b%o<Window1_show_mw>i", true, "Action", "b", "o<Window1_show_mw>", "i"},
      {"Sort%%o<A>&ai&o<B>aas", false, "Sort", "", "o<A>", "&ai&o<B>aas"},
      {"Reset", false, "Reset", "", "", ""},
  };
  for (const Case& c : cases) {
    SignatureParts parts;
    ASSERT_TRUE(SplitSignature(c.text, &parts)) << c.text;
    EXPECT_EQ(parts.eventImplementation, c.event) << c.text;
    EXPECT_EQ(parts.name, c.name) << c.text;
    EXPECT_EQ(parts.result, c.result) << c.text;
    EXPECT_EQ(parts.receiver, c.receiver) << c.text;
    EXPECT_EQ(parts.parameters, c.parameters) << c.text;
  }
}

TEST(Signature, RefusesMalformedText) {
  for (const char* text : {"", "#", "%s", "x%q", "x%ss", "x%o<Win", "x%o<>", "x%%o<A>%", "x%&i", "x%%o<A>a",
                           "x%%o<A>&", "x%%o<A>ix", "x%a", "x%%o"})
    EXPECT_FALSE(SplitSignature(text, nullptr)) << text;
}

TEST(Signature, ReadsParameterCodesOneAtATime) {
  std::string_view rest = "&ai&o<Window>daas";
  struct Expected {
    const char* text;
    bool byRef;
    char kind;
    const char* className;
  };
  const Expected expected[] = {
      {"ai", true, 'a', ""}, {"o<Window>", true, 'o', "Window"}, {"d", false, 'd', ""}, {"aas", false, 'a', ""}};
  for (const Expected& e : expected) {
    TypeCode code;
    ASSERT_TRUE(ReadTypeCode(&rest, &code, ByReference::Allowed));
    EXPECT_EQ(code.text, e.text);
    EXPECT_EQ(code.byReference, e.byRef);
    EXPECT_EQ(code.kind, e.kind);
    EXPECT_EQ(code.className, e.className);
  }
  EXPECT_TRUE(rest.empty());
  std::string_view byRef = "&i";
  TypeCode code;
  EXPECT_FALSE(ReadTypeCode(&byRef, &code)) << "'&' only where allowed";
  EXPECT_EQ(byRef, "&i") << "unchanged on failure";
}

TEST(Signature, FieldsByNumber) {
  EXPECT_EQ(SignatureField("Text%s", 1), "Text");
  EXPECT_EQ(SignatureField("Text%s", 2), "s");
  EXPECT_EQ(SignatureField("Text%s", 3), "");
  EXPECT_EQ(SignatureField("owner%o<Window1>%", 2), "o<Window1>");
  EXPECT_EQ(SignatureField("NoType", 2), "");
}

TEST(Signature, BuildsPropertyAndMethodSignaturesFromTableTypes) {
  const ArrayType integers{{TypeKind::Array}, types::Integer};
  const ArrayType matrix{{TypeKind::Array}, &integers.type};
  struct Case {
    const TypeReference* type;
    const char* expected;
  };
  const Case properties[] = {
      {types::String, "P%s"}, {types::Integer, "P%i"}, {types::Boolean, "P%b"}, {types::Single, "P%f"},
      {types::Double, "P%d"}, {types::Color, "P%c"},   {&matrix.type, "P%aai"},
      {TypeOf(intrinsic::Window), "P%o<Window>"},
  };
  for (const Case& c : properties) EXPECT_STREQ(PropertySignature("P", c.type).text(), c.expected);

  const ParameterEntry parameters[] = {
      Parameter("row", types::Integer),
      Parameter("result", types::Integer, PassBy::Reference),
      Parameter("owner", TypeOf(intrinsic::Window)),
  };
  EXPECT_STREQ(MethodSignature("CompareRows", types::Boolean, "Listbox", parameters, 3).text(),
               "CompareRows%b%o<Listbox>i&io<Window>");
  EXPECT_STREQ(MethodSignature("Close", nullptr, "TextOutputStream", nullptr, 0).text(),
               "Close%%o<TextOutputStream>");
  SignatureParts parts;
  EXPECT_TRUE(SplitSignature(MethodSignature("CompareRows", types::Boolean, "Listbox", parameters, 3).text(), &parts));
}

TEST(Signature, AScalarWithoutCodeIsReported) {
  const TypeDescriptor currency{{TypeKind::Scalar}, "Currency", nullptr, nullptr, nullptr, nullptr};
  test::AssertionRecorder recorder;
  EXPECT_STREQ(PropertySignature("Price", &currency.type).text(), "Price%");
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_STREQ(PropertySignature("Nothing", nullptr).text(), "Nothing%");
  EXPECT_EQ(recorder.count(), 2u);
}

}  // namespace
}  // namespace ql
