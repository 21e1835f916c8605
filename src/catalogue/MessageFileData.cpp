#include "catalogue/MessageFileData.h"

#include <new>

#include "catalogue/MessageFileSyntax.h"
#include "errors/ErrorCodes.h"
#include "platform/CodePage.h"

namespace tralvex {

MessageFileData::MessageFileData() = default;

MessageFileData::~MessageFileData() { ClearFileData(); }

int MessageFileData::ParseMessageFile(char*& buffer, char* end) {
  if (!ClearFileData()) return 0;
  if (buffer == nullptr || end == nullptr || end < buffer) {
    AddError(error_code::kNoMemory, "ParseMessageFile");
    return 0;
  }
  try {
    ParseState state;
    const char* cursor = buffer;
    const char* nextNul = FindNul(cursor, end);
    while (cursor < end) {
      std::string_view line = NextLine(cursor, end, nextNul);
      if (!HandleLine(line, buffer, state)) return 0;
    }
  } catch (...) {
    AddError(error_code::kNoMemory, nullptr);
    return 0;
  }
  // A section sized like the average but given few messages keeps no
  // oversized table.
  for (NamedSection& named : sections_) named.section->CompactMessages();
  if (!ResolveAliases()) return 0;
  textBuffer_ = buffer;
  buffer = nullptr;
  return 1;
}

int MessageFileData::HandleLine(std::string_view line, char* buffer, ParseState& state) {
  LineInfo info = ClassifyLine(line);
  // The views point into the caller's writable buffer.
  auto writable = [buffer](std::string_view piece) {
    return buffer + (piece.data() - static_cast<const char*>(buffer));
  };
  switch (info.kind) {
    case LineKind::kSectionHeader: {
      MessageSection* section = GetOrCreateSection(info.name);
      if (section == nullptr) return 0;
      state.current = section;
      if (defaultSection == nullptr) defaultSection = section;
      return 1;
    }
    case LineKind::kAlias: {
      if (state.current == nullptr || info.target.empty()) return 1;
      char* target = writable(info.target);
      target[info.target.size()] = '\0';
      state.current->aliasTarget = target;
      return 1;
    }
    case LineKind::kMessage: {
      char* text = writable(info.text);
      text[info.text.size()] = '\0';
      return PlaceMessage(info.number, text, state);
    }
    default:
      return 1;
  }
}

int MessageFileData::PlaceMessage(uint32_t number, const char* text, ParseState& state) {
  MessageSection*& current = state.current;
  if (current == nullptr) {
    current = GetOrCreateSection(kInvisibleSectionName);
    if (current == nullptr) return 0;
    if (defaultSection == nullptr) defaultSection = current;
  }
  if (current->MessageCount() == 0) {
    // Sections of one file tend to be of similar size: sizing a new one
    // like the average so far saves most of the growing of its map.
    if (state.filledSections > 0) current->ReserveMessages(state.messages / state.filledSections);
    ++state.filledSections;
  }
  if (!current->AddMessage(number, text)) {
    CopyErrors(*current);
    return 0;
  }
  ++state.messages;
  return 1;
}

MessageSection* MessageFileData::GetOrCreateSection(std::string_view name) {
  try {
    std::string key = platform::UpperCase(name);
    auto found = index_.find(key);
    if (found != index_.end()) return sections_[found->second].section.get();
    if (pool_ == nullptr) pool_ = std::make_shared<EntryPool>();
    MessageSection* section = new (std::nothrow) MessageSection(pool_);
    if (section == nullptr) {
      AddError(error_code::kNoObject, nullptr);
      return nullptr;
    }
    sections_.push_back(NamedSection{key, std::unique_ptr<MessageSection>(section)});
    try {
      index_.emplace(std::move(key), sections_.size() - 1);
    } catch (...) {
      sections_.pop_back();
      throw;
    }
    return section;
  } catch (...) {
    AddError(error_code::kNoMemory, nullptr);
    return nullptr;
  }
}

std::size_t MessageFileData::IndexOf(std::string_view name) const {
  auto found = index_.find(platform::UpperCase(name));
  return found != index_.end() ? found->second : kNoSection;
}

MessageSection* MessageFileData::FindSection(std::string_view name) const {
  try {
    std::size_t index = IndexOf(name);
    return index != kNoSection ? sections_[index].section.get() : nullptr;
  } catch (...) {
    return nullptr;
  }
}

int MessageFileData::ClearFileData() {
  try {
    delete[] textBuffer_;
    textBuffer_ = nullptr;
    // Entries of the file's pool are held by its sections alone (a merge
    // from another pool copies), and all of them go now with the pool: the
    // share counts need not be walked down one by one.
    for (NamedSection& named : sections_) named.section->DiscardMessages();
    index_.clear();
    sections_.clear();
    defaultSection = nullptr;
    pool_.reset();
    return 1;
  } catch (...) {
    return 0;
  }
}

}  // namespace tralvex
