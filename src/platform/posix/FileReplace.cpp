#include "platform/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace tralvex::platform {
namespace {

std::string SystemReason(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

bool WriteAll(int fd, std::string_view content) {
  std::size_t done = 0;
  while (done < content.size()) {
    ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The file a path names, through any symbolic links; the path itself when
// nothing is there yet.
bool ResolveTarget(const std::string& path, std::string& target, struct stat* existing,
                   bool& exists, std::string& reason) {
  target = path;
  exists = ::stat(path.c_str(), existing) == 0;
  if (!exists) {
    if (errno == ENOENT) return true;
    reason = SystemReason("cannot be examined");
    return false;
  }
  if (!S_ISREG(existing->st_mode)) {
    reason = S_ISDIR(existing->st_mode) ? "is a directory" : "is not a regular file";
    return false;
  }
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) {
    reason = SystemReason("cannot be resolved");
    return false;
  }
  target = resolved;
  std::free(resolved);
  return true;
}

// A new file beside the target, with the target's permissions or, for a new
// target, those the process gives new files.
int CreateSibling(const std::string& target, const struct stat* existing, std::string& name,
                  std::string& reason) {
  std::size_t slash = target.rfind('/');
  std::string directory = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  mode_t mode = existing != nullptr ? (existing->st_mode & 07777) : 0666;
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    name = directory + "." + base + "." + std::to_string(::getpid()) + "-" +
           std::to_string(attempt) + ".tmp";
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      if (existing != nullptr) {
        // The mask of the process may have narrowed the mode.
        static_cast<void>(::fchmod(fd, mode));
      }
      return fd;
    }
    if (errno != EEXIST) break;
  }
  reason = SystemReason("cannot create a file beside it");
  return -1;
}

void SyncDirectoryOf(const std::string& target) {
  std::size_t slash = target.rfind('/');
  std::string directory = slash == std::string::npos ? "."
                          : slash == 0               ? "/"
                                                     : target.substr(0, slash);
  int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Creates the file beside the target, lets write fill it through the open
// descriptor or by its name, flushes it to the disk and renames it over the
// target.
bool Replace(const std::string& path, const std::function<bool(int, const std::string&)>& write,
             std::string& reason) {
  std::string target;
  struct stat existing;
  bool exists = false;
  if (!ResolveTarget(path, target, &existing, exists, reason)) return false;
  std::string temporary;
  int fd = CreateSibling(target, exists ? &existing : nullptr, temporary, reason);
  if (fd < 0) return false;
  bool ok = write(fd, temporary);
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    reason = SystemReason("cannot be flushed to the disk");
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    reason = SystemReason("cannot be written");
  }
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    reason = SystemReason("cannot be replaced");
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncDirectoryOf(target);
  return true;
}

}  // namespace

bool ReplaceFileContent(const std::string& path, std::string_view content, std::string& reason) {
  return Replace(
      path,
      [&](int fd, const std::string&) {
        if (WriteAll(fd, content)) return true;
        reason = SystemReason("cannot be written");
        return false;
      },
      reason);
}

bool ReplaceFileContentBy(const std::string& path, const FileFiller& fill, std::string& reason) {
  // What the filler wrote through its own descriptor is the file's data, which
  // the flush of this one puts on the disk as well.
  return Replace(
      path, [&](int, const std::string& name) { return fill(name, reason); }, reason);
}

}  // namespace tralvex::platform
