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

struct References {
  Span spans[kMaxReferences];
  std::size_t count = 0;
};

References CollectReferences(const char* text, std::size_t length) {
  References found;
  const char* end = text + length;
  const char* open = platform::FindChar(text, end, '{');
  while (open != nullptr && found.count < static_cast<std::size_t>(kMaxReferences)) {
    const char* close = platform::FindChar(open + 1, end, '}');
    if (close == nullptr) break;
    found.spans[found.count++] = {static_cast<std::size_t>(open - text),
                                  static_cast<std::size_t>(close - text)};
    open = platform::FindChar(close + 1, end, '{');
  }
  return found;
}

}  // namespace

ParsedReference ParseMessageReference(std::string_view reference) {
  ParsedReference parsed;
  // Drop the closing brace, then the blanks before it.
  if (!reference.empty() && reference.back() == '}') reference.remove_suffix(1);
  while (!reference.empty() && reference.back() == ' ') reference.remove_suffix(1);
  std::string_view inner = reference;
  if (!inner.empty() && inner.front() == '{') inner.remove_prefix(1);
  const char* bar = platform::FindChar(inner.data(), inner.data() + inner.size(), '|');
  bool readNumber;
  if (bar != nullptr) {
    std::size_t barAt = static_cast<std::size_t>(bar - inner.data());
    std::size_t fallbackAt = barAt + 1;
    while (fallbackAt < inner.size() && inner[fallbackAt] == ' ') ++fallbackAt;
    parsed.fallback = inner.substr(fallbackAt);
    readNumber = barAt >= 1;
  } else {
    parsed.fallback = inner;
    readNumber = inner.size() >= 2;
  }
  if (readNumber) parsed.number = ReadHexNumber(inner.substr(0, kMaxNumberLength));
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
  References refs = CollectReferences(source, length);
  if (refs.count == 0) {
    CopyIntoPrefilled(buffer, source);
    result.outcome = Evaluation::kCopied;
    result.lastMissing = lookup.IsMissing(source);
    return result;
  }
  try {
    // The buffer is rewritten from its start, so a source that lies in it is
    // read from a copy.
    std::string sourceCopy;
    if (source + length >= buffer && source <= buffer + room) {
      sourceCopy.assign(source, length);
      source = sourceCopy.c_str();
    }
    RoomedWriter out(buffer, room);
    out.Append(source, refs.spans[0].open);
    for (std::size_t i = 0; i < refs.count; ++i) {
      const Span& span = refs.spans[i];
      std::size_t size = span.close - span.open + 1;
      ParsedReference parsed = ParseMessageReference(std::string_view(source + span.open, size));
      std::string_view insertion = parsed.fallback;
      result.lastMissing = false;
      if (parsed.number > 0) {
        insertion = lookup.MessageText(static_cast<uint32_t>(parsed.number), parsed.fallback);
        result.lastMissing = lookup.IsMissing(insertion.data());
      }
      if (insertion.size() >= 2) out.Append(insertion.data(), insertion.size());
      std::size_t plainEnd = i + 1 < refs.count ? refs.spans[i + 1].open : length;
      out.Append(source + span.close + 1, plainEnd - span.close - 1);
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
