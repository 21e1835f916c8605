#include "catalogue/MessageFileSyntax.h"

#include <cstring>

#include "catalogue/LineScan.h"
#include "catalogue/TrimBlanks.h"
#include "platform/CodePage.h"

namespace tralvex {
namespace {

using platform::CodePage;

// The white space that the C library's number conversions skip.
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The code-page searches, with the single-byte case inline: these run a few
// times on every line of a file.
const char* Find(const CodePage& page, const char* begin, const char* end, char c) {
  if (!page.doubleByte) {
    return static_cast<const char*>(std::memchr(begin, c, static_cast<std::size_t>(end - begin)));
  }
  return platform::FindChar(begin, end, c);
}

// The colon of a message line follows a few digits: a short plain loop
// finds it sooner than a call would.
const char* FindNear(const CodePage& page, const char* begin, const char* end, char c) {
  if (page.doubleByte) return platform::FindChar(begin, end, c);
  const char* near = end - begin > 16 ? begin + 16 : end;
  for (const char* p = begin; p < near; ++p) {
    if (*p == c) return p;
  }
  return static_cast<const char*>(std::memchr(near, c, static_cast<std::size_t>(end - near)));
}

const char* FindLast(const CodePage& page, const char* begin, const char* end, char c) {
  if (!page.doubleByte) {
    for (const char* p = end; p > begin;) {
      if (*--p == c) return p;
    }
    return nullptr;
  }
  return platform::FindLastChar(begin, end, c);
}

// True when the text's last character is the single byte c, not the second
// byte of a double-byte character.
inline bool EndsWithChar(const CodePage& page, std::string_view text, char c) {
  if (text.empty() || text.back() != c) return false;
  if (!page.doubleByte) return true;
  const char* last = text.data() + text.size() - 1;
  return platform::PrevChar(text.data(), last + 1) == last;
}

inline bool ParseHeader(const CodePage& page, std::string_view line, std::string_view& name) {
  if (line.empty() || line.front() != '[') return false;
  const char* begin = line.data() + 1;
  const char* close = Find(page, begin, line.data() + line.size(), ']');
  if (close == nullptr) return false;
  std::size_t span = static_cast<std::size_t>(close - begin);
  bool oneCharacter = span == 2 && page.leadByte[static_cast<unsigned char>(*begin)];
  if (span < 2 || oneCharacter) return false;
  // A space is never the second byte of a double-byte character.
  while (begin < close && *begin == ' ') ++begin;
  while (close > begin && close[-1] == ' ') --close;
  if (begin == close) return false;
  name = std::string_view(begin, static_cast<std::size_t>(close - begin));
  return true;
}

inline bool IsAlias(const CodePage& page, std::string_view line) {
  static const char kAlias[] = "ALIAS";
  if (line.size() < 5) return false;
  for (int i = 0; i < 5; ++i) {
    unsigned char c = static_cast<unsigned char>(line[i]);
    if (page.leadByte[c] || page.upper[c] != static_cast<unsigned char>(kAlias[i])) return false;
  }
  return true;
}

bool ParseTarget(const CodePage& page, std::string_view line, std::string_view& target) {
  const char* end = line.data() + line.size();
  target = line.substr(line.size());
  if (line.size() <= 5) return false;
  const char* colon = Find(page, line.data() + 5, end, ':');
  if (colon == nullptr) return false;
  std::string_view rest = TrimBlanks(std::string_view(colon + 1, end - colon - 1));
  if (rest.empty()) return false;
  target = rest;
  return true;
}

// Most message lines begin with the number's digits and have the colon
// right after them: read so, they need no search for the colon, and the
// number is what ReadMessageNumber would read. Returns the colon, or null
// for any other line, which the general reading takes.
inline const char* ReadLeadingNumber(const char* begin, const char* end, uint32_t& number) {
  const char* p = ReadHexDigits(begin, end, number);
  if (p == begin || p == end || *p != ':') return nullptr;
  return p;
}

// Where the last ";" of a line is, when a scan of the line has found it
// already (null for none).
struct Semicolon {
  bool known = false;
  const char* last = nullptr;
};

inline bool ParseMessage(const CodePage& page, std::string_view line, uint32_t& number,
                         std::string_view& text, Semicolon semicolon = Semicolon()) {
  const char* begin = line.data();
  const char* end = begin + line.size();
  // ASCII digits are never part of a double-byte character, so this holds
  // on every code page.
  const char* colon = ReadLeadingNumber(begin, end, number);
  if (colon == nullptr) {
    colon = FindNear(page, begin, end, ':');
    if (colon == nullptr) return false;
    if (!ReadMessageNumber(std::string_view(begin, colon - begin), number)) return false;
  }
  const char* textBegin = colon + 1;
  const char* textEnd = end;
  if (semicolon.known) {
    if (semicolon.last != nullptr && semicolon.last > colon) textEnd = semicolon.last;
  } else if (const char* first = Find(page, textBegin, textEnd, ';')) {
    // Most texts hold no ";" at all: a forward search settles that quickly
    // before the backward one looks for the last.
    textEnd = FindLast(page, first, textEnd, ';');
  }
  // TrimBlanks and the quotes, on pointers: this runs for every message.
  while (textBegin < textEnd && IsBlank(*textBegin)) ++textBegin;
  while (textEnd > textBegin && IsBlank(textEnd[-1])) --textEnd;
  if (textBegin < textEnd && *textBegin == '"') ++textBegin;
  if (EndsWithChar(page, std::string_view(textBegin, textEnd - textBegin), '"')) --textEnd;
  text = std::string_view(textBegin, static_cast<std::size_t>(textEnd - textBegin));
  return true;
}

inline LineInfo Classify(const CodePage& page, std::string_view line, Semicolon semicolon) {
  LineInfo info;
  if (line.empty()) {
    info.kind = LineKind::kEmpty;
  } else if (line.front() == ';') {
    info.kind = LineKind::kComment;
  } else if (ParseHeader(page, line, info.name)) {
    info.kind = LineKind::kSectionHeader;
  } else if (IsAlias(page, line)) {
    info.kind = LineKind::kAlias;
    ParseTarget(page, line, info.target);
  } else if (ParseMessage(page, line, info.number, info.text, semicolon)) {
    info.kind = LineKind::kMessage;
  } else {
    info.kind = LineKind::kIgnored;
  }
  return info;
}

}  // namespace

namespace {

// Skips leading spaces and finds the line's carriage return; returns the
// line's start and sets lineEnd and cursor.
const char* CutLine(const char*& cursor, const char* end, const char*& lineEnd) {
  const char* begin = cursor;
  while (begin < end && *begin == ' ') ++begin;
  // A carriage return is never the second byte of a double-byte character,
  // so a plain byte search finds the line end on every code page.
  const char* cr =
      static_cast<const char*>(std::memchr(begin, '\r', static_cast<std::size_t>(end - begin)));
  lineEnd = cr != nullptr ? cr : end;
  cursor = lineEnd;
  if (cr != nullptr) {
    ++cursor;
    if (cursor < end && *cursor == '\n') ++cursor;
  }
  return begin;
}

}  // namespace

const char* FindNul(const char* from, const char* end) {
  const char* nul =
      static_cast<const char*>(std::memchr(from, '\0', static_cast<std::size_t>(end - from)));
  return nul != nullptr ? nul : end;
}

std::string_view NextLine(const char*& cursor, const char* end) {
  const char* lineEnd;
  const char* begin = CutLine(cursor, end, lineEnd);
  lineEnd = FindNul(begin, lineEnd);
  return std::string_view(begin, static_cast<std::size_t>(lineEnd - begin));
}

std::string_view NextLine(const char*& cursor, const char* end, const char*& nextNul) {
  const char* lineEnd;
  const char* begin = CutLine(cursor, end, lineEnd);
  if (nextNul < lineEnd) {
    // Spaces are no NULs, so the NUL lies at or after begin.
    lineEnd = nextNul;
    nextNul = FindNul(cursor, end);
  }
  return std::string_view(begin, static_cast<std::size_t>(lineEnd - begin));
}

bool ParseSectionHeader(std::string_view line, std::string_view& name) {
  return ParseHeader(platform::ActiveCodePage(), line, name);
}

bool IsAliasLine(std::string_view line) { return IsAlias(platform::ActiveCodePage(), line); }

bool ParseAliasTarget(std::string_view line, std::string_view& target) {
  return ParseTarget(platform::ActiveCodePage(), line, target);
}

bool ReadMessageNumber(std::string_view part, uint32_t& number) {
  std::size_t i = 0;
  const std::size_t n = part.size();
  number = 0;
  while (i < n && IsSpace(part[i])) ++i;
  // Only spaces and tabs make an empty number part, which is message 0: a
  // part of white space holding a line feed, vertical tab or form feed is
  // something other than blanks, and no number can be read from it.
  if (i == n) return TrimBlanks(part).empty();
  bool negative = part[i] == '-';
  if (part[i] == '-' || part[i] == '+') ++i;
  bool anyDigit = false;
  if (i < n && part[i] == '0') {
    anyDigit = true;
    ++i;
    // "0x" counts as a prefix only when a digit follows; otherwise the
    // number is the lone 0.
    if (i + 1 < n && (part[i] == 'x' || part[i] == 'X') && HexDigitValue(part[i + 1]) >= 0) ++i;
  }
  uint32_t value = 0;
  for (; i < n; ++i) {
    int digit = HexDigitValue(part[i]);
    if (digit < 0) break;
    value = (value << 4) | static_cast<uint32_t>(digit);
    anyDigit = true;
  }
  if (!anyDigit) return false;
  number = negative ? 0u - value : value;
  return true;
}

bool ParseMessageLine(std::string_view line, uint32_t& number, std::string_view& text) {
  return ParseMessage(platform::ActiveCodePage(), line, number, text);
}

LineInfo ClassifyLine(std::string_view line) {
  return Classify(platform::ActiveCodePage(), line, Semicolon());
}

namespace {

inline LineInfo NextClassified(const CodePage& page, const char*& cursor, const char* end,
                               const char*& nextNul) {
  if (page.doubleByte) {
    if (nextNul == nullptr) nextNul = FindNul(cursor, end);
    return Classify(page, NextLine(cursor, end, nextNul), Semicolon());
  }
  const char* begin = cursor;
  while (begin < end && *begin == ' ') ++begin;
  Semicolon semicolon{true, nullptr};
  const char* stop = ScanLine(begin, end, semicolon.last);
  // A NUL byte ends the line's text, not the line.
  const char* lineEnd = stop;
  if (stop < end && *stop == '\0') {
    lineEnd =
        static_cast<const char*>(std::memchr(stop, '\r', static_cast<std::size_t>(end - stop)));
    if (lineEnd == nullptr) lineEnd = end;
  }
  cursor = lineEnd;
  if (lineEnd < end) {
    ++cursor;
    if (cursor < end && *cursor == '\n') ++cursor;
  }
  return Classify(page, std::string_view(begin, static_cast<std::size_t>(stop - begin)), semicolon);
}

}  // namespace

LineInfo ClassifyNextLine(const char*& cursor, const char* end, const char*& nextNul) {
  return NextClassified(platform::ActiveCodePage(), cursor, end, nextNul);
}

}  // namespace tralvex
