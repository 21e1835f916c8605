#include "catalogue/SearchDirectories.h"

#include <cstring>
#include <new>

#include "errors/ErrorCodes.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace tralvex {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Cuts a directory that ends with a separator back to its parent; false
// when there is no parent left to climb to.
bool ClimbOneLevel(std::string& directory) {
  if (directory.empty()) return false;
  const char* start = directory.c_str();
  const char* last = LastCharacter(start);
  std::string head(start, last);
  const char* parent = FindLastSeparator(head.c_str());
  if (parent == nullptr) return false;
  directory.resize(static_cast<std::size_t>(parent - head.c_str()) + 1);
  return true;
}

// The separator that may follow "." or ".." at the start of a relative path.
bool EndsDotComponent(char c, bool dotDot) {
  if (c == '\0' || c == '\\') return true;
  // "." followed by a slash is taken as the user means it; ".." followed by
  // a slash only where the slash is the system's own separator.
  return c == '/' && (!dotDot || platform::SlashRootsPath());
}

// Drops the leading "." and ".." components of rest, climbing in directory
// for each "..". Returns 0 or 0x123. up counts the levels climbed.
int ConsumeDotComponents(std::string& rest, std::string& directory, int& up) {
  while (!rest.empty() && rest[0] == '.') {
    if (EndsDotComponent(rest[1], false)) {
      rest.erase(0, rest[1] == '\0' ? 1 : 2);
    } else if (rest[1] == '.') {
      if (!EndsDotComponent(rest.c_str()[2], true)) return error_code::kNoFileName;
      rest.erase(0, rest.size() == 2 ? 2 : 3);
      if (!ClimbOneLevel(directory)) return error_code::kNoFileName;
      ++up;
    } else {
      break;  // a name that begins with a dot, such as ".config"
    }
  }
  return 0;
}

// Tries directory + rest; stores it in path when it passes.
int TryCompleted(const std::string& completed, std::string& path, int mode) {
  if (completed.size() > platform::MaxPathLength()) return error_code::kNoFileName;
  int code = CheckPathAccess(completed.c_str(), mode);
  if (code == 0) path = completed;
  return code;
}

// The last resort of QualifyPath: the executable's directory, climbed up.
int QualifyInModuleDirectory(std::string& path, const std::string& rest, int up, int mode) {
  std::string directory(platform::MaxPathLength() + 2, '\0');
  int code = GetModuleDirectory(directory.data(), directory.size());
  if (code != 0) return code;
  directory.resize(std::strlen(directory.c_str()));
  for (int i = 0; i < up; ++i) {
    if (!ClimbOneLevel(directory)) return error_code::kNoFileName;
  }
  code = TryCompleted(directory + rest, path, mode);
  if (code == 0 || code == error_code::kAccessDenied || code == error_code::kNoFileName)
    return code;
  return error_code::kFileNotFound;
}

using SystemGetter = std::size_t (*)(char*, std::size_t);

// The Windows and current directory getters: ask for a byte less than the
// buffer holds, so the separator still fits.
int GetDirectoryWithSeparator(char* buffer, std::size_t size, SystemGetter getter) {
  if (size < 3 || !platform::IsReadableText(buffer, size)) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    return error_code::kOtherFailure;
  }
  std::size_t n = getter(buffer, size - 1);
  if (n == 0 || n >= size - 1) return error_code::kOtherFailure;
  std::string directory(buffer, n);
  AppendDirectorySeparator(directory);
  std::memcpy(buffer, directory.c_str(), directory.size() + 1);
  return 0;
}

}  // namespace

int CheckPathAccess(const char* path, int mode, std::string* identity) {
  if (path == nullptr || *path == '\0') return error_code::kFileNotFound;
  platform::FileAttributes attributes;
  switch (platform::QueryAttributes(path, &attributes, identity)) {
    case platform::AccessStatus::ok:
      break;
    case platform::AccessStatus::notFound:
      return error_code::kFileNotFound;
    case platform::AccessStatus::accessDenied:
      return error_code::kAccessDenied;
    default:
      return error_code::kFileAccessFailed;
  }
  if ((mode & kAccessWrite) != 0 && attributes.readOnly) return error_code::kAccessDenied;
  return 0;
}

int DefaultDirectory::Set(const char* path) {
  int code = CheckPathAccess(path, kAccessExists);
  if (code != 0) return code;
  platform::FileAttributes attributes;
  // Set once per module lifetime: a file taken for the directory would make
  // every later name resolution fail for good.
  if (platform::QueryAttributes(path, &attributes) != platform::AccessStatus::ok ||
      !attributes.directory) {
    return error_code::kFileNotFound;
  }
  std::string directory(path);
  AppendDirectorySeparator(directory);
  if (directory.size() > platform::MaxPathLength()) return error_code::kFileAccessFailed;
  path_ = std::move(directory);
  return 0;
}

bool IsRelativePath(const char* path) {
  if (path == nullptr || *path == '\0') return true;
  char c0 = path[0];
  char c1 = path[1];
  if (c0 == '.') return true;
  if (c0 == '/') return !platform::SlashRootsPath() && c1 != '/';
  if (c0 == '\\') return c1 != '\\';
  const char* end = path + std::strlen(path);
  if (FindLastSeparator(path) == nullptr) return true;
  return platform::FindChar(path, end, ':') == nullptr;
}

