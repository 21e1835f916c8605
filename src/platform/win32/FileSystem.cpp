// Files over the Windows ANSI calls.
#include "platform/FileSystem.h"

#include <windows.h>

#include <cstring>

namespace tralvex::platform {
namespace {

bool TooLong(const char* path) { return std::strlen(path) > MaxPathLength(); }

AccessStatus StatusOfError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NO_MORE_FILES:
      return AccessStatus::notFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return AccessStatus::accessDenied;
    default:
      return AccessStatus::otherError;
  }
}

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

}  // namespace

std::size_t MaxPathLength() { return MAX_PATH - 1; }

bool SlashRootsPath() { return false; }

AccessStatus QueryAttributes(const char* path, FileAttributes* attributes) {
  if (path == nullptr || *path == '\0') return AccessStatus::notFound;
  if (TooLong(path)) return AccessStatus::otherError;
  DWORD value = GetFileAttributesA(path);
  if (value == INVALID_FILE_ATTRIBUTES) return StatusOfError(GetLastError());
  if (attributes != nullptr) {
    attributes->directory = (value & FILE_ATTRIBUTE_DIRECTORY) != 0;
    attributes->readOnly = (value & FILE_ATTRIBUTE_READONLY) != 0;
  }
  return AccessStatus::ok;
}

bool SystemPathOf(const char* path, std::string& native) {
  if (path == nullptr || TooLong(path)) return false;
  native.assign(path);
  return true;
}

bool ReadOnlyFile::Open(const char* path) {
  Close();
  if (path == nullptr || TooLong(path)) return false;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
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
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
