// A message file read once and held three ways: its bytes, the library's
// parse of them (sections after aliases) and the layout of its lines. The
// texts the library returns point into a copy of the bytes at the same
// offsets, so each text leads back to its line.
#ifndef TRALVEX_TOOLS_LOADEDMESSAGEFILE_H
#define TRALVEX_TOOLS_LOADEDMESSAGEFILE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "LineIndex.h"
#include "MessageFileLayout.h"
#include "MessageFileLoader.h"
#include "catalogue/MessageFileData.h"

namespace tralvex::tool {

// A text as the library returns it for a section and number.
struct FoundText {
  std::string_view text;
  std::size_t offset = 0;  // of the text in the file's bytes
};

class LoadedMessageFile {
 public:
  LoadedMessageFile() = default;
  LoadedMessageFile(const LoadedMessageFile&) = delete;
  LoadedMessageFile& operator=(const LoadedMessageFile&) = delete;

  // Reads and parses the file in the active code page. kUnreadable and
  // kParseFailed come with a reason.
  LoadResult Load(const std::string& path, std::string& reason);
  // The same over bytes already in hand (a file that does not exist yet is
  // empty); path only names it.
  LoadResult Parse(const std::string& path, std::string bytes, std::string& reason);

  const std::string& Path() const { return path_; }
  const std::string& Bytes() const { return bytes_; }
  const MessageFileData& Data() const { return *data_; }
  // The layout is made when it is first asked for, in the code page that is
  // active then (the command's, which stays): a file only looked up in
  // never needs one.
  const MessageFileLayout& Layout() const;

  // The text of a number in a section, after aliases; nothing when the
  // section lacks the number or the file lacks the section.
  std::optional<FoundText> Find(std::string_view section, uint32_t number) const;

  // The line (1-based, as an editor counts) of an offset.
  std::size_t LineOf(std::size_t offset) const { return Lines().PlaceOf(offset).line; }
  Place PlaceOf(std::size_t offset) const { return Lines().PlaceOf(offset); }

 private:
  std::string path_;
  std::string bytes_;
  std::unique_ptr<MessageFileData> data_;
  mutable std::unique_ptr<MessageFileLayout> layout_;
  // Made when a place is first asked for: most files are read without one.
  const LineIndex& Lines() const;
  mutable std::unique_ptr<LineIndex> lines_;
  // The section found last: lookups come section by section.
  mutable std::string lastName_;
  mutable const MessageSection* lastSection_ = nullptr;
};

}  // namespace tralvex::tool

#endif
