#include "platform/posix/NativePath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace tralvex::platform {
namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

// How many bytes of name equal those of component at the same place.
std::size_t AgreeingBytes(std::string_view name, std::string_view component) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < name.size() && i < component.size(); ++i) {
    if (name[i] == component[i]) ++count;
  }
  return count;
}

// The entry of directory whose name equals component ignoring case. When
// several do, the one spelled most like component ("errors.MSG" finds
// errors.msg before Errors.msg), then the smallest, so the choice does not
// depend on the order the system lists them in. Empty when there is none.
std::string FindEntryIgnoringCase(const std::string& directory, std::string_view component) {
  DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr) return std::string();
  const std::string wanted = UpperCase(component);
  std::string best;
  std::size_t bestAgreement = 0;
  while (const dirent* entry = ::readdir(dir)) {
    std::string_view name(entry->d_name);
    if (name.size() != wanted.size() || UpperCase(name) != wanted) continue;
    std::size_t agreement = AgreeingBytes(name, component);
    if (best.empty() || agreement > bestAgreement || (agreement == bestAgreement && name < best)) {
      best = std::string(name);
      bestAgreement = agreement;
    }
  }
  ::closedir(dir);
  return best;
}

// Rebuilds path one component at a time, taking the spelling found on disk
// for every component that does not exist as written.
std::string MatchComponents(const std::string& path) {
  std::string result = path[0] == '/' ? "/" : "";
  std::size_t pos = 0;
  bool matching = true;
  while (pos < path.size()) {
    std::size_t next = path.find('/', pos);
    if (next == std::string::npos) next = path.size();
    std::string_view component(path.data() + pos, next - pos);
    pos = next + 1;
    if (component.empty()) continue;
    std::string candidate = result + std::string(component);
    if (matching && component != "." && component != ".." && !Exists(candidate)) {
      std::string found = FindEntryIgnoringCase(result, component);
      if (found.empty()) {
        matching = false;  // the rest cannot exist; keep it as written
      } else {
        candidate = result + found;
      }
    }
    result = candidate;
    if (next < path.size()) result += '/';
  }
  return result;
}

}  // namespace

bool ToNativePath(const char* path, std::string& native) {
  if (path == nullptr) {
    errno = EINVAL;
    return false;
  }
  native.assign(path);
  if (native.size() > MaxPathLength()) {
    errno = ENAMETOOLONG;
    return false;
  }
  // Stepping by characters keeps the trail byte of a double-byte
  // character from being taken for a backslash.
  for (char* p = native.data(); *p != '\0'; p = const_cast<char*>(NextChar(p))) {
    if (*p == '\\') *p = '/';
  }
  if (native.empty() || Exists(native)) return true;
  std::string matched = MatchComponents(native);
  if (matched.size() <= MaxPathLength()) native = std::move(matched);
  return true;
}

}  // namespace tralvex::platform
