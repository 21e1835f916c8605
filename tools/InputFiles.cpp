#include "InputFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>

namespace tralvex::tool {
namespace {

namespace fs = std::filesystem;

// The library keeps a file's size in 32 bits and refuses the largest value.
constexpr std::size_t kLargestFile = 0xFFFFFFFEu;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string SystemReason(int error) {
  return error != 0 ? std::strerror(error) : "the system gave no reason";
}

// What a file holds that a text file never does.
bool IsBinary(std::string_view bytes, std::string& reason) {
  if (bytes.size() >= 2 &&
      ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
    reason = "is UTF-16 text; the library reads 8-bit text in the ANSI code page";
    return true;
  }
  std::size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) {
    reason = "is a binary file (a NUL byte at offset " + std::to_string(nul) + ")";
    return true;
  }
  return false;
}

const char* KindReason(fs::file_type type) {
  switch (type) {
    case fs::file_type::directory:
      return "is a directory, not a file";
    case fs::file_type::fifo:
      return "is a FIFO (named pipe), not a regular file: reading it would wait for a writer";
    case fs::file_type::character:
    case fs::file_type::block:
      return "is a device, not a regular file";
    case fs::file_type::socket:
      return "is a socket, not a regular file";
    default:
      return "is not a regular file";
  }
}

// The size of the open file, or false at a failure of the system.
bool SizeOf(std::FILE* file, std::size_t& size) {
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  long end = std::ftell(file);
  if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0) return false;
  size = static_cast<std::size_t>(end);
  return true;
}

}  // namespace

bool CheckRegularFile(const std::string& path, std::string& reason) {
  if (path.empty()) {
    reason = "an empty file name";
    return false;
  }
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) {
    reason = "no such file";
    return false;
  }
  if (error) {
    reason = "cannot be examined: " + error.message();
    return false;
  }
  if (status.type() != fs::file_type::regular) {
    reason = KindReason(status.type());
    return false;
  }
  return true;
}

bool ReadInputFile(const std::string& path, InputFile& file, std::string& reason) {
  if (!CheckRegularFile(path, reason)) return false;
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(path.c_str(), "rb"));
  if (!stream) {
    reason = "cannot be opened: " + SystemReason(errno);
    return false;
  }
  std::size_t size = 0;
  errno = 0;
  if (!SizeOf(stream.get(), size)) {
    reason = "its size cannot be read: " + SystemReason(errno);
    return false;
  }
  if (size > kLargestFile) {
    reason = "is too large: the library reads files of less than 4 GB";
    return false;
  }
  file.bytes.reset(new (std::nothrow) char[size + 1]);
  if (file.bytes == nullptr) {
    reason = "is too large to read into memory (" + std::to_string(size) + " bytes)";
    return false;
  }
  errno = 0;
  file.size = std::fread(file.bytes.get(), 1, size, stream.get());
  file.bytes[file.size] = '\0';
  if (std::ferror(stream.get())) {
    reason = "cannot be read: " + SystemReason(errno);
    return false;
  }
  if (file.size != size) {
    // The library refuses a file that ends before its size, as it does.
    reason = "became shorter while being read";
    return false;
  }
  return !IsBinary(file.View(), reason);
}

bool ReadTextFile(const std::string& path, std::string& bytes, std::string& reason) {
  InputFile file;
  if (!ReadInputFile(path, file, reason)) return false;
  bytes.assign(file.bytes.get(), file.size);
  return true;
}

bool IsSettingsFileName(const std::string& path) {
  std::string extension = fs::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return extension == ".INI";
}

std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

bool IsDirectory(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

}  // namespace tralvex::tool
