/* A client written in C that links the library through its import library
 * (on 32-bit Windows a stdcall caller, whose references carry "@<bytes>"),
 * as the applications of the family do. */
#include <stdio.h>

#include "tralvex/tralvex.h"

int main(void) {
  TralvexStatus probe = Tralvex();
  if (probe != 0x4B4F) {
    fprintf(stderr, "Tralvex() returned 0x%04X\n", (unsigned)probe);
    return 1;
  }
  return 0;
}
