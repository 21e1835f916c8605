#include "CheckedOutput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

#include "support/TempDirectory.h"

namespace tralvex::tool {
namespace {

TEST(CheckedOutput, WritesEverythingAndSaysSo) {
  test::TempDirectory directory;
  std::string path = (directory.Path() / "out.txt").string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::string expected;
  {
    CheckedOutput output(file);
    std::ostream out(&output);
    // More than its buffer holds, in pieces of every size.
    for (int i = 0; i < 20000; ++i) {
      std::string piece(static_cast<std::size_t>(i % 17), static_cast<char>('a' + i % 26));
      out << piece << '\n';
      expected += piece + "\n";
    }
    EXPECT_TRUE(output.Finish());
    EXPECT_FALSE(output.Failed());
    EXPECT_EQ(output.Reason(), "");
  }
  std::fclose(file);
  std::ifstream in(path, std::ios::binary);
  std::stringstream written;
  written << in.rdbuf();
  EXPECT_EQ(written.str(), expected);
}

TEST(CheckedOutput, TellsAFullDiskOnceAndDropsTheRest) {
  std::FILE* full = std::fopen("/dev/full", "wb");
  ASSERT_NE(full, nullptr);
  {
    CheckedOutput output(full);
    std::ostream out(&output);
    out << "lost\n";
    EXPECT_FALSE(output.Finish());
    EXPECT_TRUE(output.Failed());
    EXPECT_FALSE(output.ReaderGone());
    EXPECT_EQ(output.Reason(), "No space left on device");
    out << std::string(200000, 'x');
    EXPECT_FALSE(output.Finish());
    EXPECT_EQ(output.Reason(), "No space left on device");
  }
  std::fclose(full);
}

}  // namespace
}  // namespace tralvex::tool
