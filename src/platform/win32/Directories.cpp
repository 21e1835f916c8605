// The standard directories over the Windows calls.
#include <windows.h>

#include <string>

#include "platform/FileSystem.h"

namespace tralvex::platform {
namespace {

// Set only by tests, through OverrideWindowsDirectory.
std::string& WindowsDirectoryOverride() {
  static std::string directory;
  return directory;
}

DWORD Clamp(std::size_t size) { return size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(size); }

}  // namespace

void OverrideWindowsDirectory(const char* directory) {
  WindowsDirectoryOverride() = directory != nullptr ? directory : "";
}

std::size_t WindowsDirectory(char* buffer, std::size_t size) {
  const std::string& chosen = WindowsDirectoryOverride();
  if (chosen.empty()) return GetWindowsDirectoryA(buffer, Clamp(size));
  if (chosen.size() + 1 > size) return chosen.size() + 1;
  chosen.copy(buffer, chosen.size());
  buffer[chosen.size()] = '\0';
  return chosen.size();
}

std::size_t CurrentDirectory(char* buffer, std::size_t size) {
  return GetCurrentDirectoryA(Clamp(size), buffer);
}

std::size_t ExecutableFileName(char* buffer, std::size_t size) {
  DWORD n = GetModuleFileNameA(nullptr, buffer, Clamp(size));
  // A name that filled the buffer was cut: report the size as too small.
  if (n >= size) return size + 1;
  return n;
}

}  // namespace tralvex::platform
