#include "platform/posix/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tralvex::platform {
namespace {

// 0 for a regular file, else the errno that refuses it.
int RefusalOf(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return 0;
  return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
}

}  // namespace

int OpenRegularFile(const char* nativePath, int flags, unsigned mode) {
  struct stat info;
  if (::stat(nativePath, &info) == 0 && RefusalOf(info) != 0) {
    errno = RefusalOf(info);
    return -1;
  }
  int fd = ::open(nativePath, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, static_cast<mode_t>(mode));
  if (fd < 0) return -1;
  int error = ::fstat(fd, &info) != 0 ? errno : RefusalOf(info);
  if (error != 0) {
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

}  // namespace tralvex::platform
