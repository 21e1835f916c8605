// Opening, layered reads, merged enumeration and the keyword cache.
#include "profile/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "profile/ProfileFixture.h"
#include "profile/SystemIniFile.h"

namespace tralvex {
namespace {

using testing::ErrorCodes;
using testing::Errors;
using testing::OwnProfileEngine;
using testing::ReadBytes;
using Error = std::pair<int, std::string>;

class IniFileTest : public testing::ProfileFixture {};

TEST_F(IniFileTest, NamesAreCompletedWithTheWindowsDirectoryAndUpperCased) {
  SystemIniFile ini;
  ASSERT_EQ(ini.OpenIniFile(nullptr, 1), 1);
  EXPECT_EQ(ini.FileName(), InWindowsDirectory("WIN.INI"));
  EXPECT_TRUE(std::filesystem::exists(dir_.File("WIN.INI")) ||
              std::filesystem::exists(dir_.File("win.ini")));
  ASSERT_EQ(ini.OpenIniFile("", 1), 1);
  EXPECT_EQ(ini.FileName(), InWindowsDirectory("WIN.INI"));

  Create("settings.ini", "[s]\r\nk=v\r\n");
  ASSERT_EQ(ini.OpenIniFile("settings", 0), 1);
  EXPECT_EQ(ini.FileName(), InWindowsDirectory("SETTINGS.INI"));
  EXPECT_EQ(ini.IsOpen(), 1);
  // The directory a relative name carries is dropped.
  ASSERT_EQ(ini.OpenIniFile("sub\\settings.ini", 0), 1);
  EXPECT_EQ(ini.FileName(), InWindowsDirectory("SETTINGS.INI"));
  std::string value;
  EXPECT_EQ(ini.GetKeywordValue("S", "K", value), 1);
  EXPECT_EQ(value, "v");

  Create("full.cfg", "");
  ASSERT_EQ(ini.OpenIniFile(dir_.File("full.cfg").c_str(), 0), 1);
  EXPECT_EQ(ini.FileName(), Resolved("full.cfg"));
}

TEST_F(IniFileTest, NameWithADriveKeepsItsDirectory) {
  SystemIniFile ini;
  EXPECT_EQ(ini.OpenIniFile("Q:\\nodata\\a", 0), 0);
  auto errors = Errors(ini);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].second, "Q:\\NODATA\\A.INI");
  EXPECT_EQ(errors[1], Error(0x135, ""));
  EXPECT_EQ(ini.IsOpen(), 0);
}

TEST_F(IniFileTest, OpenFailures) {
  SystemIniFile ini;
  EXPECT_EQ(ini.OpenIniFile("dir\\", 1), 0);
  EXPECT_EQ(Errors(ini), (std::vector<Error>{{0x123, "DIR\\"}, {0x135, ""}}));

  for (int flag : {0, 2}) {
    EXPECT_EQ(ini.OpenIniFile("absent", flag), 0);
    EXPECT_EQ(Errors(ini),
              (std::vector<Error>{{0x127, InWindowsDirectory("ABSENT.INI")}, {0x135, ""}}));
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.File("ABSENT.INI")));

  // A failed open closes an object that was open.
  Create("present.ini", "");
  ASSERT_EQ(ini.OpenIniFile("present", 0), 1);
  EXPECT_EQ(ini.OpenIniFile("absent", 0), 0);
  EXPECT_EQ(ini.IsOpen(), 0);
  EXPECT_EQ(ini.FileName(), "");

  // Creating fails where the directory is missing.
  std::string deep = dir_.File("no-such-dir") + "/x.ini";
  EXPECT_EQ(ini.OpenIniFile(deep.c_str(), 1), 0);
  EXPECT_EQ(ErrorCodes(ini), std::vector<int>{0x103});
}

