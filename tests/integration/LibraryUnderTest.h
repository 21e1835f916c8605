// The built shared library, loaded by path from beside the test program, as
// a client application loads it.
#ifndef TRALVEX_TESTS_INTEGRATION_LIBRARYUNDERTEST_H
#define TRALVEX_TESTS_INTEGRATION_LIBRARYUNDERTEST_H

#include <string>

#include "platform/Modules.h"
#include "tralvex/tralvex.h"

namespace tralvex::testing {

// The library file beside this program ("Tralvex.dll", "libtralvex.so").
std::string LibraryPath();

// The name under which the loaded library is known in the process.
const char* LoadedLibraryName();

// One load of the library, unloaded with the object.
class LoadedLibrary {
 public:
  LoadedLibrary() : module_(platform::OpenLibrary(LibraryPath().c_str())) {}
  ~LoadedLibrary() { platform::CloseLibrary(module_); }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  void* module() const { return module_; }

  // An export by name, as the given function type; null when missing.
  template <typename Function>
  Function Get(const char* name) const {
    return reinterpret_cast<Function>(platform::FindProcedure(module_, name));
  }

 private:
  void* module_;
};

using ProbeFunction = TralvexStatus(TRALVEX_CALL*)(void);
using SetDefaultDirFunction = TralvexStatus(TRALVEX_CALL*)(const char*);

}  // namespace tralvex::testing

#endif
