#include <windows.h>

#include <atomic>

#include "platform/message_box.h"

namespace ql::platform {
namespace {

std::atomic<MessageBoxObserver> g_observer{nullptr};

}  // namespace

MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer) { return g_observer.exchange(observer); }

void ShowMessageBox(const char* text) {
  if (MessageBoxObserver observer = g_observer.load()) {
    observer(text);
    return;
  }
  MessageBoxA(nullptr, text, "", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

}  // namespace ql::platform