// Where the file system tells names apart by case, the caller's own spelling
// names the file when it exists; other spellings find one of them.
TEST_F(IniFileTest, NamesDifferingInCaseAreTwoFiles) {
  Create("settings.ini", "[s]\r\nk=lower\r\n");
  Create("Settings.ini", "[s]\r\nk=capital\r\n");
  if (!std::filesystem::exists(dir_.File("Settings.ini")) ||
      ReadBytes(dir_.File("settings.ini")) == ReadBytes(dir_.File("Settings.ini"))) {
    GTEST_SKIP() << "the file system ignores case";
  }
  SystemIniFile lower;
  SystemIniFile capital;
  ASSERT_EQ(lower.OpenIniFile("settings", 0), 1);
  ASSERT_EQ(capital.OpenIniFile("Settings.ini", 0), 1);
  EXPECT_EQ(lower.FileName(), capital.FileName());  // both upper-cased
  std::string value;
  EXPECT_EQ(lower.GetKeywordValue("s", "k", value), 1);
  EXPECT_EQ(value, "lower");
  EXPECT_EQ(capital.GetKeywordValue("s", "k", value), 1);
  EXPECT_EQ(value, "capital");
  ASSERT_EQ(lower.SetKeywordValue("s", "n", "1"), 1);
  ASSERT_EQ(lower.FlushIniFile(), 1);
  EXPECT_NE(ReadBytes(dir_.File("settings.ini")).find("n=1"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir_.File("Settings.ini")), "[s]\r\nk=capital\r\n");

  // A spelling that names neither file still finds one of them.
  SystemIniFile other;
  ASSERT_EQ(other.OpenIniFile("SETTINGS", 0), 1);
  EXPECT_EQ(other.GetKeywordValue("s", "k", value), 1);

  // A missing file is created as the caller spelled it.
  SystemIniFile created;
  ASSERT_EQ(created.OpenIniFile("Fresh.ini", 1), 1);
  EXPECT_TRUE(std::filesystem::exists(dir_.File("Fresh.ini")));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("FRESH.INI")));

  // Two children whose names differ in case are two children.
  IniFile* first = lower.AddIniChild("Settings.ini", 0, 0, 1);
  IniFile* second = lower.AddIniChild("settings.ini", 0, 0, 1);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
}

TEST_F(IniFileTest, ClosedObjectRefusesEveryOperation) {
  SystemIniFile ini;
  std::string text;
  NameList names;
  int count = 7;
  std::string keyword;
  EXPECT_EQ(ini.GetKeywordValue("s", "k", text), 0);
  EXPECT_EQ(ErrorCodes(ini), std::vector<int>{0x139});
  EXPECT_EQ(ini.SetKeywordValue("s", "k", "v"), 0);
  EXPECT_EQ(ErrorCodes(ini), std::vector<int>{0x139});
  EXPECT_EQ(ini.GetAllKeywords("s", names), 0);
  EXPECT_EQ(ini.GetAllKeywords("s", text), 0);
  EXPECT_EQ(ini.GetAllSections(names), 0);
  EXPECT_EQ(ini.GetAllSections(text), 0);
  EXPECT_EQ(ini.GetKeywordCount("s", count), 0);
  EXPECT_EQ(count, 7);
  EXPECT_EQ(ini.GetKeywordByIndex(1, keyword, text), 0);
  EXPECT_EQ(ini.EraseAllKeywords("s"), 0);
  EXPECT_EQ(ini.RemoveIniFile(), 0);
  EXPECT_EQ(ErrorCodes(ini), std::vector<int>{0x139});
  EXPECT_EQ(ini.IsResultOk(0), 0);  // the concrete class's reading
}

