#include "startup/periodic_tasks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/timer_window.h"
#include "startup/loop_world.h"
#if !defined(_WIN32)
#include "platform/posix/message_queue_posix.h"
#endif

namespace ql {
namespace {

using test::TracingTask;
using ::testing::ElementsAre;

using PeriodicTasks = test::LoopTest;

TEST(Ticks, AreSixtiethsOfASecondTruncated) {
  struct Case {
    uint32_t milliseconds, tick;
  };
  const Case cases[] = {{0, 0}, {16, 0}, {17, 1}, {50, 3}, {1000, 60}, {60000, 3600}, {3000000000u, 180000000}, {4294967295u, 257698037}};
  for (const Case& c : cases) EXPECT_EQ(TickFromMilliseconds(c.milliseconds), c.tick) << c.milliseconds;
}

TEST_F(PeriodicTasks, DueTasksFireNewestFirstAndRememberTheTickAfterTheirAction) {
  world().milliseconds = 100000;  // tick 6000
  TracingTask oldest("oldest", 30);
  TracingTask middle("middle", 5, [&] { world().milliseconds += 1000; });  // its action takes 60 ticks
  TracingTask newest("newest", 0);
  FireDuePeriodicTasks();
  EXPECT_THAT(trace(), ElementsAre("task newest", "task middle", "task oldest"));
  EXPECT_EQ(newest.lastFiring(), 6000u);
  EXPECT_EQ(middle.lastFiring(), 6060u);
  EXPECT_EQ(oldest.lastFiring(), 6060u);

  trace().clear();
  world().milliseconds = 101500;  // tick 6090: 30 ticks after the middle and oldest fired
  FireDuePeriodicTasks();
  EXPECT_THAT(trace(), ElementsAre("task newest", "task middle", "task oldest"));
  trace().clear();
  world().milliseconds += 17 * 4;  // 4 ticks later: only the task without a period
  FireDuePeriodicTasks();
  EXPECT_THAT(trace(), ElementsAre("task newest"));
}

TEST_F(PeriodicTasks, AnActionMayDestroyItsOwnTaskOrOthers) {
  std::unique_ptr<TracingTask> first = std::make_unique<TracingTask>("first", 0);
  std::unique_ptr<TracingTask> second;
  std::unique_ptr<TracingTask> third;
  second = std::make_unique<TracingTask>("second", 0, [&] { second.reset(); });
  third = std::make_unique<TracingTask>("third", 0, [&] { first.reset(); });
  FireDuePeriodicTasks();
  EXPECT_THAT(trace(), ElementsAre("task third", "task second"));
  EXPECT_EQ(PeriodicTaskCount(), 1u);
  trace().clear();
  world().milliseconds += 17;
  FireDuePeriodicTasks();
  EXPECT_THAT(trace(), ElementsAre("task third"));
}

TEST_F(PeriodicTasks, ATaskCreatedByAnActionWaitsForTheNextWalk) {
  std::unique_ptr<TracingTask> later;
  TracingTask creator("creator", 0, [&] {
    if (!later) later = std::make_unique<TracingTask>("later", 0);
  });
  FireDuePeriodicTasks();
  EXPECT_THAT(trace(), ElementsAre("task creator"));
  FireDuePeriodicTasks();
  EXPECT_THAT(trace(), ElementsAre("task creator", "task later", "task creator"));
}

TEST_F(PeriodicTasks, AnActionThatFiresDueTasksDoesNotFireItselfAgain) {
  TracingTask other("other", 0);
  TracingTask busy("busy", 0, [] { FireDuePeriodicTasks(); });
  FireDuePeriodicTasks();
  EXPECT_THAT(trace(), ElementsAre("task busy", "task other", "task other"));
}

TEST_F(PeriodicTasks, ATaskIsDueAgainAfterTheTickWraps) {
  world().milliseconds = 4294967000u;  // close to the end of the tick range
  TracingTask task("wrapping", 600);
  FireDuePeriodicTasks();
  world().milliseconds = 1000;  // GetTickCount wrapped: tick 60
  trace().clear();
  FireDuePeriodicTasks();
  EXPECT_THAT(trace(), ElementsAre("task wrapping"));
}

#if !defined(_WIN32)
TEST_F(PeriodicTasks, EachTaskRunsATimerOfTheTimerWindowWhileItLives) {
  platform::CreateTimerWindow();
  uintptr_t ids[2];
  {
    TracingTask tenth("tenth", 6);
    TracingTask second("second", 60);
    ids[0] = tenth.timerId();
    ids[1] = second.timerId();
    EXPECT_EQ(ids[1], ids[0] + 1);
    EXPECT_EQ(platform::TimerMilliseconds(ids[0]), 100);
    EXPECT_EQ(platform::TimerMilliseconds(ids[1]), 1000);
  }
  EXPECT_EQ(platform::TimerMilliseconds(ids[0]), -1);
  EXPECT_EQ(platform::TimerMilliseconds(ids[1]), -1);
}

TEST_F(PeriodicTasks, TheTimerWindowsMessageFiresItsTaskOnce) {
  platform::CreateTimerWindow();
  world().openWindows = 1;
  TracingTask timed("timed", 600);
  TracingTask other("other", 600);
  FireDuePeriodicTasks();  // both fire at creation
  trace().clear();
  platform::PostToQueue(LoopMessage{platform::TimerWindow(), platform::kMessageTimer, timed.timerId(), 0, 0, 0, 0});
  RunMainLoopPass();
  EXPECT_THAT(trace(), ElementsAre("idle", "track", "translate timer", "task timed", "deferred", "focus idle"));
}
#endif

}  // namespace
}  // namespace ql
