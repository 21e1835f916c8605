// The exported display of another library's errors.
#include "api/LiveServices.h"
#include "api/Module.h"
#include "errors/LibraryErrors.h"
#include "errors/ProcedureResolver.h"
#include "tralvex/tralvex.h"

TRALVEX_API int TRALVEX_CALL Msg_DisplayLibErrors(const char* action, const char* moduleName,
                                                  uint32_t selector, unsigned int style,
                                                  int errHandle) {
  tralvex::LiveServices services;
  try {
    tralvex::PlatformModuleSystem modules;
    tralvex::ProcedureResolver resolver(tralvex::TheModule().resolverCaches, modules);
    return tralvex::ShowLibraryErrors(services, resolver, action, moduleName, selector, style,
                                      errHandle);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}