int QualifyPath(std::string& path, const char* base, int mode) {
  if (path.empty()) return error_code::kNoFileName;
  if (!IsRelativePath(path.c_str())) {
    if (mode == kAccessNoTest) return 1;
    return CheckPathAccess(path.c_str(), mode);
  }
  std::string rest = path[0] == '\\' ? path.substr(1) : path;
  std::string directory;
  bool baseInUse = false;
  if (base != nullptr && *base != '\0') {
    directory = base;
    AppendDirectorySeparator(directory);
    baseInUse = CheckPathAccess(directory.c_str(), kAccessExists) == 0;
  }
  if (!baseInUse) {
    directory.assign(platform::MaxPathLength() + 2, '\0');
    if (GetCurrentDirectoryPath(directory.data(), directory.size()) != 0)
      return error_code::kOtherFailure;
    directory.resize(std::strlen(directory.c_str()));
  }
  int up = 0;
  int code = ConsumeDotComponents(rest, directory, up);
  if (code != 0) return code;
  std::string completed = directory + rest;
  if (completed.size() > platform::MaxPathLength()) return error_code::kNoFileName;
  if (mode == kAccessNoTest) {
    path = completed;
    return 0;
  }
  code = TryCompleted(completed, path, mode);
  if (code == 0 || code == error_code::kAccessDenied) return code;
  if (baseInUse) return error_code::kFileNotFound;
  return QualifyInModuleDirectory(path, rest, up, mode);
}

int GetWindowsDirectoryPath(char* buffer, std::size_t size) {
  return GetDirectoryWithSeparator(buffer, size, platform::WindowsDirectory);
}

int GetCurrentDirectoryPath(char* buffer, std::size_t size) {
  return GetDirectoryWithSeparator(buffer, size, platform::CurrentDirectory);
}

int GetModuleDirectory(char* buffer, std::size_t size) {
  if (size < 2 || !platform::IsReadableText(buffer, size)) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    return error_code::kOtherFailure;
  }
  std::size_t n = platform::ExecutableFileName(buffer, size);
  if (n == 0 || n >= size) return error_code::kOtherFailure;
  buffer[n] = '\0';
  const char* separator = FindLastSeparator(buffer);
  if (separator == nullptr) return error_code::kOtherFailure;
  buffer[separator - buffer + 1] = '\0';
  return 0;
}

int GetDirectoryByKind(int kind, std::string& text) {
  if (kind != kWindowsDirectory && kind != kModuleDirectory && kind != kCurrentDirectory) {
    return error_code::kUnknownDirectoryKind;
  }
  try {
    std::string buffer(platform::MaxPathLength() + 2, '\0');
    int code = 0;
    if (kind == kWindowsDirectory) code = GetWindowsDirectoryPath(buffer.data(), buffer.size());
    if (kind == kModuleDirectory) code = GetModuleDirectory(buffer.data(), buffer.size());
    if (kind == kCurrentDirectory) code = GetCurrentDirectoryPath(buffer.data(), buffer.size());
    if (code != 0) return code;
    text.assign(buffer.c_str());
  } catch (const std::bad_alloc&) {
    return error_code::kNoMemory;
  }
  return 0;
}

const char* LastCharacter(const char* text) {
  if (text == nullptr || *text == '\0') return text;
  return platform::PrevChar(text, text + std::strlen(text));
}

const char* FindLastSeparator(const char* text) {
  if (text == nullptr) return nullptr;
  const char* end = text + std::strlen(text);
  const char* backslash = platform::FindLastChar(text, end, '\\');
  const char* slash = platform::FindLastChar(text, end, '/');
  if (backslash == nullptr) return slash;
  if (slash == nullptr) return backslash;
  return backslash > slash ? backslash : slash;
}

void EnsureTrailingSeparator(std::string& text) {
  if (text.empty()) return;
  const char* last = LastCharacter(text.c_str());
  if (IsSeparator(*last)) return;
  const char* end = text.c_str() + text.size();
  bool hasBackslash = platform::FindChar(text.c_str(), end, '\\') != nullptr;
  bool hasSlash = platform::FindChar(text.c_str(), end, '/') != nullptr;
  text += (hasBackslash || !hasSlash) ? '\\' : '/';
}

void AppendDirectorySeparator(std::string& directory) {
  char last = *LastCharacter(directory.c_str());
  if (last == '\\') return;
  if (platform::SlashRootsPath()) {
    if (last != '/') directory += '/';
  } else {
    directory += '\\';
  }
}

std::size_t CopyToPaddedBuffer(char* buffer, const char* source) {
  if (buffer == nullptr || source == nullptr) return 0;
  std::size_t room = std::strlen(buffer);
  std::size_t n = 0;
  while (n < room && source[n] != '\0') ++n;
  std::memmove(buffer, source, n);
  buffer[n] = '\0';
  return n;
}

char* FillWithSpaces(char* buffer, std::size_t n) {
  if (buffer == nullptr || n == 0) return buffer;
  std::memset(buffer, ' ', n - 1);
  buffer[n - 1] = '\0';
  return buffer;
}

}  // namespace tralvex
