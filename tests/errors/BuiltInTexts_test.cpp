#include "errors/BuiltInTexts.h"

#include <gtest/gtest.h>

namespace {

using tralvex::FileErrorCode;
using tralvex::SelectBuiltInTexts;

TEST(BuiltInTexts, OnlyThePrimaryLanguageCounts) {
  EXPECT_STREQ(SelectBuiltInTexts(0x0C07, 1252).errorWord, "Fehler");
  EXPECT_STREQ(SelectBuiltInTexts(0x0407, 1252).actionLabel, "AKTION\t:  ");
  EXPECT_STREQ(SelectBuiltInTexts(0x0809, 1252).errorWord, "Error");
  EXPECT_STREQ(SelectBuiltInTexts(0x040C, 1252).unspecifiedError, "Unknown error");
  EXPECT_STREQ(SelectBuiltInTexts(0x0000, 1252).errorWord, "Error");
  EXPECT_STREQ(SelectBuiltInTexts(0x0405, 1250).errorWord, "Chyba");
}

TEST(BuiltInTexts, CzechFollowsTheProcessCodePage) {
  // The letter a with acute: 0xE1 in code page 1250, C3 A1 in UTF-8.
  EXPECT_STREQ(SelectBuiltInTexts(0x0405, 1250).unspecifiedError, "Nespecifikovan\xE1 chyba");
  EXPECT_STREQ(SelectBuiltInTexts(0x0405, 65001).unspecifiedError,
               "Nespecifikovan\xC3\xA1 chyba");
  // r with caron is 0xF8 and s with caron 0x9A in code page 1250.
  const char* memory = SelectBuiltInTexts(0x0405, 1250).memoryFailure;
  EXPECT_EQ(static_cast<unsigned char>(memory[1]), 0xF8);
}

TEST(BuiltInTexts, TextsAreUsedAsWritten) {
  EXPECT_STREQ(SelectBuiltInTexts(0x0407, 1252).memoryFailure,
               "Diplaying an error message: Memory Exception");
  EXPECT_STREQ(SelectBuiltInTexts(0x0409, 1252).memoryFailure,
               "ACTION\t:  diplaying an error message\n\nERROR\t:  Memory Exception");
}

TEST(FileErrorCode, MapsCausesAndTheRest) {
  const char* description = nullptr;
  EXPECT_EQ(FileErrorCode(0, &description), 0);
  EXPECT_STREQ(description, "File is allright : ");
  EXPECT_EQ(FileErrorCode(14, &description), 0x012E);
  EXPECT_EQ(FileErrorCode(8, &description), 0x0184);
  EXPECT_STREQ(description, "Directory is full :");
  EXPECT_EQ(FileErrorCode(15, &description), 0x0103);
  EXPECT_STREQ(description, "Unknown file exception for :");
  EXPECT_EQ(FileErrorCode(-1, &description), 0x0103);
  EXPECT_STREQ(description, "Unknown file exception for :");
  EXPECT_EQ(FileErrorCode(2, nullptr), 0x0127);
}

}  // namespace
