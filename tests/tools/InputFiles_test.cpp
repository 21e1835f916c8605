#include "InputFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempDirectory.h"

namespace tralvex::tool {
namespace {

std::string ReasonFor(const std::string& path) {
  InputFile file;
  std::string reason;
  EXPECT_FALSE(ReadInputFile(path, file, reason)) << path;
  return reason;
}

TEST(ReadInputFile, ReadsAFileWholeWithANulAfterIt) {
  test::TempDirectory directory;
  std::string path = directory.Write("a.msg", "[Main]\r\n1: one\r\n");
  InputFile file;
  std::string reason;
  ASSERT_TRUE(ReadInputFile(path, file, reason)) << reason;
  EXPECT_EQ(file.View(), "[Main]\r\n1: one\r\n");
  EXPECT_EQ(file.bytes[file.size], '\0');
  ASSERT_TRUE(ReadInputFile(directory.Write("empty.msg", ""), file, reason));
  EXPECT_EQ(file.size, 0u);
}

TEST(ReadInputFile, RefusesWhatIsNoRegularFileWithoutOpeningIt) {
  test::TempDirectory directory;
  EXPECT_EQ(ReasonFor(directory.Path().string()), "is a directory, not a file");
  EXPECT_EQ(ReasonFor("/dev/null"), "is a device, not a regular file");
  EXPECT_EQ(ReasonFor((directory.Path() / "missing.msg").string()), "no such file");
  EXPECT_EQ(ReasonFor(""), "an empty file name");
  std::filesystem::path loop = directory.Path() / "loop.msg";
  std::filesystem::create_symlink(loop, loop);
  EXPECT_EQ(ReasonFor(loop.string()).rfind("cannot be examined: ", 0), 0u);
  // A link to a regular file is read like the file.
  std::filesystem::create_symlink(directory.Write("target.msg", "x"), directory.Path() / "l.msg");
  InputFile file;
  std::string reason;
  EXPECT_TRUE(ReadInputFile((directory.Path() / "l.msg").string(), file, reason)) << reason;
}

TEST(ReadInputFile, RefusesWhatTheLibraryWouldMisread) {
  test::TempDirectory directory;
  EXPECT_EQ(ReasonFor(directory.Write("nul.msg", std::string("1: a\0b", 6))),
            "is a binary file (a NUL byte at offset 4)");
  EXPECT_EQ(ReasonFor(directory.Write("le.msg", "\xFF\xFE[\0")).rfind("is UTF-16 text", 0), 0u);
  EXPECT_EQ(ReasonFor(directory.Write("be.msg", "\xFE\xFF\0[")).rfind("is UTF-16 text", 0), 0u);
}

TEST(ReadTextFileInPieces, HandsOverTheWholeFileAndRefusesItsNulBytesByOffset) {
  test::TempDirectory directory;
  // Larger than a piece, so that the file arrives in several.
  std::string bytes(3 << 20, 'x');
  for (std::size_t i = 0; i < bytes.size(); i += 97) bytes[i] = '\n';
  std::string path = directory.Write("big.po", bytes);
  std::string read, reason;
  std::size_t pieces = 0;
  auto take = [&](std::string_view piece) {
    read.append(piece);
    ++pieces;
  };
  ASSERT_TRUE(ReadTextFileInPieces(path, take, reason)) << reason;
  EXPECT_EQ(read, bytes);
  EXPECT_GT(pieces, 1u);
  bytes[(2 << 20) + 5] = '\0';
  path = directory.Write("nul.po", bytes);
  EXPECT_FALSE(ReadTextFileInPieces(path, take, reason));
  EXPECT_EQ(reason,
            "is a binary file (a NUL byte at offset " + std::to_string((2 << 20) + 5) + ")");
  EXPECT_FALSE(ReadTextFileInPieces(directory.Path().string(), take, reason));
  EXPECT_EQ(reason, "is a directory, not a file");
}

}  // namespace
}  // namespace tralvex::tool
