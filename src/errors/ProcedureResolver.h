// Finding a procedure of another library of the family by name, loading the
// library when the process does not have it yet.
#ifndef TRALVEX_ERRORS_PROCEDURERESOLVER_H
#define TRALVEX_ERRORS_PROCEDURERESOLVER_H

#include <cstddef>
#include <string>
#include <unordered_map>

#include "tralvex/ErrorList.h"

namespace tralvex {

// Module-wide: filled as libraries are asked for, kept until the library is
// unloaded; modules once loaded stay loaded.
struct ResolverCaches {
  // "procedure|module", exactly as passed, to the procedure's address.
  std::unordered_map<std::string, void*> procedures;
  // Module name, exactly as passed, to the module handle.
  std::unordered_map<std::string, void*> modules;
  // The directory of the library's own file with its separator; empty until
  // it has been found.
  std::string ownDirectory;
};

// The system's side of resolving; the platform's own in the library.
class ModuleSystem {
 public:
  virtual ~ModuleSystem() = default;
  virtual void* LoadLibraryBeside(const char* path) = 0;
  virtual void* FindLoadedModule(const char* name) = 0;
  virtual void* FindProcedure(void* module, const char* name) = 0;
  virtual bool IsBadCodeAddress(void* address) = 0;
  virtual std::size_t LibraryFileName(char* buffer, std::size_t size) = 0;
};

// The module functions of the platform interface.
class PlatformModuleSystem : public ModuleSystem {
 public:
  void* LoadLibraryBeside(const char* path) override;
  void* FindLoadedModule(const char* name) override;
  void* FindProcedure(void* module, const char* name) override;
  bool IsBadCodeAddress(void* address) override;
  std::size_t LibraryFileName(char* buffer, std::size_t size) override;
};

// The procedure key, "procedure|module", fits 48 bytes with its terminator;
// paths fit 261 bytes.
constexpr std::size_t kMaxProcedureKey = 47;
constexpr std::size_t kMaxPath = 260;

class ProcedureResolver : public ErrorList {
 public:
  ProcedureResolver(ResolverCaches& caches, ModuleSystem& system)
      : caches_(caches), system_(system) {}

  // The address, or null with the reason recorded (the list is cleared
  // first). Names beyond the limits are refused as a module that cannot be
  // loaded.
  void* GetLibraryProcedure(const char* procedure, const char* module);
  // The module handle, or null with the reason recorded.
  void* GetLibraryModule(const char* module);
  // The own directory, or null when the library's file name is unknown.
  const char* GetOwnDirectory();

 private:
  void Remember(std::unordered_map<std::string, void*>& cache, const std::string& key, void* value);

  ResolverCaches& caches_;
  ModuleSystem& system_;
};

}  // namespace tralvex

#endif
