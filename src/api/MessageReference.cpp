#include "api/MessageReference.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"

namespace tralvex {
namespace {

constexpr std::size_t kMaxNumberLength = 16;

bool IsSpaceForConversion(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a signed hexadecimal number the way the C library's string-to-long
// conversion does with base 16 and a 32-bit long: out of range values stick
// at the limits, no digits give 0.
int32_t ReadHexNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsSpaceForConversion(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  bool hasPrefix = pos + 2 < text.size() && text[pos] == '0' &&
                   (text[pos + 1] == 'x' || text[pos + 1] == 'X') &&
                   HexDigitValue(text[pos + 2]) >= 0;
  if (hasPrefix) pos += 2;
  int64_t value = 0;
  bool overflow = false;
  for (; pos < text.size() && HexDigitValue(text[pos]) >= 0; ++pos) {
    value = value * 16 + HexDigitValue(text[pos]);
    if (value > INT64_C(0x80000000)) {
      overflow = true;
      value = INT64_C(0x80000000);
    }
  }
  if (negative) {
    return overflow || value >= INT64_C(0x80000000) ? INT32_MIN : static_cast<int32_t>(-value);
  }
  return overflow || value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

// Appends bytes to a prefilled buffer while room is left, never ending in
// the middle of a double-byte character.
class RoomedWriter {
 public:
  RoomedWriter(char* buffer, std::size_t room) : out_(buffer), room_(room) {}
  std::size_t Room() const { return room_; }
  void Append(const char* text, std::size_t n) {
    if (n > room_) n = CharacterBoundary(text, room_);
    std::memmove(out_, text, n);
    out_ += n;
    room_ -= n;
  }
  void Finish() { *out_ = '\0'; }

 private:
  static std::size_t CharacterBoundary(const char* text, std::size_t limit) {
    if (!platform::ActiveCodePage().doubleByte) return limit;
    const char* p = text;
    while (static_cast<std::size_t>(platform::NextChar(p) - text) <= limit && *p != '\0') {
      p = platform::NextChar(p);
    }
    return static_cast<std::size_t>(p - text);
  }

  char* out_;
  std::size_t room_;
};

struct Span {
  std::size_t open;   // position of "{"
  std::size_t close;  // position of "}"
};

std::vector<Span> CollectReferences(const char* text, std::size_t length) {
  std::vector<Span> spans;
  const char* end = text + length;
  const char* open = platform::FindChar(text, end, '{');
  while (open != nullptr && spans.size() < static_cast<std::size_t>(kMaxReferences)) {
    const char* close = platform::FindChar(open + 1, end, '}');
    if (close == nullptr) break;
    spans.push_back(
        {static_cast<std::size_t>(open - text), static_cast<std::size_t>(close - text)});
    open = platform::FindChar(close + 1, end, '{');
  }
  return spans;
}

}  // namespace

ParsedReference ParseMessageReference(std::string& reference) {
  ParsedReference parsed;
  // Drop the closing brace, then the blanks before it.
  if (!reference.empty() && reference.back() == '}') reference.pop_back();
  while (!reference.empty() && reference.back() == ' ') reference.pop_back();
  std::size_t innerStart = !reference.empty() && reference[0] == '{' ? 1 : 0;
  const char* inner = reference.c_str() + innerStart;
  std::size_t innerLength = reference.size() - innerStart;
  const char* bar = platform::FindChar(inner, inner + innerLength, '|');
  bool readNumber;
  if (bar != nullptr) {
    const char* fallback = bar + 1;
    while (*fallback == ' ') ++fallback;
    parsed.fallback = fallback;
    readNumber = bar - inner >= 1;
  } else {
    parsed.fallback = inner;
    readNumber = innerLength >= 2;
  }
  if (readNumber) {
    std::size_t length = innerLength < kMaxNumberLength ? innerLength : kMaxNumberLength;
    parsed.number = ReadHexNumber(std::string_view(inner, length));
  }
  return parsed;
}

void CopyIntoPrefilled(char* buffer, const char* source) {
  if (buffer == nullptr || source == nullptr) return;
  std::size_t room = std::strlen(buffer);
  std::size_t n = 0;
  while (n < room && source[n] != '\0') ++n;
  std::memmove(buffer, source, n);
  buffer[n] = '\0';
}

EvaluationResult EvaluateReferences(const char* source, char* buffer, ReferenceLookup& lookup) {
  EvaluationResult result;
  if (source == nullptr || buffer == nullptr) return result;
  std::size_t room = std::strlen(buffer);
  std::size_t length = std::strlen(source);
  try {
    std::vector<Span> spans = CollectReferences(source, length);
    if (spans.empty()) {
      CopyIntoPrefilled(buffer, source);
      result.outcome = Evaluation::kCopied;
      result.lastMissing = lookup.IsMissing(source);
      return result;
    }
    // The buffer is rewritten from its start, so a source that lies in it is
    // read from a copy.
    std::string sourceCopy;
    if (source + length >= buffer && source <= buffer + room) {
      sourceCopy.assign(source, length);
      source = sourceCopy.c_str();
    }
    std::string work;
    work.reserve(length);
    RoomedWriter out(buffer, room);
    out.Append(source, spans[0].open);
    for (std::size_t i = 0; i < spans.size(); ++i) {
      work.assign(source + spans[i].open, spans[i].close - spans[i].open + 1);
      ParsedReference parsed = ParseMessageReference(work);
      const char* insertion = parsed.fallback;
      result.lastMissing = false;
      if (parsed.number > 0) {
        insertion = lookup.MessageText(static_cast<uint32_t>(parsed.number), parsed.fallback);
        result.lastMissing = lookup.IsMissing(insertion);
      }
      std::size_t insertionLength = std::strlen(insertion);
      if (insertionLength >= 2) out.Append(insertion, insertionLength);
      std::size_t plainEnd = i + 1 < spans.size() ? spans[i + 1].open : length;
      out.Append(source + spans[i].close + 1, plainEnd - spans[i].close - 1);
      if (out.Room() == 0) break;
    }
    out.Finish();
    result.outcome = Evaluation::kEvaluated;
  } catch (const std::bad_alloc&) {
    result.outcome = Evaluation::kNoMemory;
  }
  return result;
}

}  // namespace tralvex
