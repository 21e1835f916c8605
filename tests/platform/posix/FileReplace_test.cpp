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
namespace fs = std::filesystem;

std::string ReadBack(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ReplaceFileContentPosix, KeepsLinksAndPermissionsAndRefusesDevices) {
  TempDirectory dir;
  fs::path real = dir.Path() / "Texts-cs.msg";
  fs::path link = dir.Path() / "Current.msg";
  std::string reason;
  ASSERT_TRUE(ReplaceFileContent(real.string(), "old", reason)) << reason;
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(real.filename(), link);

  ASSERT_TRUE(ReplaceFileContent(link.string(), "new", reason)) << reason;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ("new", ReadBack(real));
  EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
            fs::status(real).permissions());

  EXPECT_FALSE(ReplaceFileContent("/dev/null", "x", reason));
  EXPECT_EQ("is not a regular file", reason);
}

}  // namespace
}  // namespace tralvex::platform
