// The module-wide state of the library, in one place. It is created when the
// library is loaded and destroyed when it is unloaded, its members in the
// order of declaration and the reverse.
#ifndef TRALVEX_API_MODULE_H
#define TRALVEX_API_MODULE_H

#include <cstdint>

#include "api/CatalogueHandleTable.h"
#include "api/ContextCatalogueAccess.h"
#include "api/LiveContextList.h"
#include "api/WindowHooks.h"
#include "catalogue/LoadedFileTable.h"
#include "catalogue/SearchDirectories.h"
#include "errors/BuiltInTexts.h"
#include "errors/ProcedureResolver.h"
#include "tralvex/tralvex.h"

namespace tralvex {

struct Module {
  // The procedures and modules of other libraries found so far.
  ResolverCaches resolverCaches;
  BuiltInTexts texts;
  // Message files are resolved in it; empty until Msg_SetDefaultDir.
  DefaultDirectory defaultDirectory;
  // Parsed files shared by the catalogues open on them.
  LoadedFileTable loadedFiles;
  // Destroyed before the objects above, which its catalogues still use.
  CatalogueHandleTable catalogues{10};
  // How message contexts reach the handle functions; holds no state.
  ContextCatalogueAccess contextAccess;
  // The contexts handed out and not yet destroyed. Emptied by the shutdown
  // step before anything else goes, so that the catalogues they close are
  // still in the table.
  LiveContextList liveContexts;
  // Set by the first successful Msg_SetDefaultDir, never cleared.
  int defaultDirectorySet = 0;
  // "QelError.msg" once opened on demand, else kNoCatalogue.
  uint32_t errorCatalogueHandle = kNoCatalogue;
  // The latest "MSG(%05X)"; its address marks a missing message.
  char placeholderText[14] = {};
  // The application's stand-ins for the window functions, if any.
  WindowHooks windowHooks;
  // Every message box goes through it; null means the platform's own.
  Msg_MessageBoxProc messageBoxHook = nullptr;
};

namespace module_detail {
// Set by OnModuleLoad, cleared by OnModuleUnload; read through TheModule.
extern Module* liveModule;
}  // namespace module_detail

// The live module; valid between OnModuleLoad and OnModuleUnload. Inline,
// since every lookup starts here.
inline Module& TheModule() { return *module_detail::liveModule; }

}  // namespace tralvex

#endif
