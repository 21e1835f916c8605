// What the tool learns of PO text before gettext's library reads it, in one
// pass that holds no more of the text than a line: where each entry's msgid
// keyword stands, to name entries by their lines, and whether the library
// may take the text byte by byte (see PoFile.cpp).
#ifndef TRALVEX_TOOLS_PO_POSCAN_H
#define TRALVEX_TOOLS_PO_POSCAN_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tralvex::tool {

class PoScan {
 public:
  // Takes the next piece of the text; a piece may end anywhere.
  void Take(std::string_view piece);
  // Ends the text: its last line needs no line end.
  void Finish();

  // The lines of the entries' msgid keywords, in file order; the header's
  // first. Only where the text keeps no surprise.
  const std::vector<std::size_t>& EntryLines() const { return entryLines_; }
  std::vector<std::size_t> TakeEntryLines() { return std::move(entryLines_); }

  // True when the text is valid UTF-8 and its header says it is UTF-8, as
  // the first "charset=" of the text tells.
  bool ByteWise() const { return valid_ && utf8Charset_; }

 private:
  void Line(std::string_view line);

  std::string partial_;  // the start of a line that the next piece ends
  std::size_t line_ = 1;
  std::vector<std::size_t> entryLines_;
  bool valid_ = true;
  bool charsetSeen_ = false;
  bool utf8Charset_ = false;
};

// The scan of a whole text in memory.
PoScan ScanPoText(std::string_view text);

}  // namespace tralvex::tool

#endif
