#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "api/Lookup.h"
#include "api/Module.h"
#include "catalogue/SearchDirectories.h"
#include "platform/Modules.h"
#include "support/TempDirectory.h"
#include "tralvex/tralvex.h"

namespace tralvex {
namespace {

// Each test starts from a freshly loaded module: the default directory can
// be set once per module lifetime, and the error catalogue opens once.
class HandleFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OnModuleUnload();
    OnModuleLoad();
  }
  void TearDown() override {
    OnModuleUnload();
    OnModuleLoad();
  }

  void UseTempDirectory() { ASSERT_EQ(1, Msg_SetDefaultDir(dir.Path().string().c_str())); }

  uint32_t OpenOrFail(const char* name, const char* section = nullptr) {
    uint32_t handle = 0;
    EXPECT_EQ(1, Msg_OpenMessages(&handle, name, section)) << name;
    return handle;
  }

  test::TempDirectory dir;
};

TEST_F(HandleFunctionsTest, HandlesAreNumberedAndReused) {
  dir.Write("a.msg", "1: a\r\n");
  dir.Write("b.msg", "1: b\r\n");
  UseTempDirectory();
  EXPECT_EQ(1u, OpenOrFail("a"));
  EXPECT_EQ(2u, OpenOrFail("b"));
  EXPECT_EQ(3u, OpenOrFail("a"));
  EXPECT_EQ(1, Msg_CloseMessages(1));
  EXPECT_EQ(0, Msg_CloseMessages(1));
  EXPECT_EQ(1u, OpenOrFail("b"));
  EXPECT_STREQ("b", Msg_GetMessagePtr(1, 1, nullptr));
  EXPECT_STREQ("a", Msg_GetMessagePtr(3, 1, nullptr));
  // The table takes the low 16 bits of a wider value.
  EXPECT_STREQ("b", Msg_GetMessagePtr(0x10002, 1, nullptr));
}

TEST_F(HandleFunctionsTest, FailedOpensStoreNoCatalogue) {
  dir.Write("a.msg", "[Alpha]\r\n1: a\r\n");
  UseTempDirectory();
  uint32_t handle = 7;
  EXPECT_EQ(0, Msg_OpenMessages(&handle, "missing", nullptr));
  EXPECT_EQ(0xFFFFu, handle);
  handle = 7;
  EXPECT_EQ(0, Msg_OpenMessages(&handle, "a", "Beta"));
  EXPECT_EQ(0xFFFFu, handle);
  EXPECT_EQ(0, Msg_OpenMessages(&handle, nullptr, nullptr));
  EXPECT_EQ(0, Msg_OpenMessages(&handle, dir.Path().string().c_str(), nullptr));
  EXPECT_EQ(0u, TheModule().catalogues.Count());
  EXPECT_EQ(0u, TheModule().loadedFiles.Count());

  // No place for the handle: nothing is opened, nothing written.
  EXPECT_EQ(0, Msg_OpenMessages(nullptr, "a", nullptr));
  EXPECT_EQ(0u, TheModule().catalogues.Count());

  EXPECT_EQ(1u, OpenOrFail("a"));
  EXPECT_EQ(0, Msg_OpenMessages(&handle, "missing", nullptr));
  EXPECT_EQ(1, TheModule().catalogues.CurrentHandle());
}

TEST_F(HandleFunctionsTest, ManyOpenCloseCyclesReuseOneHandle) {
  dir.Write("a.msg", "1: a\r\n");
  UseTempDirectory();
  uint32_t keep = OpenOrFail("a");
  for (int i = 0; i < 70000; ++i) {
    uint32_t handle = 0;
    ASSERT_EQ(1, Msg_OpenMessages(&handle, "a", nullptr));
    ASSERT_EQ(2u, handle);
    ASSERT_EQ(1, Msg_CloseMessages(handle));
  }
  EXPECT_STREQ("a", Msg_GetMessagePtr(keep, 1, nullptr));
  EXPECT_EQ(1u, TheModule().loadedFiles.Count());
}

