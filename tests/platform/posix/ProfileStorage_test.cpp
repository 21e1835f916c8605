// How the profile engine meets the file system: files that are no regular
// files, files whose directory or owner forbids a replace, hard links,
// extended attributes, names near the length limit, and the temporaries of
// writers that died.
#include "platform/posix/ProfileStorage.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Profile.h"
#include "support/ProfileTestFiles.h"
#include "support/posix/ChildProcess.h"

namespace tralvex::platform {
namespace {

using tralvex::testing::IsPrivileged;
using tralvex::testing::ReadBytes;
using tralvex::testing::RunAsUser;
using tralvex::testing::RunInChild;
using tralvex::testing::ScratchDirectory;
using tralvex::testing::WriteBytes;

// Users a privileged test process hands files to.
constexpr uid_t kOwner = 4201;
constexpr uid_t kOtherUser = 4202;

class ProfileStorageTest : public ::testing::Test {
 protected:
  void SetUp() override { file_ = dir_.File("test.ini"); }

  std::string Get(const char* section, const char* keyword, const std::string& file) {
    char buffer[100];
    GetProfileString(section, keyword, "default", buffer, sizeof buffer, file.c_str());
    return buffer;
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  static struct stat Status(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status;
  }

  ScratchDirectory dir_;
  std::string file_;
};

TEST_F(ProfileStorageTest, FifosAndDevicesAreRefusedWithoutBlocking) {
  ASSERT_EQ(::mkfifo(file_.c_str(), 0644), 0);
  // In a child, so that a call that blocks fails the test instead of hanging it.
  int status = RunInChild(
      [&] {
        if (Get("s", "k", file_) != "default") return 1;
        if (WriteProfileString("s", "k", "v", file_.c_str())) return 2;
        if (WriteProfileString("s", "k", nullptr, file_.c_str())) return 3;
        std::string bytes;
        FileIdentity identity;
        if (ReadProfile(file_, &bytes, &identity)) return 4;
        if (Get("s", "k", "/dev/zero") != "default") return 5;
        if (WriteProfileString("s", "k", "v", "/dev/null")) return 6;
        return 0;
      },
      std::chrono::seconds(5));
  EXPECT_EQ(status, 0);
}

TEST_F(ProfileStorageTest, FileOfSizeZeroIsReadToItsEnd) {
  // The system's own files report no size and still have content.
  std::string bytes;
  FileIdentity identity;
  ASSERT_TRUE(ReadProfile("/proc/self/status", &bytes, &identity));
  EXPECT_EQ(bytes.substr(0, 5), "Name:");
  EXPECT_EQ(identity.size, bytes.size());
}

TEST_F(ProfileStorageTest, WriteKeepsModeHardLinksAndExtendedAttributes) {
  WriteBytes(file_, "[s]\nk=1\n");
  ::chmod(file_.c_str(), 0640);
  std::string link = dir_.File("link.ini");
  ASSERT_EQ(::link(file_.c_str(), link.c_str()), 0);
  bool attributes = ::setxattr(file_.c_str(), "user.tralvex", "kept", 4, 0) == 0;
  ino_t inode = Status(file_).st_ino;

  ASSERT_TRUE(WriteProfileString("s", "k", "2", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "[s]\nk=2\n");
  EXPECT_EQ(ReadBytes(link), "[s]\nk=2\n");
  EXPECT_EQ(Status(file_).st_ino, inode);
  EXPECT_EQ(Status(file_).st_mode & 07777, 0640u);
  if (attributes) {
    char value[8] = {};
    EXPECT_EQ(::getxattr(file_.c_str(), "user.tralvex", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
  }

  // Without a second link the file is replaced, and still keeps them.
  std::filesystem::remove(link);
  ASSERT_TRUE(WriteProfileString("s", "k", "3", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "[s]\nk=3\n");
  EXPECT_EQ(Status(file_).st_mode & 07777, 0640u);
  if (attributes) {
    char value[8] = {};
    EXPECT_EQ(::getxattr(file_.c_str(), "user.tralvex", value, sizeof value), 4);
  }
  if (IsPrivileged()) {
    ASSERT_EQ(::chown(file_.c_str(), kOwner, kOwner), 0);
    ASSERT_TRUE(WriteProfileString("s", "k", "4", file_.c_str()));
    EXPECT_EQ(Status(file_).st_uid, kOwner);
    EXPECT_EQ(Status(file_).st_gid, kOwner);
  }
  EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(ProfileStorageTest, WritableFileInAReadOnlyDirectoryIsRewrittenInPlace) {
  WriteBytes(file_, "[s]\r\nk=1\r\nl=long enough to shrink\r\n");
  ino_t inode = Status(file_).st_ino;
  uid_t user = IsPrivileged() ? kOwner : ::geteuid();
  ASSERT_EQ(::chown(file_.c_str(), user, user), 0);
  ASSERT_EQ(::chown(dir_.Path().c_str(), user, user), 0);
  ::chmod(dir_.Path().c_str(), 0555);
  auto write = [&] {
    if (!WriteProfileString("s", "k", "2", file_.c_str())) return 1;
    if (!WriteProfileString("s", "l", "short", file_.c_str())) return 2;
    return WriteProfileString("t", "m", "grown", file_.c_str()) ? 0 : 3;
  };
  EXPECT_EQ(IsPrivileged() ? RunAsUser(user, user, write) : RunInChild(write), 0);
  ::chmod(dir_.Path().c_str(), 0755);
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=2\r\nl=short\r\n[t]\r\nm=grown\r\n");
  EXPECT_EQ(Status(file_).st_ino, inode);
  EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(ProfileStorageTest, OtherUsersFileInAStickyDirectory) {
  if (!IsPrivileged()) GTEST_SKIP() << "needs a second user";
  WriteBytes(file_, "[s]\nk=1\n");
  ASSERT_EQ(::chown(file_.c_str(), kOwner, kOwner), 0);
  ::chmod(file_.c_str(), 0666);
  ::chmod(dir_.Path().c_str(), 01777);
  int status = RunAsUser(kOtherUser, kOtherUser,
                         [&] { return WriteProfileString("s", "k", "2", file_.c_str()) ? 0 : 1; });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(file_), "[s]\nk=2\n");
  EXPECT_EQ(Status(file_).st_uid, kOwner);
  EXPECT_EQ(Status(file_).st_mode & 07777, 0666u);
}

TEST_F(ProfileStorageTest, NameNearTheLengthLimit) {
  long limit = ::pathconf(dir_.Path().c_str(), _PC_NAME_MAX);
  if (limit <= 0) limit = 255;
  std::string name(static_cast<std::size_t>(limit) - 4, 'n');
  name += ".ini";
  std::string file = dir_.File(name);
  ASSERT_TRUE(WriteProfileString("s", "k", "1", file.c_str()));
  ASSERT_TRUE(WriteProfileString("s", "k", "2", file.c_str()));
  EXPECT_EQ(ReadBytes(file), "[s]\r\nk=2\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{name});
}

TEST_F(ProfileStorageTest, TemporariesOfDeadWritersAreRemovedAtTheNextWrite) {
  WriteBytes(file_, "[s]\nk=1\n");
  // What a writer killed before its rename leaves, under that writer's name.
  WriteBytes(dir_.File(".test.ini.999999-0.tmp"), "[s]\nk=half");
  WriteBytes(dir_.File(".test.ini.999999-1.tmp"), "");
  WriteBytes(dir_.File(".other.ini.999999-0.tmp"), "not ours");
  // A writer that lives holds its temporary locked.
  std::string live = dir_.File(".test.ini.999998-0.tmp");
  WriteBytes(live, "[s]\nk=busy");
  int held = ::open(live.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  ASSERT_TRUE(WriteProfileString("s", "k", "2", file_.c_str()));
  ::close(held);
  std::vector<std::string> entries = Entries();
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{".other.ini.999999-0.tmp", ".test.ini.999998-0.tmp",
                                               "test.ini"}));
  EXPECT_EQ(ReadBytes(file_), "[s]\nk=2\n");
}

}  // namespace
}  // namespace tralvex::platform
