#include "catalogue/MessageContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "catalogue/SearchDirectories.h"
#include "platform/FileSystem.h"
#include "support/MessageText.h"
#include "support/TempDirectory.h"

namespace tralvex {
namespace {

using test::CurrentDirectoryScope;
using test::ErrorContext;
using test::TempDirectory;

// Hands out handles from 1 and answers a lookup with the name of the file
// behind the handle, so a test sees which file served a number.
class RecordingAccess : public CatalogueAccess {
 public:
  std::map<uint32_t, std::string> open;
  std::vector<std::string> opened;
  std::vector<uint32_t> closed;
  std::set<std::string> refused;
  uint32_t nextHandle = 1;

  int OpenCatalogue(const char* fileName, uint32_t* handle) override {
    opened.push_back(fileName);
    if (refused.count(fileName) != 0) {
      *handle = kNoCatalogueHandle;
      return 0;
    }
    *handle = nextHandle++;
    open[*handle] = fileName;
    return 1;
  }
  void CloseCatalogue(uint32_t handle) override {
    closed.push_back(handle);
    open.erase(handle);
  }
  MessageCatalogue* FindCatalogue(uint32_t) override { return nullptr; }
  const char* LookupMessageText(uint32_t handle, uint32_t, const char* defaultText) override {
    auto found = open.find(handle);
    if (found != open.end()) return found->second.c_str();
    return defaultText != nullptr ? defaultText : "placeholder";
  }
  const char* MakePlaceholderText(uint32_t) override { return "placeholder"; }
};

constexpr const char* kDefault = "default";

class MessageContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Nothing in the system's own directory may answer for a test.
    platform::OverrideWindowsDirectory(windows.Path().string().c_str());
  }
  void TearDown() override { platform::OverrideWindowsDirectory(nullptr); }

  // Writes "Tralvex.ini" with the given lines in "MessageFiles".
  void WriteIni(const TempDirectory& where, const std::vector<std::string>& lines,
                const char* subdirectory = "") {
    std::string text = "[MessageFiles]\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    where.Write(std::string(subdirectory) + "Tralvex.ini", text);
  }

  std::string Full(const std::string& name) { return (dir.Path() / name).string(); }

  // The file that served a number, "default" or "placeholder".
  std::string ServedBy(MessageContext& context, uint32_t number,
                       const char* defaultText = kDefault) {
    std::string text = context.GetContextMessage(number, defaultText);
    return text.substr(text.find_last_of("\\/") + 1);
  }

  int InitOn(MessageContext& context, const TempDirectory& where) {
    return context.InitContext(where.Path().string().c_str());
  }

  TempDirectory dir;
  TempDirectory windows;
  RecordingAccess access;
};

TEST_F(MessageContextTest, RangesServeUpToTheirBoundInEitherKeywordOrder) {
  dir.Write("a.msg", "1: a\r\n");
  dir.Write("b.msg", "1: b\r\n");
  for (bool reversed : {false, true}) {
    std::vector<std::string> lines = {"A-0FF=a.msg", "B-1FF=b.msg"};
    if (reversed) std::reverse(lines.begin(), lines.end());
    WriteIni(dir, lines);
    MessageContext context(access, "caption", 0);
    ASSERT_EQ(1, InitOn(context, dir));
    EXPECT_EQ(1, context.Initialised());
    EXPECT_EQ(0, context.SingleHandle());
    EXPECT_EQ("a.msg", ServedBy(context, 0));
    EXPECT_EQ("a.msg", ServedBy(context, 0xFF));
    EXPECT_EQ("b.msg", ServedBy(context, 0x100));
    EXPECT_EQ("b.msg", ServedBy(context, 0x1FF));
    EXPECT_EQ("default", ServedBy(context, 0x200));
    EXPECT_EQ("placeholder", ServedBy(context, 0x200, nullptr));
    EXPECT_EQ(0u, context.GetCatalogueForNumber(0xFFFFFFFF));
  }
}

TEST_F(MessageContextTest, FilesOpenOnFirstUseAndCloseExactlyOnce) {
  dir.Write("a.msg", "");
  dir.Write("b.msg", "");
  dir.Write("c.msg", "");
  WriteIni(dir, {"A-0F=a.msg", "B-1F=b.msg", "C-2F=c.msg"});
  {
    MessageContext context(access, nullptr, 0);
    ASSERT_EQ(1, InitOn(context, dir));
    EXPECT_TRUE(access.opened.empty());
    ServedBy(context, 0x10);
    ServedBy(context, 0x11);
    ServedBy(context, 0x20);
    EXPECT_EQ(2u, access.opened.size());
  }
  EXPECT_EQ((std::vector<uint32_t>{1, 2}), access.closed);
}

