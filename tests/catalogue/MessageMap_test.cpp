#include "catalogue/MessageMap.h"

#include <gtest/gtest.h>

namespace tralvex {
namespace {

TEST(MessageMapTest, OversizedTableShrinksAndKeepsItsEntries) {
  MessageMap map;
  map.Reserve(100000);
  ASSERT_GE(map.Capacity(), 100000u);
  for (uint32_t n = 1; n <= 10; ++n) {
    map.Slot(n * 0x10001u) = n;
    map.Inserted();
  }
  map.ShrinkToFit();
  EXPECT_EQ(map.Capacity(), 16u);
  for (uint32_t n = 1; n <= 10; ++n) EXPECT_EQ(map.Find(n * 0x10001u), n);
  EXPECT_EQ(map.Find(0x10000u), 0u);

  // A table of about the right size stays as it is.
  for (uint32_t n = 100; n < 1100; ++n) {
    map.Slot(n) = n;
    map.Inserted();
  }
  std::size_t sized = map.Capacity();
  map.ShrinkToFit();
  EXPECT_EQ(map.Capacity(), sized);
  EXPECT_EQ(map.Find(1099), 1099u);
}

TEST(MessageMapTest, FullLoadStillFindsEveryNumberAndRejectsOthers) {
  MessageMap map;
  // Numbers that share their low bits, as message ranges often do.
  for (uint32_t n = 0; n < 3000; ++n) {
    MessageMap::Handle& slot = map.Slot(n << 16);
    ASSERT_EQ(slot, 0u);
    slot = n + 1;
    map.Inserted();
  }
  EXPECT_LE(map.Size() * 4, map.Capacity() * 3);
  for (uint32_t n = 0; n < 3000; ++n) ASSERT_EQ(map.Find(n << 16), n + 1);
  for (uint32_t n = 0; n < 3000; ++n) ASSERT_EQ(map.Find((n << 16) | 1), 0u);
  EXPECT_EQ(map.Slot(5u << 16), 6u);
}

}  // namespace
}  // namespace tralvex
