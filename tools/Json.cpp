#include "Json.h"

#include <cstdio>
#include <memory>

#include "CodePageText.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

// Opening a converter costs more than most conversions: one is kept for
// the code page in use.
const CodePageText& ActiveCodePageText() {
  static std::unique_ptr<CodePageText> cached;
  unsigned id = platform::ActiveCodePage().id;
  if (cached == nullptr || cached->CodePage() != id) cached = std::make_unique<CodePageText>(id);
  return *cached;
}

const CodePageText& Utf8Text() {
  static const CodePageText utf8(65001);
  return utf8;
}

// Appends UTF-8 text, doubling a backslash that stands before "x" or
// another backslash; `escapeFollows` tells that a \xNN comes next.
void AppendDoubled(std::string& out, std::string_view text, bool escapeFollows) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] != '\\') continue;
    bool doubled = i + 1 < text.size() ? text[i + 1] == 'x' || text[i + 1] == '\\' : escapeFollows;
    if (doubled) out += '\\';
  }
}

// The text in UTF-8, escaped as described in the header where it must be.
std::string InUtf8(const CodePageText& codePage, std::string_view text) {
  std::string out;
  std::size_t bad = 0;
  if (codePage.ToUtf8(text, out, bad)) return out;
  out.clear();
  while (!text.empty()) {
    std::string chunk;
    bool whole = codePage.ToUtf8(text, chunk, bad);
    AppendDoubled(out, chunk, !whole);
    if (whole) break;
    out += EscapedByte(static_cast<unsigned char>(text[bad]));
    text.remove_prefix(bad + 1);
  }
  return out;
}

std::string Quoted(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  for (char c : utf8) {
    unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (u < 0x20 || u == 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace

std::string JsonString(std::string_view text) { return Quoted(InUtf8(ActiveCodePageText(), text)); }

std::string JsonPath(std::string_view path) { return Quoted(InUtf8(Utf8Text(), path)); }

}  // namespace tralvex::tool
