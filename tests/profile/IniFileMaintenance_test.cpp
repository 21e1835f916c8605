// Linking and copying child files; erasing and removing through the write
// target.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "errors/BuiltInTexts.h"
#include "profile/IniFile.h"
#include "profile/ProfileFixture.h"
#include "profile/SystemIniFile.h"

namespace tralvex {
namespace {

using testing::ErrorCodes;
using testing::Errors;
using testing::ReadBytes;
using Error = std::pair<int, std::string>;

class MaintenanceTest : public testing::ProfileFixture {
 protected:
  void SetUp() override {
    ProfileFixture::SetUp();
    parentFile_ = Create("parent.ini", "[s]\r\nk=parent\r\n");
    childFile_ = Create("child.ini", "[s]\r\nk=child\r\nl=2\r\n[t]\r\nm=3\r\n");
    ASSERT_EQ(parent_.OpenIniFile(parentFile_.c_str(), 0), 1);
  }

  std::string parentFile_;
  std::string childFile_;
  SystemIniFile parent_;
};

TEST_F(MaintenanceTest, ChildBecomesTheWriteTargetUnlessItShares) {
  IniFile* child = parent_.AddIniChild(childFile_, 0, 0, 0);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(parent_.WriteTarget(), child);
  EXPECT_EQ(parent_.Primary(), &parent_);
  EXPECT_EQ(child->Primary(), &parent_);
  EXPECT_EQ(child->FileName(), Resolved("child.ini"));
  ASSERT_EQ(parent_.SetKeywordValue("s", "new", "1"), 1);
  EXPECT_EQ(ReadBytes(childFile_), "[s]\r\nk=child\r\nl=2\r\nnew=1\r\n[t]\r\nm=3\r\n");
  EXPECT_EQ(ReadBytes(parentFile_), "[s]\r\nk=parent\r\n");

  std::string other = Create("other.ini", "");
  IniFile* sharing = parent_.AddIniChild(other, 0, 1, 1);
  ASSERT_NE(sharing, nullptr);
  EXPECT_EQ(sharing->WriteTarget(), child);
  EXPECT_EQ(parent_.WriteTarget(), child);
  EXPECT_EQ(parent_.Primary(), sharing);
}

TEST_F(MaintenanceTest, SameFileTwiceGivesTheExistingChild) {
  IniFile* first = parent_.AddIniChild(childFile_, 0, 0, 1);
  ASSERT_NE(first, nullptr);
  // Another spelling of the same file.
  IniFile* again = parent_.AddIniChild(platform::UpperCase(childFile_), 0, 1, 0);
  EXPECT_EQ(again, first);
  EXPECT_EQ(parent_.Children().size(), 1u);
  EXPECT_EQ(parent_.Primary(), &parent_);
  EXPECT_EQ(parent_.WriteTarget(), &parent_);
}

TEST_F(MaintenanceTest, ChildThatCannotBeOpenedPassesItsErrorsOn) {
  EXPECT_EQ(parent_.AddIniChild("absent", 0, 0, 0), nullptr);
  EXPECT_EQ(Errors(parent_),
            (std::vector<Error>{{0x127, InWindowsDirectory("ABSENT.INI")}, {0x135, ""}}));
  EXPECT_TRUE(parent_.Children().empty());
  EXPECT_EQ(parent_.WriteTarget(), &parent_);

  IniFile* created = parent_.AddIniChild("created", 1, 0, 0);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->FileName(), InWindowsDirectory("CREATED.INI"));
  EXPECT_TRUE(parent_.HasNoErrors());
}

TEST_F(MaintenanceTest, EraseAllKeywordsAndSections) {
  SystemIniFile child;
  ASSERT_EQ(child.OpenIniFile(childFile_.c_str(), 0), 1);
  EXPECT_EQ(child.EraseAllKeywords("s"), 1);
  EXPECT_EQ(ReadBytes(childFile_), "[s]\r\n[t]\r\nm=3\r\n");
  EXPECT_EQ(child.EraseAllKeywords("missing"), 0);
  EXPECT_EQ(Errors(child), (std::vector<Error>{{0x134, "missing"}}));
  EXPECT_EQ(child.EraseAllSections(), 1);
  EXPECT_EQ(ReadBytes(childFile_), "");
  EXPECT_EQ(child.EraseAllSections(), 1);  // nothing left to erase
}

TEST_F(MaintenanceTest, ErasureThroughAnotherTargetTakesItsErrors) {
  IniFile* child = parent_.AddIniChild(childFile_, 0, 0, 0);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(parent_.EraseAllKeywords("t"), 1);
  EXPECT_EQ(ReadBytes(childFile_), "[s]\r\nk=child\r\nl=2\r\n[t]\r\n");
  EXPECT_EQ(ReadBytes(parentFile_), "[s]\r\nk=parent\r\n");
  EXPECT_EQ(parent_.EraseAllKeywords("missing"), 0);
  EXPECT_EQ(Errors(parent_), (std::vector<Error>{{0x134, "missing"}}));
  EXPECT_EQ(Errors(*child), (std::vector<Error>{{0x134, "missing"}}));
}

TEST_F(MaintenanceTest, NullWriteTargetRefusesQuietly) {
  SystemIniFile shared(1);
  ASSERT_EQ(shared.OpenIniFile(childFile_.c_str(), 0), 1);
  EXPECT_EQ(shared.EraseAllKeywords("s"), 0);
  EXPECT_EQ(shared.EraseAllSections(), 0);
  EXPECT_EQ(shared.RemoveIniFile(), 0);
  EXPECT_TRUE(shared.HasNoErrors());
  EXPECT_TRUE(std::filesystem::exists(childFile_));
}

TEST_F(MaintenanceTest, RemoveDeletesTheTargetsFileAndReportsTheCause) {
  IniFile* child = parent_.AddIniChild(childFile_, 0, 0, 0);
  ASSERT_NE(child, nullptr);
  ASSERT_EQ(parent_.RemoveIniFile(), 1);
  EXPECT_FALSE(std::filesystem::exists(childFile_));
  EXPECT_TRUE(std::filesystem::exists(parentFile_));
  EXPECT_EQ(child->IsOpen(), 1);
  EXPECT_EQ(child->FileName(), Resolved("child.ini"));

  // The second time the file is gone: the code of "file not found".
  EXPECT_EQ(parent_.RemoveIniFile(), 0);
  EXPECT_TRUE(parent_.HasNoErrors());  // the errors stay with the target
  EXPECT_EQ(Errors(*child), (std::vector<Error>{{FileErrorCode(2, nullptr), child->FileName()}}));

  // Writing brings the file back, under the name as the object spells it.
  ASSERT_EQ(parent_.SetKeywordValue("s", "k", "back"), 1);
  EXPECT_TRUE(std::filesystem::exists(childFile_) ||
              std::filesystem::exists(dir_.File("CHILD.INI")));
}

TEST_F(MaintenanceTest, CopyTakesOverStateAndLayering) {
  IniFile* first = parent_.AddIniChild(childFile_, 0, 1, 0);  // primary and target
  std::string other = Create("other.ini", "[s]\r\nonly=other\r\n");
  ASSERT_NE(parent_.AddIniChild(other, 0, 0, 1), nullptr);
  ASSERT_NE(first, nullptr);

  SystemIniFile copy;
  EXPECT_EQ(copy.CopyIniFile(nullptr), 0);
  ASSERT_EQ(copy.CopyIniFile(&parent_), 1);
  EXPECT_EQ(copy.IsOpen(), 1);
  EXPECT_EQ(copy.FileName(), parent_.FileName());
  ASSERT_EQ(copy.Children().size(), 2u);
  IniFile* newFirst = copy.Children()[0].get();
  EXPECT_NE(newFirst, first);
  EXPECT_EQ(copy.Primary(), newFirst);
  EXPECT_EQ(copy.WriteTarget(), newFirst);
  EXPECT_EQ(copy.Children()[1]->WriteTarget(), newFirst);

  // The copy reads and writes the files the source does.
  std::string value;
  EXPECT_EQ(copy.GetKeywordValue("s", "k", value), 1);
  EXPECT_EQ(value, "child");
  EXPECT_EQ(copy.GetKeywordValue("s", "only", value), 1);
  EXPECT_EQ(value, "other");
  ASSERT_EQ(copy.SetKeywordValue("t", "m", "4"), 1);
  EXPECT_EQ(parent_.GetKeywordValue("t", "m", value), 1);
  EXPECT_EQ(value, "4");
}

TEST_F(MaintenanceTest, CopyFromItselfChangesNothing) {
  IniFile* first = parent_.AddIniChild(childFile_, 0, 1, 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(parent_.AddIniChild(Create("other.ini", ""), 0, 0, 1), nullptr);
  EXPECT_EQ(parent_.CopyIniFile(&parent_), 1);
  ASSERT_EQ(parent_.Children().size(), 2u);
  EXPECT_EQ(parent_.Children()[0].get(), first);
  EXPECT_EQ(parent_.Primary(), first);
  EXPECT_EQ(parent_.WriteTarget(), first);
  EXPECT_EQ(parent_.FileName(), Resolved("parent.ini"));
  std::string value;
  EXPECT_EQ(parent_.GetKeywordValue("s", "k", value), 1);
  EXPECT_EQ(value, "child");
}

TEST_F(MaintenanceTest, NamesHoldingANulByteAreListedReadAndErasedAsTheyEnd) {
  // The Windows functions take such a file for some other encoding.
  if (!testing::OwnProfileEngine()) GTEST_SKIP();
  static const char kContent[] = "[s]\r\nab\0cd=1\r\nk=2\r\n[t\0u]\r\nm=3\r\n";
  std::string file = Create("nul.ini", std::string(kContent, sizeof kContent - 1));
  SystemIniFile ini;
  ASSERT_EQ(ini.OpenIniFile(file.c_str(), 0), 1);
  NameList names;
  ASSERT_EQ(ini.GetAllKeywords("s", names), 1);
  EXPECT_EQ(names, (NameList{"ab", "k"}));
  std::string value;
  EXPECT_EQ(ini.GetKeywordValue("s", names[0].c_str(), value), 1);
  EXPECT_EQ(value, "1");
  ASSERT_EQ(ini.GetAllSections(names), 1);
  EXPECT_EQ(names, (NameList{"s", "t"}));
  EXPECT_EQ(ini.GetKeywordValue(names[1].c_str(), "m", value), 1);
  EXPECT_EQ(value, "3");

  EXPECT_EQ(ini.EraseAllKeywords("s"), 1);
  EXPECT_EQ(ReadBytes(file), std::string("[s]\r\n[t\0u]\r\nm=3\r\n", 17));
  EXPECT_EQ(ini.EraseAllSections(), 1);
  EXPECT_EQ(ReadBytes(file), "");
}

TEST_F(MaintenanceTest, ErasureThatLeavesLinesBehindFails) {
  SystemIniFile child;
  ASSERT_EQ(child.OpenIniFile(childFile_.c_str(), 0), 1);
  testing::MakeReadOnly(childFile_);
  // A privileged process may write it anyway through the Windows functions.
  if (!testing::OwnProfileEngine() && testing::OpensForWriting(childFile_)) GTEST_SKIP();
  EXPECT_EQ(child.EraseAllKeywords("s"), 0);
  EXPECT_EQ(Errors(child), (std::vector<Error>{{0x115, "EraseAllKeywords"}}));
  EXPECT_EQ(child.EraseAllSections(), 0);
  EXPECT_EQ(Errors(child), (std::vector<Error>{{0x115, "EraseAllKeywords"}}));
  EXPECT_EQ(ReadBytes(childFile_), "[s]\r\nk=child\r\nl=2\r\n[t]\r\nm=3\r\n");
}

}  // namespace
}  // namespace tralvex
