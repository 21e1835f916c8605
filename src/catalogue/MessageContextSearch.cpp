// Where a message context finds "Tralvex.ini".
#include <string>

#include "catalogue/MessageContext.h"
#include "catalogue/SearchDirectories.h"
#include "errors/ErrorCodes.h"

namespace tralvex {
namespace {
constexpr const char* kIniName = "Tralvex.ini";
constexpr const char* kResourceDirectory = "Resource\\";
}  // namespace

bool MessageContext::TryCandidate(int mode) {
  std::string candidate = directory + kIniName;
  if (CheckPathAccess(candidate.c_str(), mode) != 0) return false;
  iniPath = std::move(candidate);
  return true;
}

// The executable's directory and its "Resource\", the current directory and
// its "Resource\", the Windows directory; true at the first that holds the
// file, directory then naming where it was found.
bool MessageContext::SearchStandardDirectories() {
  for (int kind : {kModuleDirectory, kCurrentDirectory}) {
    if (GetDirectoryByKind(kind, directory) != 0) continue;
    if (TryCandidate(kAccessExists)) return true;
    directory += kResourceDirectory;
    if (TryCandidate(kAccessExists)) return true;
  }
  return GetDirectoryByKind(kWindowsDirectory, directory) == 0 && TryCandidate(kAccessExists);
}

// A relative directory is taken under the executable's directory, else under
// the current directory.
int MessageContext::QualifyRelativeDirectory() {
  const std::string asGiven = directory;
  std::string base;
  if (GetDirectoryByKind(kModuleDirectory, base) == 0 &&
      QualifyPath(directory, base.c_str(), kAccessNoTest) == 0 && TryCandidate(kAccessExists)) {
    return 1;
  }
  // Completed under the executable's directory the text is absolute now and
  // could not be completed again: the current directory gets it as given.
  directory = asGiven;
  if (GetDirectoryByKind(kCurrentDirectory, base) != 0) return 0;
  if (QualifyPath(directory, base.c_str(), kAccessNoTest) != 0) return 0;
  return TryCandidate(kAccessExists) ? 1 : 0;
}

int MessageContext::LocateIniFile() {
  iniPath.clear();
  if (directory.empty()) SearchStandardDirectories();
  int found = 0;
  if (IsRelativePath(directory.c_str())) {
    found = QualifyRelativeDirectory();
  } else {
    found = TryCandidate(kAccessRead) ? 1 : 0;
  }
  if (found == 0) {
    AddError(error_code::kFileNotFound, kIniName);
    iniPath.clear();
  }
  return found;
}

}  // namespace tralvex
