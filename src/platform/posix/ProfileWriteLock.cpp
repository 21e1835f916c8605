#include "platform/posix/ProfileWriteLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/RegularFile.h"

namespace tralvex::platform {
namespace {

// Each new attempt means another writer replaced the file meanwhile, so
// the loop ends; the bound only stops a file system whose names and open
// files never agree.
constexpr int kAttempts = 1000;

// A file without any write permission is read-only even for a process
// that could override it, as the read-only attribute is on Windows.
bool HasWriteBits(int fd) {
  struct stat status;
  return ::fstat(fd, &status) == 0 && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

}  // namespace

ProfileWriteLock::~ProfileWriteLock() {
  if (fd_ >= 0) ::close(fd_);
}

ProfileWriteLock::Outcome ProfileWriteLock::Acquire(const std::string& path, bool create) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    bool made = false;
    int fd = OpenRegularFile(path.c_str(), O_RDWR);
    if (fd < 0 && errno == ENOENT && create) {
      fd = OpenRegularFile(path.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
      if (fd < 0 && errno == EEXIST) continue;  // created by another meanwhile
      made = fd >= 0;
    }
    if (fd < 0) {
      return errno == ENOENT || errno == ENOTDIR ? Outcome::missing : Outcome::refused;
    }
    if ((!made && !HasWriteBits(fd)) || !LockWhole(fd, true)) {
      ::close(fd);
      return Outcome::refused;
    }
    FileIdentity held;
    FileIdentity named;
    if (IdentityOf(fd, &held) && StatProfile(path, &named) == FileState::regular &&
        named.SameFile(held)) {
      path_ = path;
      fd_ = fd;
      created_ = made;
      identity_ = held;
      return Outcome::locked;
    }
    ::close(fd);  // replaced or removed while this writer waited
  }
  return Outcome::refused;
}

bool ProfileWriteLock::Read(std::string* bytes, FileIdentity* identity) const {
  if (!ReadWhole(fd_, bytes) || !IdentityOf(fd_, identity)) return false;
  identity->size = bytes->size();
  return true;
}

void ProfileWriteLock::Abandon() {
  if (!created_ || fd_ < 0) return;
  FileIdentity held;
  FileIdentity named;
  if (IdentityOf(fd_, &held) && held.size == 0 &&
      StatProfile(path_, &named) == FileState::regular && named.SameFile(held)) {
    ::unlink(path_.c_str());
  }
  created_ = false;
}

}  // namespace tralvex::platform
