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
  // Texts are kept as 32-bit offsets into the buffer.
  if (buffer == nullptr || end == nullptr || end < buffer ||
      static_cast<uint64_t>(end - buffer) >= UINT32_MAX) {
    AddError(error_code::kNoMemory, "ParseMessageFile");
    return 0;
  }
  ParseState state;
  state.bytes = static_cast<std::size_t>(end - buffer);
  ParseBudget budget(static_cast<uint64_t>(end - buffer));
  if (!ParseLines(buffer, end, state) || !SortLists(state, budget) ||
      !ResolveAliases(state.lists, budget) || !FreezeSections(state.lists, buffer)) {
    return 0;
  }
  textBuffer_ = buffer;
  buffer = nullptr;
  return 1;
}

int MessageFileData::ParseLines(char* buffer, char* end, ParseState& state) {
  try {
    const char* cursor = buffer;
    const char* nextNul = nullptr;
    const bool singleByte = !platform::ActiveCodePage().doubleByte;
    while (cursor < end) {
      // Most lines are messages for the section of the line before: read
      // in one pass, without classifying them.
      uint32_t number;
      std::string_view text;
      if (singleByte && state.list != nullptr && ReadPlainMessageLine(cursor, end, number, text)) {
        AppendMessage(number, text, buffer, state);
        continue;
      }
      const LineInfo info = ClassifyNextLine(cursor, end, nextNul);
      // A message for the section that took the one before: the common
      // line, placed here without the round through HandleLine.
      if (info.kind == LineKind::kMessage && state.list != nullptr) {
        AppendMessage(info, buffer, state);
      } else if (!HandleLine(info, buffer, state)) {
        return 0;
      }
    }
    return 1;
  } catch (...) {
    AddError(error_code::kNoMemory, nullptr);
    return 0;
  }
}

int MessageFileData::HandleLine(const LineInfo& info, char* buffer, ParseState& state) {
  // The views point into the caller's writable buffer.
  auto writable = [buffer](std::string_view piece) {
    return buffer + (piece.data() - static_cast<const char*>(buffer));
  };
  switch (info.kind) {
    case LineKind::kSectionHeader:
      return EnterSection(info.name, state);
    case LineKind::kAlias: {
      if (state.current == kNoSection || info.target.empty()) return 1;
      char* target = writable(info.target);
      target[info.target.size()] = '\0';
      sections_[state.current].section->aliasTarget = target;
      return 1;
    }
    case LineKind::kMessage:
      if (!PlaceMessage(state)) return 0;
      AppendMessage(info, buffer, state);
      return 1;
    default:
      return 1;
  }
}

int MessageFileData::EnterSection(std::string_view name, ParseState& state) {
  std::size_t section = ObtainSection(name);
  if (section == kNoSection) return 0;
  if (state.lists.size() < sections_.size()) {
    state.lists.resize(sections_.size());
    state.unsorted.resize(sections_.size());
  }
  state.current = section;
  state.list = nullptr;
  if (defaultSection == nullptr) defaultSection = sections_[section].section.get();
  return 1;
}

int MessageFileData::PlaceMessage(ParseState& state) {
  if (state.current == kNoSection && !EnterSection(kInvisibleSectionName, state)) return 0;
  state.list = &state.lists[state.current];
  // Sized like the sections so far, or for a file of one section, to
  // spare the list most of its growing; only a hint, so running out of
  // memory here is left for the list's growth to report.
  if (state.list->empty()) {
    try {
      state.list->reserve(state.held > 0 ? state.held / state.filled + 1 : state.bytes / 32 + 1);
    } catch (const std::bad_alloc&) {
    }
    ++state.filled;
  }
  return 1;
}

int MessageFileData::SortLists(ParseState& state, ParseBudget& budget) {
  try {
    state.lists.resize(sections_.size());
    state.unsorted.resize(sections_.size());
    std::size_t held = 0;
    for (std::size_t i = 0; i < state.lists.size(); ++i) {
      HoldingList& list = state.lists[i];
      // The first definition of a number wins; a sort keeps it.
      if (state.unsorted[i]) SortHoldings(list);
      held += list.size();
    }
    if (budget.Take(held)) return 1;
  } catch (...) {
  }
  AddError(error_code::kNoMemory, nullptr);
  return 0;
}

int MessageFileData::FreezeSections(std::vector<HoldingList>& lists, const char* base) {
  try {
    entries_ = std::make_shared<EntryTable>();
    for (std::size_t i = 0; i < sections_.size(); ++i) {
      static const HoldingList kNone;
      sections_[i].section->Freeze(i < lists.size() ? lists[i] : kNone, base, entries_);
      if (i < lists.size()) HoldingList().swap(lists[i]);
    }
    return 1;
  } catch (...) {
    AddError(error_code::kNoMemory, nullptr);
    return 0;
  }
}

std::size_t MessageFileData::ObtainSection(std::string_view name) {
  try {
    std::string key = platform::UpperCase(name);
    auto found = index_.find(key);
    if (found != index_.end()) return found->second;
    if (pool_ == nullptr) pool_ = std::make_shared<EntryPool>();
    MessageSection* section = new (std::nothrow) MessageSection(pool_);
    if (section == nullptr) {
      AddError(error_code::kNoObject, nullptr);
      return kNoSection;
    }
    sections_.push_back(NamedSection{key, std::unique_ptr<MessageSection>(section)});
    try {
      index_.emplace(std::move(key), sections_.size() - 1);
    } catch (...) {
      sections_.pop_back();
      throw;
    }
    return sections_.size() - 1;
  } catch (...) {
    AddError(error_code::kNoMemory, nullptr);
    return kNoSection;
  }
}

MessageSection* MessageFileData::GetOrCreateSection(std::string_view name) {
  std::size_t section = ObtainSection(name);
  return section != kNoSection ? sections_[section].section.get() : nullptr;
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
    entries_.reset();
    return 1;
  } catch (...) {
    return 0;
  }
}

}  // namespace tralvex
