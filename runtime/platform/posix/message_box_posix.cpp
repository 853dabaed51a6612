#include <stdio.h>

#include <atomic>

#include "platform/message_box.h"

namespace ql::platform {
namespace {

std::atomic<MessageBoxObserver> g_observer{nullptr};

}  // namespace

MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer) { return g_observer.exchange(observer); }

void ShowMessageBox(const char* text, MessageIcon) {
  if (MessageBoxObserver observer = g_observer.load()) {
    observer(text);
    return;
  }
  fprintf(stderr, "%s\n", text);
  fflush(stderr);
}

}  // namespace ql::platform
