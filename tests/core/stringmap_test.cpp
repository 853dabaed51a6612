#include "core/stringmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql {
namespace {

String Key(const char* text) { return NewStringFromCText(text); }

TEST(StringMap, HashFoldsAsciiLettersAndTakesBytesAsSigned) {
  EXPECT_EQ(NameHash("", 0), 0u);
  EXPECT_EQ(NameHash("a", 1), static_cast<uint32_t>('A'));
  EXPECT_EQ(NameHash("ab", 2), 'A' * 31u + 'B');
  EXPECT_EQ(NameHash("AB", 2), NameHash("ab", 2));
  // 0xE9 as a signed byte is -23.
  EXPECT_EQ(NameHash("\xE9", 1), static_cast<uint32_t>(-23));
  EXPECT_EQ(NameHash("x\xE9", 2), 'X' * 31u + static_cast<uint32_t>(-23));
}

TEST(StringMap, KeysCompareWithoutCase) {
  StringMap<int> map;
  int one = 1;
  EXPECT_TRUE(map.Insert(Key("Listbox").get(), &one));
  EXPECT_EQ(map.Find(Key("LISTBOX").get()), &one);
  EXPECT_EQ(map.Find("listbox", 7), &one);
  EXPECT_EQ(map.Find(Key("Listbox2").get()), nullptr);
  int two = 2;
  EXPECT_FALSE(map.Insert(Key("listBOX").get(), &two));
  EXPECT_EQ(map.Set(Key("listbox").get(), &two), &one);
  EXPECT_EQ(map.Find(Key("Listbox").get()), &two);
  EXPECT_EQ(map.Count(), 1u);
}

TEST(StringMap, DoublesPastThreeQuartersAndKeepsInsertionOrder) {
  StringMap<int> map;
  std::vector<int> values(400);
  for (int i = 0; i < 400; ++i) {
    values[i] = i;
    map.Insert(Key(("key" + std::to_string(i)).c_str()).get(), &values[i]);
    if (i + 1 == 192) {
      EXPECT_EQ(map.BucketCount(), 256u);
    }
    if (i + 1 == 193) {
      EXPECT_EQ(map.BucketCount(), 512u);
    }
  }
  for (int i = 0; i < 400; ++i) EXPECT_EQ(map.Find(Key(("KEY" + std::to_string(i)).c_str()).get()), &values[i]);
  int expected = 0;
  map.ForEach([&](RuntimeString* key, int* value) {
    EXPECT_EQ(std::string(StringText(key)), "key" + std::to_string(expected));
    EXPECT_EQ(*value, expected);
    ++expected;
  });
  EXPECT_EQ(expected, 400);
}

TEST(StringMap, RemoveUnlinksOnlyThatKey) {
  StringMap<int> map;
  int a = 1, b = 2, c = 3;
  map.Insert(Key("a").get(), &a);
  map.Insert(Key("b").get(), &b);
  map.Insert(Key("c").get(), &c);
  EXPECT_EQ(map.Remove(Key("B").get()), &b);
  EXPECT_EQ(map.Remove(Key("B").get()), nullptr);
  EXPECT_EQ(map.Find(Key("a").get()), &a);
  EXPECT_EQ(map.Find(Key("c").get()), &c);
  EXPECT_EQ(map.Count(), 2u);
  std::string order;
  map.ForEach([&](RuntimeString* key, int*) { order += StringText(key); });
  EXPECT_EQ(order, "ac");
}

TEST(StringMap, HoldsAReferenceToEachKey) {
  String key = Key("held");
  {
    StringMap<int> map;
    int v = 0;
    map.Insert(key.get(), &v);
    EXPECT_EQ(key.get()->refCount, 2);
  }
  EXPECT_EQ(key.get()->refCount, 1);
}

}  // namespace
}  // namespace ql
