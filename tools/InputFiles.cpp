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

// What a file holds that a text file never does, in its bytes from offset
// on.
bool IsBinary(std::string_view bytes, std::size_t offset, std::string& reason) {
  if (offset == 0 && bytes.size() >= 2 &&
      ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
    reason = "is UTF-16 text; the library reads 8-bit text in the ANSI code page";
    return true;
  }
  std::size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) {
    reason = "is a binary file (a NUL byte at offset " + std::to_string(offset + nul) + ")";
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

namespace {

// Opens the regular file at path for reading and tells its size, which the
// library can hold.
bool OpenSized(const std::string& path, std::unique_ptr<std::FILE, FileCloser>& stream,
               std::size_t& size, std::string& reason) {
  if (!CheckRegularFile(path, reason)) return false;
  errno = 0;
  stream.reset(std::fopen(path.c_str(), "rb"));
  if (!stream) {
    reason = "cannot be opened: " + SystemReason(errno);
    return false;
  }
  errno = 0;
  if (!SizeOf(stream.get(), size)) {
    reason = "its size cannot be read: " + SystemReason(errno);
    return false;
  }
  if (size > kLargestFile) {
    reason = "is too large: the library reads files of less than 4 GB";
    return false;
  }
  return true;
}

// Reads the regular file at path whole into the room that makeRoom gives
// for its size, a byte more than the size for a NUL after it; read is how
// many bytes arrived. False with the reason.
template <typename MakeRoom>
bool ReadWhole(const std::string& path, MakeRoom makeRoom, std::size_t& read, std::string& reason) {
  std::unique_ptr<std::FILE, FileCloser> stream;
  std::size_t size = 0;
  if (!OpenSized(path, stream, size, reason)) return false;
  char* room = makeRoom(size);
  if (room == nullptr) {
    reason = "is too large to read into memory (" + std::to_string(size) + " bytes)";
    return false;
  }
  errno = 0;
  read = std::fread(room, 1, size, stream.get());
  room[read] = '\0';
  if (std::ferror(stream.get())) {
    reason = "cannot be read: " + SystemReason(errno);
    return false;
  }
  if (read != size) {
    // The library refuses a file that ends before its size, as it does.
    reason = "became shorter while being read";
    return false;
  }
  return !IsBinary(std::string_view(room, size), 0, reason);
}

}  // namespace

bool ReadInputFile(const std::string& path, InputFile& file, std::string& reason) {
  auto makeRoom = [&file](std::size_t size) {
    file.bytes.reset(new (std::nothrow) char[size + 1]);
    return file.bytes.get();
  };
  file.size = 0;
  return ReadWhole(path, makeRoom, file.size, reason);
}

bool ReadTextFile(const std::string& path, std::string& bytes, std::string& reason) {
  // Read straight into the string: a copy of a large file costs as much as
  // reading it.
  auto makeRoom = [&bytes](std::size_t size) -> char* {
    try {
      bytes.resize(size + 1);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
    return bytes.data();
  };
  std::size_t read = 0;
  bool whole = ReadWhole(path, makeRoom, read, reason);
  bytes.resize(read);  // without the NUL
  return whole;
}

bool ReadTextFileInPieces(const std::string& path,
                          const std::function<void(std::string_view piece)>& take,
                          std::string& reason) {
  std::unique_ptr<std::FILE, FileCloser> stream;
  std::size_t size = 0;
  if (!OpenSized(path, stream, size, reason)) return false;
  constexpr std::size_t kPiece = 1 << 20;
  std::unique_ptr<char[]> piece(new (std::nothrow) char[kPiece]);
  if (piece == nullptr) {
    reason = "cannot be read: no memory left";
    return false;
  }
  std::size_t done = 0;
  while (done < size) {
    std::size_t want = size - done < kPiece ? size - done : kPiece;
    errno = 0;
    std::size_t read = std::fread(piece.get(), 1, want, stream.get());
    if (std::ferror(stream.get())) {
      reason = "cannot be read: " + SystemReason(errno);
      return false;
    }
    if (read == 0) {
      reason = "became shorter while being read";
      return false;
    }
    std::string_view view(piece.get(), read);
    if (IsBinary(view, done, reason)) return false;
    take(view);
    done += read;
  }
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
