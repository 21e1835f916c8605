#include <gtest/gtest.h>

#include "platform/Ui.h"

namespace {

using tralvex::platform::DefaultButtonResult;

constexpr int kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6,
              kIdNo = 7, kIdTryAgain = 10, kIdContinue = 11;
constexpr unsigned kDefButton2 = 0x100, kDefButton3 = 0x200, kDefButton4 = 0x300;

TEST(MessageBoxButtons, EnterChoosesTheDefaultButtonOfEachSet) {
  EXPECT_EQ(DefaultButtonResult(0x0), kIdOk);
  EXPECT_EQ(DefaultButtonResult(0x1 | kDefButton2), kIdCancel);
  EXPECT_EQ(DefaultButtonResult(0x2), kIdAbort);
  EXPECT_EQ(DefaultButtonResult(0x2 | kDefButton2), kIdRetry);
  EXPECT_EQ(DefaultButtonResult(0x2 | kDefButton3), kIdIgnore);
  EXPECT_EQ(DefaultButtonResult(0x3 | kDefButton3), kIdCancel);
  EXPECT_EQ(DefaultButtonResult(0x4), kIdYes);
  EXPECT_EQ(DefaultButtonResult(0x4 | kDefButton2), kIdNo);
  EXPECT_EQ(DefaultButtonResult(0x5), kIdRetry);
  EXPECT_EQ(DefaultButtonResult(0x6 | kDefButton2), kIdTryAgain);
  EXPECT_EQ(DefaultButtonResult(0x6 | kDefButton3), kIdContinue);
}

TEST(MessageBoxButtons, IconsAndModesDoNotMatterAndAMissingDefaultIsTheFirst) {
  EXPECT_EQ(DefaultButtonResult(0x12030), kIdOk);
  EXPECT_EQ(DefaultButtonResult(0x4 | 0x20 | 0x2000 | kDefButton2), kIdNo);
  EXPECT_EQ(DefaultButtonResult(0x4 | kDefButton3), kIdYes);
  EXPECT_EQ(DefaultButtonResult(0x0 | kDefButton4), kIdOk);
  EXPECT_EQ(DefaultButtonResult(0xF), kIdOk);
}

}  // namespace
