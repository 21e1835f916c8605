#include "platform/posix/ProfileReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/ProfileAttributes.h"

namespace tralvex::platform {
namespace {

enum class Outcome {
  done,
  failed,      // the file is as it was
  notAllowed,  // the directory or the file's attributes allow no replace
};

// Errors by which a directory refuses a new file or a rename, or a file
// refuses to be carried over: the file is then rewritten in place.
bool IsRefusal(int error) {
  return error == EACCES || error == EPERM || error == EROFS || error == ENAMETOOLONG ||
         error == EBUSY || error == EXDEV;
}

// Room a temporary's name takes beyond its file's name: a dot on either
// side, a process id, a dash, a counter and ".tmp".
constexpr std::size_t kSuffixRoom = 2 + 10 + 1 + 3 + 4;
constexpr unsigned kNameAttempts = 100;

struct Target {
  std::string path;  // the real path: a symbolic link keeps pointing at its file
  std::string directory;
  std::string prefix;  // what its temporaries' names begin with
};

bool MakeTarget(const std::string& path, Target* target) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return false;
  target->path = resolved;
  std::free(resolved);
  std::size_t slash = target->path.rfind('/');
  target->directory = slash == 0 ? "/" : target->path.substr(0, slash);
  long limit = ::pathconf(target->directory.c_str(), _PC_NAME_MAX);
  if (limit <= static_cast<long>(kSuffixRoom)) limit = 255;
  // A name near the limit is cut so that its temporaries' names still fit.
  std::string name = target->path.substr(slash + 1, static_cast<std::size_t>(limit) - kSuffixRoom);
  target->prefix = "." + name + ".";
  return true;
}

std::string TemporaryPath(const Target& target, unsigned attempt) {
  return target.directory + "/" + target.prefix + std::to_string(::getpid()) + "-" +
         std::to_string(attempt) + ".tmp";
}

// prefix, digits, "-", digits, ".tmp".
bool IsTemporaryName(std::string_view entry, std::string_view prefix) {
  constexpr std::string_view kTail = ".tmp";
  if (entry.size() <= prefix.size() + kTail.size() || entry.substr(0, prefix.size()) != prefix ||
      entry.substr(entry.size() - kTail.size()) != kTail) {
    return false;
  }
  std::string_view middle =
      entry.substr(prefix.size(), entry.size() - prefix.size() - kTail.size());
  std::size_t dash = middle.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == middle.size()) return false;
  for (std::size_t i = 0; i < middle.size(); ++i) {
    if (i != dash && (middle[i] < '0' || middle[i] > '9')) return false;
  }
  return true;
}

// A writer holds its temporary locked while it lives: one whose lock can
// be had belongs to a writer that died before its rename.
void RemoveDeadTemporaries(const Target& target) {
  DIR* directory = ::opendir(target.directory.c_str());
  if (directory == nullptr) return;
  int directoryFd = ::dirfd(directory);
  while (const struct dirent* entry = ::readdir(directory)) {
    if (!IsTemporaryName(entry->d_name, target.prefix)) continue;
    int fd = ::openat(directoryFd, entry->d_name,
                      O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat status;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlinkat(directoryFd, entry->d_name, 0);
    }
    ::close(fd);
  }
  ::closedir(directory);
}

bool WriteAt(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += n;
  }
  return true;
}

