// The code-page helpers shared by every system; only the choice of the
// system's page is system-specific.
#include "platform/CodePage.h"

#include <cstring>

namespace tralvex::platform {
namespace {

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

// Whether the byte at p starts a two-byte character that ends before end. A
// lead byte before the terminator stands alone, as NextChar steps it.
bool StartsPair(const CodePage& page, const char* p, const char* end) {
  return page.leadByte[static_cast<unsigned char>(*p)] && p + 1 < end && p[1] != '\0';
}

}  // namespace

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
    q += StartsPair(page, q, p) ? 2 : 1;
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
    if (StartsPair(page, p, end)) ++p;
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
    if (StartsPair(page, p, end)) ++p;
  }
  return found;
}

void UpperCaseInPlace(char* text, std::size_t length) {
  const CodePage& page = ActiveCodePage();
  for (std::size_t i = 0; i < length; ++i) {
    if (StartsPair(page, text + i, text + length)) {
      ++i;
      continue;
    }
    text[i] = static_cast<char>(page.upper[static_cast<unsigned char>(text[i])]);
  }
}

std::string UpperCase(std::string_view text) {
  std::string result(text);
  UpperCaseInPlace(result.data(), result.size());
  return result;
}

}  // namespace tralvex::platform
