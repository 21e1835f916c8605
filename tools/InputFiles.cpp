#include "InputFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace tralvex::tool {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// What a file holds that a text file never does.
bool IsBinary(const std::string& bytes, std::string& reason) {
  if (bytes.size() >= 2 &&
      ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
    reason = "is UTF-16 text; the library reads 8-bit text in the ANSI code page";
    return true;
  }
  std::size_t nul = bytes.find('\0');
  if (nul != std::string::npos) {
    reason = "is a binary file (a NUL byte at offset " + std::to_string(nul) + ")";
    return true;
  }
  return false;
}

}  // namespace

bool ReadTextFile(const std::string& path, std::string& bytes, std::string& reason) {
  if (path.empty()) {
    reason = "an empty file name";
    return false;
  }
  std::error_code error;
  std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) {
    reason = "no such file";
    return false;
  }
  if (std::filesystem::is_directory(status)) {
    reason = "is a directory, not a file";
    return false;
  }
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    reason =
        std::string("cannot be opened: ") + (errno != 0 ? std::strerror(errno) : "unknown failure");
    return false;
  }
  bytes.clear();
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, n);
  if (std::ferror(file.get())) {
    reason = std::string("cannot be read: ") + std::strerror(errno);
    return false;
  }
  return !IsBinary(bytes, reason);
}

bool IsSettingsFileName(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return extension == ".INI";
}

std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

bool IsDirectory(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace tralvex::tool