TEST_F(HandleFunctionsTest, UnknownHandlesGiveDefaultsAndRefusals) {
  dir.Write("a.msg", "1: a\r\n");
  UseTempDirectory();
  OpenOrFail("a");
  const char* fallback = "fallback";
  for (uint32_t handle : {0xFFFFu, 1234u, 2u}) {
    EXPECT_EQ(0, Msg_CloseMessages(handle));
    EXPECT_EQ(0, Msg_SetMsgSection(handle, nullptr));
    EXPECT_EQ(fallback, Msg_GetMessagePtr(handle, 1, fallback));
    EXPECT_STREQ("MSG(00001)", Msg_GetMessagePtr(handle, 1, nullptr));
  }
  EXPECT_EQ(0, Msg_CloseMessages(0));
  EXPECT_STREQ("a", Msg_GetMessagePtr(1, 1, nullptr));
}

TEST_F(HandleFunctionsTest, BuffersFollowThePrefilledLength) {
  dir.Write("a.msg", "1: a longer message text\r\n");
  UseTempDirectory();
  uint32_t handle = OpenOrFail("a");

  char buffer[32];
  std::memset(buffer, '#', sizeof buffer);
  FillWithSpaces(buffer, 21);
  EXPECT_EQ(0, Msg_GetMessage(handle, 0x1A, buffer));
  EXPECT_STREQ("MSG(0001A)", buffer);
  std::memset(buffer, '#', sizeof buffer);
  FillWithSpaces(buffer, 6);
  EXPECT_EQ(0, Msg_GetMessage(handle, 0x1A, buffer));
  EXPECT_STREQ("MSG(0", buffer);
  EXPECT_EQ('#', buffer[6]);

  std::memset(buffer, '#', sizeof buffer);
  FillWithSpaces(buffer, 9);
  EXPECT_EQ(1, Msg_GetMessage(handle, 1, buffer));
  EXPECT_STREQ("a longer", buffer);
  EXPECT_EQ('#', buffer[9]);
  buffer[0] = '\0';
  EXPECT_EQ(1, Msg_GetMessage(handle, 1, buffer));
  EXPECT_STREQ("", buffer);
  EXPECT_EQ(' ', buffer[1]);
  EXPECT_EQ(1, Msg_GetMessage(handle, 1, nullptr));
}