TEST_F(MessageContextTest, EqualBoundsServeTheFirstListed) {
  dir.Write("first.msg", "");
  dir.Write("second.msg", "");
  dir.Write("low.msg", "");
  WriteIni(dir, {"X-1FF=first.msg", "Low-0F=low.msg", "Y-1FF=second.msg"});
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, InitOn(context, dir));
  ASSERT_EQ(3u, context.Ranges().size());
  EXPECT_EQ("first.msg", ServedBy(context, 0x1FF));
  EXPECT_EQ("first.msg", ServedBy(context, 0x10));
  EXPECT_EQ("low.msg", ServedBy(context, 0x0));
  for (const std::string& name : access.opened) EXPECT_EQ(std::string::npos, name.find("second"));
}

TEST_F(MessageContextTest, UnusableKeywordsAreSkippedWithoutErrors) {
  dir.Write("t.msg", "");
  std::filesystem::create_directory(dir.Path() / "folder");
  WriteIni(dir, {"Texts=t.msg", "X-0=t.msg", "Missing-10=gone.msg", "NoDigits-=t.msg",
                 "Garbage-zz=t.msg", "Empty-20=", "Zero-0x0=t.msg"});
  MessageContext context(access, nullptr, 0);
  EXPECT_EQ(0, InitOn(context, dir));
  EXPECT_EQ(0, context.Initialised());
  EXPECT_TRUE(context.Ranges().empty());
  EXPECT_EQ(1, context.HasNoErrors());
  EXPECT_EQ("default", ServedBy(context, 0x10));
}

TEST_F(MessageContextTest, BoundsReadAsHexadecimalUpToTheFirstOtherCharacter) {
  for (const char* name : {"a", "b", "c", "d", "e"}) dir.Write(std::string(name) + ".msg", "");
  WriteIni(dir, {"A- 0x1f=a.msg", "B-+2fz9=b.msg", "C-3F-4F=c.msg", "D-123456789ABC=d.msg",
                 "E-FFFFFFFE=e.msg"});
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, InitOn(context, dir));
  std::vector<uint32_t> bounds;
  for (const auto& range : context.Ranges()) bounds.push_back(range.bound);
  // Beyond 32 bits the bound is every number, on every system.
  EXPECT_EQ((std::vector<uint32_t>{0x1F, 0x2F, 0x3F, 0xFFFFFFFE, 0xFFFFFFFF}), bounds);
  EXPECT_EQ("e.msg", ServedBy(context, 0xFFFFFFFE));
  EXPECT_EQ("d.msg", ServedBy(context, 0xFFFFFFFF));
}

TEST_F(MessageContextTest, AFolderValueIsKeptAndFailsAtEveryLookup) {
  std::filesystem::create_directory(dir.Path() / "folder");
  dir.Write("t.msg", "");
  WriteIni(dir, {"F-0F=folder", "T-1F=t.msg"});
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, InitOn(context, dir));
  access.refused.insert(Full("folder"));
  EXPECT_EQ("default", ServedBy(context, 1));
  EXPECT_EQ("placeholder", ServedBy(context, 2, nullptr));
  EXPECT_EQ(2u, access.opened.size());
  EXPECT_EQ("t.msg", ServedBy(context, 0x10));
}

TEST_F(MessageContextTest, HundredsOfKeywordsKeepTheirOrder) {
  std::mt19937 random(7);
  std::vector<uint32_t> bounds;
  for (uint32_t i = 1; i <= 300; ++i) bounds.push_back(i * 0x10);
  std::shuffle(bounds.begin(), bounds.end(), random);
  std::vector<std::string> lines;
  for (uint32_t bound : bounds) {
    std::string name = "f" + std::to_string(bound) + ".msg";
    dir.Write(name, "");
    char keyword[32];
    std::snprintf(keyword, sizeof keyword, "K-%X", bound);
    lines.push_back(std::string(keyword) + "=" + name);
  }
  WriteIni(dir, lines);
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, InitOn(context, dir));
  ASSERT_EQ(300u, context.Ranges().size());
  for (uint32_t i = 1; i <= 300; ++i) {
    std::string expected = "f" + std::to_string(i * 0x10) + ".msg";
    EXPECT_EQ(expected, ServedBy(context, i * 0x10 - 0xF)) << i;
    EXPECT_EQ(expected, ServedBy(context, i * 0x10)) << i;
  }
  EXPECT_EQ("default", ServedBy(context, 300 * 0x10 + 1));
}

