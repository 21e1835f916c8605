// Opening and closing other DLLs.
#include <windows.h>

#include "platform/Modules.h"

namespace tralvex::platform {

void* OpenLibrary(const char* path) {
  if (path == nullptr) return nullptr;
  return LoadLibraryA(path);
}

void CloseLibrary(void* library) {
  if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

void* LibraryExport(void* library, const char* name) {
  if (library == nullptr || name == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

}  // namespace tralvex::platform
