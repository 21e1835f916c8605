// The standard directories on POSIX: the system configuration directory
// stands for the Windows directory, and the kernel names the executable.
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/FileSystem.h"

namespace tralvex::platform {
namespace {

// Set only by tests, through OverrideWindowsDirectory.
std::string& WindowsDirectoryOverride() {
  static std::string directory;
  return directory;
}

// The getters' contract: the length written, or the size needed (the
// terminator included) when the buffer is too small; nothing is cut.
std::size_t CopyOut(const std::string& text, char* buffer, std::size_t size) {
  if (text.empty()) return 0;
  if (buffer == nullptr || text.size() + 1 > size) return text.size() + 1;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return text.size();
}

}  // namespace

void OverrideWindowsDirectory(const char* directory) {
  WindowsDirectoryOverride() = directory != nullptr ? directory : "";
}

std::size_t WindowsDirectory(char* buffer, std::size_t size) {
  const std::string& chosen = WindowsDirectoryOverride();
  return CopyOut(chosen.empty() ? std::string(TRALVEX_SYSCONFDIR) : chosen, buffer, size);
}

std::size_t CurrentDirectory(char* buffer, std::size_t size) {
  std::string path(PATH_MAX, '\0');
  if (::getcwd(path.data(), path.size()) == nullptr) return 0;
  path.resize(std::strlen(path.c_str()));
  return CopyOut(path, buffer, size);
}

std::size_t ExecutableFileName(char* buffer, std::size_t size) {
  std::string path(PATH_MAX, '\0');
  ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return 0;
  path.resize(static_cast<std::size_t>(n));
  return CopyOut(path, buffer, size);
}

}  // namespace tralvex::platform
