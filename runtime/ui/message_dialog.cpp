#include "ui/message_dialog.h"

#include <stdio.h>
#include <string.h>

#include <atomic>

#include "core/assertion.h"
#include "core/lineends.h"

namespace ql::ui {
namespace {

// MessageBox style bits and answers.
enum : uint32_t {
  kOk = 0x0,
  kOkCancel = 0x1,
  kYesNoCancel = 0x3,
  kYesNo = 0x4,
  kIconStop = 0x10,
  kIconQuestion = 0x20,
  kIconCaution = 0x30,
  kIconInformation = 0x40,
  kDefaultSecond = 0x100,
  kDefaultThird = 0x200,
};
enum : int32_t { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

std::atomic<NativeBoxObserver> g_observer{nullptr};

uint32_t IconBits(int32_t icon) {
  switch (icon) {
    case static_cast<int32_t>(DialogIcon::Information):
      return kIconInformation;
    case static_cast<int32_t>(DialogIcon::Caution):
      return kIconCaution;
    case static_cast<int32_t>(DialogIcon::Stop):
      return kIconStop;
    case static_cast<int32_t>(DialogIcon::Question):
      return kIconQuestion;
    case static_cast<int32_t>(DialogIcon::None):
      return 0;
  }
  ReportAssertion("MessageDialog", __LINE__, "0", "The MessageDialog's Icon was invalid");
  return 0;
}

uint32_t ButtonBits(const MessageDialog& dialog) {
  if (dialog.alternateVisible) return dialog.cancelVisible ? kYesNoCancel : kYesNo;
  return dialog.cancelVisible ? kOkCancel : kOk;
}

uint32_t DefaultButtonBits(int32_t button) {
  if (button < -1 || button > kAlternateButton) {
    ReportAssertion("MessageDialog", __LINE__, "0",
                    "The MessageDialog's default button behavior was assigned to an invalid button index");
    return 0;
  }
  if (button == kCancelButton) return kDefaultSecond;
  if (button == kAlternateButton) return kDefaultThird;
  return 0;
}

}  // namespace

void SplitMessageText(RuntimeString* text, String* message, String* explanation) {
  const char* bytes = StringText(text);
  const int32_t length = StringLength(text);
  const uint32_t encoding = StringEncoding(text);
  // Wide text has its line ends as 16-bit units; everything else as bytes.
  const bool wide = IsWideEncoding(encoding);
  const int32_t unit = wide ? 2 : 1;
  auto at = [&](int32_t i) { return wide ? static_cast<int32_t>(WideUnitAt(bytes, i / 2)) : bytes[i]; };
  int32_t p = 0;
  while (p + 2 * unit <= length && !(at(p) == '\r' && at(p + unit) == '\n')) p += unit;
  if (p > 0 && p + 2 * unit <= length) {
    *message = NewStringWithText(bytes, p, encoding);
    *explanation = NewStringWithText(bytes + p + 2 * unit, length - p - 2 * unit, encoding);
    return;
  }
  *message = String::Retain(text);  // no line end, or one at the very start
  *explanation = String();
}

uint32_t NativeDialogStyle(const MessageDialog& dialog) {
  return IconBits(dialog.icon) | ButtonBits(dialog) | DefaultButtonBits(dialog.defaultButton);
}

String NativeDialogText(const MessageDialog& dialog) {
  if (dialog.explanation.empty()) return dialog.message;
  RuntimeString* lineEnd = LineEndString(LineEnd::Windows);
  String text = ConcatStrings(dialog.message.get(), lineEnd);
  text = ConcatStrings(text.get(), lineEnd);
  return ConcatStrings(text.get(), dialog.explanation.get());
}

int32_t ButtonOfAnswer(int32_t answer) {
  switch (answer) {
    case kIdOk:
    case kIdYes:
      return kActionButton;
    case kIdCancel:
      return kCancelButton;
    case kIdNo:
      return kAlternateButton;
  }
  char message[48];
  snprintf(message, sizeof message, "Unknown button pressed: (%d)", static_cast<int>(answer));
  ReportAssertion("MessageDialog", __LINE__, "0", message);
  return 255;
}

NativeBoxObserver SetNativeBoxObserver(NativeBoxObserver observer) { return g_observer.exchange(observer); }

int32_t ShowNativeDialog(MessageDialog& dialog, void* owner) {
  dialog.win32Flags = NativeDialogStyle(dialog);
  String text = NativeDialogText(dialog);
  const NativeBoxCall call{owner, text.get(), dialog.title.get(), dialog.win32Flags};
  NativeBoxObserver observer = g_observer.load();
  return ButtonOfAnswer(observer ? observer(call) : CallNativeMessageBox(call));
}

}  // namespace ql::ui
