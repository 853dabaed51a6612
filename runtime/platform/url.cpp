#include "platform/url.h"

#include <atomic>

namespace ql::platform {
namespace {

std::atomic<URLObserver> g_observer{nullptr};

}  // namespace

URLObserver SetURLObserver(URLObserver observer) { return g_observer.exchange(observer); }

void OpenURL(const char* url) {
  if (URLObserver observer = g_observer.load()) {
    observer(url);
    return;
  }
  OpenSystemURL(url);
}

}  // namespace ql::platform
