#include "ui/message_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/message_box.h"
#include "platform/url.h"
#include "quillon/entrypoints/controls.h"
#include "support/assertion_recorder.h"

namespace ql::ui {
namespace {

std::string Text(const String& s) { return std::string(s.text(), static_cast<size_t>(s.length())); }
String Make(const std::string& s) {
  return NewStringFromBytes(s.data(), static_cast<int32_t>(s.size()), QL_ENCODING_UTF8);
}

TEST(MessageDialog, TheTextSplitsAtItsFirstLineEndUnlessItStartsWithOne) {
  struct Case {
    std::string text, message, explanation;
  } const cases[] = {
      {"No line break", "No line break", ""},
      {"First\r\nSecond", "First", "Second"},
      {"First\r\nSecond\r\nThird", "First", "Second\r\nThird"},
      {"\r\nStarts with one", "\r\nStarts with one", ""},  // not split
      {"\r\nFirst\r\nSecond", "\r\nFirst\r\nSecond", ""},  // only the first line end counts
      {"Lone\nfeed", "Lone\nfeed", ""},
      {"Lone\rreturn", "Lone\rreturn", ""},
      {"Ends\r\n", "Ends", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    String message, explanation;
    String text = Make(c.text);
    SplitMessageText(text.get(), &message, &explanation);
    EXPECT_EQ(Text(message), c.message) << c.text;
    EXPECT_EQ(Text(explanation), c.explanation) << c.text;
  }
}

TEST(MessageDialog, WideTextSplitsAtItsLineEndUnits) {
  const char16_t units[] = u"A\r\nB";
  String text = NewStringFromWide(units, 4);
  String message, explanation;
  SplitMessageText(text.get(), &message, &explanation);
  ASSERT_EQ(message.length(), 2);
  EXPECT_EQ(WideUnitAt(message.text(), 0), u'A');
  ASSERT_EQ(explanation.length(), 2);
  EXPECT_EQ(WideUnitAt(explanation.text(), 0), u'B');
}

TEST(MessageDialog, StyleBitsFollowIconButtonsAndDefault) {
  struct Case {
    int32_t icon;
    bool cancel, alternate;
    int8_t defaultButton;
    uint32_t style;
  } const cases[] = {
      {0, false, false, 1, 0x40},     // MsgBox: information, OK
      {1, false, false, 1, 0x30},
      {2, false, false, 1, 0x10},
      {3, false, false, 1, 0x20},
      {-1, false, false, 1, 0x0},
      {0, true, false, 1, 0x41},      // OK, Cancel
      {0, false, true, 1, 0x44},      // Yes, No
      {0, true, true, 1, 0x43},       // Yes, No, Cancel
      {0, true, false, 0, 0x141},     // Cancel answers Return
      {0, true, true, 3, 0x243},
      {0, false, false, 2, 0x40},
      {0, false, false, -1, 0x40},
  };
  for (const Case& c : cases) {
    MessageDialog d;
    d.icon = c.icon;
    d.cancelVisible = c.cancel;
    d.alternateVisible = c.alternate;
    d.defaultButton = c.defaultButton;
    EXPECT_EQ(NativeDialogStyle(d), c.style) << c.icon << " " << c.cancel << c.alternate << " " << int(c.defaultButton);
  }
}

TEST(MessageDialog, InvalidIconAndDefaultButtonAreReported) {
  test::AssertionRecorder recorder;
  MessageDialog d;
  d.icon = 4;
  EXPECT_EQ(NativeDialogStyle(d), 0u);
  d.icon = 0;
  d.defaultButton = 4;
  EXPECT_EQ(NativeDialogStyle(d), 0x40u);
  d.defaultButton = -2;
  NativeDialogStyle(d);
  ASSERT_EQ(recorder.count(), 3u);
  EXPECT_EQ(recorder.reports()[0].source, "MessageDialog");
  EXPECT_EQ(recorder.reports()[0].condition, "0");
  EXPECT_EQ(recorder.reports()[0].message, "The MessageDialog's Icon was invalid");
  EXPECT_EQ(recorder.reports()[1].message,
            "The MessageDialog's default button behavior was assigned to an invalid button index");
}

TEST(MessageDialog, AnswersMapToButtons) {
  EXPECT_EQ(ButtonOfAnswer(1), kActionButton);     // IDOK
  EXPECT_EQ(ButtonOfAnswer(6), kActionButton);     // IDYES
  EXPECT_EQ(ButtonOfAnswer(2), kCancelButton);     // IDCANCEL
  EXPECT_EQ(ButtonOfAnswer(7), kAlternateButton);  // IDNO
  test::AssertionRecorder recorder;
  EXPECT_EQ(ButtonOfAnswer(3), 255);               // IDABORT: never asked for
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].message, "Unknown button pressed: (3)");
}

struct RecordedBox {
  void* owner = nullptr;
  std::string text, caption;
  uint32_t style = 0;
  int calls = 0;
};
RecordedBox g_box;

int32_t RecordBox(const NativeBoxCall& call) {
  g_box.owner = call.owner;
  g_box.text = Text(String::Retain(call.text));
  g_box.caption = Text(String::Retain(call.caption));
  g_box.style = call.style;
  ++g_box.calls;
  return 7;  // IDNO
}

TEST(MessageDialog, TheNativeFormJoinsMessageAndExplanationWithAnEmptyLine) {
  NativeBoxObserver previous = SetNativeBoxObserver(RecordBox);
  g_box = {};
  MessageDialog d;
  d.title = Make("Window1");
  d.message = Make("Infinity");
  d.explanation = Make("The stock is weaker than the final solution.");
  d.alternateVisible = true;
  int owner = 0;
  EXPECT_EQ(ShowNativeDialog(d, &owner), kAlternateButton);
  EXPECT_EQ(g_box.calls, 1);
  EXPECT_EQ(g_box.owner, &owner);
  EXPECT_EQ(g_box.text, "Infinity\r\n\r\nThe stock is weaker than the final solution.");
  EXPECT_EQ(g_box.caption, "Window1");
  EXPECT_EQ(g_box.style, 0x44u);
  EXPECT_EQ(d.win32Flags, 0x44u);

  d.explanation = String();
  ShowNativeDialog(d, nullptr);
  EXPECT_EQ(g_box.text, "Infinity");
  SetNativeBoxObserver(previous);
}

}  // namespace
}  // namespace ql::ui