TEST_F(IniFileTest, SingleFileReadsAndTheirErrors) {
  std::string file = Create("one.ini",
                            "[s]\r\nplain = abc ; note\r\nnote=;just a note\r\nmarker=;;\r\n"
                            "empty=\r\nquoted=\" x \"\r\n");
  SystemIniFile ini;
  ASSERT_EQ(ini.OpenIniFile(file.c_str(), 0), 1);
  std::string value = "stale";
  EXPECT_EQ(ini.GetKeywordValue("s", "plain", value), 1);
  EXPECT_EQ(value, "abc");
  EXPECT_EQ(ini.GetKeywordValue("s", "note", value), 1);
  EXPECT_EQ(value, "");
  EXPECT_EQ(ini.GetKeywordValue("s", "empty", value), 1);
  EXPECT_EQ(value, "");
  EXPECT_EQ(ini.GetKeywordValue("S", "QUOTED", value), 1);
  EXPECT_EQ(value, "x");
  EXPECT_TRUE(ini.HasNoErrors());

  EXPECT_EQ(ini.GetKeywordValue("s", "marker", value), 0);
  EXPECT_EQ(Errors(ini), (std::vector<Error>{{0x132, "marker"}}));
  EXPECT_EQ(ini.GetKeywordValue("s", "absent", value), 0);
  EXPECT_EQ(Errors(ini), (std::vector<Error>{{0x132, "absent"}}));
  EXPECT_EQ(ini.GetKeywordValue("nosection", "plain", value), 0);
  EXPECT_EQ(Errors(ini), (std::vector<Error>{{0x132, "plain"}}));

  // Null names read nothing rather than a list of names.
  EXPECT_EQ(ini.GetKeywordValue(nullptr, "plain", value), 0);
  EXPECT_EQ(value, "");
  EXPECT_EQ(ini.GetKeywordValue("s", nullptr, value), 0);
  EXPECT_EQ(value, "");
  EXPECT_EQ(ErrorCodes(ini), std::vector<int>{0x132});

  std::filesystem::remove(file);
  EXPECT_EQ(ini.GetKeywordValue("s", "plain", value), 0);
  EXPECT_EQ(Errors(ini), (std::vector<Error>{{0x127, ini.FileName()}}));
}

// A parent with its own file, a child made primary, and a plain child.
class LayeredTest : public IniFileTest {
 protected:
  void SetUp() override {
    IniFileTest::SetUp();
    Create("parent.ini", "[s]\r\nown=parent\r\nboth=parent\r\nKey=p\r\nx=1\r\n[P]\r\n");
    Create("first.ini", "[s]\r\nboth=primary\r\nblank=\r\nKEY=a\r\ny=2\r\n[A]\r\n");
    Create("second.ini", "[s]\r\nlast=child\r\nblank=filled\r\nz=3\r\n[B]\r\n[p]\r\n");
    ASSERT_EQ(parent_.OpenIniFile(dir_.File("parent.ini").c_str(), 0), 1);
    primary_ = parent_.AddIniChild(dir_.File("first.ini"), 0, 1, 1);
    second_ = parent_.AddIniChild(dir_.File("second.ini"), 0, 0, 1);
    ASSERT_NE(primary_, nullptr);
    ASSERT_NE(second_, nullptr);
  }

  SystemIniFile parent_;
  IniFile* primary_ = nullptr;
  IniFile* second_ = nullptr;
};

TEST_F(LayeredTest, ReadsFallThroughPrimaryObjectAndChildren) {
  EXPECT_EQ(parent_.Primary(), primary_);
  EXPECT_EQ(parent_.WriteTarget(), &parent_);
  std::string value;
  EXPECT_EQ(parent_.GetKeywordValue("s", "both", value), 1);
  EXPECT_EQ(value, "primary");
  EXPECT_EQ(parent_.GetKeywordValue("s", "own", value), 1);
  EXPECT_EQ(value, "parent");
  EXPECT_EQ(parent_.GetKeywordValue("s", "last", value), 1);
  EXPECT_EQ(value, "child");
  // An empty value found first gives way to a non-empty one further down.
  EXPECT_EQ(parent_.GetKeywordValue("s", "blank", value), 1);
  EXPECT_EQ(value, "filled");

  EXPECT_EQ(parent_.GetKeywordValue("s", "nowhere", value), 0);
  EXPECT_EQ(value, "");
  EXPECT_EQ(Errors(parent_), (std::vector<Error>{{0x132, "nowhere"}}));
  // Errors of an earlier failed read do not mask those of the next one.
  EXPECT_EQ(parent_.GetKeywordValue("s", "elsewhere", value), 0);
  EXPECT_EQ(Errors(parent_), (std::vector<Error>{{0x132, "elsewhere"}}));
}

