#include "ui/list_updates.h"

#include <gtest/gtest.h>

#include <vector>

namespace ql::ui {
namespace {

// 10 rows of 16 pixels fit below a 20-pixel heading in a 180-pixel pane.
constexpr ListViewport kShown{true, 20, 180, 0, 16};

TEST(ListUpdates, TheBandCoversTheDisplayedNewRowsOnly) {
  struct Case {
    ListViewport viewport;
    int32_t at, count;
    int32_t top, height;  // height 0: no band
  } const cases[] = {
      {kShown, 0, 1, 20, 16},
      {kShown, 3, 2, 68, 32},
      {kShown, 9, 3, 164, 16},                 // clipped at the bottom edge
      {kShown, 10, 1, 0, 0},                   // below the displayed rows
      {{true, 20, 180, 5, 16}, 4, 1, 0, 0},    // above the first displayed row
      {{true, 20, 180, 5, 16}, 5, 1, 20, 16},
      {{false, 20, 180, 0, 16}, 0, 1, 0, 0},   // hidden or on another page
      {{true, 20, 180, 0, 0}, 0, 1, 0, 0},
      {{true, 20, 180, -2000000000, 16}, 0, 1, 0, 0},  // far scrolled: no wrap-around
  };
  for (const Case& c : cases) {
    RowBand band = InsertedRowBand(c.viewport, c.at, c.count);
    EXPECT_EQ(band.height, c.height) << c.at << "+" << c.count;
    if (c.height) {
      EXPECT_EQ(band.top, c.top) << c.at << "+" << c.count;
    }
  }
}

TEST(ListUpdates, ConsecutiveBandsGrowThePendingOneAndOthersRepaintAll) {
  PendingListUpdate update;
  EXPECT_EQ(update.Note(RowBand{}), PendingListUpdate::Outcome::Nothing);
  EXPECT_FALSE(update.pending());
  EXPECT_EQ(update.Note(RowBand{20, 16}), PendingListUpdate::Outcome::Queued);
  EXPECT_EQ(update.Note(RowBand{36, 16}), PendingListUpdate::Outcome::Grown);
  EXPECT_EQ(update.band().height, 32);
  EXPECT_EQ(update.Note(RowBand{100, 16}), PendingListUpdate::Outcome::RepaintAll);
  EXPECT_TRUE(update.pending());
  EXPECT_EQ(update.band().height, 0);
  update.Drop();
  EXPECT_FALSE(update.pending());
}

std::vector<int> g_runs;

class Target : public DeferredUpdateTarget {
 public:
  explicit Target(int id) : id_(id) {}
  void RunDeferredUpdate() override {
    g_runs.push_back(id_);
    if (requeue_) QueueDeferredUpdate(this);
    if (drop_) DropDeferredUpdate(drop_);
  }
  bool requeue_ = false;
  DeferredUpdateTarget* drop_ = nullptr;

 private:
  int id_;
};

TEST(ListUpdates, TheQueueRunsNewestFirstOncePerPass) {
  g_runs.clear();
  Target a(1), b(2), c(3);
  QueueDeferredUpdate(&a);
  QueueDeferredUpdate(&b);
  QueueDeferredUpdate(&c);
  QueueDeferredUpdate(&a);  // again: moves to the front, runs once
  EXPECT_TRUE(DeferredUpdateQueued(&b));
  RunListDeferredUpdates();
  EXPECT_EQ(g_runs, (std::vector<int>{1, 3, 2}));
  EXPECT_FALSE(DeferredUpdateQueued(&a));
  RunListDeferredUpdates();
  EXPECT_EQ(g_runs.size(), 3u) << "the queue is empty after a pass";
}

TEST(ListUpdates, APaneQueuedOrDroppedDuringAPassIsHandledSafely) {
  g_runs.clear();
  Target a(1), b(2);
  a.requeue_ = true;
  a.drop_ = &b;
  QueueDeferredUpdate(&b);
  QueueDeferredUpdate(&a);
  RunListDeferredUpdates();
  EXPECT_EQ(g_runs, std::vector<int>{1}) << "b was dropped before its turn; a waits for the next pass";
  EXPECT_TRUE(DeferredUpdateQueued(&a));
  a.requeue_ = false;
  a.drop_ = nullptr;
  RunListDeferredUpdates();
  EXPECT_EQ(g_runs, (std::vector<int>{1, 1}));
  DropDeferredUpdate(&a);
}

}  // namespace
}  // namespace ql::ui
