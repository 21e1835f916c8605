// A library without the family's error export that depends on one with it:
// its dependency's export must not be taken for its own.
#include "tralvex/tralvex.h"

extern "C" int FamilyLibraryErrorCount(void);

extern "C" TRALVEX_EXPORT int TRALVEX_CALL DependentLibraryFunction(void) {
  return FamilyLibraryErrorCount();
}
