#include "platform/posix/ProfileStorage.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/RegularFile.h"

namespace tralvex::platform {
namespace {

constexpr int64_t kNanosecondsPerSecond = 1000000000;

FileIdentity IdentityOfStatus(const struct stat& status) {
  FileIdentity identity;
  identity.device = static_cast<uint64_t>(status.st_dev);
  identity.inode = static_cast<uint64_t>(status.st_ino);
  identity.size = static_cast<uint64_t>(status.st_size);
  identity.modifiedSeconds = static_cast<int64_t>(status.st_mtim.tv_sec);
  identity.modifiedNanoseconds = static_cast<int64_t>(status.st_mtim.tv_nsec);
  identity.changedSeconds = static_cast<int64_t>(status.st_ctim.tv_sec);
  identity.changedNanoseconds = static_cast<int64_t>(status.st_ctim.tv_nsec);
  return identity;
}

std::string WindowsDirectoryPath() {
  std::vector<char> buffer(PATH_MAX + 1);
  std::size_t length = WindowsDirectory(buffer.data(), buffer.size());
  if (length == 0 || length >= buffer.size()) return std::string();
  std::string directory(buffer.data(), length);
  return directory;
}

std::string CurrentDirectoryPath() {
  std::vector<char> buffer(PATH_MAX + 1);
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return std::string();
  return std::string(buffer.data());
}

}  // namespace

std::string AbsoluteProfileName(const char* name) {
  if (name == nullptr || *name == '\0') return std::string();
  std::string path(name);
  // Stepping by characters keeps a trail byte from passing for a backslash.
  for (char* p = path.data(); *p != '\0'; p = const_cast<char*>(NextChar(p))) {
    if (*p == '\\') *p = '/';
  }
  if (path.find('/') == std::string::npos) {
    std::string directory = WindowsDirectoryPath();
    if (directory.empty()) return std::string();
    path = directory + "/" + path;
  } else if (path.front() != '/') {
    std::string current = CurrentDirectoryPath();
    if (current.empty()) return std::string();
    path = current + "/" + path;
  }
  return path;
}

std::string NativeProfilePath(const std::string& absolute) {
  std::string native;
  if (!ToNativePath(absolute.c_str(), native)) return std::string();
  return native;
}

FileState StatProfile(const std::string& path, FileIdentity* identity) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) {
    return (errno == ENOENT || errno == ENOTDIR) ? FileState::missing : FileState::unreadable;
  }
  if (!S_ISREG(status.st_mode)) return FileState::unreadable;
  *identity = IdentityOfStatus(status);
  return FileState::regular;
}

bool LockWhole(int fd, bool exclusive) {
  for (;;) {
    if (::flock(fd, exclusive ? LOCK_EX : LOCK_SH) == 0) return true;
    if (errno == EINTR) continue;
    return errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL;
  }
}

bool IdentityOf(int fd, FileIdentity* identity) {
  struct stat status;
  if (::fstat(fd, &status) != 0) return false;
  *identity = IdentityOfStatus(status);
  return true;
}

bool ReadWhole(int fd, std::string* bytes) {
  struct stat status;
  bytes->clear();
  if (::fstat(fd, &status) == 0 && status.st_size > 0) {
    bytes->reserve(static_cast<std::size_t>(status.st_size));
  }
  char chunk[65536];
  for (off_t offset = 0;;) {
    ssize_t n = ::pread(fd, chunk, sizeof chunk, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes->append(chunk, static_cast<std::size_t>(n));
    offset += n;
  }
}

bool ReadProfile(const std::string& path, std::string* bytes, FileIdentity* identity) {
  int fd = OpenRegularFile(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  std::string content;
  bool ok = LockWhole(fd, false) && ReadWhole(fd, &content) && IdentityOf(fd, identity);
  ::close(fd);  // also lets the lock go
  if (!ok) return false;
  // The identity must describe what was read: a file growing meanwhile, or
  // one of the system's that reports no size, would otherwise be cached
  // under another size.
  identity->size = content.size();
  *bytes = std::move(content);
  return true;
}

int64_t FileClockNow() {
  struct timespec now;
  if (::clock_gettime(CLOCK_REALTIME, &now) != 0) return 0;
  return static_cast<int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

bool IsSettled(const FileIdentity& identity, int64_t readAt) {
  // A file system that keeps whole seconds (or two, as FAT does) stamps no
  // nanoseconds; the others stamp by the system's coarse clock, whose tick
  // is at most 10 ms.
  bool wholeSeconds = identity.changedNanoseconds == 0 && identity.modifiedNanoseconds == 0;
  int64_t tick = wholeSeconds ? 2 * kNanosecondsPerSecond : kNanosecondsPerSecond / 20;
  int64_t changed = identity.changedSeconds * kNanosecondsPerSecond + identity.changedNanoseconds;
  return readAt - changed > tick;
}

}  // namespace tralvex::platform
