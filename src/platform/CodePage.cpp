// The code-page helpers shared by every system; only the choice of the
// system's page is system-specific.
#include "platform/CodePage.h"

#include <cstring>

namespace tralvex::platform {
namespace {

void FillAsciiUpper(CodePage& page) {
  for (int c = 0; c < 256; ++c) page.upper[c] = static_cast<unsigned char>(c);
  for (int c = 'a'; c <= 'z'; ++c) page.upper[c] = static_cast<unsigned char>(c - 'a' + 'A');
}

CodePage MakeSingleByte(unsigned id) {
  CodePage page;
  page.id = id;
  page.doubleByte = false;
  std::memset(page.leadByte, 0, sizeof page.leadByte);
  FillAsciiUpper(page);
  return page;
}

// Lead bytes in [first, last] and [first2, last2] (an empty second range
// is 0, 0); only ASCII letters have a case.
CodePage MakeDoubleByte(unsigned id, int first, int last, int first2, int last2) {
  CodePage page = MakeSingleByte(id);
  page.doubleByte = true;
  for (int c = first; c <= last; ++c) page.leadByte[c] = 1;
  for (int c = first2; c != 0 && c <= last2; ++c) page.leadByte[c] = 1;
  return page;
}

void MapCase(CodePage& page, int lower, int upper) {
  page.upper[lower] = static_cast<unsigned char>(upper);
}

CodePage MakeCentralEuropean() {
  CodePage page = MakeSingleByte(1250);
  const int pairs[][2] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},
                          {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA}, {0xBE, 0xBC}, {0xBF, 0xAF}};
  for (const auto& pair : pairs) MapCase(page, pair[0], pair[1]);
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) MapCase(page, c, c - 0x20);
  }
  return page;
}

CodePage MakeCyrillic() {
  CodePage page = MakeSingleByte(1251);
  const int pairs[][2] = {{0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D},
                          {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1}, {0xB3, 0xB2}, {0xB4, 0xA5},
                          {0xB8, 0xA8}, {0xBA, 0xAA}, {0xBC, 0xA3}, {0xBE, 0xBD}, {0xBF, 0xAF}};
  for (const auto& pair : pairs) MapCase(page, pair[0], pair[1]);
  for (int c = 0xE0; c <= 0xFF; ++c) MapCase(page, c, c - 0x20);
  return page;
}

const CodePage& SystemPage() {
  static const CodePage page = [] {
    CodePage loaded;
    if (LoadSystemCodePage(loaded)) return loaded;
    const CodePage* known = FindCodePage(SystemCodePageId());
    return known != nullptr ? *known : *FindCodePage(1252);
  }();
  return page;
}

const CodePage* activePage = nullptr;

}  // namespace

const CodePage* FindCodePage(unsigned id) {
  static const CodePage utf8 = MakeSingleByte(65001);
  static const CodePage western = MakeSingleByte(1252);
  static const CodePage central = MakeCentralEuropean();
  static const CodePage cyrillic = MakeCyrillic();
  static const CodePage japanese = MakeDoubleByte(932, 0x81, 0x9F, 0xE0, 0xFC);
  static const CodePage simplifiedChinese = MakeDoubleByte(936, 0x81, 0xFE, 0, 0);
  static const CodePage korean = MakeDoubleByte(949, 0x81, 0xFE, 0, 0);
  static const CodePage traditionalChinese = MakeDoubleByte(950, 0x81, 0xFE, 0, 0);
  switch (id) {
    case 65001:
      return &utf8;
    case 1252:
      return &western;
    case 1250:
      return &central;
    case 1251:
      return &cyrillic;
    case 932:
      return &japanese;
    case 936:
      return &simplifiedChinese;
    case 949:
      return &korean;
    case 950:
      return &traditionalChinese;
    default:
      return nullptr;
  }
}

const CodePage& ActiveCodePage() {
  if (activePage == nullptr) activePage = &SystemPage();
  return *activePage;
}

bool UseCodePage(unsigned id) {
  const CodePage* page = FindCodePage(id);
  if (page == nullptr) return false;
  activePage = page;
  return true;
}

void UseSystemCodePage() { activePage = &SystemPage(); }

const char* NextChar(const char* p) {
  if (*p == '\0') return p;
  if (IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') return p + 2;
  return p + 1;
}

const char* PrevChar(const char* start, const char* p) {
  if (p <= start) return start;
  const CodePage& page = ActiveCodePage();
  if (!page.doubleByte) return p - 1;
  // Walk forward from the start: a byte's role depends on what precedes it.
  const char* previous = start;
  for (const char* q = start; q < p;) {
    previous = q;
    q += (page.leadByte[static_cast<unsigned char>(*q)] && q + 1 < p) ? 2 : 1;
  }
  return previous;
}

const char* FindChar(const char* begin, const char* end, char c) {
  const CodePage& page = ActiveCodePage();
  if (!page.doubleByte) {
    return static_cast<const char*>(std::memchr(begin, c, static_cast<std::size_t>(end - begin)));
  }
  for (const char* p = begin; p < end; ++p) {
    if (*p == c) return p;
    if (page.leadByte[static_cast<unsigned char>(*p)] && p + 1 < end) ++p;
  }
  return nullptr;
}

const char* FindLastChar(const char* begin, const char* end, char c) {
  const CodePage& page = ActiveCodePage();
  const char* found = nullptr;
  if (!page.doubleByte) {
    for (const char* p = end; p > begin;) {
      if (*--p == c) return p;
    }
    return nullptr;
  }
  for (const char* p = begin; p < end; ++p) {
    if (*p == c) found = p;
    if (page.leadByte[static_cast<unsigned char>(*p)] && p + 1 < end) ++p;
  }
  return found;
}

void UpperCaseInPlace(char* text, std::size_t length) {
  const CodePage& page = ActiveCodePage();
  for (std::size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (page.leadByte[c] && i + 1 < length) {
      ++i;
      continue;
    }
    text[i] = static_cast<char>(page.upper[c]);
  }
}

std::string UpperCase(std::string_view text) {
  std::string result(text);
  UpperCaseInPlace(result.data(), result.size());
  return result;
}

}  // namespace tralvex::platform
