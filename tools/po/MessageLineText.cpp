#include "po/MessageLineText.h"

#include <charconv>

#include "catalogue/MessageFileSyntax.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool Holds(std::string_view text, char c) {
  return platform::FindChar(text.data(), text.data() + text.size(), c) != nullptr;
}

// The text in quotes, with a ";" after them when the text holds one and no
// comment follows on the line to take the cut.
std::string Quoted(std::string_view text, bool commentFollows) {
  std::string quoted = "\"" + std::string(text) + "\"";
  if (!commentFollows && Holds(text, ';')) quoted += ';';
  return quoted;
}

// "1A2: ", the number in upper-case hexadecimal.
std::string NumberHead(uint32_t number) {
  char digits[8];
  char* end = std::to_chars(digits, digits + sizeof digits, number, 16).ptr;
  std::string head(digits, end);
  for (char& c : head) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
  return head + ": ";
}

}  // namespace

bool ReadsBackAs(std::string_view line, uint32_t number, std::string_view text) {
  if (line.find('\r') != std::string_view::npos || line.find('\0') != std::string_view::npos) {
    return false;
  }
  // The parser sees the line after its leading spaces.
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  LineInfo info = ClassifyLine(line);
  return info.kind == LineKind::kMessage && info.number == number && info.text == text;
}

std::optional<std::string> ReplaceText(std::string_view bytes, const WrittenMessage& written,
                                       std::string_view text) {
  std::string_view line = bytes.substr(written.line.start, written.line.end - written.line.start);
  auto at = [&](std::size_t offset) { return offset - written.line.start; };
  // The same line with the new text where the old one stood.
  std::string kept = std::string(line.substr(0, at(written.text))) + std::string(text) +
                     std::string(line.substr(at(written.text + written.textLength)));
  if (ReadsBackAs(kept, written.number, text)) return kept;
  // The span the blanks enclose: the old text with any quotes around it.
  std::size_t first = written.textPart, last = written.cut;
  while (first < last && IsBlank(bytes[first])) ++first;
  while (last > first && IsBlank(bytes[last - 1])) --last;
  bool commentFollows = written.cut != written.line.end;
  std::string quoted = std::string(line.substr(0, at(first))) + Quoted(text, commentFollows) +
                       std::string(line.substr(at(last)));
  if (ReadsBackAs(quoted, written.number, text)) return quoted;
  return std::nullopt;
}

std::optional<std::string> NewMessageLine(uint32_t number, std::string_view text) {
  std::string head = NumberHead(number);
  std::string plain = head + std::string(text);
  if (ReadsBackAs(plain, number, text)) return plain;
  std::string quoted = head + Quoted(text, false);
  if (ReadsBackAs(quoted, number, text)) return quoted;
  return std::nullopt;
}

}  // namespace tralvex::tool
