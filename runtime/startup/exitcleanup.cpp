#include "startup/exitcleanup.h"

namespace ql {
namespace {

ExitCleanup* g_head = nullptr;

}  // namespace

ExitCleanup::ExitCleanup() : next_(g_head) { g_head = this; }

ExitCleanup::~ExitCleanup() {
  for (ExitCleanup** link = &g_head; *link; link = &(*link)->next_) {
    if (*link == this) {
      *link = next_;
      return;
    }
  }
}

void RunExitCleanup() {
  // Each destructor unlinks its object, so the head moves on.
  while (g_head) delete g_head;
}

bool ExitCleanupIsEmpty() { return g_head == nullptr; }

}  // namespace ql
