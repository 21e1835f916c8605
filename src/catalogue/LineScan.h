// The byte-level scans under the message-file grammar: the hexadecimal
// digits a line starts with, where a line ends and the last ";" on it.
// They run on every line of every file opened, so on processors with SSE2
// the line scan looks at 32 bytes at a time; elsewhere, and near the end of
// a text, it goes byte by byte with the same result. They search for single
// bytes only: the grammar uses them where a byte cannot be part of a
// double-byte character.
#ifndef TRALVEX_CATALOGUE_LINESCAN_H
#define TRALVEX_CATALOGUE_LINESCAN_H

#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tralvex {

struct HexDigits {
  signed char value[256];
  constexpr HexDigits() : value() {
    for (int c = 0; c < 256; ++c) value[c] = -1;
    for (int c = '0'; c <= '9'; ++c) value[c] = static_cast<signed char>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c) value[c] = static_cast<signed char>(c - 'a' + 10);
    for (int c = 'A'; c <= 'F'; ++c) value[c] = static_cast<signed char>(c - 'A' + 10);
  }
};
inline constexpr HexDigits kHexDigits;

// The value of a hexadecimal digit, or -1.
inline int HexDigitValue(char c) { return kHexDigits.value[static_cast<unsigned char>(c)]; }

// Reads the hexadecimal digits at the start of [begin, end) into number
// (digits beyond 32 bits push the first ones out) and returns where they
// stop.
inline const char* ReadHexDigits(const char* begin, const char* end, uint32_t& number) {
  uint32_t value = 0;
  const char* p = begin;
  for (int digit; p < end && (digit = HexDigitValue(*p)) >= 0; ++p) {
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  number = value;
  return p;
}

// The first carriage return or NUL byte in [begin, end), or end, and the
// last ";" before it: one pass where searches for the line's end, its NUL
// bytes and its semicolons would be three. Only for single-byte code
// pages, where a ";" is always itself.
inline const char* ScanLine(const char* begin, const char* end, const char*& lastSemicolon) {
  const char* p = begin;
  lastSemicolon = nullptr;
#if defined(__SSE2__)
  // 32 bytes a turn, tested at once: most turns find nothing, and a line
  // of a message file takes one or two.
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i semi = _mm_set1_epi8(';');
  const __m128i nul = _mm_setzero_si128();
  while (end - p >= 32) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    const __m128i lowStop = _mm_or_si128(_mm_cmpeq_epi8(low, cr), _mm_cmpeq_epi8(low, nul));
    const __m128i highStop = _mm_or_si128(_mm_cmpeq_epi8(high, cr), _mm_cmpeq_epi8(high, nul));
    const __m128i lowSemi = _mm_cmpeq_epi8(low, semi);
    const __m128i highSemi = _mm_cmpeq_epi8(high, semi);
    const __m128i any =
        _mm_or_si128(_mm_or_si128(lowStop, highStop), _mm_or_si128(lowSemi, highSemi));
    if (_mm_movemask_epi8(any) != 0) {
      const uint32_t stops = static_cast<uint32_t>(_mm_movemask_epi8(lowStop)) |
                             static_cast<uint32_t>(_mm_movemask_epi8(highStop)) << 16;
      uint32_t semis = static_cast<uint32_t>(_mm_movemask_epi8(lowSemi)) |
                       static_cast<uint32_t>(_mm_movemask_epi8(highSemi)) << 16;
      if (stops != 0) semis &= (uint32_t{1} << std::countr_zero(stops)) - 1;
      if (semis != 0) lastSemicolon = p + (31 - std::countl_zero(semis));
      if (stops != 0) return p + std::countr_zero(stops);
    }
    p += 32;
  }
#endif
  for (; p < end; ++p) {
    if (*p == '\r' || *p == '\0') return p;
    if (*p == ';') lastSemicolon = p;
  }
  return end;
}

}  // namespace tralvex

#endif
