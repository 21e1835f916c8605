// Copying of the short pieces that evaluation and formatting put together.
#ifndef TRALVEX_API_SHORTCOPY_H
#define TRALVEX_API_SHORTCOPY_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tralvex {

// Copies n bytes; the two ranges may overlap. The texts between references,
// the messages they insert and argument texts are mostly a few bytes long,
// where the library call of a copy costs more than the copy itself, so up to
// 16 bytes are moved as two overlapping words, both read before either is
// written.
inline void CopyShort(char* to, const char* from, std::size_t n) {
  if (n > 16) {
    std::memmove(to, from, n);
  } else if (n >= 8) {
    uint64_t head, tail;
    std::memcpy(&head, from, 8);
    std::memcpy(&tail, from + n - 8, 8);
    std::memcpy(to, &head, 8);
    std::memcpy(to + n - 8, &tail, 8);
  } else if (n >= 4) {
    uint32_t head, tail;
    std::memcpy(&head, from, 4);
    std::memcpy(&tail, from + n - 4, 4);
    std::memcpy(to, &head, 4);
    std::memcpy(to + n - 4, &tail, 4);
  } else if (n > 0) {
    char first = from[0], middle = from[n / 2], last = from[n - 1];
    to[0] = first;
    to[n / 2] = middle;
    to[n - 1] = last;
  }
}

}  // namespace tralvex

#endif
