// A library without the family's error export.
#include "tralvex/tralvex.h"

extern "C" TRALVEX_EXPORT int TRALVEX_CALL PlainLibraryFunction(void) { return 1; }
