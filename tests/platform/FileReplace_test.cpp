#include "platform/FileReplace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/TempDirectory.h"

namespace tralvex::platform {
namespace {

using test::TempDirectory;

std::string ReadBack(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::size_t EntryCount(const std::filesystem::path& directory) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    static_cast<void>(entry);
    ++count;
  }
  return count;
}

TEST(ReplaceFileContent, CreatesAndReplacesWholeFilesLeavingNothingBeside) {
  TempDirectory dir;
  std::string name = (dir.Path() / "Texts.msg").string();
  std::string reason;
  ASSERT_TRUE(ReplaceFileContent(name, std::string("1: a\r\n\0\xFF", 8), reason)) << reason;
  EXPECT_EQ(std::string("1: a\r\n\0\xFF", 8), ReadBack(name));
  std::string large(3 << 20, 'x');
  ASSERT_TRUE(ReplaceFileContent(name, large, reason)) << reason;
  EXPECT_EQ(large, ReadBack(name));
  ASSERT_TRUE(ReplaceFileContent(name, "", reason)) << reason;
  EXPECT_EQ("", ReadBack(name));
  EXPECT_EQ(1u, EntryCount(dir.Path()));
}

TEST(ReplaceFileContent, RefusesWhatIsNoFileAndKeepsTheTarget) {
  TempDirectory dir;
  std::string reason;
  EXPECT_FALSE(ReplaceFileContent(dir.Path().string(), "x", reason));
  EXPECT_EQ("is a directory", reason);
  std::string missing = (dir.Path() / "no" / "such" / "Texts.msg").string();
  reason.clear();
  EXPECT_FALSE(ReplaceFileContent(missing, "x", reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(0u, EntryCount(dir.Path()));
}

// A filler writes by the name it is given, as a library that opens files
// itself does; its failure keeps the target and leaves nothing beside it.
TEST(ReplaceFileContentBy, ReplacesWithWhatTheFillerWritesByName) {
  TempDirectory dir;
  std::string name = (dir.Path() / "Texts.po").string();
  std::string reason;
  ASSERT_TRUE(ReplaceFileContent(name, "old", reason)) << reason;
  std::string given;
  auto fill = [&given](const std::string& file, std::string&) {
    given = file;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << "new content";
    return static_cast<bool>(out.flush());
  };
  ASSERT_TRUE(ReplaceFileContentBy(name, fill, reason)) << reason;
  EXPECT_EQ("new content", ReadBack(name));
  EXPECT_NE(name, given);
  EXPECT_FALSE(std::filesystem::exists(given));
  auto fail = [](const std::string& file, std::string& why) {
    std::ofstream(file, std::ios::binary) << "half";
    why = "the writer gave up";
    return false;
  };
  EXPECT_FALSE(ReplaceFileContentBy(name, fail, reason));
  EXPECT_EQ("the writer gave up", reason);
  EXPECT_EQ("new content", ReadBack(name));
  EXPECT_EQ(1u, EntryCount(dir.Path()));
  EXPECT_FALSE(ReplaceFileContentBy(dir.Path().string(), fill, reason));
  EXPECT_EQ("is a directory", reason);
}

}  // namespace
}  // namespace tralvex::platform
