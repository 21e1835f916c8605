// Opening and closing other shared objects.
#include <dlfcn.h>

#include "platform/Modules.h"

namespace tralvex::platform {

void* OpenLibrary(const char* path) {
  if (path == nullptr) return nullptr;
  return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

void CloseLibrary(void* library) {
  if (library != nullptr) dlclose(library);
}

void* LibraryExport(void* library, const char* name) {
  if (library == nullptr || name == nullptr) return nullptr;
  return dlsym(library, name);
}

}  // namespace tralvex::platform
