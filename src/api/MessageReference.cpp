#include "api/MessageReference.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "api/ShortCopy.h"
#include "platform/CodePage.h"

namespace tralvex {
namespace {

constexpr std::size_t kMaxNumberLength = 16;

bool IsSpaceForConversion(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of each byte as a hexadecimal digit, -1 for a byte that is none.
struct HexDigitTable {
  signed char value[256];
  constexpr HexDigitTable() : value() {
    for (int c = 0; c < 256; ++c) value[c] = -1;
    for (int d = 0; d < 10; ++d) value['0' + d] = static_cast<signed char>(d);
    for (int d = 0; d < 6; ++d) {
      value['a' + d] = static_cast<signed char>(10 + d);
      value['A' + d] = static_cast<signed char>(10 + d);
    }
  }
};
constexpr HexDigitTable kHexDigits;

int HexDigitValue(char c) { return kHexDigits.value[static_cast<unsigned char>(c)]; }

struct HexNumber {
  int32_t value;
  const char* stop;  // the first character not read
};

// Reads a signed hexadecimal number the way the C library's string-to-long
// conversion does with base 16 and a 32-bit long: out of range values stick
// at the limits, no digits give 0. [p, end) is at most 16 characters.
HexNumber ReadHexNumber(const char* p, const char* end) {
  while (p < end && IsSpaceForConversion(*p)) ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigitValue(p[2]) >= 0) {
    p += 2;
  }
  // At most 16 digits: their value fits in 64 bits unsigned. Past 2^31
  // every value gives the same result.
  uint64_t value = 0;
  for (int digit; p < end && (digit = HexDigitValue(*p)) >= 0; ++p) {
    value = value * 16 + static_cast<unsigned>(digit);
  }
  constexpr uint64_t kBeyond = UINT64_C(0x80000000);
  if (value > kBeyond) value = kBeyond;
  if (negative) return {static_cast<int32_t>(-static_cast<int64_t>(value)), p};
  return {value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value), p};
}

// Searches one text for single characters the way platform::FindChar does,
// asking for the code page once per text rather than once per search.
class CharFinder {
 public:
  CharFinder() : doubleByte_(platform::ActiveCodePage().doubleByte) {}
  const char* Find(const char* begin, const char* end, char c) const {
    if (doubleByte_) return platform::FindChar(begin, end, c);
    return static_cast<const char*>(std::memchr(begin, c, static_cast<std::size_t>(end - begin)));
  }

 private:
  bool doubleByte_;
};

// `inner` is the text between the braces, the blanks before the closing one
// already dropped.
inline ParsedReference ParseInner(std::string_view inner, const CharFinder& finder) {
  const char* begin = inner.data();
  const char* end = begin + inner.size();
  HexNumber number = ReadHexNumber(begin, begin + std::min(inner.size(), kMaxNumberLength));
  // What the number was read from (blanks, a sign, "0x", digits) holds no
  // "|" and no lead byte, so the search can start where the number stops;
  // in most references the "|" is right there.
  const char* bar = nullptr;
  if (number.stop < end) {
    bar = *number.stop == '|' ? number.stop : finder.Find(number.stop, end, '|');
  }
  ParsedReference parsed;
  bool readNumber;
  if (bar != nullptr) {
    const char* fallback = bar + 1;
    while (fallback < end && *fallback == ' ') ++fallback;
    parsed.fallback = std::string_view(fallback, static_cast<std::size_t>(end - fallback));
    readNumber = bar > begin;
  } else {
    parsed.fallback = inner;
    readNumber = inner.size() >= 2;
  }
  if (readNumber) parsed.number = number.value;
  return parsed;
}

// Copies at most `room` bytes of `source`, then a terminator. Source and
// buffer may overlap.
void CopyWithRoom(char* buffer, std::size_t room, const char* source) {
  // memchr stops at the first NUL, so it reads no further than the source.
  const void* nul = std::memchr(source, '\0', room);
  std::size_t n =
      nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - source) : room;
  std::memmove(buffer, source, n);
  buffer[n] = '\0';
}

