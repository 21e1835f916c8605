#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "LibraryUnderTest.h"
#include "support/TempDirectory.h"

namespace {

using namespace tralvex::testing;

struct HandleExports {
  TralvexStatus(TRALVEX_CALL* setDefaultDir)(const char*);
  TralvexStatus(TRALVEX_CALL* openMessages)(uint32_t*, const char*, const char*);
  TralvexStatus(TRALVEX_CALL* closeMessages)(uint32_t);
  TralvexStatus(TRALVEX_CALL* getMessage)(uint32_t, uint32_t, char*);
  const char*(TRALVEX_CALL* getMessagePtr)(uint32_t, uint32_t, const char*);
  TralvexStatus(TRALVEX_CALL* setMsgSection)(uint32_t, const char*);
};

template <typename Function>
void Bind(const LoadedLibrary& library, const char* name, Function& function) {
  function = library.Get<Function>(name);
  ASSERT_NE(function, nullptr) << name;
}

TEST(HandleExports, OpenReadSwitchAndCloseByName) {
  tralvex::test::TempDirectory dir;
  dir.Write("texts.msg", "[Alpha]\r\n1: first\r\n[Beta]\r\n1: second\r\n");
  LoadedLibrary library;
  ASSERT_NE(library.module(), nullptr) << LibraryPath();
  HandleExports e{};
  Bind(library, "Msg_SetDefaultDir", e.setDefaultDir);
  Bind(library, "Msg_OpenMessages", e.openMessages);
  Bind(library, "Msg_CloseMessages", e.closeMessages);
  Bind(library, "Msg_GetMessage", e.getMessage);
  Bind(library, "Msg_GetMessagePtr", e.getMessagePtr);
  Bind(library, "Msg_SetMsgSection", e.setMsgSection);

  ASSERT_EQ(1, e.setDefaultDir(dir.Path().string().c_str()) & 0xFFFF);
  uint32_t handle = 0;
  ASSERT_EQ(1, e.openMessages(&handle, "texts", "beta") & 0xFFFF);
  EXPECT_EQ(1u, handle);
  EXPECT_STREQ("second", e.getMessagePtr(handle, 1, nullptr));
  EXPECT_EQ(1, e.setMsgSection(handle, nullptr) & 0xFFFF);
  char buffer[] = "    ";
  EXPECT_EQ(1, e.getMessage(handle, 1, buffer) & 0xFFFF);
  EXPECT_STREQ("firs", buffer);
  EXPECT_STREQ("MSG(00002)", e.getMessagePtr(handle, 2, nullptr));
  EXPECT_STREQ("d", e.getMessagePtr(0xFFFF, 1, "d"));
  EXPECT_EQ(1, e.closeMessages(handle) & 0xFFFF);
  EXPECT_EQ(0, e.closeMessages(handle) & 0xFFFF);
  EXPECT_EQ(0, e.openMessages(nullptr, "texts", nullptr) & 0xFFFF);
}

}  // namespace
