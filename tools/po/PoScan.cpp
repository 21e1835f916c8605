#include "po/PoScan.h"

#include <cstring>

#include "CodePageText.h"
#include "po/PoFile.h"

namespace tralvex::tool {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

bool IsEntryStart(std::string_view line) {
  std::string_view text = SkipBlanks(line);
  if (StartsWith(text, "#~")) text = SkipBlanks(text.substr(2));
  return StartsWith(text, "msgid") && text.size() > 5 &&
         (text[5] == ' ' || text[5] == '\t' || text[5] == '"');
}

}  // namespace

void PoScan::Take(std::string_view piece) {
  while (!piece.empty()) {
    const void* found = std::memchr(piece.data(), '\n', piece.size());
    if (found == nullptr) {
      partial_.append(piece);
      return;
    }
    std::size_t end = static_cast<std::size_t>(static_cast<const char*>(found) - piece.data());
    if (partial_.empty()) {
      Line(piece.substr(0, end));
    } else {
      partial_.append(piece.substr(0, end));
      Line(partial_);
      partial_.clear();
    }
    piece.remove_prefix(end + 1);
  }
}

void PoScan::Finish() {
  if (!partial_.empty()) Line(partial_);
  partial_.clear();
}

// No character of valid UTF-8 holds a line feed, so lines can be checked
// one by one.
void PoScan::Line(std::string_view line) {
  std::size_t bad = 0;
  valid_ = valid_ && IsValidUtf8(line, bad);
  if (IsEntryStart(line)) entryLines_.push_back(line_);
  if (!charsetSeen_) {
    std::size_t at = line.find("charset=");
    if (at != std::string_view::npos) {
      // In PO text the value ends at its string's quote or at an escape too.
      std::string_view value = line.substr(at + 8);
      charsetSeen_ = true;
      utf8Charset_ = IsUtf8CharsetName(value.substr(0, value.find_first_of(" \t\r\"\\")));
    }
  }
  ++line_;
}

PoScan ScanPoText(std::string_view text) {
  PoScan scan;
  scan.Take(text);
  scan.Finish();
  return scan;
}

}  // namespace tralvex::tool