// Appends bytes to a prefilled buffer while room is left, never ending in
// the middle of a double-byte character.
class RoomedWriter {
 public:
  RoomedWriter(char* buffer, std::size_t room) : out_(buffer), room_(room) {}
  std::size_t Room() const { return room_; }
  void Append(const char* text, std::size_t n) {
    if (n > room_) n = CharacterBoundary(text, room_);
    CopyShort(out_, text, n);
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

// One reference: its "{" and the first "}" after it.
struct Span {
  const char* open = nullptr;
  const char* close = nullptr;
};

// The first reference in [from, end); an empty span when there is none,
// also when a "{" has no "}" after it.
inline Span FindReference(const CharFinder& finder, const char* from, const char* end) {
  Span span;
  const char* open = finder.Find(from, end, '{');
  if (open == nullptr) return span;
  const char* close = finder.Find(open + 1, end, '}');
  if (close != nullptr) span = {open, close};
  return span;
}

}  // namespace

ParsedReference ParseMessageReference(std::string_view reference) {
  // Drop the closing brace, then the blanks before it.
  if (!reference.empty() && reference.back() == '}') reference.remove_suffix(1);
  while (!reference.empty() && reference.back() == ' ') reference.remove_suffix(1);
  if (!reference.empty() && reference.front() == '{') reference.remove_prefix(1);
  return ParseInner(reference, CharFinder());
}

void CopyIntoPrefilled(char* buffer, const char* source) {
  if (buffer == nullptr || source == nullptr) return;
  CopyWithRoom(buffer, std::strlen(buffer), source);
}

// One pass over the source: each reference is found, looked up and written
// out before the next one is searched for, so the text is scanned and copied
// once. Reading up to eight references first and evaluating them afterwards
// gives the same output, since nothing a lookup does changes the source.
EvaluationResult EvaluateReferences(const char* source, char* buffer, ReferenceLookup& lookup) {
  EvaluationResult result;
  if (source == nullptr || buffer == nullptr) return result;
  std::size_t room = std::strlen(buffer);
  std::size_t length = std::strlen(source);
  CharFinder finder;
  Span span = FindReference(finder, source, source + length);
  if (span.open == nullptr) {
    CopyWithRoom(buffer, room, source);
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
      span.open = sourceCopy.data() + (span.open - source);
      span.close = sourceCopy.data() + (span.close - source);
      source = sourceCopy.data();
    }
    const char* end = source + length;
    RoomedWriter out(buffer, room);
    out.Append(source, static_cast<std::size_t>(span.open - source));
    const char* lastLookedUp = nullptr;  // the text the last reference was given
    for (int evaluated = 1;; ++evaluated) {
      std::string_view inner(span.open + 1, static_cast<std::size_t>(span.close - span.open - 1));
      while (!inner.empty() && inner.back() == ' ') inner.remove_suffix(1);
      ParsedReference parsed = ParseInner(inner, finder);
      std::string_view insertion = parsed.fallback;
      lastLookedUp = nullptr;
      if (parsed.number > 0) {
        insertion = lookup.MessageText(static_cast<uint32_t>(parsed.number), parsed.fallback);
        lastLookedUp = insertion.data();
      }
      if (insertion.size() >= 2) out.Append(insertion.data(), insertion.size());
      Span next;
      if (evaluated < kMaxReferences) next = FindReference(finder, span.close + 1, end);
      const char* plainEnd = next.open != nullptr ? next.open : end;
      out.Append(span.close + 1, static_cast<std::size_t>(plainEnd - span.close - 1));
      if (next.open == nullptr || out.Room() == 0) break;
      span = next;
    }
    out.Finish();
    result.outcome = Evaluation::kEvaluated;
    // The stand-in for a missing message is known by its address, which the
    // lookups after it leave as it is.
    result.lastMissing = lastLookedUp != nullptr && lookup.IsMissing(lastLookedUp);
  } catch (const std::bad_alloc&) {
    result.outcome = Evaluation::kNoMemory;
  }
  return result;
}

}  // namespace tralvex
