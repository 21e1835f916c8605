#include "api/CatalogueHandleTable.h"

#include <gtest/gtest.h>

#include <memory>

#include "catalogue/MessageCatalogue.h"

namespace tralvex {
namespace {

// A catalogue on no file that counts its destruction.
class CountedCatalogue : public MessageCatalogue {
 public:
  explicit CountedCatalogue(int* destroyed) : destroyed_(destroyed) {}
  ~CountedCatalogue() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

class HandleTableTest : public ::testing::Test {
 protected:
  uint16_t Register() { return table.RegisterCatalogue(new CountedCatalogue(&destroyed)); }

  int destroyed = 0;
  CatalogueHandleTable table{10};
};

TEST_F(HandleTableTest, IssuesHandlesFromOneAndReusesTheOldestReleased) {
  EXPECT_EQ(1, Register());
  EXPECT_EQ(2, Register());
  EXPECT_EQ(3, Register());
  EXPECT_EQ(1, table.CloseCatalogue(2));
  EXPECT_EQ(1, destroyed);
  EXPECT_EQ(2, Register());

  EXPECT_EQ(1, table.CloseCatalogue(1));
  EXPECT_EQ(1, table.CloseCatalogue(3));
  EXPECT_EQ(1, Register());
  EXPECT_EQ(3, Register());
  EXPECT_EQ(4, Register());

  table.CloseAllCatalogues();
  EXPECT_EQ(7, destroyed);
  EXPECT_EQ(0u, table.Count());
  EXPECT_EQ(kNoCatalogue, table.CurrentHandle());
  EXPECT_EQ(1, Register());
}

TEST_F(HandleTableTest, UnknownHandlesAreRefusedAndRecorded) {
  Register();
  Register();
  EXPECT_EQ(0, table.CloseCatalogue(7));
  EXPECT_EQ(1, table.HasError(0x114));
  EXPECT_EQ(2, table.CurrentHandle());

  EXPECT_EQ(nullptr, table.SelectCatalogue(kNoCatalogue));
  EXPECT_EQ(1, table.HasError(0x114));
  EXPECT_EQ(2, table.CurrentHandle());
  EXPECT_EQ(0, table.CloseCatalogue(kNoCatalogue));
  EXPECT_EQ(0, table.CloseCatalogue(0));

  EXPECT_EQ(nullptr, table.SelectCatalogue(0));
  EXPECT_EQ(kNoCatalogue, table.CurrentHandle());
  EXPECT_EQ(nullptr, table.CurrentCatalogue());

  EXPECT_NE(nullptr, table.SelectCatalogue(1));
  EXPECT_EQ(1, table.HasNoErrors());
  EXPECT_EQ(0, destroyed);
}

TEST_F(HandleTableTest, ClosingTheCurrentEntryPromotesTheFirstInIterationOrder) {
  Register();
  Register();
  Register();
  EXPECT_EQ(3, table.CurrentHandle());
  table.CloseCatalogue(3);
  EXPECT_EQ(2, table.CurrentHandle());
  Register();  // 3 again
  MessageCatalogue* first = table.SelectCatalogue(1);
  table.CloseCatalogue(1);
  EXPECT_EQ(3, table.CurrentHandle());
  EXPECT_NE(first, table.CurrentCatalogue());
  EXPECT_EQ(table.SelectCatalogue(3), table.CurrentCatalogue());

  // Closing another handle leaves the current entry alone.
  table.CloseCatalogue(2);
  EXPECT_EQ(3, table.CurrentHandle());
  table.CloseCatalogue(3);
  EXPECT_EQ(kNoCatalogue, table.CurrentHandle());
  EXPECT_EQ(nullptr, table.CurrentCatalogue());
}

TEST_F(HandleTableTest, LowerBucketsComeFirstAndChainsNewestFirst) {
  for (int i = 1; i <= 20; ++i) Register();
  // Handles 16 to 20 lie in the second bucket, 1 to 15 in the first.
  table.CloseCatalogue(20);
  EXPECT_EQ(15, table.CurrentHandle());
  table.CloseCatalogue(15);
  EXPECT_EQ(14, table.CurrentHandle());
  // Reissued 20 sits at the head of the second bucket, still after bucket 0.
  table.SelectCatalogue(17);
  Register();
  Register();
  EXPECT_EQ(15, table.CurrentHandle());
  table.CloseCatalogue(15);
  EXPECT_EQ(14, table.CurrentHandle());
}

TEST_F(HandleTableTest, ReissuedHandleBecomesTheNewestOfItsBucket) {
  Register();
  Register();
  Register();
  table.CloseCatalogue(1);
  Register();  // 1 again, now the newest in bucket 0
  table.SelectCatalogue(2);
  table.CloseCatalogue(2);
  EXPECT_EQ(1, table.CurrentHandle());
}

TEST_F(HandleTableTest, FullTableRefusesWithoutTakingTheCatalogue) {
  for (int i = 1; i <= 65534; ++i) ASSERT_EQ(i, Register());
  auto extra = std::make_unique<CountedCatalogue>(&destroyed);
  EXPECT_EQ(kNoCatalogue, table.RegisterCatalogue(extra.get()));
  EXPECT_EQ(1, table.HasError(0x102));
  EXPECT_EQ(65534, table.CurrentHandle());
  EXPECT_EQ(1, table.CloseCatalogue(100));
  EXPECT_EQ(100, table.RegisterCatalogue(extra.release()));
  EXPECT_EQ(1, table.HasNoErrors());
}

TEST(HandleTable, DestructionDestroysEveryCatalogue) {
  int destroyed = 0;
  {
    CatalogueHandleTable table(10);
    for (int i = 0; i < 25; ++i) table.RegisterCatalogue(new CountedCatalogue(&destroyed));
    table.CloseCatalogue(5);
    EXPECT_EQ(1, destroyed);
  }
  EXPECT_EQ(25, destroyed);
}

}  // namespace
}  // namespace tralvex
