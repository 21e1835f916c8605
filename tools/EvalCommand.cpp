#include "Commands.h"

namespace tralvex::tool {

int EvalCommand(const Arguments&, Streams&) { return 2; }
int FormatCommand(const Arguments&, Streams&) { return 2; }
int DumpCommand(const Arguments&, Streams&) { return 2; }
int MapCommand(const Arguments&, Streams&) { return 2; }

}  // namespace tralvex::tool
