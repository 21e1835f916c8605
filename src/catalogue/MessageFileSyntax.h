// The line-level grammar of message files. The parser and the checking
// tools classify lines through these functions alone, so that a tool never
// disagrees with the library about what a line means.
//
// None of these functions writes to the text: the parser terminates the
// pieces it keeps itself. Every view they return points into the line they
// were given, also when it is empty, so its data() is a position in the
// caller's buffer.
#ifndef TRALVEX_CATALOGUE_MESSAGEFILESYNTAX_H
#define TRALVEX_CATALOGUE_MESSAGEFILESYNTAX_H

#include <cstdint>
#include <string_view>

#include "catalogue/LineScan.h"
#include "catalogue/TrimBlanks.h"

namespace tralvex {

// The name of the section that holds messages written before any header.
inline constexpr const char* kInvisibleSectionName = "I_N_V_I_S_I_B_L_E";

// Cuts the next line off [cursor, end). Leading spaces (0x20 only) are
// skipped; the line runs to the first carriage return, and cursor moves past
// it and past one line feed directly after it. A line feed anywhere else is
// part of the line. The returned view stops at the line's first NUL byte.
// Requires cursor < end.
std::string_view NextLine(const char*& cursor, const char* end);

// The same for a caller that walks a whole text: nextNul is the first NUL
// byte at or after cursor, or end, and is kept so as the lines go by. NUL
// bytes are rare, so this saves searching every line for one.
std::string_view NextLine(const char*& cursor, const char* end, const char*& nextNul);

// The first NUL byte in [from, end), or end.
const char* FindNul(const char* from, const char* end);

// A header "[name]": the name between "[" and the first "]" with spaces
// trimmed, when that span holds at least two characters and is not all
// spaces. Whatever follows the "]" is ignored.
bool ParseSectionHeader(std::string_view line, std::string_view& name);

// An alias line begins with the five letters "alias" in any case.
bool IsAliasLine(std::string_view line);

// The target of an alias line: the text after its first colon (searched from
// the sixth byte on) with blanks trimmed. False when there is no colon or
// nothing remains, in which case the line sets nothing.
bool ParseAliasTarget(std::string_view line, std::string_view& target);

// Reads a message number from the part before the colon as the C library's
// "%lx" conversion does: white space, an optional sign, an optional 0x, hex
// digits, the rest ignored. Digits beyond 32 bits wrap. Returns false when
// the part holds something other than blanks (spaces and tabs) but no
// number; an empty or all-blank part gives 0 and true. A part of other white
// space, such as a line feed, holds no number.
bool ReadMessageNumber(std::string_view part, uint32_t& number);

// A message line "number: text". The text is cut at its last ";", trimmed
// of blanks, and loses a leading and then a trailing double quote.
bool ParseMessageLine(std::string_view line, uint32_t& number, std::string_view& text);

enum class LineKind { kEmpty, kComment, kSectionHeader, kAlias, kMessage, kIgnored };

struct LineInfo {
  LineKind kind = LineKind::kIgnored;
  std::string_view name;    // kSectionHeader
  std::string_view target;  // kAlias: empty when the line sets no target
  uint32_t number = 0;      // kMessage
  std::string_view text;    // kMessage
};

// Tests a line (as NextLine gives it) for each kind in turn; the first
// match decides.
LineInfo ClassifyLine(std::string_view line);

// NextLine and ClassifyLine in one, for a caller that walks a whole text:
// the same lines, the same answers, with a line's end, its NUL bytes and
// the ";" that cuts its text found in one pass over it where the code page
// allows. nextNul is kept by the calls as NextLine keeps it; start it at
// null (it is searched for when first needed) or at FindNul(cursor, end).
LineInfo ClassifyNextLine(const char*& cursor, const char* end, const char*& nextNul);

// The common line of a message file, "digits:text", read in one pass on a
// single-byte code page: true with the number, the text and the cursor past
// the line, as ClassifyNextLine would give them; false, leaving cursor as
// it was, for every other line (and one holding a NUL byte), which
// ClassifyNextLine then reads. A line that starts with hexadecimal digits
// and their colon is no header, comment or alias, so nothing else is
// tested first.
inline bool ReadPlainMessageLine(const char*& cursor, const char* end, uint32_t& number,
                                 std::string_view& text) {
  const char* begin = cursor;
  while (begin < end && *begin == ' ') ++begin;
  const char* colon = ReadHexDigits(begin, end, number);
  if (colon == begin || colon == end || *colon != ':') return false;
  const char* lastSemicolon;
  const char* stop = ScanLine(colon + 1, end, lastSemicolon);
  if (stop < end && *stop == '\0') return false;
  const char* textBegin = colon + 1;
  const char* textEnd = lastSemicolon != nullptr ? lastSemicolon : stop;
  while (textBegin < textEnd && IsBlank(*textBegin)) ++textBegin;
  while (textEnd > textBegin && IsBlank(textEnd[-1])) --textEnd;
  if (textBegin < textEnd && *textBegin == '"') ++textBegin;
  if (textEnd > textBegin && textEnd[-1] == '"') --textEnd;
  text = std::string_view(textBegin, static_cast<std::size_t>(textEnd - textBegin));
  cursor = stop;
  if (stop < end) {
    ++cursor;
    if (cursor < end && *cursor == '\n') ++cursor;
  }
  return true;
}

}  // namespace tralvex

#endif
