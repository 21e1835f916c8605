// Other libraries of the process, and the library's own load and unload.
#ifndef TRALVEX_PLATFORM_MODULES_H
#define TRALVEX_PLATFORM_MODULES_H

#include <cstddef>

namespace tralvex::platform {

// Loads a library by path, its dependencies searched beside it; null on
// failure. The library stays loaded for the life of the process. On POSIX,
// backslashes become slashes, and a file name without extension that does
// not load as spelled is tried again with ".so" (Windows adds ".DLL").
void* LoadLibraryBeside(const char* path);

// A module already in the process, without loading anything: a name without
// directory and with the extension ".EXE" matches the running program. On
// POSIX the program's file usually has no extension, so "NAME.EXE" matches a
// program file named "name" or "name.<any>", compared without case. Null
// when there is none.
void* FindLoadedModule(const char* name);

// The address of a procedure that the module itself exports, or null; an
// export of a library the module depends on is not the module's.
void* FindProcedure(void* module, const char* name);

// True when the address does not lie in loaded code (on POSIX: in no loaded
// object at all).
bool IsBadCodeAddress(void* address);

// The full file name of the library's own module; 0 on failure, else the
// length written (a NUL always follows when size is not 0). A name that does
// not fit is a failure: a cut name would be another file's.
std::size_t LibraryFileName(char* buffer, std::size_t size);

// Loads and unloads a library by path, counted as the system counts loads;
// for programs that use the library as a client does (the integration
// tests). Null on failure; CloseLibrary takes null too.
void* OpenLibrary(const char* path);
void CloseLibrary(void* module);

}  // namespace tralvex::platform

namespace tralvex {
// Called by the platform's load and unload notifications of the shared
// library; implemented where the module-wide state lives.
void OnModuleLoad();
void OnModuleUnload();
}  // namespace tralvex

#endif
