#include "platform/posix/ProfileStorage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/posix/NativePath.h"

namespace tralvex::platform {
namespace {

FileIdentity IdentityOf(const struct stat& status) {
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

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A new file beside the target, created with the target's permissions (or,
// for a new target, the ones the process gives new files).
int CreateSibling(const std::string& target, const struct stat* existing, std::string* name) {
  std::size_t slash = target.rfind('/');
  std::string stem = target.substr(0, slash + 1) + "." + target.substr(slash + 1) + ".";
  mode_t mode = existing != nullptr ? (existing->st_mode & 07777) : 0666;
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    *name = stem + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
    int fd = ::open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      if (existing != nullptr) {
        // Ownership is kept where the process may keep it; the mode is set
        // outright because the process's mask may have narrowed it.
        bool ownerKept = ::fchown(fd, existing->st_uid, existing->st_gid) == 0;
        static_cast<void>(ownerKept);
        ::fchmod(fd, mode);
      }
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

void SyncDirectoryOf(const std::string& target) {
  std::size_t slash = target.rfind('/');
  std::string directory = slash == 0 ? "/" : target.substr(0, slash);
  int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
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
  *identity = IdentityOf(status);
  return FileState::regular;
}

bool ReadProfile(const std::string& path, std::string* text, FileIdentity* identity) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status;
  bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  std::string content;
  if (ok) {
    content.reserve(static_cast<std::size_t>(status.st_size));
    char chunk[65536];
    for (;;) {
      ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      content.append(chunk, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  if (!ok) return false;
  *identity = IdentityOf(status);
  // The identity must describe what was read: a file growing meanwhile
  // would otherwise be cached under the old size.
  identity->size = content.size();
  *text = std::move(content);
  return true;
}

bool MayReplaceProfile(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return errno == ENOENT;
  if (!S_ISREG(status.st_mode)) return false;
  // A file without any write permission is read-only even for a process
  // that could override it, as the read-only attribute is on Windows.
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::access(path.c_str(), R_OK | W_OK) == 0;
}

bool ReplaceProfile(const std::string& path, const std::string& text, FileIdentity* identity) {
  // A symbolic link keeps pointing at the file it named.
  std::string target = path;
  struct stat existing;
  bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return false;
    target = resolved;
    std::free(resolved);
  }
  std::string temporary;
  int fd = CreateSibling(target, exists ? &existing : nullptr, &temporary);
  if (fd < 0) return false;
  struct stat written;
  bool ok = WriteAll(fd, text) && ::fsync(fd) == 0 && ::fstat(fd, &written) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncDirectoryOf(target);
  *identity = IdentityOf(written);
  return true;
}

bool IsRecentlyChanged(const FileIdentity& identity) {
  struct timespec now;
  if (::clock_gettime(CLOCK_REALTIME, &now) != 0) return true;
  // File times come from a coarse clock; two seconds cover every tick.
  return now.tv_sec - identity.changedSeconds < 2;
}

}  // namespace tralvex::platform
