#include "LibraryUnderTest.h"

namespace tralvex::testing {

std::string LibraryPath() {
  // This program's own file: the platform code is linked into it.
  char program[4096];
  std::size_t length = platform::LibraryFileName(program, sizeof program);
  std::string path(program, length);
  std::size_t separator = path.find_last_of("/\\");
  path.resize(separator == std::string::npos ? 0 : separator + 1);
  return path + TRALVEX_LIBRARY_FILE;
}

const char* LoadedLibraryName() { return TRALVEX_LIBRARY_MODULE; }

}  // namespace tralvex::testing
