#include "Terminal.h"

#include "platform/Console.h"

namespace tralvex::tool {

bool StdoutIsTerminal() { return platform::IsTerminal(1); }

}  // namespace tralvex::tool
