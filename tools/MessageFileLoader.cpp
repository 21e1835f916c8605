#include "MessageFileLoader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "InputFiles.h"

namespace tralvex::tool {

bool LoadMessageFile(const std::string& path, MessageFileData& data, std::string& reason) {
  std::string bytes;
  if (!ReadTextFile(path, bytes, reason)) return false;
  std::unique_ptr<char[]> buffer(new char[bytes.size() + 1]);
  std::memcpy(buffer.get(), bytes.data(), bytes.size());
  buffer[bytes.size()] = '\0';
  char* text = buffer.get();
  if (data.ParseMessageFile(text, text + bytes.size()) == 1) {
    buffer.release();  // owned by the file data now
    return true;
  }
  reason = "is refused by the library:";
  int code = 0;
  const char* context = nullptr;
  for (unsigned i = 1; data.GetErrorAt(i, code, context) != 0; ++i) {
    char hex[16];
    std::snprintf(hex, sizeof hex, " error 0x%X", code);
    reason += hex;
    if (context != nullptr) reason += std::string(" (") + context + ")";
  }
  return false;
}

std::vector<uint32_t> SortedNumbers(const MessageSection& section) {
  std::vector<uint32_t> numbers;
  numbers.reserve(section.MessageCount());
  section.ForEachMessage(
      [&numbers](uint32_t number, const MessageEntry&) { numbers.push_back(number); });
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

}  // namespace tralvex::tool
