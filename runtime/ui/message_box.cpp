// MsgBox and ShowURL, and the runtime's own information messages, which use
// MsgBox's box.
#include "core/intrinsic_classes.h"
#include "platform/message_box.h"
#include "platform/url.h"
#include "quillon/entrypoints/controls.h"
#include "ui/dialog_list.h"
#include "ui/message_dialog.h"
#include "ui/view_window.h"

namespace ql::ui {
namespace {

// The window a message box belongs to: the first visible window of the
// dialog list; else the MDI frame; else the active window when it is a
// visible document window (procedures 0 and 8); else none.
native::Handle MessageOwner() {
  if (!DialogListEmpty()) return FirstVisibleDialog();
  if (native::Handle frame = native::MdiFrame()) return frame;
  RuntimeViewWindow* active = native::ViewOf(native::ActiveWindow());
  if (active && native::IsShown(active->NativeHandle()) && (active->Procedure() == 0 || active->Procedure() == 8))
    return active->NativeHandle();
  return nullptr;
}

void PresentRuntimeMessage(const char* text) {
  String s = NewStringFromCText(text);
  ShowMessageText(s.get());
}

const ParameterEntry kTextParameter[] = {Parameter("text", types::String)};
const ParameterEntry kURLParameter[] = {Parameter("url", types::String)};

const MethodEntry kGlobalFunctions[] = {
    Method("MsgBox", QL_LINK(RuntimeMsgBox), nullptr, kTextParameter),
    Method("ShowURL", QL_LINK(GlobalShowURL), nullptr, kURLParameter),
};

}  // namespace

void ShowMessageText(RuntimeString* text) {
  MessageDialog dialog;
  SplitMessageText(text, &dialog.message, &dialog.explanation);
  native::Handle owner = MessageOwner();
  dialog.title = NativeWindowText(owner);
  ShowNativeDialog(dialog, owner);
}

void InstallRuntimeMessageBox() { platform::SetMessagePresenter(PresentRuntimeMessage); }

}  // namespace ql::ui

namespace ql {
const Table<MethodEntry> kMessageBoxGlobalFunctions = ui::kGlobalFunctions;
}  // namespace ql

using namespace ql;

QL_ENTRY void RuntimeMsgBox(RuntimeString* text) { ui::ShowMessageText(text); }

// The address's bytes go to the system as they are (no conversion).
QL_ENTRY void GlobalShowURL(RuntimeString* url) { platform::OpenURL(StringText(url)); }

QL_ENTRY void RuntimeShowURL(RuntimeObject*, RuntimeString* url) { GlobalShowURL(url); }
