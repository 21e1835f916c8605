#include "platform/Modules.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

using namespace tralvex::platform;

// The unit tests link the library's objects into the test program, so the
// library's own module is the program itself.
std::string OwnFileName() {
  char buffer[4096];
  std::size_t length = LibraryFileName(buffer, sizeof buffer);
  EXPECT_NE(length, 0u);
  return std::string(buffer, length);
}

// "C:\dir\tests.exe" or "/dir/tests" -> "TESTS".
std::string ProgramStemUpperCase() {
  std::string name = OwnFileName();
  name = name.substr(name.find_last_of("/\\") + 1);
  if (name.size() > 4 && std::filesystem::path(name).extension().string().size() == 4) {
    name.resize(name.size() - 4);  // ".exe"
  }
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

TEST(Modules, OwnFileNameIsTheWholeExistingPath) {
  const std::string name = OwnFileName();
  EXPECT_TRUE(std::filesystem::path(name).is_absolute()) << name;
  EXPECT_TRUE(std::filesystem::exists(name)) << name;

  // Exactly enough room, then one byte short: a cut name is never returned.
  std::string buffer(name.size() + 1, 'x');
  EXPECT_EQ(LibraryFileName(buffer.data(), buffer.size()), name.size());
  EXPECT_STREQ(buffer.c_str(), name.c_str());
  buffer.assign(name.size(), 'x');
  EXPECT_EQ(LibraryFileName(buffer.data(), buffer.size()), 0u);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(LibraryFileName(buffer.data(), 0), 0u);
}

TEST(Modules, RunningProgramIsFoundByItsExeName) {
  const std::string stem = ProgramStemUpperCase();
  EXPECT_NE(FindLoadedModule((stem + ".EXE").c_str()), nullptr) << stem;
  EXPECT_EQ(FindLoadedModule("NO_SUCH_PROGRAM_HERE.EXE"), nullptr);
  // The program's name with a library's extension names no loaded module.
  EXPECT_EQ(FindLoadedModule((stem + ".DLL").c_str()), nullptr);
  EXPECT_EQ(FindLoadedModule(""), nullptr);
  EXPECT_EQ(FindLoadedModule(nullptr), nullptr);
}

TEST(Modules, CodeAddresses) {
  EXPECT_FALSE(IsBadCodeAddress(reinterpret_cast<void*>(&LibraryFileName)));
  EXPECT_TRUE(IsBadCodeAddress(nullptr));
  EXPECT_TRUE(IsBadCodeAddress(reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x10))));
}

TEST(Modules, MissingLibrariesAndProceduresGiveNull) {
  const std::string missing =
      (std::filesystem::temp_directory_path() / "no_such_library_here.dll").string();
  EXPECT_EQ(LoadLibraryBeside(missing.c_str()), nullptr);
  EXPECT_EQ(LoadLibraryBeside(""), nullptr);
  EXPECT_EQ(OpenLibrary(missing.c_str()), nullptr);
  EXPECT_EQ(FindProcedure(nullptr, "Tralvex"), nullptr);
  CloseLibrary(nullptr);  // harmless
}

}  // namespace
