#ifndef TRALVEX_CATALOGUE_TRIMBLANKS_H
#define TRALVEX_CATALOGUE_TRIMBLANKS_H

#include <string>
#include <string_view>

namespace tralvex {

// Spaces and tabs only: other white space is part of a text.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The text without leading and trailing spaces and tabs. Blanks are single
// bytes that never occur as the trail byte of a double-byte character in the
// code pages the library supports, so a plain byte scan is safe.
inline std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string_view(text.data() + begin, end - begin);
}

inline void TrimBlanks(std::string& text) {
  text = std::string(TrimBlanks(std::string_view(text)));
}

}  // namespace tralvex

#endif
