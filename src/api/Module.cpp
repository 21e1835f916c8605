#include "api/Module.h"

#include <new>

#include "platform/CodePage.h"
#include "platform/Locale.h"
#include "platform/Modules.h"

namespace tralvex {
namespace {
// Constructed by OnModuleLoad in storage that needs no dynamic
// initialisation, so the order of creation is ours alone.
alignas(Module) unsigned char moduleStorage[sizeof(Module)];
}  // namespace

namespace module_detail {
Module* liveModule = nullptr;
}  // namespace module_detail

using module_detail::liveModule;

void OnModuleLoad() {
  if (liveModule != nullptr) return;
  liveModule = new (moduleStorage) Module();
  liveModule->texts =
      SelectBuiltInTexts(platform::UserDefaultLocaleId(), platform::ActiveCodePage().id);
}

void OnModuleUnload() {
  if (liveModule == nullptr) return;
  liveModule->liveContexts.DestroyAll();
  liveModule->~Module();
  liveModule = nullptr;
}

}  // namespace tralvex
