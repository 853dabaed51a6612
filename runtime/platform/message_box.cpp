#include "platform/message_box.h"

#include <atomic>

namespace ql::platform {
namespace {

std::atomic<MessageBoxObserver> g_observer{nullptr};
std::atomic<MessagePresenter> g_presenter{nullptr};

}  // namespace

MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer) { return g_observer.exchange(observer); }

MessagePresenter SetMessagePresenter(MessagePresenter presenter) { return g_presenter.exchange(presenter); }

void ShowMessageBox(const char* text, MessageIcon icon) {
  if (MessageBoxObserver observer = g_observer.load()) {
    observer(text);
    return;
  }
  MessagePresenter presenter = g_presenter.load();
  if (presenter && icon == MessageIcon::Information) {
    presenter(text);
    return;
  }
  ShowNativeMessageBox(text, icon);
}

}  // namespace ql::platform
