// The module-wide state of the library, in one place. It is created when the
// library is loaded and destroyed when it is unloaded, its members in the
// order of declaration and the reverse.
#ifndef TRALVEX_API_MODULE_H
#define TRALVEX_API_MODULE_H

#include <cstdint>

#include "errors/BuiltInTexts.h"
#include "tralvex/tralvex.h"

namespace tralvex {

struct Module {
  BuiltInTexts texts;
  // Every message box goes through it; null means the platform's own.
  Msg_MessageBoxProc messageBoxHook = nullptr;
};

// The live module; valid between OnModuleLoad and OnModuleUnload.
Module& TheModule();

}  // namespace tralvex

#endif
