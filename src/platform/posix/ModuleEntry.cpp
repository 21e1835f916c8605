// The shared object's load and unload bring the module-wide state up and down.
#include "platform/Modules.h"

namespace {
__attribute__((constructor)) void LoadTralvex() { tralvex::OnModuleLoad(); }
__attribute__((destructor)) void UnloadTralvex() { tralvex::OnModuleUnload(); }
}  // namespace
