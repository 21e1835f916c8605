/* A library of the application family that hands its errors to Tralvex:
 * it exports Qel_GetAllErrors, which Msg_DisplayLibErrors finds by name.
 * Installed beside the Tralvex library, it is named "NotesStore". */
#include <tralvex/tralvex.h>

/* The errors of the last failed operation, oldest first. */
static const int lastCodes[] = {0x127, 0x126};
static const char* const lastContexts[] = {"notes.db", "backup/notes.db"};

/* count: the capacity on entry, the number stored on return. selector:
 * the value the caller passed to Msg_DisplayLibErrors; here 1 asks for a
 * failure. Returns 1 on success. */
TRALVEX_EXPORT TralvexStatus TRALVEX_CALL Qel_GetAllErrors(unsigned* count, int* codes,
                                                           const char** contexts,
                                                           uint32_t selector) {
  unsigned stored = 0;
  if (selector == 1) return 0;
  while (stored < *count && stored < sizeof lastCodes / sizeof lastCodes[0]) {
    codes[stored] = lastCodes[stored];
    contexts[stored] = lastContexts[stored];
    ++stored;
  }
  *count = stored;
  return 1;
}
