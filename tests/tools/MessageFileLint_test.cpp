#include "MessageFileLint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

// "line:column: severity [check]" for every finding, in place order.
std::vector<std::string> Findings(const std::string& bytes, bool encoding = false) {
  DiagnosticList list;
  MessageLintOptions options;
  options.checkEncoding = encoding;
  LintMessageFile("f.msg", bytes, options, list);
  list.SortByPlace();
  std::vector<std::string> out;
  for (const Diagnostic& d : list.Items()) {
    out.push_back(std::to_string(d.line) + ":" + std::to_string(d.column) + " " +
                  SeverityName(d.severity) + " " + d.check);
  }
  return out;
}

using Strings = std::vector<std::string>;

TEST(MessageFileLint, CleanFileHasNoFinding) {
  EXPECT_EQ(Findings("; comment\r\n[Main]\r\n1: One\r\n2: \"  two  \"   ; why\r\n"
                     "3: {1|x} of %s, 100%%, %-10s\r\n[Other]\r\nAlias: main\r\n4: four\r\n"),
            Strings());
}

TEST(MessageFileLint, IgnoredLinesSaySoAndWhy) {
  EXPECT_EQ(Findings("[Main]\r\nHello: x\r\n[A]\r\n[]\r\n\t[Tab]\r\nno colon\r\n[Open\r\n"),
            (Strings{"2:1 warning ignored-line", "3:1 warning ignored-line",
                     "4:1 warning ignored-line", "5:1 warning ignored-line",
                     "6:1 warning ignored-line", "7:1 warning ignored-line"}));
  // A tab before a message is white space the number reading skips; tabs
  // before a comment or alone change nothing either.
  EXPECT_EQ(Findings("[Main]\r\n\t5: five\r\n\t; note\r\n\t \t\r\n"), Strings());
}

TEST(MessageFileLint, WhiteSpaceOtherThanBlanksIsNoMessageZero) {
  DiagnosticList list;
  LintMessageFile("f.msg", "[Main]\r\n1: one\r\n\f: zero\r\n0: real\r\n", MessageLintOptions(),
                  list);
  ASSERT_EQ(list.Items().size(), 1u);
  const Diagnostic& d = list.Items()[0];
  EXPECT_EQ(d.check, "ignored-line");
  EXPECT_NE(d.text.find("form feed"), std::string::npos) << d.text;
  EXPECT_NE(d.text.find("only spaces and tabs"), std::string::npos) << d.text;
  // The line feed of a blank line ended by itself alone: joined, and ignored.
  EXPECT_EQ(Findings("[Main]\r\n1: one\r\n\n: zero\r\n0: real\r\n"),
            (Strings{"3:1 error line-endings", "3:1 warning ignored-line"}));
}

TEST(MessageFileLint, LineFeedsAloneJoinLines) {
  EXPECT_EQ(Findings("[Main]\n1: a\n2: b\n"), Strings{"1:7 error line-endings"});
  // Only comments are joined: nothing is lost, yet the lines are one.
  EXPECT_EQ(Findings("; a\n; b\r\n"), (Strings{"0:0 note empty-file", "1:4 warning line-endings"}));
  EXPECT_EQ(Findings("[Main]\r\n1: a\n\n"), Strings());
}

TEST(MessageFileLint, PlacesFindingsOnEditorLines) {
  // CR alone ends a line for both; the finding stands on line 3.
  EXPECT_EQ(Findings("[Main]\r1: a\r1: b\r"), Strings{"3:1 warning shadowed-message"});
}

TEST(MessageFileLint, FirstDefinitionWinsAcrossRepeatedHeaders) {
  EXPECT_EQ(Findings("[AA]\r\n1: x\r\n[BB]\r\n1: y\r\n[aa]\r\n1: z\r\n"),
            (Strings{"5:1 note section-reopened", "6:1 warning shadowed-message"}));
}

TEST(MessageFileLint, NumberPartsReadUnlikeTheyLook) {
  EXPECT_EQ(Findings("[Main]\r\n: zero\r\n"), Strings{"2:1 note message-number"});
  EXPECT_EQ(Findings("[Main]\r\n-1: x\r\n"), Strings{"2:1 warning message-number"});
  EXPECT_EQ(Findings("[Main]\r\n123456789: x\r\n"), Strings{"2:1 warning message-number"});
  EXPECT_EQ(Findings("[Main]\r\n12g: x\r\n"), Strings{"2:3 warning message-number"});
  EXPECT_EQ(Findings("[Main]\r\nFace: x\r\n"), Strings{"2:1 note message-number"});
  EXPECT_EQ(Findings("[Main]\r\n0x1F: x\r\n00ab: y\r\nA: z\r\n0000: w\r\nABC: v\r\nfff: u\r\n"),
            Strings());
}

