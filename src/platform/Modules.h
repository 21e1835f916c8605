// Other libraries of the process, and the library's own load and unload.
#ifndef TRALVEX_PLATFORM_MODULES_H
#define TRALVEX_PLATFORM_MODULES_H

#include <cstddef>

namespace tralvex::platform {

// Loads a library by path, its dependencies searched beside it; null on failure.
void* LoadLibraryBeside(const char* path);

// A module already in the process: a name without directory and with the
// extension ".EXE" matches the running program. Null when there is none.
void* FindLoadedModule(const char* name);

void* FindProcedure(void* module, const char* name);

// True when the address does not lie in loaded code.
bool IsBadCodeAddress(void* address);

// The full file name of the library's own module; 0 on failure, else the
// length written (a NUL always follows when size is not 0).
std::size_t LibraryFileName(char* buffer, std::size_t size);

// A library opened by its own path and closed again, as a client application
// loads and unloads this one. Null when it cannot be opened.
void* OpenLibrary(const char* path);
// Drops the reference OpenLibrary took; the system unloads the library when
// nothing else holds it.
void CloseLibrary(void* library);
// An export of a library opened with OpenLibrary, or null.
void* LibraryExport(void* library, const char* name);

}  // namespace tralvex::platform

namespace tralvex {
// Called by the platform's load and unload notifications of the shared
// library; implemented where the module-wide state lives.
void OnModuleLoad();
void OnModuleUnload();
}  // namespace tralvex

#endif
