#include "core/array.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(Array, GrowsByItsCapacityButAtLeastSixteen) {
  Array<int> a;
  EXPECT_EQ(a.Capacity(), 0u);
  const size_t expected[] = {16, 32, 64, 128};
  size_t step = 0;
  for (int i = 0; i < 100; ++i) {
    a.Append(i);
    if (a.Count() == 1 || a.Count() == 17 || a.Count() == 33 || a.Count() == 65) {
      EXPECT_EQ(a.Capacity(), expected[step++]) << "after " << a.Count();
    }
  }
  for (int i = 0; i < 100; ++i) EXPECT_EQ(a[i], i);
}

TEST(Array, RemoveAtKeepsOrder) {
  Array<int> a;
  for (int i = 0; i < 5; ++i) a.Append(i);
  a.RemoveAt(1);
  a.RemoveAt(3);
  ASSERT_EQ(a.Count(), 3u);
  EXPECT_EQ(a[0], 0);
  EXPECT_EQ(a[1], 2);
  EXPECT_EQ(a[2], 3);
}

}  // namespace
}  // namespace ql
