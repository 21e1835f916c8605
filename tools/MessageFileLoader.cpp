#include "MessageFileLoader.h"

#include <algorithm>
#include <new>

#include "ErrorTexts.h"
#include "InputFiles.h"

namespace tralvex::tool {

LoadResult LoadMessageFile(const std::string& path, MessageFileData& data, std::string& reason,
                           const std::function<void(std::string_view)>& beforeParse) {
  InputFile file;
  if (!ReadInputFile(path, file, reason)) return LoadResult::kUnreadable;
  try {
    if (beforeParse) beforeParse(file.View());
  } catch (const std::bad_alloc&) {
    reason = "out of memory while reading it";
    return LoadResult::kUnreadable;
  }
  char* text = file.bytes.get();
  if (data.ParseMessageFile(text, text + file.size) == 0) {
    reason = "the library would not open it: " + DescribeErrors(data);
    return LoadResult::kParseFailed;
  }
  file.bytes.release();  // the file data owns it now
  return LoadResult::kLoaded;
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
