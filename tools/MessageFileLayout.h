// Where everything of a message file stands in its bytes: each section's
// header and alias lines and each message line, with the span of the text the
// parser keeps. Comparing and importing translations need the places, which
// the parsed file no longer tells; the lines are classified by the library's
// own line grammar, in the active code page.
#ifndef TRALVEX_TOOLS_MESSAGEFILELAYOUT_H
#define TRALVEX_TOOLS_MESSAGEFILELAYOUT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tralvex::tool {

inline constexpr std::size_t kNoIndex = static_cast<std::size_t>(-1);

// Offsets are into the file's bytes.
struct LineSpan {
  std::size_t start = 0;  // the line's first byte, leading spaces included
  std::size_t end = 0;    // its carriage return, or the end of the file
  std::size_t next = 0;   // where the line after it starts
};

struct WrittenMessage {
  uint32_t number = 0;
  std::size_t section = 0;  // index into MessageFileLayout::Sections()
  LineSpan line;
  std::size_t textPart = 0;  // just after the colon
  std::size_t cut = 0;       // the last ";" of the text part, or line.end
  std::size_t text = 0;      // the text the parser keeps
  std::size_t textLength = 0;
  bool counts = false;  // the first definition of its number in its section
};

struct WrittenSection {
  std::string name;               // upper-cased, as the library keys it
  std::string writtenName;        // as its first header spells it; empty for the invisible section
  std::string aliasTarget;        // as the last alias line names it; empty for none
  std::string aliasLine;          // that alias line as written
  std::size_t header = kNoIndex;  // offset of the first header line
  // Where a message goes when the section has none of its own: after the
  // last header or alias line of the section.
  std::size_t afterHeading = 0;
  std::vector<std::size_t> own;  // messages that count, by ascending number
};

class MessageFileLayout {
 public:
  explicit MessageFileLayout(std::string_view bytes);

  const std::vector<WrittenSection>& Sections() const { return sections_; }
  // Every message line, in file order, shadowed ones included.
  const std::vector<WrittenMessage>& Messages() const { return messages_; }

  // The index of the section of that upper-cased name, or kNoIndex.
  std::size_t FindSection(std::string_view name) const;
  // The message line that counts for a number of a section, or kNoIndex.
  std::size_t FindOwn(std::size_t section, uint32_t number) const;

  // The line end the file uses: CR LF, or CR alone when its first line ends
  // so; CR LF for a file without any carriage return.
  const std::string& LineEnd() const { return lineEnd_; }
  // The offset of the first section header, or kNoIndex.
  std::size_t FirstHeader() const { return firstHeader_; }
  std::size_t Size() const { return size_; }

 private:
  std::size_t SectionIndex(std::string_view name);
  // Sorts a section's message lines by number and keeps the first line of
  // each number, marking it as the one that counts.
  void KeepFirstDefinitions(std::vector<std::size_t>& own);

  std::vector<WrittenSection> sections_;
  std::vector<WrittenMessage> messages_;
  std::unordered_map<std::string, std::size_t> byName_;
  std::string lineEnd_ = "\r\n";
  std::size_t firstHeader_ = kNoIndex;
  std::size_t size_ = 0;
};

}  // namespace tralvex::tool

#endif
