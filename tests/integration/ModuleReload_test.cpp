// Loads and unloads the built library several times in one process, as an
// application that loads it on demand does: each load starts from the
// initial module state, and what was left open is gone after the unload
// (the sanitizer build reports any leak at exit).
#include <gtest/gtest.h>

#include <string>

#include "LibraryUnderTest.h"
#include "platform/Modules.h"
#include "support/TempDirectory.h"
#include "tralvex/tralvex.h"

namespace {

using tralvex::test::TempDirectory;

// The exports this program calls, looked up by name.
struct Exports {
  TralvexStatus(TRALVEX_CALL* probe)();
  TralvexStatus(TRALVEX_CALL* setDefaultDir)(const char*);
  TralvexStatus(TRALVEX_CALL* openMessages)(uint32_t*, const char*, const char*);
  const char*(TRALVEX_CALL* getMessagePtr)(uint32_t, uint32_t, const char*);
  TralvexStatus(TRALVEX_CALL* openProcess)(Mes_Context**, const char*, const char*, int);
  TralvexStatus(TRALVEX_CALL* joinProcess)(Mes_Context*);
  const char*(TRALVEX_CALL* contextMessagePtr)(Mes_Context*, uint32_t, const char*);
};

template <typename Function>
void Bind(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(tralvex::platform::FindProcedure(library, name));
  ASSERT_NE(nullptr, reinterpret_cast<void*>(function)) << name;
}

void BindAll(void* library, Exports& e) {
  Bind(library, "Tralvex", e.probe);
  Bind(library, "Msg_SetDefaultDir", e.setDefaultDir);
  Bind(library, "Msg_OpenMessages", e.openMessages);
  Bind(library, "Msg_GetMessagePtr", e.getMessagePtr);
  Bind(library, "Mes_OpenProcess", e.openProcess);
  Bind(library, "Mes_JoinProcess", e.joinProcess);
  Bind(library, "Mes_GetMessagePtr", e.contextMessagePtr);
}

TEST(ModuleReload, EveryLoadStartsAfreshAndAnUnloadLeavesNothingOpen) {
  TempDirectory dir;
  dir.Write("Texts.msg", "1: first\r\n");
  dir.Write("More.msg", "100: second\r\n");
  dir.Write("Tralvex.ini", "[MessageFiles]\r\nT-0FF=Texts.msg\r\nM-1FF=More.msg\r\n");
  std::string directory = dir.Path().string();

  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    void* library = tralvex::platform::OpenLibrary(tralvex::testing::LibraryPath().c_str());
    ASSERT_NE(nullptr, library);
    Exports e{};
    BindAll(library, e);
    if (HasFatalFailure()) return;

    EXPECT_EQ(0x4B4F, e.probe());
    // Possible once per load only: it succeeding again proves the unload.
    EXPECT_EQ(1, e.setDefaultDir(directory.c_str()));
    EXPECT_EQ(0, e.setDefaultDir(directory.c_str()));

    uint32_t handle = 0;
    ASSERT_EQ(1, e.openMessages(&handle, "Texts.msg", nullptr));
    EXPECT_EQ(1u, handle);  // the handle table starts empty
    EXPECT_STREQ("first", e.getMessagePtr(handle, 1, nullptr));

    // Contexts left open, one of them joined, with files opened on demand.
    Mes_Context* context = nullptr;
    ASSERT_EQ(1, e.openProcess(&context, directory.c_str(), "Reload", 0));
    EXPECT_EQ(1, e.joinProcess(context));
    EXPECT_STREQ("first", e.contextMessagePtr(context, 1, nullptr));
    EXPECT_STREQ("second", e.contextMessagePtr(context, 0x100, nullptr));
    Mes_Context* second = nullptr;
    ASSERT_EQ(1, e.openProcess(&second, (directory + "/More.msg").c_str(), nullptr, 0));
    EXPECT_STREQ("second", e.contextMessagePtr(second, 0x100, nullptr));

    tralvex::platform::CloseLibrary(library);
  }
}

}  // namespace
