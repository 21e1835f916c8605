#include "po/SectionList.h"

#include <cstdio>

namespace tralvex::tool {
namespace {

bool NeedsEscape(const std::string& text, std::size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  bool edge = i == 0 || i + 1 == text.size();
  return c < 0x20 || c == 0x7F || c == '%' || c == ',' || c == '=' || (edge && c == ' ');
}

std::string Escape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (NeedsEscape(text, i)) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(text[i]));
      out += hex;
    } else {
      out += text[i];
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FormatSectionList(const std::vector<ListedSection>& sections) {
  std::string value;
  for (const ListedSection& section : sections) {
    if (!value.empty()) value += ", ";
    value += Escape(section.name);
    if (!section.aliasTarget.empty()) value += "=" + Escape(section.aliasTarget);
  }
  return value;
}

std::optional<std::vector<ListedSection>> ParseSectionList(const std::string& value) {
  std::vector<ListedSection> sections;
  std::string_view rest = Trimmed(value);
  while (!rest.empty()) {
    std::size_t comma = rest.find(',');
    std::string_view item = Trimmed(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    std::size_t equals = item.find('=');
    std::optional<std::string> name = Unescape(item.substr(0, equals));
    std::optional<std::string> target =
        equals == std::string_view::npos ? std::string() : Unescape(item.substr(equals + 1));
    if (!name || !target || name->empty()) return std::nullopt;
    sections.push_back({*name, *target});
  }
  return sections;
}

}  // namespace tralvex::tool
