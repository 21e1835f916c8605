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

// Holds one reference at a time: on the stack when it is short.
class WorkCopy {
 public:
  // Throws std::bad_alloc when a long reference finds no memory.
  explicit WorkCopy(std::size_t largest) {
    if (largest + 1 > sizeof small_) {
      large_.resize(largest + 1);
      data_ = large_.data();
    }
  }
  char* Hold(const char* text, std::size_t length) {
    std::memcpy(data_, text, length);
    data_[length] = '\0';
    return data_;
  }

 private:
  char small_[128];
  std::vector<char> large_;
  char* data_ = small_;
};

}  // namespace

ParsedReference ParseMessageReference(char* reference, std::size_t length) {
  ParsedReference parsed;
  // Drop the closing brace, then the blanks before it.
  if (length > 0 && reference[length - 1] == '}') --length;
  while (length > 0 && reference[length - 1] == ' ') --length;
  reference[length] = '\0';
  std::size_t innerStart = length > 0 && reference[0] == '{' ? 1 : 0;
  const char* inner = reference + innerStart;
  std::size_t innerLength = length - innerStart;
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
    std::size_t digits = innerLength < kMaxNumberLength ? innerLength : kMaxNumberLength;
    parsed.number = ReadHexNumber(std::string_view(inner, digits));
  }
  return parsed;
}

ParsedReference ParseMessageReference(std::string& reference) {
  std::size_t length = reference.size();
  reference.push_back('\0');
  ParsedReference parsed = ParseMessageReference(reference.data(), length);
  reference.resize(std::strlen(reference.c_str()));
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
    std::size_t largest = 0;
    for (std::size_t i = 0; i < refs.count; ++i) {
      std::size_t size = refs.spans[i].close - refs.spans[i].open + 1;
      if (size > largest) largest = size;
    }
    WorkCopy work(largest);
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
      ParsedReference parsed = ParseMessageReference(work.Hold(source + span.open, size), size);
      const char* insertion = parsed.fallback;
      result.lastMissing = false;
      if (parsed.number > 0) {
        insertion = lookup.MessageText(static_cast<uint32_t>(parsed.number), parsed.fallback);
        result.lastMissing = lookup.IsMissing(insertion);
      }
      std::size_t insertionLength = std::strlen(insertion);
      if (insertionLength >= 2) out.Append(insertion, insertionLength);
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
