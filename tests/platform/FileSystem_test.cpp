#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempDirectory.h"

namespace tralvex::platform {
namespace {

using test::TempDirectory;

TEST(ReadOnlyFile, ReadsAWholeFileAndRefusesDirectories) {
  TempDirectory dir;
  std::string name = dir.Write("x.msg", "1: a\r\n2: b");
  ReadOnlyFile file;
  ASSERT_TRUE(file.Open(name.c_str()));
  uint32_t size = 0;
  ASSERT_TRUE(file.Size(&size));
  EXPECT_EQ(10u, size);
  char text[16] = {};
  uint32_t read = 0;
  EXPECT_TRUE(file.Read(text, sizeof text - 1, &read));
  EXPECT_EQ(10u, read);
  EXPECT_STREQ("1: a\r\n2: b", text);
  file.Close();
  EXPECT_FALSE(file.Size(&size));

  EXPECT_FALSE(file.Open(dir.Path().string().c_str()));
  EXPECT_FALSE(file.Open((dir.Path() / "none").string().c_str()));
  EXPECT_FALSE(file.Open(nullptr));
}

// A device opens like a file but a read of it may never end: it is refused,
// as a file that cannot be used.
TEST(ReadOnlyFile, RefusesDevices) {
  const char* device = SlashRootsPath() ? "/dev/zero" : "NUL";
  ReadOnlyFile file;
  EXPECT_FALSE(file.Open(device));
  EXPECT_EQ(ProbeResult::fileError, ProbeReadable(device));
}

TEST(ProbeAndCreate, CreateNeverTruncates) {
  TempDirectory dir;
  std::string name = (dir.Path() / "Tralvex.ini").string();
  EXPECT_EQ(ProbeResult::notFound, ProbeReadable(name.c_str()));
  EXPECT_EQ(ProbeResult::ok, CreateIfMissing(name.c_str()));
  EXPECT_EQ(ProbeResult::ok, ProbeReadable(name.c_str()));
  dir.Write("Tralvex.ini", "[a]\r\nk=v\r\n");
  EXPECT_EQ(ProbeResult::ok, CreateIfMissing(name.c_str()));
  EXPECT_EQ(10u, std::filesystem::file_size(name));
  EXPECT_EQ(ProbeResult::notFound,
            CreateIfMissing((dir.Path() / "no" / "Tralvex.ini").string().c_str()));
}

TEST(DeleteFileWithCause, ReportsFileErrorCauses) {
  TempDirectory dir;
  std::string name = dir.Write("x.ini", "");
  int cause = -1;
  EXPECT_TRUE(DeleteFileWithCause(name.c_str(), &cause));
  EXPECT_EQ(0, cause);
  EXPECT_FALSE(std::filesystem::exists(name));
  EXPECT_FALSE(DeleteFileWithCause(name.c_str(), &cause));
  EXPECT_EQ(2, cause);
  // A file used as a directory: the path itself is bad.
  std::string file = dir.Write("plain", "");
  EXPECT_FALSE(DeleteFileWithCause((file + "/x.ini").c_str(), &cause));
  EXPECT_EQ(3, cause);
  std::string tooLong(MaxPathLength() + 1, 'x');
  EXPECT_FALSE(DeleteFileWithCause(tooLong.c_str(), &cause));
  EXPECT_EQ(3, cause);
}

TEST(Directories, GettersReportTheSizeNeeded) {
  char small[2];
  std::size_t needed = CurrentDirectory(small, sizeof small);
  EXPECT_GT(needed, sizeof small);
  std::string buffer(needed, '\0');
  EXPECT_EQ(needed - 1, CurrentDirectory(buffer.data(), buffer.size()));
  EXPECT_GT(ExecutableFileName(small, sizeof small), sizeof small);
}

}  // namespace
}  // namespace tralvex::platform
