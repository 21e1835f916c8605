#include "errors/ProcedureResolver.h"

#include <cstring>
#include <new>

#include "errors/ErrorCodes.h"
#include "platform/CodePage.h"

namespace tralvex {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Where the file-name part of a module name starts.
const char* FileNamePart(const char* name) {
  const char* end = name + std::strlen(name);
  const char* backslash = platform::FindLastChar(name, end, '\\');
  const char* slash = platform::FindLastChar(name, end, '/');
  const char* last = backslash > slash ? backslash : slash;
  return last != nullptr ? last + 1 : name;
}

// A directory that starts at the root, after an optional drive letter.
bool IsRootedPath(const char* name) {
  const char* directory = name;
  if (((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')) &&
      name[1] == ':') {
    directory = name + 2;
  }
  return IsSeparator(*directory);
}

bool HasExtension(const char* name) {
  const char* fileName = FileNamePart(name);
  return platform::FindChar(fileName, fileName + std::strlen(fileName), '.') != nullptr;
}

}  // namespace

void* ProcedureResolver::GetLibraryProcedure(const char* procedure, const char* module) {
  ClearErrors();
  if (procedure == nullptr || module == nullptr) {
    AddError(error_code::kModuleNotLoaded, module);
    return nullptr;
  }
  if (std::strlen(procedure) + 1 + std::strlen(module) > kMaxProcedureKey) {
    AddError(error_code::kModuleNotLoaded, module);
    return nullptr;
  }
  std::string key = std::string(procedure) + "|" + module;
  auto cached = caches_.procedures.find(key);
  if (cached != caches_.procedures.end()) return cached->second;
  void* handle = GetLibraryModule(module);
  if (handle == nullptr) return nullptr;
  void* address = system_.FindProcedure(handle, procedure);
  if (address == nullptr) {
    AddError(error_code::kNoSuchProcedure, procedure);
    return nullptr;
  }
  if (system_.IsBadCodeAddress(address)) {
    AddError(error_code::kBadProcedureAddress, procedure);
    return nullptr;
  }
  Remember(caches_.procedures, key, address);
  return address;
}

void* ProcedureResolver::GetLibraryModule(const char* module) {
  if (module == nullptr) {
    AddError(error_code::kModuleNotLoaded, nullptr);
    return nullptr;
  }
  std::string name = module;
  auto cached = caches_.modules.find(name);
  if (cached != caches_.modules.end()) return cached->second;
  if (!IsRootedPath(module) && !HasExtension(module)) {
    if (name.size() + 4 > kMaxPath) {
      AddError(error_code::kModuleNotLoaded, module);
      return nullptr;
    }
    // A name without extension may be the running program's.
    void* program = system_.FindLoadedModule((name + ".EXE").c_str());
    if (program != nullptr) {
      Remember(caches_.modules, name, program);
      return program;
    }
  }
  std::string path = name;
  if (!IsRootedPath(module)) {
    const char* own = GetOwnDirectory();
    if (own != nullptr) path = own + name;
  }
  if (path.size() > kMaxPath) {
    AddError(error_code::kModuleNotLoaded, module);
    return nullptr;
  }
  void* handle = system_.LoadLibraryBeside(path.c_str());
  if (handle == nullptr) {
    AddError(error_code::kModuleNotLoaded, path.c_str());
    return nullptr;
  }
  Remember(caches_.modules, name, handle);
  return handle;
}

const char* ProcedureResolver::GetOwnDirectory() {
  if (!caches_.ownDirectory.empty()) return caches_.ownDirectory.c_str();
  char fileName[kMaxPath] = {};
  if (system_.LibraryFileName(fileName, sizeof fileName) == 0) return nullptr;
  const char* fileNamePart = FileNamePart(fileName);
  try {
    caches_.ownDirectory.assign(fileName, static_cast<std::size_t>(fileNamePart - fileName));
  } catch (const std::bad_alloc&) {
    caches_.ownDirectory.clear();
    return nullptr;
  }
  return caches_.ownDirectory.empty() ? nullptr : caches_.ownDirectory.c_str();
}

// Memory exhaustion only costs the cache entry.
void ProcedureResolver::Remember(std::unordered_map<std::string, void*>& cache,
                                 const std::string& key, void* value) {
  try {
    cache[key] = value;
  } catch (const std::bad_alloc&) {
  }
}

}  // namespace tralvex
