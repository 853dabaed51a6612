#include "ui/list_updates.h"

#include <utility>

#include "core/array.h"

namespace ql::ui {
namespace {

// Newest last; run from the end.
Array<DeferredUpdateTarget*>& Queue() {
  static Array<DeferredUpdateTarget*> queue;
  return queue;
}

// The entries of the pass being run, so that a pane dropped meanwhile is not run.
Array<DeferredUpdateTarget*>* g_running = nullptr;

void Remove(Array<DeferredUpdateTarget*>& list, const DeferredUpdateTarget* target) {
  for (size_t i = list.Count(); i-- > 0;)
    if (list[i] == target) list.RemoveAt(i);
}

int64_t Clamp(int64_t value, int64_t low, int64_t high) { return value < low ? low : value > high ? high : value; }

}  // namespace

RowBand InsertedRowBand(const ListViewport& viewport, int32_t at, int32_t count) {
  if (!viewport.shown || count <= 0 || at < viewport.firstShownRow || viewport.rowHeight <= 0) return RowBand{};
  // 64 bits: a far scroll position times the row height must not wrap.
  const int64_t top = viewport.rowsTop + (static_cast<int64_t>(at) - viewport.firstShownRow) * viewport.rowHeight;
  const int64_t bottom = top + static_cast<int64_t>(count) * viewport.rowHeight;
  const int64_t clippedTop = Clamp(top, viewport.rowsTop, viewport.bottom);
  const int64_t clippedBottom = Clamp(bottom, viewport.rowsTop, viewport.bottom);
  if (clippedBottom <= clippedTop) return RowBand{};
  return RowBand{static_cast<int32_t>(clippedTop), static_cast<int32_t>(clippedBottom - clippedTop)};
}

PendingListUpdate::Outcome PendingListUpdate::Note(const RowBand& band) {
  if (band.empty()) return Outcome::Nothing;
  if (!pending_) {
    pending_ = true;
    band_ = band;
    return Outcome::Queued;
  }
  if (band.top == band_.top + band_.height) {
    band_.height += band.height;
    return Outcome::Grown;
  }
  band_.height = 0;
  return Outcome::RepaintAll;
}

void QueueDeferredUpdate(DeferredUpdateTarget* target) {
  DropDeferredUpdate(target);
  Queue().Append(target);
}

void DropDeferredUpdate(DeferredUpdateTarget* target) {
  Remove(Queue(), target);
  if (g_running) Remove(*g_running, target);
}

bool DeferredUpdateQueued(const DeferredUpdateTarget* target) {
  for (DeferredUpdateTarget* queued : Queue())
    if (queued == target) return true;
  return false;
}

void RunListDeferredUpdates() {
  // What is queued while the pass runs waits for the next pass.
  Array<DeferredUpdateTarget*> pass(std::move(Queue()));
  g_running = &pass;
  while (!pass.Empty()) {
    DeferredUpdateTarget* target = pass[pass.Count() - 1];
    pass.RemoveAt(pass.Count() - 1);
    target->RunDeferredUpdate();
  }
  g_running = nullptr;
}

}  // namespace ql::ui
