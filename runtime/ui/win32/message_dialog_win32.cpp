#include <windows.h>

#include "platform/version.h"
#include "ui/message_dialog.h"

namespace ql::ui {

int32_t CallNativeMessageBox(const NativeBoxCall& call) {
  HWND owner = static_cast<HWND>(call.owner);
  if (platform::IsNTPlatform()) {
    String text = ConvertToUTF16(call.text);
    String caption = ConvertToUTF16(call.caption);
    const wchar_t empty[] = L"";
    const wchar_t* wideText = text.empty() ? empty : reinterpret_cast<const wchar_t*>(WideStringText(text.get()));
    const wchar_t* wideCaption =
        caption.empty() ? empty : reinterpret_cast<const wchar_t*>(WideStringText(caption.get()));
    return MessageBoxW(owner, wideText, wideCaption, call.style);
  }
  String text = ConvertToSystem(call.text);
  String caption = ConvertToSystem(call.caption);
  return MessageBoxA(owner, text.text(), caption.text(), call.style);
}

String NativeWindowText(void* window) {
  HWND hwnd = static_cast<HWND>(window);
  if (!hwnd) return String();
  if (platform::IsNTPlatform()) {
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return String();
    wchar_t* units = new wchar_t[static_cast<size_t>(length) + 1];
    const int got = GetWindowTextW(hwnd, units, length + 1);
    String text = NewStringFromWide(reinterpret_cast<const char16_t*>(units), got);
    delete[] units;
    return ConvertToUTF8(text.get());
  }
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return String();
  char* bytes = new char[static_cast<size_t>(length) + 1];
  const int got = GetWindowTextA(hwnd, bytes, length + 1);
  String text = NewStringFromBytes(bytes, got, SystemEncoding());
  delete[] bytes;
  return text;
}

}  // namespace ql::ui
