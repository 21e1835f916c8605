// Files over the Windows ANSI calls.
#include "platform/FileSystem.h"

#include <windows.h>

#include <cstring>

#include "platform/CodePage.h"
#include "platform/win32/SystemErrors.h"

namespace tralvex::platform {
namespace {

bool TooLong(const char* path) { return std::strlen(path) > MaxPathLength(); }

// The file-error cause of a system error code.
int CauseOfError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return 2;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_NETPATH:
      return 3;
    case ERROR_TOO_MANY_OPEN_FILES:
      return 4;
    case ERROR_ACCESS_DENIED:
      return 5;
    case ERROR_INVALID_HANDLE:
      return 6;
    case ERROR_CURRENT_DIRECTORY:
      return 7;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
      return 9;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_CRC:
      return 10;
    case ERROR_SHARING_VIOLATION:
      return 11;
    case ERROR_LOCK_VIOLATION:
      return 12;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return 13;
    case ERROR_HANDLE_EOF:
      return 14;
    default:
      return 1;
  }
}

ProbeResult ProbeOfError(DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
    return ProbeResult::notFound;
  }
  if (error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_OUTOFMEMORY) {
    return ProbeResult::otherFailure;
  }
  return ProbeResult::fileError;
}

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Opens a file on disk for reading. A device ("CON", "COM1") or a pipe opens
// like a file but may never end or answer: it is closed again and refused.
HANDLE OpenDiskFile(const char* path, DWORD share, DWORD flags) {
  HANDLE file = CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, flags, nullptr);
  if (file == INVALID_HANDLE_VALUE || GetFileType(file) == FILE_TYPE_DISK) return file;
  CloseHandle(file);
  SetLastError(ERROR_BAD_FILE_TYPE);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

// The errors the C runtime's access() reports as ENOENT are a missing file,
// those it reports as EACCES (with the range from ERROR_WRITE_PROTECT to
// ERROR_SHARING_BUFFER_EXCEEDED: drives not ready, sharing and lock
// violations) a denied access.
AccessStatus AccessStatusOfError(unsigned long error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NO_MORE_FILES:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return AccessStatus::notFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_CANNOT_MAKE:
    case ERROR_FAIL_I24:
    case ERROR_DRIVE_LOCKED:
    case ERROR_SEEK_ON_DEVICE:
    case ERROR_NOT_LOCKED:
    case ERROR_LOCK_FAILED:
      return AccessStatus::accessDenied;
    default:
      bool deviceOrSharing = error >= ERROR_WRITE_PROTECT && error <= ERROR_SHARING_BUFFER_EXCEEDED;
      return deviceOrSharing ? AccessStatus::accessDenied : AccessStatus::otherError;
  }
}

std::size_t MaxPathLength() { return MAX_PATH - 1; }

bool SlashRootsPath() { return false; }

AccessStatus QueryAttributes(const char* path, FileAttributes* attributes, std::string* identity) {
  if (path == nullptr || *path == '\0') return AccessStatus::notFound;
  if (TooLong(path)) return AccessStatus::otherError;
  DWORD value = GetFileAttributesA(path);
  if (value == INVALID_FILE_ATTRIBUTES) return AccessStatusOfError(GetLastError());
  // The file systems ignore case: one upper-cased path is one file.
  if (identity != nullptr) *identity = UpperCase(path);
  if (attributes != nullptr) {
    attributes->directory = (value & FILE_ATTRIBUTE_DIRECTORY) != 0;
    attributes->readOnly = (value & FILE_ATTRIBUTE_READONLY) != 0;
  }
  return AccessStatus::ok;
}

bool ReadOnlyFile::Open(const char* path) {
  Close();
  if (path == nullptr || TooLong(path)) return false;
  HANDLE file =
      OpenDiskFile(path, FILE_SHARE_READ, FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<intptr_t>(file);
  return true;
}

bool ReadOnlyFile::Size(uint32_t* size) {
  if (handle_ == -1) return false;
  DWORD value = GetFileSize(AsHandle(handle_), nullptr);
  if (value == INVALID_FILE_SIZE) return false;
  *size = value;
  return true;
}

bool ReadOnlyFile::Read(void* buffer, uint32_t size, uint32_t* bytesRead) {
  *bytesRead = 0;
  if (handle_ == -1) return false;
  DWORD read = 0;
  if (!ReadFile(AsHandle(handle_), buffer, size, &read, nullptr)) return false;
  *bytesRead = read;
  return true;
}

void ReadOnlyFile::Close() {
  if (handle_ != -1) CloseHandle(AsHandle(handle_));
  handle_ = -1;
}

ProbeResult ProbeReadable(const char* path) {
  if (path == nullptr || TooLong(path)) return ProbeResult::fileError;
  HANDLE file = OpenDiskFile(path, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return ProbeOfError(GetLastError());
  CloseHandle(file);
  return ProbeResult::ok;
}

ProbeResult CreateIfMissing(const char* path) {
  if (path == nullptr || TooLong(path)) return ProbeResult::fileError;
  if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return ProbeResult::ok;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ProbeOfError(GetLastError());
  CloseHandle(file);
  return ProbeResult::ok;
}

bool DeleteFileWithCause(const char* path, int* cause) {
  DWORD error = 0;
  if (path == nullptr || TooLong(path)) {
    error = ERROR_BAD_PATHNAME;
  } else if (!DeleteFileA(path)) {
    error = GetLastError();
  }
  if (cause != nullptr) *cause = error == 0 ? 0 : CauseOfError(error);
  return error == 0;
}

bool IsReadableText(const char* text, std::size_t size) {
  return text != nullptr && !IsBadStringPtrA(text, size);
}

}  // namespace tralvex::platform
