// The runtime's message dialog and MsgBox. A dialog record in its native
// form maps onto the system's MessageBox: icon, buttons and default button
// become style bits, message and explanation one text, the answer a button
// number. MsgBox and the runtime's own fatal messages build a record with
// the defaults (information icon, one OK button, the owner window's title).
#pragma once

#include <stdint.h>

#include "core/string.h"

namespace ql::ui {

enum class DialogIcon : int32_t { None = -1, Information = 0, Caution = 1, Stop = 2, Question = 3 };

// Which button answered (or answers Return, as the default button).
enum : int32_t { kCancelButton = 0, kActionButton = 1, kNoSpecialButton = 2, kAlternateButton = 3 };

struct MessageDialog {
  int32_t icon = static_cast<int32_t>(DialogIcon::Information);
  String title;        // the caption; MsgBox takes the owner window's text
  String message;      // first part of the text
  String explanation;  // second part, may be nil
  bool cancelVisible = false;
  bool alternateVisible = false;
  String actionCaption, cancelCaption, alternateCaption;  // only for the runtime-drawn dialog
  int8_t defaultButton = kActionButton;                   // -1 and 2: no special choice
  bool native = true;
  uint32_t win32Flags = 0;  // the computed MessageBox style
};

// MsgBox's split: at the first CR LF that is not at the very start, into the
// text before it and the text after it; otherwise the whole text and nil.
void SplitMessageText(RuntimeString* text, String* message, String* explanation);

// The MessageBox style of a record. An icon outside -1..3 and a default
// button outside -1..3 are reported (source "MessageDialog") and add no bits.
uint32_t NativeDialogStyle(const MessageDialog& dialog);

// The message, and when the explanation is not empty two line ends and the
// explanation.
String NativeDialogText(const MessageDialog& dialog);

// The button a MessageBox answer stands for: IDOK and IDYES the action
// button, IDCANCEL the cancel button, IDNO the alternate button; anything
// else is reported and gives 255.
int32_t ButtonOfAnswer(int32_t answer);

// Shows the record modally with the system's box (owned by `owner`, a
// window handle or nil) and returns the button that answered.
int32_t ShowNativeDialog(MessageDialog& dialog, void* owner);

// MsgBox: the default record for `text`, owned by the current owner window
// and titled with its text.
void ShowMessageText(RuntimeString* text);
// The runtime's own information messages (platform/message_box.h) take
// MsgBox's box from now on.
void InstallRuntimeMessageBox();

// --- The system side (ui/<platform>/message_dialog_*.cpp) ---

// One MessageBox call as the runtime makes it.
struct NativeBoxCall {
  void* owner;         // window handle, nil for none
  RuntimeString* text;
  RuntimeString* caption;
  uint32_t style;
};
// The system's answer (IDOK, ...). POSIX: the text goes to standard error
// and the answer is IDOK.
int32_t CallNativeMessageBox(const NativeBoxCall& call);
// The window text of a window handle (the default caption); nil for none.
String NativeWindowText(void* window);

// Replaces the system's box, for tests; returns the previous observer.
using NativeBoxObserver = int32_t (*)(const NativeBoxCall& call);
NativeBoxObserver SetNativeBoxObserver(NativeBoxObserver observer);

}  // namespace ql::ui
