#include "menus/command_ids.h"

#include <gtest/gtest.h>

#include <vector>

#include "menu_fixtures.h"
#include "menus/menu_tree.h"

namespace ql::menus {
namespace {

// Gives back every identifier it took.
struct Taken {
  std::vector<uint32_t> ids;
  ~Taken() {
    for (uint32_t id : ids) FreeCommandId(id);
  }
};

TEST(CommandIds, LowestFreeFirstOnPastTheFirstThousandUntilNoneIsLeft) {
  ASSERT_EQ(CommandIdsInUse(), 0u) << "a test left menu items alive";
  Taken taken;
  for (uint32_t expected = kFirstCommandId; expected <= kLastCommandId; ++expected) {
    taken.ids.push_back(TakeCommandId());
    ASSERT_EQ(taken.ids.back(), expected);
  }
  EXPECT_EQ(taken.ids[1023], 2023u);
  EXPECT_EQ(taken.ids[1024], 2024u) << "the 1025th live item still gets an identifier of its own";
  EXPECT_EQ(TakeCommandId(), kNoCommandId) << "all taken";

  FreeCommandId(1500);
  FreeCommandId(1200);
  FreeCommandId(1200);  // twice: once counts
  FreeCommandId(kNoCommandId);
  FreeCommandId(999);
  FreeCommandId(kLastCommandId + 1);
  EXPECT_EQ(CommandIdsInUse(), kLastCommandId - kFirstCommandId - 1);
  EXPECT_EQ(TakeCommandId(), 1200u);
  EXPECT_EQ(TakeCommandId(), 1500u);
  EXPECT_EQ(TakeCommandId(), kNoCommandId);
}

TEST(CommandIds, ItemsTakeThemAtCreationAndGiveThemBack) {
  ASSERT_EQ(CommandIdsInUse(), 0u) << "a test left menu items alive";
  {
    const ObjectRef first = test::NewItem("First");
    const ObjectRef second = test::NewItem("Second");
    EXPECT_EQ(test::Imp(first)->commandId(), 1000u);
    EXPECT_EQ(test::Imp(second)->commandId(), 1001u);
    EXPECT_EQ(CommandIdsInUse(), 2u);
  }
  EXPECT_EQ(CommandIdsInUse(), 0u);
}

// With more than 1024 live items every command still reaches its own item.
TEST(CommandIds, MoreThanAThousandItemsCanAllBeToldApart) {
  const ObjectRef bar = test::NewBar();
  const ObjectRef title = test::NewItem("Many");
  test::Append(bar, title);
  std::vector<ObjectRef> items;
  for (int i = 0; i < 1100; ++i) {
    items.push_back(test::NewItem("Entry"));
    test::Append(title, items.back());
  }
  for (const int i : {0, 1021, 1022, 1099}) {
    MenuItemImp* item = test::Imp(items[static_cast<size_t>(i)]);
    EXPECT_NE(item->commandId(), kNoCommandId);
    EXPECT_EQ(FindByCommandId(test::Imp(bar), item->commandId()), item) << i;
  }
  EXPECT_EQ(FindByCommandId(test::Imp(bar), kNoCommandId), nullptr) << "0 is nobody's";
}

}  // namespace
}  // namespace ql::menus
