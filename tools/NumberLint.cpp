#include "NumberLint.h"

#include <string>

#include "catalogue/TrimBlanks.h"

namespace tralvex::tool {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Words such as "Bad", "Face" or "Added" that are hexadecimal numbers too.
// Numbers are written in one case; a word starts with a capital.
constexpr std::size_t kShortestWord = 3;

bool LooksLikeWord(std::string_view digits) {
  bool upper = false, lower = false;
  for (char c : digits) {
    upper |= c >= 'A' && c <= 'F';
    lower |= c >= 'a' && c <= 'f';
  }
  return upper && lower && digits.size() >= kShortestWord;
}

}  // namespace

void CheckNumberPart(std::string_view part, uint32_t number, Reporter& report) {
  const char* code = "message-number";
  std::size_t i = 0;
  while (i < part.size() && IsSpace(part[i])) ++i;
  if (i == part.size()) {
    report.At(part.data() + part.size(), Severity::kNote,
              "no number before the ':': this is message 0", code);
    return;
  }
  const char* start = part.data() + i;
  if (part[i] == '-') {
    report.At(start, Severity::kWarning,
              "a negative number wraps around: this is message " + Hex(number), code);
  }
  if (part[i] == '-' || part[i] == '+') ++i;
  // "0x" is a prefix only when a digit follows it, as the library reads it.
  bool prefix = i + 2 < part.size() && part[i] == '0' &&
                (part[i + 1] == 'x' || part[i + 1] == 'X') && IsHexDigit(part[i + 2]);
  if (prefix) i += 2;
  std::size_t digitsStart = i;
  bool anyDecimal = false;
  while (i < part.size() && part[i] == '0') {
    anyDecimal = true;
    ++i;
  }
  std::size_t significantStart = i;
  while (i < part.size() && IsHexDigit(part[i])) anyDecimal |= IsDecimalDigit(part[i++]);
  std::string_view digits = part.substr(digitsStart, i - digitsStart);
  if (i - significantStart > 8) {
    report.At(start, Severity::kWarning,
              "the number has more than 8 hexadecimal digits and does not fit 32 bits: this "
              "is message " +
                  Hex(number),
              code);
  }
  std::string_view rest = TrimBlanks(part.substr(i));
  if (!rest.empty()) {
    report.At(part.data() + i, Severity::kWarning,
              "only \"" + std::string(digits) + "\" is read as the number (" + Hex(number) +
                  "); \"" + Excerpt(rest) + "\" is ignored",
              code);
  } else if (!prefix && !anyDecimal && LooksLikeWord(digits)) {
    report.At(start, Severity::kNote,
              "\"" + std::string(digits) + "\" is read as the hexadecimal number " + Hex(number),
              code);
  }
}

}  // namespace tralvex::tool
