#include "SettingsFileLint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RangeMap.h"
#include "support/TempDirectory.h"

namespace tralvex::tool {
namespace {

using Strings = std::vector<std::string>;

TEST(ReadKeywordBound, ReadsTheNumberAfterTheFirstDash) {
  struct Case {
    const char* keyword;
    bool found;
    uint32_t bound;
    const char* rest;
  };
  const Case cases[] = {
      {"Texts-0FF", true, 0xFF, ""},
      {"A-0x1f", true, 0x1F, ""},
      {"A- 10", true, 0x10, ""},
      {"A-", true, 0, ""},
      {"A-zz", true, 0, "zz"},
      {"A-100-1FF", true, 0x100, "-1FF"},
      {"A-1FFFFFFFF", true, 0xFFFFFFFF, ""},
      {"A-FFFFFFFF", true, 0xFFFFFFFF, ""},
      {"Texts", false, 0, ""},
      {"My-Texts-20", true, 0, "Texts-20"},
  };
  for (const Case& c : cases) {
    uint32_t bound = 7;
    std::string rest;
    EXPECT_EQ(ReadKeywordBound(c.keyword, bound, rest), c.found) << c.keyword;
    if (!c.found) continue;
    EXPECT_EQ(bound, c.bound) << c.keyword;
    EXPECT_EQ(rest, c.rest) << c.keyword;
  }
}

TEST(FindKeywordLines, FindsKeywordsOfTheSectionInAnyCase) {
  std::string ini =
      "[Other]\r\nA-1=x\r\n[messagefiles]\r\n; note\r\n a-1 = y\r\nB-2=z\r\nA-1=w\r\n";
  EXPECT_EQ(FindKeywordLines(ini, "MessageFiles", {"A-1", "B-2", "C-3"}),
            (std::vector<std::size_t>{5, 6, 0}));
}

class SettingsFileLintTest : public ::testing::Test {
 protected:
  // "line severity check" of each finding.
  Strings Lint(const std::string& ini) {
    std::string path = dir_.Write("Tralvex.ini", ini);
    DiagnosticList list;
    LintSettingsFile("Tralvex.ini", path, ini, list);
    list.SortByPlace();
    Strings out;
    for (const Diagnostic& d : list.Items()) {
      out.push_back(std::to_string(d.line) + " " + SeverityName(d.severity) + " " + d.check);
    }
    return out;
  }
  test::TempDirectory dir_;
};

TEST_F(SettingsFileLintTest, RangesThatFitTheirFilesGiveNoWarning) {
  dir_.Write("A.msg", "[Main]\r\n0: a\r\nFF: b\r\n");
  dir_.Write("B.msg", "[Main]\r\n100: c\r\n");
  EXPECT_EQ(Lint("[MessageFiles]\r\nB-1FF=B.msg\r\nA-0FF=A.msg\r\n"),
            Strings{"0 note ini-unserved"});
  // Up to the largest number: nothing is unserved.
  EXPECT_EQ(Lint("[MessageFiles]\r\nA-0FF=A.msg\r\nB-FFFFFFFF=B.msg\r\n"), Strings());
}

TEST_F(SettingsFileLintTest, SkippedKeywordsAndWhy) {
  dir_.Write("A.msg", "[Main]\r\n1: a\r\n");
  EXPECT_EQ(Lint("[MessageFiles]\r\nNoDash=A.msg\r\nZero-0=A.msg\r\nEmpty-10=\r\n"
                 "Gone-20=Gone.msg\r\nA-FFFFFFFF=A.msg\r\n"),
            (Strings{"2 warning ini-skipped-keyword", "3 warning ini-skipped-keyword",
                     "4 warning ini-skipped-keyword", "5 error ini-missing-file",
                     "6 note ini-single-file"}));
}

TEST_F(SettingsFileLintTest, NothingToOpen) {
  EXPECT_EQ(Lint("[Other]\r\nA-1=x\r\n"), Strings{"0 error ini-no-section"});
  EXPECT_EQ(Lint("[MessageFiles]\r\nA-1=missing.msg\r\n"),
            (Strings{"0 error ini-no-usable-keyword", "2 error ini-missing-file"}));
}

TEST_F(SettingsFileLintTest, ShadowedOutsideAndEmptyRanges) {
  dir_.Write("A.msg", "[Main]\r\n5: a\r\n150: beyond\r\n");
  dir_.Write("B.msg", "[Main]\r\n300: far\r\n");
  dir_.Write("C.msg", "[Main]\r\n1: c\r\n");
  EXPECT_EQ(
      Lint("[MessageFiles]\r\nA-0FF=A.msg\r\nB-1FF=B.msg\r\nC-0FF=C.msg\r\n"),
      (Strings{"0 note ini-unserved", "2 warning ini-outside-range", "3 warning ini-empty-range",
               "3 warning ini-outside-range", "4 warning ini-shadowed-range"}));
}

TEST_F(SettingsFileLintTest, FilesTheLibraryRefusesAndSectionsOutOfReach) {
  dir_.Write("Bad.msg", "[Main]\r\nAlias: Gone\r\n1: a\r\n");
  dir_.Write("Two.msg", "[Main]\r\n200: a\r\n[More]\r\n201: b\r\n");
  EXPECT_EQ(Lint("[MessageFiles]\r\nBad-0FF=Bad.msg\r\nTwo-2FF=Two.msg\r\n"),
            (Strings{"0 note ini-unserved", "2 error ini-unopenable-file",
                     "3 note ini-default-section", "3 note ini-gap"}));
}

TEST_F(SettingsFileLintTest, GapBetweenARangeAndItsFirstMessage) {
  dir_.Write("A.msg", "[Main]\r\n0: a\r\n");
  dir_.Write("B.msg", "[Main]\r\n180: b\r\n");
  EXPECT_EQ(Lint("[MessageFiles]\r\nA-0FF=A.msg\r\nB-1FF=B.msg\r\n"),
            (Strings{"0 note ini-unserved", "3 note ini-gap"}));
}

TEST_F(SettingsFileLintTest, BoundWithTextAfterIt) {
  dir_.Write("A.msg", "[Main]\r\n150: a\r\n");
  EXPECT_EQ(
      Lint("[MessageFiles]\r\nA-100-1FF=A.msg\r\nB-2FF=A.msg\r\n"),
      (Strings{"0 note ini-unserved", "2 warning ini-bound-suffix", "2 warning ini-empty-range",
               "2 warning ini-outside-range", "3 note ini-gap"}));
}

TEST_F(SettingsFileLintTest, OtherFileNamesAreNotReadByAContext) {
  std::string path = dir_.Write("app.ini", "[MessageFiles]\r\n");
  DiagnosticList list;
  LintSettingsFile("app.ini", path, "[MessageFiles]\r\n", list);
  ASSERT_FALSE(list.Items().empty());
  EXPECT_EQ(list.Items()[0].check, "ini-file-name");
}

}  // namespace
}  // namespace tralvex::tool
