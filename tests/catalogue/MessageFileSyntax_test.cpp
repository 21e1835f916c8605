#include "catalogue/MessageFileSyntax.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/CodePage.h"

namespace tralvex {
namespace {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  const char* cursor = text.data();
  const char* end = text.data() + text.size();
  while (cursor < end) lines.emplace_back(NextLine(cursor, end));
  return lines;
}

TEST(NextLineTest, SplitsAtCarriageReturnsOnly) {
  EXPECT_EQ(SplitLines("a\r\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
  // One line feed after the carriage return belongs to the line end, a
  // second one starts a line of its own.
  EXPECT_EQ(SplitLines("a\r\n\nb"), (std::vector<std::string>{"a", "\nb"}));
  EXPECT_EQ(SplitLines("a\nb\nc\n"), (std::vector<std::string>{"a\nb\nc\n"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
}

TEST(NextLineTest, SkipsLeadingSpacesButNotTabsAndStopsAtNul) {
  EXPECT_EQ(SplitLines("   x\r\t y"), (std::vector<std::string>{"x", "\t y"}));
  EXPECT_EQ(SplitLines(std::string_view("ab\0cd\r\nef", 9)),
            (std::vector<std::string>{"ab", "ef"}));
  EXPECT_EQ(SplitLines("    "), (std::vector<std::string>{""}));
}

TEST(NextLineTest, KeepingTheNextNulGivesTheSameLines) {
  static const char kText[] = "a\0b\r\n\0\r\n  c\r\nd\0\0e\rf\r\n\0";
  std::string_view text(kText, sizeof kText - 1);
  const char* end = text.data() + text.size();
  const char* plain = text.data();
  const char* kept = text.data();
  const char* nextNul = FindNul(kept, end);
  while (plain < end) {
    ASSERT_EQ(NextLine(plain, end), NextLine(kept, end, nextNul));
    ASSERT_EQ(plain, kept);
  }
  EXPECT_EQ(kept, end);
}

TEST(SectionHeaderTest, NameIsTheTrimmedSpanUpToTheFirstBracket) {
  std::string_view name;
  ASSERT_TRUE(ParseSectionHeader("[ errors ]", name));
  EXPECT_EQ(name, "errors");
  ASSERT_TRUE(ParseSectionHeader("[AB]] tail ; x", name));
  EXPECT_EQ(name, "AB");
  ASSERT_TRUE(ParseSectionHeader("[ A]", name));
  EXPECT_EQ(name, "A");
  ASSERT_TRUE(ParseSectionHeader("[\tA\t]", name));
  EXPECT_EQ(name, "\tA\t");  // only spaces are trimmed
}

TEST(SectionHeaderTest, ShortBlankOrUnclosedSpansAreNoHeaders) {
  std::string_view name;
  for (const char* line : {"[A]", "[]", "[  ]", "[    ]", "[ABC", "\t[X]", "X[AB]", ""}) {
    EXPECT_FALSE(ParseSectionHeader(line, name)) << line;
  }
}

TEST(AliasLineTest, FirstFiveLettersInAnyCase) {
  for (const char* line : {"ALIAS: x", "alias:x", "Aliases = x", "aLiAs"}) {
    EXPECT_TRUE(IsAliasLine(line)) << line;
  }
  for (const char* line : {"ALIA: x", " ALIAS", "ALI", "AL1AS: x"}) {
    EXPECT_FALSE(IsAliasLine(line)) << line;
  }
}

TEST(AliasLineTest, TargetIsTheWholeTrimmedTextAfterTheFirstColon) {
  std::string_view target;
  ASSERT_TRUE(ParseAliasTarget("Alias to: \t Base ; not a comment: \"x\" ", target));
  EXPECT_EQ(target, "Base ; not a comment: \"x\"");
  EXPECT_FALSE(ParseAliasTarget("ALIAS", target));
  EXPECT_FALSE(ParseAliasTarget("ALIAS Base", target));
  EXPECT_FALSE(ParseAliasTarget("ALIAS: \t ", target));
  // The colon is looked for from the sixth byte on.
  EXPECT_FALSE(ParseAliasTarget("ALIAS", target));
  ASSERT_TRUE(ParseAliasTarget("ALIAS:x", target));
  EXPECT_EQ(target, "x");
}

TEST(MessageNumberTest, ReadsLikeHexadecimalFormattedInput) {
  struct Case {
    const char* part;
    uint32_t number;
  } cases[] = {
      {"100", 0x100},
      {"  1a2 ", 0x1A2},
      {"Bad", 0xBAD},
      {"0x1F", 0x1F},
      {"0XfF", 0xFF},
      {"+10", 0x10},
      {"-1", 0xFFFFFFFF},
      {"12 34", 0x12},
      {"7zz", 7},
      {"", 0},
      {" \t ", 0},
      {"0x", 0},
      {"0xg", 0},
      {"FFFFFFFF", 0xFFFFFFFF},
      {"123456789", 0x23456789},
  };
  for (const Case& c : cases) {
    uint32_t number = 12345;
    EXPECT_TRUE(ReadMessageNumber(c.part, number)) << c.part;
    EXPECT_EQ(number, c.number) << c.part;
  }
  uint32_t number;
  for (const char* part : {"Hello", "x10", "-", "+ 5", "g"}) {
    EXPECT_FALSE(ReadMessageNumber(part, number)) << part;
  }
}

TEST(MessageNumberTest, OnlySpacesAndTabsMakeAnEmptyNumberPart) {
  uint32_t number = 12345;
  EXPECT_TRUE(ReadMessageNumber(" \t", number));
  EXPECT_EQ(number, 0u);
  // Other white space before the colon is something, and no number.
  for (const char* part : {"\n", "\v", "\f", " \n\t", "\t\f "}) {
    EXPECT_FALSE(ReadMessageNumber(part, number)) << static_cast<int>(part[0]);
  }
  // Before digits it is skipped as formatted input skips it.
  EXPECT_TRUE(ReadMessageNumber("\n\v5", number));
  EXPECT_EQ(number, 5u);
  EXPECT_EQ(ClassifyLine("\n: zero").kind, LineKind::kIgnored);
  EXPECT_EQ(ClassifyLine("\f: zero").kind, LineKind::kIgnored);
}

struct MessageCase {
  const char* line;
  uint32_t number;
  const char* text;
};

TEST(MessageLineTest, TextIsCutTrimmedAndUnquoted) {
  const MessageCase cases[] = {
      {": text", 0, "text"},
      {"Bad: x", 0xBAD, "x"},
      {"100 : value: %s", 0x100, "value: %s"},
      {"10: a;b", 0x10, "a"},
      {"10: a;b;", 0x10, "a;b"},
      {"10: \"quoted\"", 0x10, "quoted"},
      {"10: ends only\"", 0x10, "ends only"},
      {"10: \"starts only", 0x10, "starts only"},
      {"10: \"a;b\" ; comment", 0x10, "a;b"},
      {"10: \"", 0x10, ""},
      {"10: \"\"\"", 0x10, "\""},
      {"10:", 0x10, ""},
      {"10: \t  \t", 0x10, ""},
      {"10: {1A2|fall back} \\n%s", 0x10, "{1A2|fall back} \\n%s"},
      {"10:\ttab\t", 0x10, "tab"},
  };
  for (const MessageCase& c : cases) {
    uint32_t number = 0;
    std::string_view text;
    ASSERT_TRUE(ParseMessageLine(c.line, number, text)) << c.line;
    EXPECT_EQ(number, c.number) << c.line;
    EXPECT_EQ(text, c.text) << c.line;
  }
}

TEST(MessageLineTest, ViewsPointIntoTheLineEvenWhenEmpty) {
  std::string line = "10:   ";
  uint32_t number;
  std::string_view text;
  ASSERT_TRUE(ParseMessageLine(line, number, text));
  EXPECT_TRUE(text.empty());
  EXPECT_GE(text.data(), line.data());
  EXPECT_LE(text.data(), line.data() + line.size());
}

// The parser walks a text with ClassifyNextLine, taking the plain message
// lines it can with ReadPlainMessageLine; the tools walk it with NextLine
// and ClassifyLine: they must agree on every line of any text.
TEST(ClassifyLineTest, WalkingInOnePassGivesTheSameLinesAndAnswers) {
  static const char kAlphabet[] = "[]:;;\"\r\r\n \t\0aAlLiIsS0123456789xX-+|{}";
  std::mt19937 random(17);
  for (unsigned page : {1252u, 65001u, 932u}) {
    ASSERT_TRUE(platform::UseCodePage(page));
    for (int round = 0; round < 3000; ++round) {
      std::string text(random() % 200, '\0');
      for (char& c : text) {
        c = random() % 8 == 0 ? static_cast<char>(random())
                              : kAlphabet[random() % (sizeof kAlphabet - 1)];
      }
      const char* end = text.data() + text.size();
      const char* a = text.data();
      const char* b = text.data();
      const char* nulA = FindNul(a, end);
      const char* nulB = nulA;
      while (a < end) {
        const LineInfo expected = ClassifyLine(NextLine(a, end, nulA));
        const char* before = b;
        const LineInfo got = ClassifyNextLine(b, end, nulB);
        ASSERT_EQ(a, b) << text;
        const char* plain = before;
        uint32_t number = 0;
        std::string_view plainText;
        if (!platform::ActiveCodePage().doubleByte &&
            ReadPlainMessageLine(plain, end, number, plainText)) {
          ASSERT_EQ(LineKind::kMessage, got.kind) << text;
          ASSERT_EQ(b, plain) << text;
          ASSERT_EQ(got.number, number) << text;
          ASSERT_EQ(got.text.data(), plainText.data()) << text;
          ASSERT_EQ(got.text.size(), plainText.size()) << text;
        } else {
          ASSERT_EQ(before, plain) << text;
        }
        ASSERT_EQ(expected.kind, got.kind) << text;
        ASSERT_EQ(expected.number, got.number) << text;
        for (auto [x, y] : {std::pair{expected.name, got.name},
                            {expected.target, got.target},
                            {expected.text, got.text}}) {
          ASSERT_EQ(x.data(), y.data()) << text;
          ASSERT_EQ(x.size(), y.size()) << text;
        }
      }
    }
  }
  platform::UseSystemCodePage();
}

TEST(ClassifyLineTest, KindsAreTestedInOrder) {
  EXPECT_EQ(ClassifyLine("").kind, LineKind::kEmpty);
  EXPECT_EQ(ClassifyLine("; 10: x").kind, LineKind::kComment);
  EXPECT_EQ(ClassifyLine("[ABC]").kind, LineKind::kSectionHeader);
  // An alias line is never a message, although A is a digit.
  LineInfo alias = ClassifyLine("Alias: Base");
  EXPECT_EQ(alias.kind, LineKind::kAlias);
  EXPECT_EQ(alias.target, "Base");
  EXPECT_EQ(ClassifyLine("ALIASES").kind, LineKind::kAlias);
  EXPECT_TRUE(ClassifyLine("ALIASES").target.empty());
  // A header-looking line that is no header may still be a message.
  LineInfo message = ClassifyLine("[A]: text");
  EXPECT_EQ(message.kind, LineKind::kIgnored);
  message = ClassifyLine("A: [x]");
  EXPECT_EQ(message.kind, LineKind::kMessage);
  EXPECT_EQ(message.number, 0xAu);
  EXPECT_EQ(ClassifyLine("Hello: x").kind, LineKind::kIgnored);
  EXPECT_EQ(ClassifyLine("\tno colon").kind, LineKind::kIgnored);
  EXPECT_EQ(ClassifyLine("\t10: tab first").kind, LineKind::kMessage);
}

}  // namespace
}  // namespace tralvex
