#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "LibraryUnderTest.h"

namespace {

using namespace tralvex::testing;
using tralvex::platform::FindLoadedModule;
using tralvex::platform::IsBadCodeAddress;

TEST(ClientLoad, CallsThePresenceProbeByName) {
  LoadedLibrary library;
  ASSERT_NE(library.module(), nullptr) << LibraryPath();
  auto probe = library.Get<ProbeFunction>("Tralvex");
  ASSERT_NE(probe, nullptr);
  EXPECT_EQ(probe(), 0x4B4F);
  EXPECT_EQ(probe(), 0x4B4F);
  EXPECT_EQ(FindLoadedModule(LoadedLibraryName()), library.module());
}

TEST(ClientLoad, ExportsOnlyTheInterfaceUndecorated) {
  LoadedLibrary library;
  ASSERT_NE(library.module(), nullptr) << LibraryPath();
  EXPECT_EQ(library.Get<void*>("NoSuchExport"), nullptr);
  // Neither stdcall decorations nor the library's internals are exports.
  EXPECT_EQ(library.Get<void*>("Tralvex@0"), nullptr);
  EXPECT_EQ(library.Get<void*>("_Tralvex@0"), nullptr);
  EXPECT_EQ(library.Get<void*>("DllMain"), nullptr);
  EXPECT_EQ(library.Get<void*>("_ZN7tralvex12OnModuleLoadEv"), nullptr);
  EXPECT_EQ(library.Get<void*>("_ZN7tralvex9TheModuleEv"), nullptr);
}

TEST(ClientLoad, UnloadingReallyUnloadsEveryTime) {
  for (int round = 0; round < 4; ++round) {
    void* probeAddress = nullptr;
    {
      LoadedLibrary library;
      ASSERT_NE(library.module(), nullptr) << LibraryPath();
      auto probe = library.Get<ProbeFunction>("Tralvex");
      ASSERT_NE(probe, nullptr);
      EXPECT_EQ(probe(), 0x4B4F) << round;
      probeAddress = reinterpret_cast<void*>(probe);
      EXPECT_FALSE(IsBadCodeAddress(probeAddress));
    }
    EXPECT_EQ(FindLoadedModule(LoadedLibraryName()), nullptr) << round;
    EXPECT_TRUE(IsBadCodeAddress(probeAddress)) << round;
  }
}

// The default directory can be set once per load of the library: a fresh
// load starts again from the module's initial state.
TEST(ClientLoad, EachLoadStartsWithFreshModuleState) {
  const std::string directory = std::filesystem::temp_directory_path().string();
  for (int round = 0; round < 3; ++round) {
    LoadedLibrary library;
    ASSERT_NE(library.module(), nullptr) << LibraryPath();
    auto setDefaultDir = library.Get<SetDefaultDirFunction>("Msg_SetDefaultDir");
    if (setDefaultDir == nullptr) GTEST_SKIP() << "Msg_SetDefaultDir is not exported yet";
    EXPECT_EQ(setDefaultDir(directory.c_str()) & 0xFFFF, 1) << round;
    EXPECT_EQ(setDefaultDir(directory.c_str()) & 0xFFFF, 0) << round;
  }
}

}  // namespace