TEST_F(MessageContextTest, OneUsableKeywordServesEveryNumberOnceOpen) {
  dir.Write("a.msg", "");
  WriteIni(dir, {"A-0FF=a.msg", "Texts=a.msg"});
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, InitOn(context, dir));
  EXPECT_EQ(-1, context.SingleHandle());
  EXPECT_EQ("default", ServedBy(context, 0x500));
  EXPECT_TRUE(access.opened.empty());
  EXPECT_EQ("a.msg", ServedBy(context, 0x10));
  EXPECT_EQ(1, context.SingleHandle());
  EXPECT_EQ("a.msg", ServedBy(context, 0x500));
  EXPECT_EQ(1u, access.opened.size());
}

TEST_F(MessageContextTest, AMessageFileNamedDirectlyServesEveryNumber) {
  std::string file = dir.Write("Texts.msg", "");
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, context.InitContext(file.c_str()));
  EXPECT_EQ(-1, context.SingleHandle());
  EXPECT_TRUE(context.IniPath().empty());
  EXPECT_EQ("Texts.msg", ServedBy(context, 0xFFFFFFFF));
  EXPECT_EQ("Texts.msg", ServedBy(context, 0));
  ASSERT_EQ(1u, access.opened.size());
  EXPECT_EQ(file, access.opened[0]);  // unchanged, not completed

  MessageContext missing(access, nullptr, 0);
  std::string gone = Full("Gone.msg");
  EXPECT_EQ(0, missing.InitContext(gone.c_str()));
  EXPECT_EQ(gone, ErrorContext(missing, 0x127));
}

TEST_F(MessageContextTest, AFailedOpenIsRetriedAtTheNextLookup) {
  std::string file = dir.Write("Texts.msg", "");
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, context.InitContext(file.c_str()));
  access.refused.insert(file);
  EXPECT_EQ(kNoCatalogueHandle, context.GetCatalogueForNumber(5));
  EXPECT_EQ("default", ServedBy(context, 5));
  access.refused.clear();
  EXPECT_EQ("Texts.msg", ServedBy(context, 5));
  EXPECT_EQ(3u, access.opened.size());
  EXPECT_EQ(1u, context.FileHandles().size());
}

TEST_F(MessageContextTest, ADirectoryGainsASeparatorAndIsTheOnlyPlaceSearched) {
  dir.Write("a.msg", "");
  WriteIni(dir, {"A-0F=a.msg"});
  std::string path = dir.Path().string();
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, context.InitContext(path.c_str()));
  EXPECT_EQ(dir.WithSeparator(), context.Directory());
  EXPECT_EQ(dir.WithSeparator() + "Tralvex.ini", context.IniPath());

  // With a slash-separated spelling the separator added is a slash.
  MessageContext slashed(access, nullptr, 0);
  std::string slashPath = dir.Path().generic_string();
  slashed.InitContext(slashPath.c_str());
  EXPECT_EQ(slashPath + "/", slashed.Directory());

  TempDirectory empty;
  WriteIni(windows, {"A-0F=a.msg"});
  MessageContext elsewhere(access, nullptr, 0);
  EXPECT_EQ(0, InitOn(elsewhere, empty));
  EXPECT_EQ("Tralvex.ini", ErrorContext(elsewhere, 0x127));
  EXPECT_TRUE(elsewhere.IniPath().empty());
}

TEST_F(MessageContextTest, SettingsFileProblemsAreRecorded) {
  WriteIni(dir, {});
  MessageContext context(access, nullptr, 0);
  EXPECT_EQ(0, InitOn(context, dir));
  EXPECT_EQ("*.MSG", ErrorContext(context, 0x127));
}

TEST_F(MessageContextTest, ValuesWithBackslashesAreCompletedUnderTheDirectory) {
  dir.Write("sub/Deep.msg", "");
  WriteIni(dir, {"A-0F=sub\\Deep.msg", "B-1F=.\\sub\\Deep.msg"});
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, InitOn(context, dir));
  ASSERT_EQ(2u, context.FileNames().size());
  EXPECT_EQ(dir.WithSeparator() + "sub\\Deep.msg", context.FileNames()[0]);
  EXPECT_EQ(dir.WithSeparator() + "sub\\Deep.msg", context.FileNames()[1]);
}

TEST_F(MessageContextTest, AForgottenHandleIsNeitherUsedNorClosed) {
  dir.Write("a.msg", "");
  dir.Write("b.msg", "");
  WriteIni(dir, {"A-0F=a.msg", "B-1F=b.msg"});
  {
    MessageContext context(access, nullptr, 0);
    ASSERT_EQ(1, InitOn(context, dir));
    EXPECT_EQ(1u, context.GetCatalogueForNumber(1));
    EXPECT_EQ(2u, context.GetCatalogueForNumber(0x11));
    context.ForgetCatalogue(1);
    context.ForgetCatalogue(99);
    EXPECT_EQ(3u, context.GetCatalogueForNumber(1));  // opened afresh
  }
  EXPECT_EQ((std::vector<uint32_t>{3, 2}), access.closed);
}