TEST_F(HandleFunctionsTest, PlaceholderIsOneBufferMarkedByItsAddress) {
  const char* first = Msg_GetMessagePtr(0xFFFF, 0x1A, nullptr);
  EXPECT_STREQ("MSG(0001A)", first);
  EXPECT_TRUE(IsPlaceholderText(first));
  const char* second = Msg_GetMessagePtr(0xFFFF, 0x123456, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_STREQ("MSG(123456)", second);
  EXPECT_STREQ("MSG(FFFFFFFF)", MakePlaceholderText(0xFFFFFFFF));
  char copy[] = "MSG(0001A)";
  EXPECT_FALSE(IsPlaceholderText(copy));
  EXPECT_STREQ("MSG(00000)", LookupMessageText(0xFFFF, 0, nullptr));
}

TEST_F(HandleFunctionsTest, DefaultDirectoryIsSetOnce) {
  test::TempDirectory other;
  std::string file = dir.Write("x.msg", "");
  EXPECT_EQ(0, Msg_SetDefaultDir((dir.Path() / "missing").string().c_str()));
  EXPECT_EQ(0, Msg_SetDefaultDir(nullptr));
  EXPECT_EQ(0, Msg_SetDefaultDir(file.c_str()));
  EXPECT_EQ(1, Msg_SetDefaultDir(dir.Path().string().c_str()));
  EXPECT_EQ(0, Msg_SetDefaultDir(other.Path().string().c_str()));
  EXPECT_EQ(dir.WithSeparator(), TheModule().defaultDirectory.Get());
}

TEST_F(HandleFunctionsTest, SectionsSwitchWithoutMovingTexts) {
  dir.Write("a.msg", "[Alpha]\r\n1: a1\r\n[Beta]\r\n1: b1\r\n2: b2\r\n");
  UseTempDirectory();
  uint32_t handle = OpenOrFail("a", "beta");
  const char* kept = Msg_GetMessagePtr(handle, 1, nullptr);
  EXPECT_STREQ("b1", kept);
  EXPECT_EQ(1, Msg_SetMsgSection(handle, nullptr));
  EXPECT_STREQ("a1", Msg_GetMessagePtr(handle, 1, nullptr));
  EXPECT_STREQ("b1", kept);
  EXPECT_EQ(0, Msg_SetMsgSection(handle, "Gamma"));
  // No section is current now: the message is missing.
  EXPECT_STREQ("d", Msg_GetMessagePtr(handle, 1, "d"));
  EXPECT_EQ(1, Msg_SetMsgSection(handle, "Beta"));
  EXPECT_STREQ("b2", Msg_GetMessagePtr(handle, 2, nullptr));
}

// The error catalogue is found in the default directory; the build puts a
// copy beside the test programs.
class ErrorCatalogueTest : public HandleFunctionsTest {
 protected:
  void UseProgramDirectory() {
    std::string program;
    ASSERT_EQ(0, GetDirectoryByKind(kModuleDirectory, program));
    ASSERT_EQ(1, Msg_SetDefaultDir(program.c_str()));
  }
};

TEST_F(ErrorCatalogueTest, UnavailableWithoutItsDirectory) {
  char buffer[] = "untouched";
  EXPECT_EQ(0, Msg_GetQelErrString(0x127, buffer));
  EXPECT_STREQ("untouched", buffer);
  EXPECT_EQ(nullptr, Msg_GetPtr2QelError(0x127, nullptr));
  EXPECT_STREQ("d", Msg_GetPtr2QelError(0x127, "d"));
  EXPECT_STREQ("MSG(00127)", Msg_GetMessagePtr(0, 0x127, nullptr));
  EXPECT_EQ(0, Msg_SetQelErrSection("English"));
  EXPECT_EQ(0xFFFFu, TheModule().errorCatalogueHandle);
}

TEST_F(ErrorCatalogueTest, OpensOnDemandOnce) {
  UseProgramDirectory();
  const char* text = Msg_GetMessagePtr(0, 0x127, nullptr);
  EXPECT_FALSE(IsPlaceholderText(text));
  uint32_t handle = TheModule().errorCatalogueHandle;
  EXPECT_EQ(1u, handle);
  EXPECT_EQ(text, Msg_GetPtr2QelError(0x127, nullptr));
  EXPECT_EQ(text, Msg_GetMessagePtr(handle, 0x127, nullptr));
  char buffer[8] = "       ";
  EXPECT_EQ(1, Msg_GetQelErrString(0x127, buffer));
  EXPECT_EQ(0, std::strncmp(text, buffer, 7));
  EXPECT_EQ(0, Msg_GetQelErrString(0xABCD, buffer));
  EXPECT_EQ(1u, TheModule().errorCatalogueHandle);
}

TEST_F(ErrorCatalogueTest, SectionBeforeAndAfterOpening) {
  UseProgramDirectory();
  EXPECT_EQ(0, Msg_SetQelErrSection("Klingon"));
  EXPECT_EQ(0xFFFFu, TheModule().errorCatalogueHandle);
  EXPECT_EQ(1, Msg_SetQelErrSection("English"));
  EXPECT_NE(0xFFFFu, TheModule().errorCatalogueHandle);
  EXPECT_EQ(0, Msg_SetQelErrSection("Klingon"));
  EXPECT_STREQ("d", Msg_GetPtr2QelError(0x127, "d"));
  EXPECT_EQ(1, Msg_SetQelErrSection(nullptr));
  EXPECT_STRNE("d", Msg_GetPtr2QelError(0x127, "d"));
}

TEST_F(ErrorCatalogueTest, ClosingItsHandleDoesNotLendItToAnotherFile) {
  UseProgramDirectory();
  const char* before = Msg_GetPtr2QelError(0x127, nullptr);
  std::string copy = before;
  uint32_t handle = TheModule().errorCatalogueHandle;
  EXPECT_EQ(1, Msg_CloseMessages(handle));
  dir.Write("other.msg", "127: not an error text\r\n");
  uint32_t other = 0;
  ASSERT_EQ(1, Msg_OpenMessages(&other, (dir.WithSeparator() + "other.msg").c_str(), nullptr));
  EXPECT_EQ(handle, other);
  EXPECT_EQ(copy, Msg_GetMessagePtr(0, 0x127, nullptr));
}

TEST_F(ErrorCatalogueTest, EveryErrorCodeHasAText) {
  UseProgramDirectory();
  const uint32_t codes[] = {0x0000, 0x0102, 0x0103, 0x0108, 0x0110, 0x0111, 0x0112, 0x0114,
                            0x0115, 0x0119, 0x0120, 0x0121, 0x0122, 0x0123, 0x0124, 0x0125,
                            0x0126, 0x0127, 0x012A, 0x012D, 0x012E, 0x012F, 0x0132, 0x0133,
                            0x0134, 0x0135, 0x0137, 0x0139, 0x0140, 0x0141, 0x0142, 0x0143,
                            0x0150, 0x0151, 0x0152, 0x0154, 0x0183, 0x0184, 0x0185};
  for (uint32_t code : codes) {
    const char* text = Msg_GetPtr2QelError(code, nullptr);
    ASSERT_NE(nullptr, text);
    EXPECT_FALSE(IsPlaceholderText(text)) << std::hex << code;
    EXPECT_GT(std::strlen(text), 10u) << std::hex << code;
  }
}

// Message 0 is shown for a list without errors as well as for a file that
// could not be deleted without a cause: its wording must fit both.
TEST_F(ErrorCatalogueTest, MessageZeroFitsAListWithoutErrors) {
  UseProgramDirectory();
  const std::string text = Msg_GetPtr2QelError(0, "");
  EXPECT_EQ(0u, text.find("No error")) << text;
  EXPECT_EQ(std::string::npos, text.find("deleted")) << text;
}

// Stand-in windows: a window is a std::string holding its caption.
int TRALVEX_CALL FakeIsWindow(void* window) { return window != nullptr; }
int TRALVEX_CALL FakeSetWindowText(void* window, const char* text) {
  *static_cast<std::string*>(window) = text;
  return 1;
}

TEST_F(HandleFunctionsTest, WindowCaptionsThroughHooks) {
  dir.Write("a.msg", "1: Caption\r\n");
  UseTempDirectory();
  uint32_t handle = OpenOrFail("a");
  std::string window = "old";
  // Without stand-ins a pointer of ours is no window, on any system.
  EXPECT_EQ(0, Msg_SetWindowCaption(handle, 1, &window, nullptr));

  Msg_WindowHooks hooks = {FakeIsWindow, FakeSetWindowText, nullptr};
  Msg_SetWindowHooks(&hooks);
  hooks.isWindow = nullptr;  // the library keeps its own copy
  EXPECT_EQ(0, Msg_SetWindowCaption(handle, 1, nullptr, nullptr));
  EXPECT_EQ(0, Msg_SetWindowCaption(handle, 2, &window, nullptr));
  EXPECT_EQ("old", window);
  EXPECT_EQ(1, Msg_SetWindowCaption(handle, 2, &window, "Default"));
  EXPECT_EQ("Default", window);
  EXPECT_EQ(1, Msg_SetWindowCaption(handle, 1, &window, "Default"));
  EXPECT_EQ("Caption", window);

  Msg_SetWindowHooks(nullptr);
  EXPECT_EQ(0, Msg_SetWindowCaption(handle, 1, &window, nullptr));
}

}  // namespace
}  // namespace tralvex
