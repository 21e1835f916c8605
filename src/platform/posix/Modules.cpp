// Other libraries of the process over the dynamic linker.
#include "platform/Modules.h"

#include <dlfcn.h>
#include <limits.h>
#include <link.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace tralvex::platform {
namespace {

std::string ToSlashes(const char* path) {
  std::string result(path);
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  return result;
}

std::string FileNamePart(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutExtension(const std::string& name) {
  std::size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string ProgramFileName() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::string();
  return std::string(path, static_cast<std::size_t>(length));
}

// "NAME.EXE" or "NAME" against the program's file "name", "name.exe" or
// "name.bin"; "NAME.DLL" names a library, never the program.
bool NamesTheProgram(const std::string& name) {
  const std::string program = FileNamePart(ProgramFileName());
  if (program.empty()) return false;
  if (SameIgnoringCase(name, program)) return true;
  const std::string stem = WithoutExtension(name);
  const std::string extension = name.substr(stem.size());
  if (!extension.empty() && !SameIgnoringCase(extension, ".exe")) return false;
  return SameIgnoringCase(stem, program) || SameIgnoringCase(stem, WithoutExtension(program));
}

// Whether address lies in module itself. dlsym searches the module's
// dependencies too (and, for the running program, every global object), so
// that a library without an export would lend out one of a library it uses.
// An address in no object at all is left to IsBadCodeAddress.
bool LiesInModule(void* address, void* module) {
  link_map* own = nullptr;
  if (dlinfo(module, RTLD_DI_LINKMAP, &own) != 0 || own == nullptr) return false;
  Dl_info info;
  link_map* holder = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void**>(&holder), RTLD_DL_LINKMAP) == 0) {
    return true;
  }
  return holder == own;
}

}  // namespace

void* LoadLibraryBeside(const char* path) {
  if (path == nullptr || *path == '\0') return nullptr;
  std::string file = ToSlashes(path);
  void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr && FileNamePart(file).find('.') == std::string::npos) {
    module = dlopen((file + ".so").c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  return module;
}

void* FindLoadedModule(const char* name) {
  if (name == nullptr || *name == '\0') return nullptr;
  const std::string file = ToSlashes(name);
  if (file.find('/') == std::string::npos && NamesTheProgram(file))
    return dlopen(nullptr, RTLD_NOW);
  // A library already loaded; like a module handle, the answer takes no
  // reference of its own.
  void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (module != nullptr) dlclose(module);
  return module;
}

void* FindProcedure(void* module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  void* address = dlsym(module, name);
  return address != nullptr && LiesInModule(address, module) ? address : nullptr;
}

bool IsBadCodeAddress(void* address) {
  if (address == nullptr) return true;
  Dl_info info;
  return dladdr(address, &info) == 0;
}

std::size_t LibraryFileName(char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  buffer[0] = '\0';
  Dl_info info;
  link_map* map = nullptr;
  void* self = reinterpret_cast<void*>(&LibraryFileName);
  if (dladdr1(self, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0) return 0;
  // The program itself has an empty name in the linker's list; a library
  // has the path it was loaded by, perhaps relative to a former directory.
  std::string name;
  if (map == nullptr || map->l_name == nullptr || map->l_name[0] == '\0') {
    name = ProgramFileName();
  } else {
    char resolved[PATH_MAX];
    if (realpath(map->l_name, resolved) == nullptr) return 0;
    name = resolved;
  }
  if (name.empty() || name.size() >= size) return 0;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  return name.size();
}

void* OpenLibrary(const char* path) {
  if (path == nullptr) return nullptr;
  return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

void CloseLibrary(void* module) {
  if (module != nullptr) dlclose(module);
}

}  // namespace tralvex::platform
