#include "platform/message_box.h"

#include <atomic>

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
  ShowNativeMessageBox(text, icon);
}

}  // namespace ql::platform
