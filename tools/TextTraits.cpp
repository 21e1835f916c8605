#include "TextTraits.h"

#include <algorithm>
#include <cstring>

#include "api/MessageReference.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool Has(const char* set, char c) { return c != '\0' && std::strchr(set, c) != nullptr; }

// One conversion from its "%": how long it is, how many "*" it holds and
// the character that ends it.
struct Conversion {
  std::size_t length = 1;
  std::size_t stars = 0;
  char type = '\0';
};

Conversion ReadConversion(std::string_view rest) {
  Conversion c;
  std::size_t pos = 1;
  auto at = [&]() { return pos < rest.size() ? rest[pos] : '\0'; };
  while (Has("-+ #0'", at())) ++pos;
  if (at() == '*') {
    ++c.stars;
    ++pos;
  } else {
    while (IsDigit(at())) ++pos;
  }
  if (at() == '.') {
    ++pos;
    if (at() == '*') {
      ++c.stars;
      ++pos;
    } else {
      while (IsDigit(at())) ++pos;
    }
  }
  while (Has("hljztLq", at())) ++pos;
  if (pos < rest.size()) c.type = rest[pos++];
  c.length = pos;
  return c;
}

void CountConversions(std::string_view text, TextTraits& traits) {
  std::size_t pos = 0;
  while ((pos = text.find('%', pos)) != std::string_view::npos) {
    Conversion c = ReadConversion(text.substr(pos));
    pos += c.length;
    if (!Has("diouxXeEfFgGaAcspn", c.type)) continue;  // "%%", or no conversion
    traits.arguments += 1 + c.stars;
    if (c.type == 's') ++traits.textConversions;
  }
}

// As evaluation finds them: a "{" to the first "}" after it, the next "{"
// searched after that "}", the first few only.
void CollectReferences(std::string_view text, TextTraits& traits) {
  const char* end = text.data() + text.size();
  const char* open = platform::FindChar(text.data(), end, '{');
  int seen = 0;
  while (open != nullptr && seen < kMaxReferences) {
    const char* close = platform::FindChar(open + 1, end, '}');
    if (close == nullptr) break;
    ++seen;
    ParsedReference parsed =
        ParseMessageReference(std::string_view(open, static_cast<std::size_t>(close - open + 1)));
    if (parsed.number > 0) traits.references.push_back(static_cast<uint32_t>(parsed.number));
    open = platform::FindChar(close + 1, end, '{');
  }
  std::sort(traits.references.begin(), traits.references.end());
}

// As the expansion of escapes steps through a text: a backslash takes the
// character after it along, so "\\n" is no line break.
void CountEscapes(std::string_view text, TextTraits& traits) {
  const char* end = text.data() + text.size();
  const char* backslash = platform::FindChar(text.data(), end, '\\');
  while (backslash != nullptr && backslash + 1 < end) {
    const char* escaped = backslash + 1;
    if (*escaped == 'n') ++traits.newlines;
    if (*escaped == 't') ++traits.tabs;
    const char* after =
        *escaped == 'n' || *escaped == 't' ? escaped + 1 : platform::NextChar(escaped);
    if (after > end) break;
    backslash = platform::FindChar(after, end, '\\');
  }
}

}  // namespace

TextTraits TraitsOf(std::string_view text) {
  TextTraits traits;
  CountConversions(text, traits);
  CollectReferences(text, traits);
  CountEscapes(text, traits);
  return traits;
}

}  // namespace tralvex::tool
