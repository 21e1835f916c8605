// The parsed contents of one message file: its sections with all aliases
// resolved, over the file's text buffer, which it owns after a successful
// parse. Shared by every catalogue open on the file.
#ifndef TRALVEX_CATALOGUE_MESSAGEFILEDATA_H
#define TRALVEX_CATALOGUE_MESSAGEFILEDATA_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/EntryTable.h"
#include "catalogue/Holdings.h"
#include "catalogue/MessageEntry.h"
#include "catalogue/MessageFileSyntax.h"
#include "catalogue/MessageSection.h"
#include "catalogue/ParseBudget.h"
#include "tralvex/ErrorList.h"

namespace tralvex {

class MessageFileData : public ErrorList {
 public:
  struct NamedSection {
    std::string name;  // upper-cased
    std::unique_ptr<MessageSection> section;
  };

  MessageFileData();
  ~MessageFileData() override;

  // Parses the text [buffer, end), where *end is the NUL after the file's
  // bytes, in place. The buffer must come from new char[]. Returns 1 and
  // takes the buffer (setting the caller's pointer to null), or 0 leaving
  // it with the caller; the errors are in this object's list. A file whose
  // aliases would make its sections hold more messages than its budget
  // (ParseBudget.h) fails as if memory had run out: 258, and 323 with the
  // name of the section being merged.
  int ParseMessageFile(char*& buffer, char* end);

  // The section of that name (upper-cased), created empty when missing;
  // null after recording 272 or 258.
  MessageSection* GetOrCreateSection(std::string_view name);

  // The section of that name, upper-cased by the code page; records nothing.
  MessageSection* FindSection(std::string_view name) const;

  // Frees the buffer and every section. Returns 1, or 0 when interrupted.
  int ClearFileData();

  // The sections in the order they were first created.
  const std::vector<NamedSection>& Sections() const { return sections_; }
  std::size_t SectionCount() const { return sections_.size(); }

  const char* TextBuffer() const { return textBuffer_; }

  // The first section created while parsing; null for a file without any.
  MessageSection* defaultSection = nullptr;
  // The number of catalogues using this object.
  int32_t shareCount = 1;

 private:
  static constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);

  // What the parse has seen so far: each section's messages by ordinal,
  // in file order until they are sorted.
  struct ParseState {
    std::size_t current = kNoSection;
    HoldingList* list = nullptr;  // the current section's, once a message came
    std::vector<HoldingList> lists;
    std::vector<uint8_t> unsorted;  // a number did not rise in the list
    std::size_t bytes = 0;          // of the file
    std::size_t held = 0;           // messages placed so far
    std::size_t filled = 0;         // sections given messages
  };

  // The position in sections_ of the section of that name, or kNoSection.
  // Throws std::bad_alloc.
  std::size_t IndexOf(std::string_view name) const;
  // The same, creating the section when missing; kNoSection after
  // recording 272 or 258.
  std::size_t ObtainSection(std::string_view name);

  int ParseLines(char* buffer, char* end, ParseState& state);
  int HandleLine(const LineInfo& info, char* buffer, ParseState& state);
  int EnterSection(std::string_view name, ParseState& state);
  // Makes the current section, the invisible one when none is, ready to
  // take messages. Returns 1, or 0 after recording why not.
  int PlaceMessage(ParseState& state);
  // Terminates the message's text and adds it to the current section's
  // list. Throws std::bad_alloc.
  static void AppendMessage(uint32_t number, std::string_view text, char* buffer,
                            ParseState& state) {
    char* begin = buffer + (text.data() - static_cast<const char*>(buffer));
    begin[text.size()] = '\0';
    HoldingList& list = *state.list;
    if (!list.empty() && number <= list.back().number) state.unsorted[state.current] = 1;
    list.push_back(Holding{number, static_cast<uint32_t>(begin - buffer)});
    ++state.held;
  }
  static void AppendMessage(const LineInfo& info, char* buffer, ParseState& state) {
    AppendMessage(info.number, info.text, buffer, state);
  }
  int SortLists(ParseState& state, ParseBudget& budget);

  // Gives every section the messages of its alias chain and clears the
  // targets. Returns 1, or 0 after recording 323 with the name of a section
  // whose chain reaches a missing section or whose merge failed (with 258
  // when memory, or the budget, ran out).
  int ResolveAliases(std::vector<HoldingList>& lists, ParseBudget& budget);
  int MergeInto(std::vector<HoldingList>& lists, ParseBudget& budget, std::size_t section,
                std::size_t from);
  int ResolveCycle(std::vector<HoldingList>& lists, ParseBudget& budget,
                   const std::vector<std::size_t>& path, std::size_t first);
  int RefuseMerge(std::size_t section);

  // Hands each section its finished messages. Returns 1, or 0 after
  // recording 258.
  int FreezeSections(std::vector<HoldingList>& lists, const char* base);

  char* textBuffer_ = nullptr;
  std::vector<NamedSection> sections_;
  std::unordered_map<std::string, std::size_t> index_;
  std::shared_ptr<EntryPool> pool_;
  std::shared_ptr<EntryTable> entries_;
};

}  // namespace tralvex

#endif
