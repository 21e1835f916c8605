#include "platform/Console.h"

#include <unistd.h>

namespace tralvex::platform {

bool IsTerminal(int stream) { return (stream == 1 || stream == 2) && isatty(stream) == 1; }

}  // namespace tralvex::platform
