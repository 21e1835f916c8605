#include "tralvex/tralvex.h"

TRALVEX_API TralvexStatus TRALVEX_CALL Tralvex(void) { return 0x4B4F; }
