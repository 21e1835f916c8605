#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "catalogue/MessageEntry.h"

namespace tralvex {
namespace {

TEST(EntryPoolTest, HandlesNameDistinctEntriesAcrossBlocksAndAreReused) {
  EntryPool pool;
  static const char kTexts[3][2] = {"a", "b", "c"};
  std::vector<EntryPool::Handle> handles;
  std::set<const MessageEntry*> entries;
  for (int i = 0; i < 10000; ++i) {
    EntryPool::Handle handle = pool.Allocate(kTexts[i % 3]);
    ASSERT_NE(handle, 0u);
    handles.push_back(handle);
    entries.insert(pool.At(handle));
  }
  EXPECT_EQ(entries.size(), handles.size());
  for (int i = 0; i < 10000; ++i) {
    ASSERT_EQ(pool.At(handles[i])->text, kTexts[i % 3]) << i;
    ASSERT_EQ(pool.At(handles[i])->shareCount, 1);
  }
  // Freed entries come back before fresh ones; the others stay intact.
  for (int i = 1; i < 10000; i += 2) pool.Free(handles[i]);
  std::set<EntryPool::Handle> freed(handles.begin(), handles.end());
  for (int i = 0; i < 5000; ++i) {
    EntryPool::Handle handle = pool.Allocate(kTexts[2]);
    ASSERT_TRUE(freed.count(handle)) << handle;
    ASSERT_EQ(pool.At(handle)->text, kTexts[2]);
  }
  for (int i = 0; i < 10000; i += 2) ASSERT_EQ(pool.At(handles[i])->text, kTexts[i % 3]);
  EXPECT_EQ(pool.Allocate(kTexts[0]), 10001u);
}

}  // namespace
}  // namespace tralvex
