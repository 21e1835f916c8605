#include "MessageFileLoader.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>

namespace tralvex::tool {
namespace {

// The whole file followed by a NUL, in a buffer from new char[] as the
// parser wants it; null with a reason when it cannot be read.
std::unique_ptr<char[]> ReadWholeFile(const std::string& path, std::size_t& size,
                                      std::string& reason) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    reason = "is a directory";
    return nullptr;
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    reason = errno != 0 ? std::strerror(errno) : "cannot be opened";
    return nullptr;
  }
  in.seekg(0, std::ios::end);
  std::streamoff length = in.tellg();
  in.seekg(0, std::ios::beg);
  if (length < 0 || !in) {
    reason = "its size cannot be determined";
    return nullptr;
  }
  size = static_cast<std::size_t>(length);
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[size + 1]);
  if (buffer == nullptr) {
    reason = "too large to read into memory";
    return nullptr;
  }
  in.read(buffer.get(), static_cast<std::streamsize>(size));
  if (static_cast<std::size_t>(in.gcount()) != size) {
    reason = "cannot be read";
    return nullptr;
  }
  buffer[size] = '\0';
  return buffer;
}

const char* Meaning(int code) {
  switch (code) {
    case 0x143:
      return "the alias chain of this section reaches a section that does not exist";
    case 0x110:
    case 0x102:
      return "out of memory while parsing";
    default:
      return "parse error";
  }
}

}  // namespace

LoadResult LoadMessageFile(const std::string& path, MessageFileData& data, std::string& reason) {
  std::size_t size = 0;
  std::unique_ptr<char[]> buffer = ReadWholeFile(path, size, reason);
  if (buffer == nullptr) return LoadResult::kUnreadable;
  char* text = buffer.get();
  if (data.ParseMessageFile(text, text + size) == 0) return LoadResult::kParseFailed;
  buffer.release();  // the file data owns it now
  return LoadResult::kLoaded;
}

std::string DescribeParseErrors(const MessageFileData& data) {
  std::ostringstream out;
  for (unsigned position = 1; position <= data.GetErrorCount(); ++position) {
    int code = 0;
    const char* context = nullptr;
    data.GetErrorAt(position, code, context);
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(code) & 0xFFFF);
    out << "error " << hex << ": " << Meaning(code);
    if (context != nullptr) out << " [" << context << "]";
    out << "\n";
  }
  return out.str();
}

}  // namespace tralvex::tool