TEST(MessageFileLint, SemicolonsThatCutATextOrStayInIt) {
  EXPECT_EQ(Findings("[Main]\r\n1: a;b\r\n"), Strings{"2:5 warning semicolon-cut"});
  EXPECT_EQ(Findings("[Main]\r\n1: a;b ; note\r\n"), Strings{"2:5 warning semicolon-cut"});
  EXPECT_EQ(Findings("[Main]\r\n1: a ; note\r\n2: ;only a comment\r\n"), Strings());
  // The quotes do not protect it, and the opening quote then stands alone.
  EXPECT_EQ(Findings("[Main]\r\n1: \"a;b\"\r\n"),
            (Strings{"2:4 warning unbalanced-quotes", "2:6 warning semicolon-cut"}));
}

TEST(MessageFileLint, QuotesThatLoseTheirPartner) {
  EXPECT_EQ(Findings("[Main]\r\n1: \"open\r\n2: Say \"hi\"\r\n3: \"both\"\r\n4: \"\r\n"),
            (Strings{"2:4 warning unbalanced-quotes", "3:11 warning unbalanced-quotes",
                     "5:4 warning unbalanced-quotes"}));
}

TEST(MessageFileLint, References) {
  EXPECT_EQ(Findings("[Main]\r\n1: {12} {13|x}\r\n12: two\r\n"),
            Strings{"2:9 warning undefined-reference"});
  // Defined in another section counts: some section defines it.
  EXPECT_EQ(Findings("[Main]\r\n1: {12}\r\n[Next]\r\n12: two\r\n"), Strings());
  // One character reads no number, and a one-character fallback vanishes.
  EXPECT_EQ(Findings("[Main]\r\n1: {} {name} {5}\r\n5: five\r\n"),
            (Strings{"2:4 warning reference-syntax", "2:7 warning reference-syntax",
                     "2:14 warning reference-syntax"}));
  EXPECT_EQ(Findings("[Main]\r\n1: {11}{11}{11}{11}{11}{11}{11}{11}{11}{11}\r\n11: x\r\n"),
            Strings{"2:36 warning too-many-references"});
  EXPECT_EQ(Findings("[Main]\r\n1: a { b\r\n"), Strings());
}

TEST(MessageFileLint, Conversions) {
  EXPECT_EQ(Findings("[Main]\r\n1: %s %-5.3s %% %5s\r\n"), Strings());
  EXPECT_EQ(Findings("[Main]\r\n1: %d %x 50% off %*s %ls 100%\r\n"),
            (Strings{"2:4 warning printf-conversion", "2:7 warning printf-conversion",
                     "2:12 warning printf-conversion", "2:18 warning printf-conversion",
                     "2:22 warning printf-conversion", "2:29 note printf-conversion"}));
}

TEST(MessageFileLint, TextsLongerThanTheBoxesShow) {
  EXPECT_EQ(Findings("[Main]\r\n1: " + std::string(119, 'x') + "\r\n"), Strings());
  EXPECT_EQ(Findings("[Main]\r\n1: " + std::string(120, 'x') + "\r\n"),
            Strings{"2:123 note text-length"});
  EXPECT_EQ(Findings("[Main]\r\n1: " + std::string(1024, 'x') + "\r\n"),
            Strings{"2:1027 warning text-length"});
}

TEST(MessageFileLint, Aliases) {
  EXPECT_EQ(Findings("[Main]\r\nAlias: Gone\r\n"), Strings{"2:1 error missing-alias-target"});
  EXPECT_EQ(Findings("Alias: Main\r\n[Main]\r\n1: x\r\n"), Strings{"1:1 warning alias-ignored"});
  EXPECT_EQ(Findings("[Main]\r\nAlias\r\nAlias:   \r\n"),
            (Strings{"2:1 warning alias-ignored", "3:1 warning alias-ignored"}));
  EXPECT_EQ(Findings("[Main]\r\nAlias: NN\r\nAlias: OO\r\n[NN]\r\n[OO]\r\n"),
            Strings{"3:1 warning alias-replaced"});
  EXPECT_EQ(Findings("[Main]\r\nAlias: main\r\n1: x\r\n"), Strings{"2:1 warning alias-cycle"});
  // A cycle is reported once, at its first section; a section that only
  // leads into it is no cycle of its own.
  EXPECT_EQ(Findings("[Lead]\r\nAlias: AA\r\n[AA]\r\nAlias: BB\r\n[BB]\r\nAlias: AA\r\n"),
            Strings{"4:1 warning alias-cycle"});
  // After messages but before any header, an alias serves the invisible section.
  EXPECT_EQ(Findings("1: x\r\nAlias: Main\r\n[Main]\r\n2: y\r\n"), Strings());
}

