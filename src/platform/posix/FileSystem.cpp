// Files over POSIX descriptors, with errno standing in for GetLastError.
#include "platform/FileSystem.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/posix/NativePath.h"
#include "platform/posix/RegularFile.h"

namespace tralvex::platform {
namespace {

AccessStatus StatusOfErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return AccessStatus::notFound;
    case EACCES:
    case EPERM:
      return AccessStatus::accessDenied;
    default:
      return AccessStatus::otherError;
  }
}

// The file-error cause of an errno value.
int CauseOfErrno(int error) {
  switch (error) {
    case ENOENT:
      return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return 5;
    case EBADF:
      return 6;
    case ESPIPE:
      return 9;
    case EIO:
      return 10;
    case EBUSY:
    case ETXTBSY:
      return 11;
    case ENOLCK:
      return 12;
    case ENOSPC:
    case EDQUOT:
      return 13;
    default:
      return 1;
  }
}

// Opens a regular file for reading. The open itself must not wait: on a
// FIFO, open() would block until some writer came.
int OpenFile(const char* path) {
  std::string native;
  if (!ToNativePath(path, native)) return -1;
  return OpenRegularFile(native.c_str(), O_RDONLY);
}

// The device and the inode: what tells two files apart.
std::string IdentityOf(const struct stat& info) {
  char text[48];
  std::snprintf(text, sizeof text, "%llx:%llx", static_cast<unsigned long long>(info.st_dev),
                static_cast<unsigned long long>(info.st_ino));
  return text;
}

ProbeResult ProbeOfErrno(int error) {
  if (error == ENOENT || error == ENOTDIR) return ProbeResult::notFound;
  if (error == ENOMEM) return ProbeResult::otherFailure;
  return ProbeResult::fileError;
}

}  // namespace

std::size_t MaxPathLength() { return PATH_MAX - 1; }

bool SlashRootsPath() { return true; }

AccessStatus QueryAttributes(const char* path, FileAttributes* attributes, std::string* identity) {
  std::string native;
  if (!ToNativePath(path, native)) return AccessStatus::otherError;
  if (native.empty()) return AccessStatus::notFound;
  struct stat info;
  if (::stat(native.c_str(), &info) != 0) return StatusOfErrno(errno);
  if (identity != nullptr) *identity = IdentityOf(info);
  if (attributes != nullptr) {
    attributes->directory = S_ISDIR(info.st_mode);
    // Without any write bit the file is read-only even to the superuser,
    // whom access() would let write.
    attributes->readOnly =
        (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(native.c_str(), W_OK) != 0;
  }
  return AccessStatus::ok;
}

bool SystemPathOf(const char* path, std::string& native) { return ToNativePath(path, native); }

bool ReadOnlyFile::Open(const char* path) {
  Close();
  int fd = OpenFile(path);
  if (fd < 0) return false;
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  handle_ = fd;
  return true;
}

bool ReadOnlyFile::Size(uint32_t* size) {
  struct stat info;
  if (handle_ < 0 || ::fstat(static_cast<int>(handle_), &info) != 0) return false;
  if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) >= 0xFFFFFFFFull) {
    return false;
  }
  *size = static_cast<uint32_t>(info.st_size);
  return true;
}

bool ReadOnlyFile::Read(void* buffer, uint32_t size, uint32_t* bytesRead) {
  *bytesRead = 0;
  if (handle_ < 0) return false;
  char* out = static_cast<char*>(buffer);
  while (*bytesRead < size) {
    ssize_t n = ::read(static_cast<int>(handle_), out + *bytesRead, size - *bytesRead);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    *bytesRead += static_cast<uint32_t>(n);
  }
  return true;
}

void ReadOnlyFile::Close() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
}

ProbeResult ProbeReadable(const char* path) {
  int fd = OpenFile(path);
  if (fd < 0) return ProbeOfErrno(errno);
  ::close(fd);
  return ProbeResult::ok;
}

ProbeResult CreateIfMissing(const char* path) {
  std::string native;
  if (!ToNativePath(path, native)) return ProbeOfErrno(errno);
  struct stat info;
  if (::stat(native.c_str(), &info) == 0) return ProbeResult::ok;
  int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  if (fd < 0) return ProbeOfErrno(errno);
  ::close(fd);
  return ProbeResult::ok;
}

bool DeleteFileWithCause(const char* path, int* cause) {
  std::string native;
  int error = 0;
  if (!ToNativePath(path, native)) {
    error = errno;
  } else if (::unlink(native.c_str()) != 0) {
    error = errno;
  }
  if (cause != nullptr) *cause = error == 0 ? 0 : CauseOfErrno(error);
  return error == 0;
}

bool IsReadableText(const char* text, std::size_t) { return text != nullptr; }

}  // namespace tralvex::platform
