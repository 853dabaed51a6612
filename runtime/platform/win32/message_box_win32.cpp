#include <windows.h>

#include <atomic>

#include "platform/message_box.h"

namespace ql::platform {
namespace {

std::atomic<MessageBoxObserver> g_observer{nullptr};

}  // namespace

MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer) { return g_observer.exchange(observer); }

void ShowMessageBox(const char* text, MessageIcon icon) {
  if (MessageBoxObserver observer = g_observer.load()) {
    observer(text);
    return;
  }
  if (icon == MessageIcon::Error)
    MessageBoxA(nullptr, text, nullptr, MB_ICONERROR);
  else
    MessageBoxA(nullptr, text, "", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

}  // namespace ql::platform
