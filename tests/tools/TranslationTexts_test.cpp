// What the translation commands read of a text: its arguments, references
// and escapes as the library's formatting and evaluation see them, and its
// conversion between a code page and UTF-8.
#include <gtest/gtest.h>

#include "CodePageText.h"
#include "TextTraits.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

TEST(TextTraits, CountsWhatFormattingAndEvaluationTake) {
  platform::UseCodePage(1252);
  TextTraits traits = TraitsOf("%s of %-10.3s, 50%% off, %d and %*s {10|x} {2A} {} {5}\\n\\t\\\\n");
  EXPECT_EQ(5u, traits.arguments);  // %s %-10.3s %d %*s and the "*"
  EXPECT_EQ(3u, traits.textConversions);
  EXPECT_EQ((std::vector<uint32_t>{0x10, 0x2A}), traits.references);
  EXPECT_EQ(1u, traits.newlines);  // "\\n" is a backslash and an n
  EXPECT_EQ(1u, traits.tabs);
  EXPECT_EQ(0u, TraitsOf("50% off").textConversions);
  EXPECT_EQ(1u, TraitsOf("50% off").arguments);  // "% o", as the formatter reads it
  platform::UseCodePage(932);
  // The second bytes of "ソ" and "表" equal "\": no escapes.
  TextTraits japanese = TraitsOf("\x83\x5Cn\x95\x5Ct");
  EXPECT_EQ(0u, japanese.newlines);
  EXPECT_EQ(0u, japanese.tabs);
  platform::UseSystemCodePage();
}

TEST(CodePageText, ConvertsStrictlyBothWays) {
  CodePageText czech(1250);
  ASSERT_TRUE(czech.Usable());
  std::string utf8, back;
  std::size_t bad = 0;
  EXPECT_TRUE(czech.ToUtf8("\x8Elu\x9Dou\xE8k\xFD", utf8, bad));
  EXPECT_EQ("\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD", utf8);
  EXPECT_TRUE(czech.FromUtf8(utf8, back, bad));
  EXPECT_EQ("\x8Elu\x9Dou\xE8k\xFD", back);
  utf8.clear();
  EXPECT_FALSE(czech.ToUtf8("ab\x81", utf8, bad));  // 0x81 is no character of 1250
  EXPECT_EQ(2u, bad);
  EXPECT_EQ("ab\\x81", czech.ToUtf8Escaped("ab\x81"));
  back.clear();
  EXPECT_FALSE(czech.FromUtf8("x\xE6\x97\xA5", back, bad));  // "日"
  EXPECT_EQ(1u, bad);
  EXPECT_EQ("U+65E5 \"\xE6\x97\xA5\"", DescribeCharacter("x\xE6\x97\xA5", 1));
  EXPECT_FALSE(czech.FromUtf8("\xC3\x28", back, bad));  // invalid UTF-8
  EXPECT_EQ(0u, bad);

  CodePageText japanese(932);
  utf8.clear();
  EXPECT_TRUE(japanese.ToUtf8("\x83\x5C\x95\x5C\\", utf8, bad));
  EXPECT_EQ("\xE3\x82\xBD\xE8\xA1\xA8\\", utf8);  // "ソ表\"
  utf8.clear();
  EXPECT_FALSE(japanese.ToUtf8("a\x83", utf8, bad));  // a lead byte at the end
  EXPECT_EQ(1u, bad);

  CodePageText unicode(65001);
  EXPECT_TRUE(unicode.Usable());
  utf8.clear();
  EXPECT_FALSE(unicode.ToUtf8("\xED\xA0\x80", utf8, bad));  // a surrogate
  EXPECT_EQ("\\xED\\xA0\\x80", unicode.ToUtf8Escaped("\xED\xA0\x80"));
}

}  // namespace
}  // namespace tralvex::tool
