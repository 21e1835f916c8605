#include "LoadedMessageFile.h"

#include <cstring>
#include <new>

#include "ErrorTexts.h"
#include "InputFiles.h"

namespace tralvex::tool {

LoadResult LoadedMessageFile::Load(const std::string& path, std::string& reason) {
  std::string bytes;
  if (!ReadTextFile(path, bytes, reason)) return LoadResult::kUnreadable;
  return Parse(path, std::move(bytes), reason);
}

LoadResult LoadedMessageFile::Parse(const std::string& path, std::string bytes,
                                    std::string& reason) {
  path_ = path;
  bytes_ = std::move(bytes);
  lastSection_ = nullptr;
  data_ = std::make_unique<MessageFileData>();
  layout_.reset();
  lines_.reset();
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[bytes_.size() + 1]);
  if (buffer == nullptr) {
    reason = "too large to read into memory";
    return LoadResult::kUnreadable;
  }
  std::memcpy(buffer.get(), bytes_.data(), bytes_.size());
  buffer[bytes_.size()] = '\0';
  char* text = buffer.get();
  if (data_->ParseMessageFile(text, text + bytes_.size()) == 0) {
    reason = "the library would not open it: " + DescribeErrors(*data_);
    return LoadResult::kParseFailed;
  }
  buffer.release();  // the file data owns it now
  return LoadResult::kLoaded;
}

const MessageFileLayout& LoadedMessageFile::Layout() const {
  if (layout_ == nullptr) layout_ = std::make_unique<MessageFileLayout>(bytes_);
  return *layout_;
}

const LineIndex& LoadedMessageFile::Lines() const {
  if (lines_ == nullptr) lines_ = std::make_unique<LineIndex>(bytes_);
  return *lines_;
}

std::optional<FoundText> LoadedMessageFile::Find(std::string_view section, uint32_t number) const {
  if (lastSection_ == nullptr || section != lastName_) {
    lastSection_ = data_->FindSection(section);
    lastName_ = section;
  }
  const MessageSection* found = lastSection_;
  if (found == nullptr) return std::nullopt;
  const MessageEntry* entry = found->FindEntry(number);
  if (entry == nullptr) return std::nullopt;
  FoundText text;
  text.text = std::string_view(entry->text, std::strlen(entry->text));
  text.offset = static_cast<std::size_t>(entry->text - data_->TextBuffer());
  return text;
}

}  // namespace tralvex::tool