// The rings of a random alias graph, each found by the plain way: walk
// from every section for as many steps as there are sections.
TEST(MessageFileLint, ReportsEachAliasRingOnceAtItsFirstSection) {
  std::mt19937 random(15);
  for (int round = 0; round < 300; ++round) {
    std::size_t count = 1 + random() % 12;
    std::vector<long> target(count, -1);      // -1 none, else the index
    std::vector<std::string> aliasAt(count);  // "line:1" of the alias line
    std::string file;
    std::size_t line = 0;
    for (std::size_t i = 0; i < count; ++i) {
      file += "[S" + std::to_string(i) + "]\r\n";
      ++line;
      if (random() % 4 != 0) {
        target[i] = static_cast<long>(random() % count);
        file += "Alias: s" + std::to_string(target[i]) + "\r\n";
        aliasAt[i] = std::to_string(++line) + ":1 warning alias-cycle";
      }
      file += "1: x\r\n";
      ++line;
    }
    std::set<std::string> expected;
    for (std::size_t i = 0; i < count; ++i) {
      if (target[i] < 0 || static_cast<std::size_t>(target[i]) == i) {
        if (target[i] >= 0) expected.insert(aliasAt[i]);
        continue;
      }
      std::size_t at = i, first = i;
      bool ring = false;
      for (std::size_t step = 0; step < count && target[at] >= 0; ++step) {
        at = static_cast<std::size_t>(target[at]);
        if (at == i) {
          ring = true;
          break;
        }
        first = std::min(first, at);
      }
      // A self alias ends a walk: it is dropped, not followed.
      if (ring && first == i) expected.insert(aliasAt[i]);
    }
    Strings found = Findings(file);
    std::set<std::string> cycles;
    for (const std::string& finding : found) {
      if (finding.find("alias-cycle") != std::string::npos) {
        EXPECT_TRUE(cycles.insert(finding).second) << "reported twice: " << finding;
      }
    }
    EXPECT_EQ(cycles, expected) << file;
  }
}

TEST(MessageFileLint, NamesTheMembersOfALongRingInPart) {
  std::string file;
  for (int i = 0; i < 20; ++i) {
    file += "[R" + std::to_string(i) + "]\r\nAlias: R" + std::to_string((i + 1) % 20) + "\r\n";
  }
  DiagnosticList list;
  LintMessageFile("f.msg", file, MessageLintOptions(), list);
  ASSERT_EQ(list.Items().size(), 1u);
  EXPECT_EQ(list.Items()[0].text.rfind(
                "alias cycle R0 -> R1 -> R2 -> R3 -> R4 -> R5 -> R6 -> ... -> R19 -> R0 (20 "
                "sections)",
                0),
            0u)
      << list.Items()[0].text;
}

TEST(MessageFileLint, AgreesWithTheParserOnWhetherTheFileOpens) {
  // A chain into a missing section fails however deep it is.
  EXPECT_EQ(Findings("[AA]\r\nAlias: BB\r\n[BB]\r\nAlias: CC\r\n"),
            Strings{"4:1 error missing-alias-target"});
  EXPECT_EQ(Findings(""), Strings{"0:0 note empty-file"});
}

TEST(MessageFileLint, ByteOrderMarkHidesTheFirstLine) {
  DiagnosticList list;
  LintMessageFile("f.msg", "\xEF\xBB\xBF[Main]\r\n1: x\r\n", MessageLintOptions(), list);
  ASSERT_EQ(list.Items().size(), 1u);
  EXPECT_NE(list.Items()[0].text.find("byte-order mark"), std::string::npos);
}

class EncodingLint : public ::testing::Test {
 protected:
  void TearDown() override { platform::UseSystemCodePage(); }
};

TEST_F(EncodingLint, DoubleByteSequences) {
  ASSERT_TRUE(platform::UseCodePage(932));
  // 0x81 0x5D is one character whose second byte looks like "]".
  EXPECT_EQ(Findings("[Main]\r\n1: \x81\x5D ok\r\n", true), Strings());
  EXPECT_EQ(Findings("[Main]\r\n1: \x81\x20 \x81\r\n", true),
            (Strings{"2:4 error encoding", "2:7 error encoding"}));
  // Without the option the code page is only used, not checked.
  EXPECT_EQ(Findings("[Main]\r\n1: \x81\x20\r\n"), Strings());
}

TEST_F(EncodingLint, Utf8) {
  ASSERT_TRUE(platform::UseCodePage(65001));
  EXPECT_EQ(Findings("[Main]\r\n1: \xC5\xBE\xE2\x82\xAC\r\n", true), Strings());
  EXPECT_EQ(Findings("[Main]\r\n1: \xC5 \xE2\x82 \xED\xA0\x80\r\n", true),
            (Strings{"2:4 error encoding", "2:6 error encoding", "2:7 error encoding",
                     "2:9 error encoding", "2:10 error encoding", "2:11 error encoding"}));
}

TEST_F(EncodingLint, ManyFindingsEndInASummary) {
  ASSERT_TRUE(platform::UseCodePage(65001));
  Strings found = Findings("[Main]\r\n1: " + std::string(30, '\xFF') + "\r\n", true);
  EXPECT_EQ(found.size(), 11u);
  EXPECT_EQ(found.front(), "0:0 note encoding");
}

}  // namespace
}  // namespace tralvex::tool