TEST_F(LayeredTest, EnumerationMergesChildrenObjectThenPrimary) {
  NameList names;
  ASSERT_EQ(parent_.GetAllKeywords("s", names), 1);
  EXPECT_EQ(names, (NameList{"last", "blank", "z", "own", "both", "Key", "x", "y"}));
  ASSERT_EQ(parent_.GetAllSections(names), 1);
  EXPECT_EQ(names, (NameList{"s", "B", "p", "A"}));
  std::string text;
  ASSERT_EQ(parent_.GetAllSections(text), 1);
  EXPECT_EQ(text, "s;B;p;A;");
  EXPECT_EQ(parent_.Children().size(), 2u);

  // The object's own file lacks the section: its 308 stays, result or not.
  ASSERT_EQ(parent_.GetAllKeywords("A", names), 0);
  EXPECT_EQ(Errors(parent_), (std::vector<Error>{{0x134, "A"}}));
}

TEST_F(LayeredTest, EnumerationOfSectionsWithoutKeywordsFindsNothing) {
  // The Windows functions give the default text for a section without
  // keywords, so there the listing fails with 308 instead.
  if (!OwnProfileEngine()) GTEST_SKIP();
  Create("parent.ini", "[e]\r\n");
  Create("first.ini", "[e]\r\n");
  Create("second.ini", "[E]\r\n");
  NameList names;
  EXPECT_EQ(parent_.GetAllKeywords("e", names), 0);
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(parent_.HasNoErrors());
}

TEST_F(LayeredTest, WithoutChildrenOnlyTheOwnFileIsRead) {
  SystemIniFile* child = static_cast<SystemIniFile*>(second_);
  std::string value;
  EXPECT_NE(child->Primary(), child);  // points at the parent's primary
  EXPECT_EQ(child->GetKeywordValue("s", "both", value), 0);
  EXPECT_EQ(child->GetKeywordValue("s", "last", value), 1);
}

TEST_F(LayeredTest, NullAndEmptyNamesFailCleanly) {
  std::string before = ReadBytes(dir_.File("parent.ini"));
  std::string value;
  NameList names;
  for (const char* name : {static_cast<const char*>(nullptr), ""}) {
    value = "stale";
    parent_.GetKeywordValue(name, "own", value);
    EXPECT_EQ(value, "");
    value = "stale";
    parent_.GetKeywordValue("s", name, value);
    EXPECT_EQ(value, "");
    EXPECT_EQ(parent_.SetKeywordValue(name, "k", "v"), 0);
    EXPECT_EQ(parent_.SetKeywordValue("s", name, "v"), 0);
    EXPECT_EQ(parent_.EraseKeyword(name, "own"), 0);
    EXPECT_EQ(parent_.EraseKeyword("s", name), 0);
    EXPECT_EQ(parent_.EraseSection(name), 0);
    // No section means all sections.
    EXPECT_EQ(parent_.GetAllKeywords(name, names), 1);
    EXPECT_EQ(names, (NameList{"s", "B", "p", "A"}));
  }
  EXPECT_EQ(ReadBytes(dir_.File("parent.ini")), before);
}