TEST_F(MessageContextTest, ASingleFileHandleForgottenIsOpenedAgain) {
  std::string file = dir.Write("Texts.msg", "");
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, context.InitContext(file.c_str()));
  EXPECT_EQ(1u, context.GetCatalogueForNumber(7));
  context.ForgetCatalogue(1);
  EXPECT_EQ(-1, context.SingleHandle());
  EXPECT_EQ(2u, context.GetCatalogueForNumber(7));
  EXPECT_EQ(2, context.SingleHandle());
}

TEST_F(MessageContextTest, JoinAndLeaveCount) {
  MessageContext context(access, "c", 1);
  EXPECT_EQ(1u, context.JoinCount());
  EXPECT_TRUE(context.Join());
  EXPECT_FALSE(context.Leave());
  EXPECT_TRUE(context.Leave());
  EXPECT_TRUE(context.Leave());  // stays at 0
  EXPECT_EQ(0u, context.JoinCount());
  EXPECT_EQ("c", context.Caption());
  EXPECT_EQ(1, context.KeepOnFailure());
}

// The places searched without a directory, in order. The executable's own
// directory is that of this test program; a settings file put there is
// removed again, and the test refuses to run when one was there already.
class SearchOrderTest : public MessageContextTest {
 protected:
  void SetUp() override {
    MessageContextTest::SetUp();
    ASSERT_EQ(0, GetDirectoryByKind(kModuleDirectory, moduleDirectory));
    binIni = std::filesystem::path(moduleDirectory) / "Tralvex.ini";
    binResource = std::filesystem::path(moduleDirectory) / "Resource";
    ASSERT_FALSE(std::filesystem::exists(binIni));
    ASSERT_FALSE(std::filesystem::exists(binResource));
    ASSERT_FALSE(std::filesystem::exists(std::filesystem::path(moduleDirectory) / "module.msg"));
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove(binIni, ignored);
    std::filesystem::remove(std::filesystem::path(moduleDirectory) / "module.msg", ignored);
    std::filesystem::remove_all(binResource, ignored);
    MessageContextTest::TearDown();
  }

  // Puts a settings file and its message file in a place; the message file
  // is named after the place so that the lookup tells which one was used.
  void Arrange(const std::filesystem::path& place, const std::string& label) {
    std::filesystem::create_directories(place);
    std::ofstream(place / "Tralvex.ini", std::ios::binary)
        << "[MessageFiles]\r\nAll-FFFF=" << label << ".msg\r\n";
    std::ofstream(place / (label + ".msg"), std::ios::binary) << "1: x\r\n";
  }

  std::string Found() {
    MessageContext context(access, nullptr, 0);
    if (context.InitContext(nullptr) == 0) return "nothing";
    return ServedBy(context, 1);
  }

  std::string moduleDirectory;
  std::filesystem::path binIni;
  std::filesystem::path binResource;
  TempDirectory current;
};

TEST_F(SearchOrderTest, EachPlaceIsTriedInTurn) {
  CurrentDirectoryScope inside(current.Path());
  EXPECT_EQ("nothing", Found());
  Arrange(windows.Path(), "windows");
  EXPECT_EQ("windows.msg", Found());
  Arrange(current.Path() / "Resource", "currentResource");
  EXPECT_EQ("currentResource.msg", Found());
  Arrange(current.Path(), "current");
  EXPECT_EQ("current.msg", Found());
  Arrange(binResource, "moduleResource");
  EXPECT_EQ("moduleResource.msg", Found());
  Arrange(moduleDirectory, "module");
  EXPECT_EQ("module.msg", Found());
}

TEST_F(SearchOrderTest, TheDirectoryWhereItWasFoundCompletesTheValues) {
  CurrentDirectoryScope inside(current.Path());
  Arrange(current.Path() / "Resource", "here");
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, context.InitContext(nullptr));
  std::string expected = current.WithSeparator() + "Resource\\";
  EXPECT_EQ(expected, context.Directory());
  EXPECT_EQ(expected + "Tralvex.ini", context.IniPath());
  EXPECT_EQ(expected + "here.msg", context.FileNames().at(0));
}

TEST_F(SearchOrderTest, ARelativeDirectoryIsTakenUnderTheCurrentDirectory) {
  CurrentDirectoryScope inside(current.Path());
  Arrange(current.Path() / "App", "app");
  MessageContext context(access, nullptr, 0);
  ASSERT_EQ(1, context.InitContext("App"));
  EXPECT_EQ("app.msg", ServedBy(context, 1));
  EXPECT_EQ(current.WithSeparator() + "App\\", context.Directory());
}

}  // namespace
}  // namespace tralvex
