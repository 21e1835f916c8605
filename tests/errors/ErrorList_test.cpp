#include "tralvex/ErrorList.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorList, KeepsTheFirstEntryOfACode) {
  ErrorList list;
  list.AddError(276, "first");
  list.AddError(276, "second");
  ASSERT_EQ(list.GetErrorCount(), 1u);
  int code = 0;
  const char* text = nullptr;
  ASSERT_EQ(list.GetErrorAt(1, code, text), 1);
  EXPECT_EQ(code, 276);
  EXPECT_STREQ(text, "first");
}

TEST(ErrorList, EmptyContextTextReadsBackAsNull) {
  ErrorList list;
  list.AddError(1, nullptr);
  list.AddError(2, "");
  int code = 0;
  const char* text = "x";
  ASSERT_EQ(list.GetErrorAt(1, code, text), 1);
  EXPECT_EQ(text, nullptr);
  ASSERT_EQ(list.GetErrorAt(2, code, text), 1);
  EXPECT_EQ(text, nullptr);
}

TEST(ErrorList, GetErrorAtOutsideTheListGivesNothing) {
  ErrorList list;
  list.AddError(7, "seven");
  int code = 9;
  const char* text = "x";
  EXPECT_EQ(list.GetErrorAt(0, code, text), 0);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(list.GetErrorAt(2, code, text), 0);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(text, nullptr);
}

TEST(ErrorList, GetAllErrorsOnEmptyAndNullArrays) {
  ErrorList empty;
  unsigned count = 10;
  EXPECT_EQ(empty.GetAllErrors(count, nullptr, nullptr), 1);
  EXPECT_EQ(count, 0u);

  ErrorList list;
  list.AddError(288, "file");
  count = 10;
  int codes[10];
  EXPECT_EQ(list.GetAllErrors(count, codes, nullptr), 0);
  EXPECT_EQ(count, 0u);
}

TEST(ErrorList, GetAllErrorsStopsAtTheCapacityWithTheOldest) {
  ErrorList list;
  for (int code = 1; code <= 12; ++code) list.AddError(code, code % 2 ? "odd" : nullptr);
  unsigned count = 10;
  int codes[10] = {};
  const char* texts[10] = {};
  ASSERT_EQ(list.GetAllErrors(count, codes, texts), 1);
  ASSERT_EQ(count, 10u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(codes[i], i + 1);
    if (i % 2 == 0) {
      EXPECT_STREQ(texts[i], "odd");
    } else {
      EXPECT_EQ(texts[i], nullptr);
    }
  }
}

TEST(ErrorList, CopyErrorsSkipsCodesAlreadyPresent) {
  ErrorList source;
  source.AddError(288, "a");
  source.AddError(320, nullptr);
  ErrorList target;
  target.AddError(288, "b");
  target.CopyErrors(source);
  ASSERT_EQ(target.GetErrorCount(), 2u);
  int code = 0;
  const char* text = nullptr;
  target.GetErrorAt(1, code, text);
  EXPECT_STREQ(text, "b");
  target.GetErrorAt(2, code, text);
  EXPECT_EQ(code, 320);
  EXPECT_EQ(source.GetErrorCount(), 2u);
}

TEST(ErrorList, LastCodeFindAndClear) {
  ErrorList list;
  EXPECT_EQ(list.GetLastErrorCode(), 0);
  EXPECT_EQ(list.HasError(291), 0);
  list.AddError(291, nullptr);
  list.AddError(320, nullptr);
  EXPECT_EQ(list.GetLastErrorCode(), 320);
  EXPECT_EQ(list.FindError(320), 2u);
  EXPECT_EQ(list.FindError(5), 0u);
  EXPECT_EQ(list.HasError(291), 1);
  list.ClearErrors();
  EXPECT_EQ(list.HasNoErrors(), 1);
  EXPECT_EQ(list.GetLastErrorCode(), 0);
}

TEST(ErrorList, ReusesNodesAcrossManyBlocks) {
  ErrorList list;
  for (int round = 0; round < 3; ++round) {
    for (int code = 0; code < 23; ++code) list.AddError(code, "context");
    EXPECT_EQ(list.GetErrorCount(), 23u);
    list.ClearErrors();
  }
  EXPECT_EQ(list.GetErrorCount(), 0u);
}

}  // namespace
