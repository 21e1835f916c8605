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

#include "catalogue/MessageEntry.h"
#include "catalogue/MessageSection.h"
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
  // it with the caller; the errors are in this object's list.
  int ParseMessageFile(char*& buffer, char* end);

  // The section of that name (upper-cased), created empty when missing;
  // null after recording 272 or 258.
  MessageSection* GetOrCreateSection(std::string_view name);

  // The section of that name, upper-cased by the code page; records nothing.
  MessageSection* FindSection(std::string_view name) const;

  // Frees the buffer and every section. Returns 1, or 0 when interrupted.
  int ClearFileData();

  // Gives every section the messages of its alias chain and clears the
  // targets. Returns 1, or 0 after recording 323 with the name of a section
  // whose chain reaches a missing section or whose merge failed.
  int ResolveAliases();

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

  // The position in sections_ of the section of that name, or kNoSection.
  // Throws std::bad_alloc.
  std::size_t IndexOf(std::string_view name) const;
  // What the parse has seen so far.
  struct ParseState {
    MessageSection* current = nullptr;
    std::size_t messages = 0;        // placed in sections
    std::size_t filledSections = 0;  // sections holding messages
  };
  int HandleLine(std::string_view line, char* buffer, ParseState& state);
  int PlaceMessage(uint32_t number, const char* text, ParseState& state);
  int MergeInto(std::size_t section, std::size_t from);
  int ResolveCycle(const std::vector<std::size_t>& path, std::size_t first);

  char* textBuffer_ = nullptr;
  std::vector<NamedSection> sections_;
  std::unordered_map<std::string, std::size_t> index_;
  std::shared_ptr<EntryPool> pool_;
};

}  // namespace tralvex

#endif
