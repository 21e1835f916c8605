// Shared set-up of the profile-file tests: a scratch directory that stands
// in for the Windows directory, and a look at an object's error list.
#ifndef TRALVEX_TESTS_PROFILE_PROFILEFIXTURE_H
#define TRALVEX_TESTS_PROFILE_PROFILEFIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/ProfileTestFiles.h"
#include "tralvex/ErrorList.h"

namespace tralvex::testing {

// The codes and context texts of a list, oldest first.
inline std::vector<std::pair<int, std::string>> Errors(const ErrorList& list) {
  std::vector<std::pair<int, std::string>> result;
  for (unsigned i = 1; i <= list.GetErrorCount(); ++i) {
    int code = 0;
    const char* text = nullptr;
    list.GetErrorAt(i, code, text);
    result.emplace_back(code, text != nullptr ? text : "");
  }
  return result;
}

inline std::vector<int> ErrorCodes(const ErrorList& list) {
  std::vector<int> codes;
  for (const auto& entry : Errors(list)) codes.push_back(entry.first);
  return codes;
}

// Our own engine, rather than the system's profile functions; a few
// expectations hold only there.
inline bool OwnProfileEngine() { return platform::SlashRootsPath(); }

class ProfileFixture : public ::testing::Test {
 protected:
  void SetUp() override { platform::OverrideWindowsDirectory(dir_.Path().string().c_str()); }
  void TearDown() override { platform::OverrideWindowsDirectory(nullptr); }

  // Writes a file into the scratch directory; its full name.
  std::string Create(const std::string& name, const std::string& content) {
    WriteBytes(dir_.File(name), content);
    return dir_.File(name);
  }

  // The name an object opened on a file of the scratch directory carries.
  std::string Resolved(const std::string& name) const {
    return platform::UpperCase(dir_.File(name));
  }

  // The same, for a name completed with the Windows directory.
  std::string InWindowsDirectory(const std::string& name) const {
    std::string directory = dir_.Path().string();
    directory += platform::SlashRootsPath() ? '/' : '\\';
    return platform::UpperCase(directory + name);
  }

  ScratchDirectory dir_;
};

}  // namespace tralvex::testing

#endif
