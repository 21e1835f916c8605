// The built-in code-page tables: the system's page where the system cannot be
// asked (POSIX), and the pages that the tool and the tests switch to. The
// upper-case tables follow what Windows does to a single byte: a lower-case
// letter becomes its capital when the page has one; letters without a capital
// in the page (sharp s, micro sign) stay as they are.
#include <cstring>

#include "platform/CodePage.h"

namespace tralvex::platform {
namespace {

struct ByteRange {
  unsigned char first;
  unsigned char last;
};

struct CasePair {
  unsigned char lower;
  unsigned char upper;
};

struct PageRules {
  unsigned id;
  // Lower-case letters from 0xE0 on are their capitals plus 0x20, except
  // the one byte skipped (the division sign, or 0 for none).
  bool shiftedUpperHalf;
  unsigned char lastShifted;
  unsigned char notShifted;
  const CasePair* pairs;  // the letters outside that block
  std::size_t pairCount;
  const ByteRange* leadBytes;
  std::size_t leadRangeCount;
};

// Central European.
const CasePair k1250Pairs[] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E},
                               {0x9F, 0x8F}, {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA},
                               {0xBE, 0xBC}, {0xBF, 0xAF}};
// Cyrillic.
const CasePair k1251Pairs[] = {{0x83, 0x81}, {0x90, 0x80}, {0x9A, 0x8A}, {0x9C, 0x8C},
                               {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1},
                               {0xB3, 0xB2}, {0xB4, 0xA5}, {0xB8, 0xA8}, {0xBA, 0xAA},
                               {0xBC, 0xA3}, {0xBE, 0xBD}, {0xBF, 0xAF}};
// Western European.
const CasePair k1252Pairs[] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};

const ByteRange k932Lead[] = {{0x81, 0x9F}, {0xE0, 0xFC}};
const ByteRange kFullLead[] = {{0x81, 0xFE}};  // 936, 949 and 950

const PageRules kPages[] = {
    {1250, true, 0xFE, 0xF7, k1250Pairs, std::size(k1250Pairs), nullptr, 0},
    {1251, true, 0xFF, 0, k1251Pairs, std::size(k1251Pairs), nullptr, 0},
    {1252, true, 0xFE, 0xF7, k1252Pairs, std::size(k1252Pairs), nullptr, 0},
    {932, false, 0, 0, nullptr, 0, k932Lead, std::size(k932Lead)},
    {936, false, 0, 0, nullptr, 0, kFullLead, std::size(kFullLead)},
    {949, false, 0, 0, nullptr, 0, kFullLead, std::size(kFullLead)},
    {950, false, 0, 0, nullptr, 0, kFullLead, std::size(kFullLead)},
    {65001, false, 0, 0, nullptr, 0, nullptr, 0},
};

CodePage BuildPage(const PageRules& rules) {
  CodePage page;
  page.id = rules.id;
  page.doubleByte = rules.leadRangeCount != 0;
  std::memset(page.leadByte, 0, sizeof page.leadByte);
  for (std::size_t i = 0; i < rules.leadRangeCount; ++i) {
    for (int c = rules.leadBytes[i].first; c <= rules.leadBytes[i].last; ++c) {
      page.leadByte[c] = 1;
    }
  }
  for (int c = 0; c < 256; ++c) page.upper[c] = static_cast<unsigned char>(c);
  for (int c = 'a'; c <= 'z'; ++c) page.upper[c] = static_cast<unsigned char>(c - 'a' + 'A');
  if (rules.shiftedUpperHalf) {
    for (int c = 0xE0; c <= rules.lastShifted; ++c) {
      if (c != rules.notShifted) page.upper[c] = static_cast<unsigned char>(c - 0x20);
    }
  }
  for (std::size_t i = 0; i < rules.pairCount; ++i) {
    page.upper[rules.pairs[i].lower] = rules.pairs[i].upper;
  }
  return page;
}

struct BuiltInPages {
  CodePage pages[std::size(kPages)];
  BuiltInPages() {
    for (std::size_t i = 0; i < std::size(kPages); ++i) pages[i] = BuildPage(kPages[i]);
  }
};

}  // namespace

const CodePage* FindCodePage(unsigned id) {
  static const BuiltInPages builtIn;
  for (const CodePage& page : builtIn.pages) {
    if (page.id == id) return &page;
  }
  return nullptr;
}

}  // namespace tralvex::platform
