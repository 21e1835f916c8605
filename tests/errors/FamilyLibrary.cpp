// A library of the family for the tests: it hands out errors through the
// export the display of other libraries' errors looks for. The selector
// chooses what it does.
#include <cstdint>

#include "tralvex/tralvex.h"

namespace {
const int kCodes[] = {0x0127, 0x0120, 0x0108};
const char* const kTexts[] = {"first.msg", nullptr, "a context text longer than twenty"};
}  // namespace

// 0: three errors; 1: failure; 2: more errors than the capacity; 3: none.
extern "C" TRALVEX_EXPORT uint32_t TRALVEX_CALL Qel_GetAllErrors(unsigned* count, int* codes,
                                                                 const char** texts,
                                                                 uint32_t selector) {
  if (selector == 1) return 0;
  unsigned capacity = *count;
  unsigned stored = 0;
  if (selector == 0 || selector == 2) {
    for (; stored < capacity && stored < 3; ++stored) {
      codes[stored] = kCodes[stored];
      texts[stored] = kTexts[stored];
    }
  }
  if (selector == 2) {
    for (; stored < capacity; ++stored) codes[stored] = 0x0200 + static_cast<int>(stored);
    stored = 1000;
  }
  *count = stored;
  return 1;
}

// What DependentLibrary uses, so that it depends on this library.
extern "C" TRALVEX_EXPORT int FamilyLibraryErrorCount(void) { return 3; }
