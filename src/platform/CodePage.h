// The system's ANSI code page: which bytes lead a double-byte character and
// how single-byte characters are upper-cased. Every search, step and
// comparison over texts goes through here so that the second byte of a
// double-byte character is never taken for a separator.
#ifndef TRALVEX_PLATFORM_CODEPAGE_H
#define TRALVEX_PLATFORM_CODEPAGE_H

#include <cstddef>
#include <string>
#include <string_view>

namespace tralvex::platform {

struct CodePage {
  unsigned id = 1252;            // 1250, 1251, 1252, 932, 936, 949, 950 or 65001 (UTF-8)
  bool doubleByte = false;       // true when some byte leads a two-byte character
  unsigned char leadByte[256];   // 1 for a lead byte
  unsigned char upper[256];      // upper-case of each single byte
};

// The code page in use; the system's own until UseCodePage picks another.
const CodePage& ActiveCodePage();

// Switches to one of the built-in tables (the command-line tool's
// --codepage, and tests). Returns false, changing nothing, for an unknown id.
bool UseCodePage(unsigned id);

// Back to the system's code page.
void UseSystemCodePage();

// The built-in table of a code page, or null when it is unknown.
const CodePage* FindCodePage(unsigned id);

// The id of the system's ANSI code page (implemented per system).
unsigned SystemCodePageId();

// Fills a table for the system's code page from the system itself where it
// can (implemented per system); returns false when the built-in table of
// SystemCodePageId() is to be used.
bool LoadSystemCodePage(CodePage& table);

inline bool IsLeadByte(unsigned char c) { return ActiveCodePage().leadByte[c] != 0; }

// The start of the character after the one at p. A lead byte followed by
// the terminator counts as one character, so a step never passes a NUL.
const char* NextChar(const char* p);

// The start of the character before p, counting from the text's start.
const char* PrevChar(const char* start, const char* p);

// The first character c in [begin, end), or null; a trail byte never matches.
const char* FindChar(const char* begin, const char* end, char c);

// The last character c in [begin, end), or null; a trail byte never matches.
const char* FindLastChar(const char* begin, const char* end, char c);

// Upper-cases single-byte characters in place by the code page's rules;
// double-byte characters are left alone.
void UpperCaseInPlace(char* text, std::size_t length);
std::string UpperCase(std::string_view text);

}  // namespace tralvex::platform

#endif