namespace ql::ui {
namespace {

std::vector<std::string> g_urls;
void RecordURL(const char* url) { g_urls.push_back(url); }

TEST(MessageBoxEntries, MsgBoxShowsTheSplitTextWithAnInformationIcon) {
  NativeBoxObserver previous = SetNativeBoxObserver(RecordBox);
  struct Case {
    std::string text, shown;
  } const cases[] = {
      {"Molecular weight: 180.16", "Molecular weight: 180.16"},
      {"Infinity\r\nThe stock is weaker.", "Infinity\r\n\r\nThe stock is weaker."},
      {"\r\nStarts with one", "\r\nStarts with one"},
      {"Lone\nfeed", "Lone\nfeed"},
      {"", ""},
  };
  for (const Case& c : cases) {
    g_box = {};
    String text = Make(c.text);
    RuntimeMsgBox(text.get());
    EXPECT_EQ(g_box.calls, 1);
    EXPECT_EQ(g_box.text, c.shown);
    EXPECT_EQ(g_box.style, 0x40u) << "information, OK";
    EXPECT_EQ(g_box.owner, nullptr) << "no window open: no owner";
    EXPECT_EQ(g_box.caption, "") << "and an empty caption";
  }
  RuntimeMsgBox(nullptr);
  EXPECT_EQ(g_box.text, "") << "nil: an empty box";
  SetNativeBoxObserver(previous);
}

TEST(MessageBoxEntries, TheRuntimesOwnMessagesTakeTheSameBox) {
  NativeBoxObserver previous = SetNativeBoxObserver(RecordBox);
  platform::MessagePresenter before = platform::SetMessagePresenter(nullptr);
  InstallRuntimeMessageBox();
  g_box = {};
  platform::ShowMessageBox("An exception of class X was not handled.\r\nThe application must shut down.");
  EXPECT_EQ(g_box.text, "An exception of class X was not handled.\r\n\r\nThe application must shut down.");
  EXPECT_EQ(g_box.style, 0x40u);
  platform::SetMessagePresenter(before);
  SetNativeBoxObserver(previous);
}

TEST(MessageBoxEntries, ShowURLHandsTheBytesOverAsTheyAre) {
  platform::URLObserver previous = platform::SetURLObserver(RecordURL);
  g_urls.clear();
  for (const char* url : {"mailto:help@example.org", "http://example.org/a b", ""}) {
    String s = Make(url);
    GlobalShowURL(s.get());
  }
  RuntimeShowURL(nullptr, Make("http://x").get());
  EXPECT_EQ(g_urls, (std::vector<std::string>{"mailto:help@example.org", "http://example.org/a b", "", "http://x"}));
  platform::SetURLObserver(previous);
}

}  // namespace
}  // namespace ql::ui
