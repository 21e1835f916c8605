// Message files in a double-byte code page: the second byte of a character
// may equal "]", "\", "[" or "|" and must never be taken for one.
#include <gtest/gtest.h>

#include "catalogue/MessageFileData.h"
#include "catalogue/MessageFileSyntax.h"
#include "platform/CodePage.h"
#include "support/MessageText.h"

namespace tralvex {
namespace {

using test::ParseText;
using test::TextOf;

class DoubleByteTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!platform::UseCodePage(932)) GTEST_SKIP() << "no table for code page 932";
  }
  void TearDown() override { platform::UseSystemCodePage(); }
};

// In code page 932, 0x81 0x5D and 0x81 0x5B are characters whose second
// bytes are "]" and "["; 0x83 0x5C and 0x83 0x7C end in "\" and "|".
TEST_F(DoubleByteTextTest, TrailBytesNeverCloseASectionName) {
  std::string_view name;
  ASSERT_TRUE(ParseSectionHeader("[\x81\x5D\x81\x5B] tail", name));
  EXPECT_EQ(name, "\x81\x5D\x81\x5B");
  ASSERT_TRUE(ParseSectionHeader("[\x83\x5C\x81\x5D]]", name));
  EXPECT_EQ(name, "\x83\x5C\x81\x5D");
  // One double-byte character is one character: too short for a name.
  EXPECT_FALSE(ParseSectionHeader("[\x81\x5D]", name));
  EXPECT_FALSE(ParseSectionHeader("[\x81\x5D", name));
}

TEST_F(DoubleByteTextTest, TrailBytesAreNoSeparatorsInMessages) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data,
                      "[\x81\x5D\x81\x5B]\r\n"
                      "1: \x83\x5C\x83\x7C;\x83\x5C\r\n"
                      "2: \"\x81\x5D\"\r\n"
                      "[Other]\r\nAlias: \x81\x5D\x81\x5B\r\n"),
            1);
  EXPECT_EQ(data.Sections()[0].name, "\x81\x5D\x81\x5B");
  EXPECT_EQ(TextOf(data, "\x81\x5D\x81\x5B", 1), "\x83\x5C\x83\x7C");
  EXPECT_EQ(TextOf(data, "\x81\x5D\x81\x5B", 2), "\x81\x5D");
  EXPECT_EQ(TextOf(data, "OTHER", 1), "\x83\x5C\x83\x7C");
}

TEST_F(DoubleByteTextTest, UpperCasingLeavesTrailBytesAlone) {
  MessageFileData data;
  // 0x82 0x61 is one character whose second byte is "a".
  ASSERT_EQ(ParseText(data, "[a\x82\x61]\r\n1: x\r\n"), 1);
  EXPECT_EQ(data.Sections()[0].name, "A\x82\x61");
  EXPECT_NE(data.FindSection("a\x82\x61"), nullptr);
  EXPECT_EQ(data.FindSection("A\x82\x41"), nullptr);
}

TEST_F(DoubleByteTextTest, AliasTestDoesNotReadIntoCharacters) {
  // A lead byte among the first five bytes is no letter of "ALIAS".
  EXPECT_FALSE(IsAliasLine("\x81\x41LIAS: x"));
  LineInfo info = ClassifyLine("alias:\x81\x5D\x81\x5B ");
  EXPECT_EQ(info.kind, LineKind::kAlias);
  EXPECT_EQ(info.target, "\x81\x5D\x81\x5B");
}

}  // namespace
}  // namespace tralvex
