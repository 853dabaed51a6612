// Deferred repainting of rows added to a list box. An insertion does not
// repaint at once: the pane works out which band of its display the new
// rows cover and queues itself; the main loop runs the queue once per pass,
// so a run of AddRow calls between two passes costs one repaint.
#pragma once

#include <stdint.h>

namespace ql::ui {

// What a pane knows of its display, in pane pixels.
struct ListViewport {
  bool shown;             // visible and on a shown page
  int32_t rowsTop;        // top of the first displayed row (below any heading)
  int32_t bottom;         // bottom edge of the pane
  int32_t firstShownRow;  // scroll position
  int32_t rowHeight;      // uniform row height
};

struct RowBand {
  int32_t top = 0;
  int32_t height = 0;
  bool empty() const { return height <= 0; }
};

// The displayed band covered by `count` rows inserted at row `at`: empty when
// the pane is not shown, the rows lie above the first displayed row or below
// the bottom edge; otherwise clipped to the pane.
RowBand InsertedRowBand(const ListViewport& viewport, int32_t at, int32_t count);

// The pending update of one pane.
class PendingListUpdate {
 public:
  enum class Outcome {
    Nothing,     // nothing of the new rows is displayed
    Queued,      // the band became the pending update: enter the queue
    Grown,       // the band continued the pending one
    RepaintAll,  // a band elsewhere: recompute the layout and invalidate everything
  };

  Outcome Note(const RowBand& band);
  bool pending() const { return pending_; }
  const RowBand& band() const { return band_; }
  void Drop() {
    pending_ = false;
    band_ = RowBand{};
  }

 private:
  bool pending_ = false;
  RowBand band_;
};

// A pane that can be in the deferred-update queue.
class DeferredUpdateTarget {
 public:
  // Runs with the pane's own lock taken by the pane: update the scroll
  // range, repaint, drop the pending update.
  virtual void RunDeferredUpdate() = 0;

 protected:
  ~DeferredUpdateTarget() = default;
};

// The process-wide queue (GUI thread only). Queuing a target already in the
// queue moves it to the front; a destroyed or scrolled pane leaves it.
void QueueDeferredUpdate(DeferredUpdateTarget* target);
void DropDeferredUpdate(DeferredUpdateTarget* target);
bool DeferredUpdateQueued(const DeferredUpdateTarget* target);
// The main loop's step: the most recently queued first, then the queue is empty.
void RunListDeferredUpdates();

}  // namespace ql::ui