TEST_F(IniFileTest, KeywordCacheWalksASectionByIndex) {
  std::string file = Create("cache.ini", "[s]\r\none=1\r\ntwo=2\r\nthree=3\r\n[t]\r\n");
  SystemIniFile ini;
  ASSERT_EQ(ini.OpenIniFile(file.c_str(), 0), 1);
  std::string keyword;
  std::string value;
  EXPECT_EQ(ini.GetKeywordByIndex(1, keyword, value), 0);
  EXPECT_EQ(ErrorCodes(ini), std::vector<int>{0x137});

  int count = 0;
  ASSERT_EQ(ini.GetKeywordCount("s", count), 1);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(ini.KeywordCache(), (NameList{"s", "one", "two", "three"}));
  EXPECT_EQ(ini.GetKeywordByIndex(1, keyword, value), 1);
  EXPECT_EQ(keyword, "one");
  EXPECT_EQ(value, "1");
  EXPECT_EQ(ini.GetKeywordValue("s", "two", value), 1);  // leaves the cache alone
  EXPECT_EQ(ini.GetKeywordByIndex(3, keyword, value), 1);
  EXPECT_EQ(keyword, "three");
  EXPECT_EQ(value, "3");
  for (int bad : {0, 4, -1}) {
    EXPECT_EQ(ini.GetKeywordByIndex(bad, keyword, value), 0);
    EXPECT_EQ(ErrorCodes(ini), std::vector<int>{0x137});
  }
  ASSERT_EQ(ini.GetKeywordCount(nullptr, count), 1);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(ini.KeywordCache(), (NameList{"", "s", "t"}));

  EXPECT_EQ(ini.SetKeywordValue("s", "four", "4"), 1);
  EXPECT_TRUE(ini.KeywordCache().empty());
  EXPECT_EQ(ini.GetKeywordCount("missing", count), 0);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(Errors(ini), (std::vector<Error>{{0x134, "missing"}}));
}

TEST_F(IniFileTest, TextFormsEndEveryNameWithASemicolon) {
  std::string file = Create("text.ini", "[s]\r\nA=1\r\nb=2\r\n[empty]\r\n");
  SystemIniFile ini;
  ASSERT_EQ(ini.OpenIniFile(file.c_str(), 0), 1);
  std::string text = "stale";
  ASSERT_EQ(ini.GetAllKeywords("s", text), 1);
  EXPECT_EQ(text, "A;b;");
  EXPECT_EQ(ini.GetAllKeywords("missing", text), 0);
  EXPECT_EQ(text, "");
  if (OwnProfileEngine()) {  // the Windows functions fail on an empty section
    text = "stale";
    EXPECT_EQ(ini.GetAllKeywords("empty", text), 1);
    EXPECT_EQ(text, "");
  }
}

TEST_F(IniFileTest, SetKeywordValueChecksNamesAndWritesToTheTarget) {
  std::string file = Create("set.ini", "");
  SystemIniFile ini;
  ASSERT_EQ(ini.OpenIniFile(file.c_str(), 0), 1);
  EXPECT_EQ(ini.SetKeywordValue("", "k", "v"), 0);
  EXPECT_EQ(ErrorCodes(ini), std::vector<int>{0x134});
  EXPECT_EQ(ini.SetKeywordValue(nullptr, "k", "v"), 0);
  EXPECT_EQ(ini.SetKeywordValue("s", nullptr, "v"), 0);
  EXPECT_EQ(ErrorCodes(ini), std::vector<int>{0x132});
  ASSERT_EQ(ini.SetKeywordValue("s", "k", "v"), 1);
  ASSERT_EQ(ini.SetKeywordValue("s", "gone", "x"), 1);
  ASSERT_EQ(ini.SetKeywordValue("s", "gone", nullptr), 1);
  EXPECT_EQ(ReadBytes(file), "[s]\r\nk=v\r\n");

  SystemIniFile shared(1);
  ASSERT_EQ(shared.OpenIniFile(file.c_str(), 0), 1);
  EXPECT_EQ(shared.WriteTarget(), nullptr);
  EXPECT_EQ(shared.SetKeywordValue("s", "k", "w"), 0);
  EXPECT_TRUE(shared.HasNoErrors());
  EXPECT_EQ(ReadBytes(file), "[s]\r\nk=v\r\n");
}

}  // namespace
}  // namespace tralvex
