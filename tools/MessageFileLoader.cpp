#include "MessageFileLoader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <sstream>

#include "InputFiles.h"

namespace tralvex::tool {
namespace {

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
  std::string bytes;
  if (!ReadTextFile(path, bytes, reason)) return LoadResult::kUnreadable;
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[bytes.size() + 1]);
  if (buffer == nullptr) {
    reason = "too large to read into memory";
    return LoadResult::kUnreadable;
  }
  std::memcpy(buffer.get(), bytes.data(), bytes.size());
  buffer[bytes.size()] = '\0';
  char* text = buffer.get();
  if (data.ParseMessageFile(text, text + bytes.size()) == 0) {
    std::string errors = DescribeParseErrors(data);
    while (!errors.empty() && errors.back() == '\n') errors.pop_back();
    for (std::size_t at; (at = errors.find('\n')) != std::string::npos;)
      errors.replace(at, 1, "; ");
    reason = "the library would not open it: " + errors;
    return LoadResult::kParseFailed;
  }
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

std::vector<uint32_t> SortedNumbers(const MessageSection& section) {
  std::vector<uint32_t> numbers;
  numbers.reserve(section.MessageCount());
  // The texts alone: the entries of a parsed file are made on demand.
  section.ForEachText([&numbers](uint32_t number, const char*) { numbers.push_back(number); });
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

}  // namespace tralvex::tool