void SyncDirectory(const std::string& directory) {
  int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

class Temporary {
 public:
  explicit Temporary(const Target& target) : target_(target) {}
  ~Temporary() {
    if (!path_.empty()) ::unlink(path_.c_str());
    if (fd_ >= 0) ::close(fd_);
  }
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;

  // An unnamed file, or a named one; errno on failure.
  bool Create(bool unnamed) {
    if (unnamed) {
#ifdef O_TMPFILE
      fd_ = ::open(target_.directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
#else
      errno = EOPNOTSUPP;
#endif
      if (fd_ >= 0) ::flock(fd_, LOCK_EX);
      return fd_ >= 0;
    }
    for (unsigned attempt = 0; attempt < kNameAttempts; ++attempt) {
      std::string path = TemporaryPath(target_, attempt);
      fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
      if (fd_ >= 0) {
        path_ = std::move(path);
        ::flock(fd_, LOCK_EX);
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  // Gives an unnamed file a name, locked as it already is; errno on failure.
  bool Name() {
    if (!path_.empty()) return true;
    std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (unsigned attempt = 0; attempt < kNameAttempts; ++attempt) {
      std::string path = TemporaryPath(target_, attempt);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        path_ = std::move(path);
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  int Descriptor() const { return fd_; }
  const std::string& Path() const { return path_; }
  // Renamed over the target: the name is not the temporary's any more.
  void Keep() { path_.clear(); }

 private:
  const Target& target_;
  int fd_ = -1;
  std::string path_;
};

Outcome Replace(const Target& target, int fd, std::string_view bytes, FileIdentity* identity) {
  for (bool unnamed : {true, false}) {
    Temporary temporary(target);
    if (!temporary.Create(unnamed)) {
      if (IsRefusal(errno)) return Outcome::notAllowed;
      if (unnamed) continue;  // no unnamed files here
      return Outcome::failed;
    }
    int out = temporary.Descriptor();
    if (!CarryOverAttributes(fd, out)) return Outcome::notAllowed;
    if (!WriteAt(out, bytes, 0) || ::fsync(out) != 0) return Outcome::failed;
    if (!temporary.Name()) {
      if (IsRefusal(errno)) return Outcome::notAllowed;
      if (unnamed) continue;  // no way to name it here
      return Outcome::failed;
    }
    if (::rename(temporary.Path().c_str(), target.path.c_str()) != 0) {
      return IsRefusal(errno) ? Outcome::notAllowed : Outcome::failed;
    }
    temporary.Keep();
    SyncDirectory(target.directory);
    // A rename may change the file's change time: the identity is taken after it.
    if (!IdentityOf(out, identity)) *identity = FileIdentity();
    return Outcome::done;
  }
  return Outcome::failed;
}

// Space taken before the first byte changes: a full disk refuses the
// rewrite instead of cutting it short.
bool ReserveSpace(int fd, std::size_t size) {
#if defined(__linux__)
  if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0) return true;
  return errno == EOPNOTSUPP || errno == ENOSYS;
#else
  static_cast<void>(fd);
  static_cast<void>(size);
  return true;
#endif
}

bool RewriteInPlace(int fd, std::string_view old, std::string_view bytes, FileIdentity* identity) {
  // Only what differs is written, so that a crash spoils as little as it can.
  std::size_t same = static_cast<std::size_t>(
      std::mismatch(old.begin(), old.end(), bytes.begin(), bytes.end()).first - old.begin());
  struct stat status;
  if (!ReserveSpace(fd, bytes.size()) ||
      !WriteAt(fd, bytes.substr(same), static_cast<off_t>(same)) || ::fstat(fd, &status) != 0) {
    return false;
  }
  if (static_cast<std::size_t>(status.st_size) > bytes.size() &&
      ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
    return false;
  }
  return ::fsync(fd) == 0 && IdentityOf(fd, identity);
}

}  // namespace

bool StoreProfile(const ProfileWriteLock& lock, std::string_view old, std::string_view bytes,
                  FileIdentity* identity) {
  int fd = lock.Descriptor();
  struct stat existing;
  if (::fstat(fd, &existing) != 0) return false;
  Target target;
  if (MakeTarget(lock.Path(), &target)) {
    RemoveDeadTemporaries(target);
    // A replace would leave the old version under the file's other names.
    if (existing.st_nlink <= 1) {
      Outcome outcome = Replace(target, fd, bytes, identity);
      if (outcome != Outcome::notAllowed) return outcome == Outcome::done;
    }
  }
  return RewriteInPlace(fd, old, bytes, identity);
}

}  // namespace tralvex::platform
