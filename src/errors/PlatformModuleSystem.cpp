#include "errors/ProcedureResolver.h"
#include "platform/Modules.h"

namespace tralvex {

void* PlatformModuleSystem::LoadLibraryBeside(const char* path) {
  return platform::LoadLibraryBeside(path);
}

void* PlatformModuleSystem::FindLoadedModule(const char* name) {
  return platform::FindLoadedModule(name);
}

void* PlatformModuleSystem::FindProcedure(void* module, const char* name) {
  return platform::FindProcedure(module, name);
}

bool PlatformModuleSystem::IsBadCodeAddress(void* address) {
  return platform::IsBadCodeAddress(address);
}

std::size_t PlatformModuleSystem::LibraryFileName(char* buffer, std::size_t size) {
  return platform::LibraryFileName(buffer, size);
}

}  // namespace tralvex
