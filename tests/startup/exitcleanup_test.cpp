#include "startup/exitcleanup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql {
namespace {

std::vector<std::string> g_destroyed;

class Tracked final : public ExitCleanup {
 public:
  explicit Tracked(std::string name) : name_(std::move(name)) {}
  ~Tracked() override { g_destroyed.push_back(name_); }

 private:
  std::string name_;
};

TEST(ExitCleanup, EmptiesNewestFirstAndObjectsLeaveWhereverTheyStand) {
  g_destroyed.clear();
  new Tracked("plug-ins");
  Tracked* middle = new Tracked("sound file");
  new Tracked("movie file");
  delete middle;  // unlinks itself from the middle
  EXPECT_FALSE(ExitCleanupIsEmpty());
  RunExitCleanup();
  EXPECT_TRUE(ExitCleanupIsEmpty());
  EXPECT_EQ(g_destroyed, (std::vector<std::string>{"sound file", "movie file", "plug-ins"}));
  RunExitCleanup();  // nothing left
  EXPECT_EQ(g_destroyed.size(), 3u);
}

}  // namespace
}  // namespace ql
