// Other libraries of the process over the Windows loader.
#include "platform/Modules.h"

#include <windows.h>

namespace tralvex::platform {

void* LoadLibraryBeside(const char* path) {
  if (path == nullptr || *path == '\0') return nullptr;
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void* FindLoadedModule(const char* name) {
  if (name == nullptr || *name == '\0') return nullptr;
  return GetModuleHandleA(name);
}

void* FindProcedure(void* module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  // The module's own export table only, never its imports.
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

bool IsBadCodeAddress(void* address) {
  if (address == nullptr) return true;
  return IsBadCodePtr(reinterpret_cast<FARPROC>(address)) != 0;
}

std::size_t LibraryFileName(char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  buffer[0] = '\0';
  // The module that holds this very function: the DLL, or the program when
  // the library is linked into it.
  HMODULE self = nullptr;
  const DWORD flags =
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  if (!GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(&LibraryFileName), &self)) return 0;
  const DWORD room = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
  const DWORD length = GetModuleFileNameA(self, buffer, room);
  // A name that fills the buffer was cut (with or without a NUL, depending
  // on the Windows version).
  if (length == 0 || length >= room) {
    buffer[0] = '\0';
    return 0;
  }
  return length;
}

void* OpenLibrary(const char* path) {
  if (path == nullptr) return nullptr;
  return LoadLibraryA(path);
}

void CloseLibrary(void* module) {
  if (module != nullptr) FreeLibrary(static_cast<HMODULE>(module));
}

}  // namespace tralvex::platform
