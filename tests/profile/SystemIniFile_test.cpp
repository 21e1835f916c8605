// The concrete profile file: the growing buffer, the missing-entry marker,
// the errors of its primitives, and the splitting of double-NUL lists.
#include "profile/SystemIniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "profile/ProfileFixture.h"

namespace tralvex {
namespace {

using testing::ErrorCodes;
using testing::Errors;
using testing::OwnProfileEngine;
using testing::ReadBytes;
using Error = std::pair<int, std::string>;

class SystemIniFileTest : public testing::ProfileFixture {
 protected:
  void Open(const std::string& content) {
    file_ = Create("system.ini", content);
    ASSERT_EQ(ini_.OpenIniFile(file_.c_str(), 0), 1);
  }

  std::string file_;
  SystemIniFile ini_;
};

TEST_F(SystemIniFileTest, ValuesOfEveryLengthComeBackWhole) {
  // 1022 fits the first buffer; 1023 fills it and is read again.
  for (std::size_t length : {1u, 1022u, 1023u, 1024u, 2047u, 5000u, 1536u * 1024u}) {
    std::string stored(length, 'v');
    stored[0] = 'a';
    stored[length - 1] = 'z';
    Open("[s]\r\nk=" + stored + "\r\n");
    std::string value;
    ASSERT_EQ(ini_.GetKeywordValue("s", "k", value), 1) << length;
    EXPECT_EQ(value, stored) << length;
  }
}

TEST_F(SystemIniFileTest, ListsOfEveryLengthComeBackWhole) {
  // Names of 10 bytes with their NUL: 102 of them and one of 2 make a list
  // of 1022 bytes before the final NUL, which counts as full.
  std::string content = "[s]\r\n";
  NameList expected;
  for (int i = 0; i < 102; ++i) {
    std::string name = "key" + std::to_string(100000 + i);
    expected.push_back(name);
    content += name + "=1\r\n";
  }
  content += "q=1\r\n";
  expected.push_back("q");
  Open(content);
  NameList names;
  ASSERT_EQ(ini_.GetAllKeywords("s", names), 1);
  EXPECT_EQ(names, expected);

  // Beyond a megabyte of keyword and section names.
  std::string big;
  NameList sections;
  NameList keywords;
  std::string pad(50, 'p');
  for (int i = 0; i < 20000; ++i) {
    std::string name = "n" + std::to_string(i) + pad;
    keywords.push_back(name);
    big += name + "=" + std::to_string(i) + "\r\n";
  }
  for (int i = 0; i < 20000; ++i) {
    sections.push_back("section" + std::to_string(i) + pad);
    big += "[" + sections.back() + "]\r\n";
  }
  Open("[" + pad + "]\r\n" + big);
  ASSERT_EQ(ini_.GetAllKeywords(pad.c_str(), names), 1);
  EXPECT_EQ(names, keywords);
  ASSERT_EQ(ini_.GetAllSections(names), 1);
  ASSERT_EQ(names.size(), sections.size() + 1);
  EXPECT_EQ(names.back(), sections.back());
  std::string value;
  ASSERT_EQ(ini_.GetKeywordValue(pad.c_str(), keywords[19999].c_str(), value), 1);
  EXPECT_EQ(value, "19999");
}

TEST_F(SystemIniFileTest, PrimitiveReadsAndTheirErrors) {
  Open("[s]\r\na=1\r\nb=2\r\n[t]\r\n");
  std::string raw;
  ASSERT_EQ(ini_.GetPrivateProfileString("s", nullptr, raw), 1);
  EXPECT_EQ(raw, std::string("a\0b\0\0", 5));  // the final NUL counts
  ASSERT_EQ(ini_.GetPrivateProfileString(nullptr, nullptr, raw), 1);
  EXPECT_EQ(raw, std::string("s\0t\0\0", 5));

  NameList names{"stale"};
  EXPECT_EQ(ini_.GetPrivateProfileKeywords("missing", names), 0);
  EXPECT_EQ(Errors(ini_), (std::vector<Error>{{0x134, "missing"}}));
  ini_.ClearErrors();

  // A missing file is reported before anything else.
  std::filesystem::remove(file_);
  EXPECT_EQ(ini_.GetPrivateProfileString("s", "a", raw), 0);
  EXPECT_EQ(Errors(ini_), (std::vector<Error>{{0x127, ini_.FileName()}}));
  EXPECT_EQ(ini_.GetPrivateProfileSectionNames(names), 1);
  EXPECT_TRUE(names.empty());
}

TEST_F(SystemIniFileTest, EmptySectionListsNoKeywords) {
  // The Windows functions give the default text for it (so 308) instead.
  if (!OwnProfileEngine()) GTEST_SKIP();
  Open("[empty]\r\n[other]\r\nk=1\r\n");
  NameList names{"stale"};
  EXPECT_EQ(ini_.GetAllKeywords("empty", names), 1);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(ini_.EraseAllKeywords("empty"), 1);
}

TEST_F(SystemIniFileTest, ErasingChecksItsArguments) {
  SystemIniFile closed;
  EXPECT_EQ(closed.EraseKeyword("s", "k"), 0);
  EXPECT_EQ(ErrorCodes(closed), std::vector<int>{0x139});
  EXPECT_EQ(closed.EraseSection("s"), 0);
  EXPECT_EQ(ErrorCodes(closed), std::vector<int>{0x139});
  EXPECT_EQ(closed.FlushIniFile(), 0);
  EXPECT_TRUE(closed.HasNoErrors());

  Open("[s]\r\nk=1\r\nl=2\r\n[t]\r\nm=3\r\n");
  EXPECT_EQ(ini_.EraseKeyword("", "k"), 0);
  EXPECT_EQ(Errors(ini_), (std::vector<Error>{{0x134, ""}}));
  EXPECT_EQ(ini_.EraseKeyword("s", nullptr), 0);
  EXPECT_EQ(Errors(ini_), (std::vector<Error>{{0x132, ""}}));
  EXPECT_EQ(ini_.EraseSection(nullptr), 0);
  EXPECT_EQ(ErrorCodes(ini_), std::vector<int>{0x134});

  EXPECT_EQ(ini_.EraseKeyword("s", "absent"), 1);
  EXPECT_EQ(ini_.EraseKeyword("s", "k"), 1);
  EXPECT_EQ(ini_.EraseSection("t"), 1);
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nl=2\r\n");
}

TEST_F(SystemIniFileTest, FailedWriteIsReportedAndLeavesTheFile) {
  Open("[s]\r\nk=old\r\n");
  testing::MakeReadOnly(file_);
  // A privileged process may write it anyway through the Windows functions.
  if (!OwnProfileEngine() && testing::OpensForWriting(file_)) GTEST_SKIP();
  EXPECT_EQ(ini_.SetKeywordValue("s", "k", "new"), 0);
  EXPECT_EQ(Errors(ini_), (std::vector<Error>{{0x115, "WritePrivateProfileString"}}));
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=old\r\n");
  // An erasure counts as done whatever the platform says.
  EXPECT_EQ(ini_.WritePrivateProfileString("s", "k", nullptr), 1);
  std::string value;
  EXPECT_EQ(ini_.GetKeywordValue("s", "k", value), 1);
  EXPECT_EQ(value, "old");
}

TEST_F(SystemIniFileTest, ValueWithNoFormInAUnicodeFileIsRefused) {
  if (!OwnProfileEngine()) GTEST_SKIP();
  struct CodePageScope {
    CodePageScope() { platform::UseCodePage(932); }
    ~CodePageScope() { platform::UseSystemCodePage(); }
  } japanese;
  const std::string utf16("\xFF\xFE[\0s\0]\0\r\0\n\0", 12);
  Open(utf16);
  // A lead byte without its trail byte is no character of the page.
  EXPECT_EQ(ini_.SetKeywordValue("s", "k", "\x82"), 0);
  EXPECT_EQ(Errors(ini_), (std::vector<Error>{{0x115, "WritePrivateProfileString"}}));
  EXPECT_EQ(ReadBytes(file_), utf16);
  // Hiragana A: 82 A0 in the page, U+3042 in the file.
  ASSERT_EQ(ini_.SetKeywordValue("s", "k", "\x82\xA0"), 1);
  EXPECT_EQ(ReadBytes(file_), utf16 + std::string("k\0=\0\x42\x30\r\0\n\0", 10));
  std::string value;
  EXPECT_EQ(ini_.GetKeywordValue("s", "k", value), 1);
  EXPECT_EQ(value, "\x82\xA0");
}

TEST_F(SystemIniFileTest, FlushAndDestructionKeepTheFile) {
  {
    SystemIniFile ini;
    std::string file = Create("flush.ini", "");
    ASSERT_EQ(ini.OpenIniFile(file.c_str(), 0), 1);
    ASSERT_EQ(ini.SetKeywordValue("s", "k", "v"), 1);
    // Wine answers the flush with failure.
    if (OwnProfileEngine()) {
      EXPECT_EQ(ini.FlushIniFile(), 1);
    }
  }
  EXPECT_EQ(ReadBytes(dir_.File("flush.ini")), "[s]\r\nk=v\r\n");
}

TEST(SplitMultiStringTest, SplitsDoubleNulLists) {
  NameList names{"stale"};
  EXPECT_EQ(SplitMultiString("a\0b\0", names), 2);
  EXPECT_EQ(names, (NameList{"a", "b"}));
  EXPECT_EQ(SplitMultiString("", names), 0);
  EXPECT_TRUE(names.empty());
  names.push_back("stale");
  EXPECT_EQ(SplitMultiString(nullptr, names), -1);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(SplitMultiString("only\0", names), 1);
  EXPECT_EQ(names, NameList{"only"});
}

}  // namespace
}  // namespace tralvex
