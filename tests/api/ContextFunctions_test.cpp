#include "api/ContextFunctions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "api/Module.h"
#include "catalogue/MessageContext.h"
#include "platform/FileSystem.h"
#include "support/TempDirectory.h"
#include "tralvex/tralvex.h"

namespace tralvex {
namespace {

using test::TempDirectory;

// Windows stood in for by the hooks: any non-null handle is a window, and
// what was set is recorded; item 99 refuses its text.
struct Windows {
  static std::string caption;
  static std::map<int, std::string> items;
  static int TRALVEX_CALL IsWindow(void* window) { return window != nullptr; }
  static int TRALVEX_CALL SetText(void*, const char* text) {
    caption = text;
    return 1;
  }
  static int TRALVEX_CALL SetItem(void*, int id, const char* text) {
    if (id == 99) return 0;
    items[id] = text;
    return 1;
  }
};
std::string Windows::caption;
std::map<int, std::string> Windows::items;

class ContextFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::OverrideWindowsDirectory(windows.Path().string().c_str());
    Msg_WindowHooks hooks = {&Windows::IsWindow, &Windows::SetText, &Windows::SetItem};
    Msg_SetWindowHooks(&hooks);
    Windows::caption = "unchanged";
    Windows::items.clear();
    dir.Write("low.msg", "1: one\r\n2: *\r\n10: sixteen\r\n");
    dir.Write("high.msg", "100: two five six\r\n");
    dir.Write("Tralvex.ini", "[MessageFiles]\r\nHigh-1FF=high.msg\r\nLow-0FF=low.msg\r\n");
    livesBefore = TheModule().liveContexts.Count();
  }
  void TearDown() override {
    for (Mes_Context* context : opened) {
      while (Mes_CloseProcess(context) != 0) {
      }
    }
    Msg_SetWindowHooks(nullptr);
    platform::OverrideWindowsDirectory(nullptr);
    EXPECT_EQ(livesBefore, TheModule().liveContexts.Count());
  }

  Mes_Context* Open(const char* fileSpec = nullptr, const char* caption = "Caption") {
    std::string path = fileSpec != nullptr ? fileSpec : dir.Path().string();
    Mes_Context* context = nullptr;
    EXPECT_EQ(1, Mes_OpenProcess(&context, path.c_str(), caption, 0));
    if (context != nullptr) opened.push_back(context);
    return context;
  }

  static std::vector<uint32_t> Handles(Mes_Context* context) {
    return FindLiveContext(context)->FileHandles();
  }

  TempDirectory dir;
  TempDirectory windows;
  std::vector<Mes_Context*> opened;
  std::size_t livesBefore = 0;
};

TEST_F(ContextFunctionsTest, LooksUpThroughTheRangeMap) {
  Mes_Context* context = Open();
  ASSERT_NE(nullptr, context);
  EXPECT_STREQ("one", Mes_GetMessagePtr(context, 1, "d"));
  EXPECT_STREQ("two five six", Mes_GetMessagePtr(context, 0x100, nullptr));
  EXPECT_STREQ("d", Mes_GetMessagePtr(context, 0x200, "d"));
  EXPECT_STREQ("MSG(00200)", Mes_GetMessagePtr(context, 0x200, nullptr));
  EXPECT_STREQ("MSG(00003)", Mes_GetMessagePtr(context, 3, nullptr));

  char buffer[] = "   ";
  EXPECT_EQ(1, Mes_GetMessage(context, 0x100, buffer, nullptr));
  EXPECT_STREQ("two", buffer);
  char missing[] = "          ";
  EXPECT_EQ(1, Mes_GetMessage(context, 0x300, missing, nullptr));
  EXPECT_STREQ("MSG(00300)", missing);
}

TEST_F(ContextFunctionsTest, ClosingTheContextClosesTheCataloguesItOpened) {
  std::size_t before = TheModule().catalogues.Count();
  Mes_Context* context = Open();
  Mes_GetMessagePtr(context, 1, nullptr);
  Mes_GetMessagePtr(context, 0x100, nullptr);
  EXPECT_EQ(before + 2, TheModule().catalogues.Count());
  EXPECT_EQ(1, Mes_CloseProcess(context));
  EXPECT_EQ(before, TheModule().catalogues.Count());
}

TEST_F(ContextFunctionsTest, JoinsAndClosesAreCounted) {
  Mes_Context* context = Open();
  EXPECT_EQ(1, Mes_JoinProcess(context));
  EXPECT_EQ(1, Mes_JoinProcess(context));
  EXPECT_EQ(1, Mes_CloseProcess(context));
  EXPECT_EQ(1, Mes_CloseProcess(context));
  EXPECT_TRUE(IsLiveContext(context));
  EXPECT_EQ(1, Mes_CloseProcess(context));
  EXPECT_FALSE(IsLiveContext(context));
  EXPECT_EQ(0, Mes_CloseProcess(context));
}

TEST_F(ContextFunctionsTest, OpeningCanFailOrKeepTheContext) {
  EXPECT_EQ(0, Mes_OpenProcess(nullptr, dir.Path().string().c_str(), nullptr, 1));
  EXPECT_EQ(livesBefore, TheModule().liveContexts.Count());

  TempDirectory empty;
  empty.Write("Tralvex.ini", "[MessageFiles]\r\nA-0FF=nowhere.msg\r\n");
  std::string path = empty.Path().string();
  Mes_Context* context = reinterpret_cast<Mes_Context*>(&path);
  EXPECT_EQ(0, Mes_OpenProcess(&context, path.c_str(), nullptr, 0));
  EXPECT_EQ(nullptr, context);
  EXPECT_EQ(livesBefore, TheModule().liveContexts.Count());

  EXPECT_EQ(0, Mes_OpenProcess(&context, path.c_str(), nullptr, 1));
  ASSERT_NE(nullptr, context);
  opened.push_back(context);
  EXPECT_TRUE(IsLiveContext(context));
  EXPECT_STREQ("kept", Mes_GetMessagePtr(context, 1, "kept"));
  EXPECT_EQ(0, FindLiveContext(context)->Initialised());
}

TEST_F(ContextFunctionsTest, AMessageFileNamedDirectly) {
  std::string file = (dir.Path() / "high.msg").string();
  Mes_Context* context = Open(file.c_str());
  EXPECT_STREQ("two five six", Mes_GetMessagePtr(context, 0x100, nullptr));
  EXPECT_STREQ("MSG(00001)", Mes_GetMessagePtr(context, 1, nullptr));
}

TEST_F(ContextFunctionsTest, CaptionsAreTheContextsOwn) {
  Mes_Context* context = Open(nullptr, nullptr);
  EXPECT_STREQ("", LiveContextCaption(context));
  EXPECT_EQ(1, Mes_SetMyCaption(context, "Mine"));
  EXPECT_STREQ("Mine", LiveContextCaption(context));
  EXPECT_EQ(1, Mes_SetMyCaption(context, nullptr));
  EXPECT_STREQ("", LiveContextCaption(context));
  EXPECT_STREQ("one", LiveContextMessage(context, 1, nullptr));
}

TEST_F(ContextFunctionsTest, WindowCaptionsGoThroughTheHooks) {
  Mes_Context* context = Open();
  void* window = &windows;
  EXPECT_EQ(1, Mes_SetCaption(context, window, 1, nullptr));
  EXPECT_EQ("one", Windows::caption);
  // A message that reads "*" is a message, not the missing-message mark.
  EXPECT_EQ(1, Mes_SetCaption(context, window, 2, nullptr));
  EXPECT_EQ("*", Windows::caption);
  Windows::caption = "unchanged";
  EXPECT_EQ(0, Mes_SetCaption(context, window, 0x50, nullptr));
  EXPECT_EQ("unchanged", Windows::caption);
  EXPECT_EQ(1, Mes_SetCaption(context, window, 0x50, "fallback"));
  EXPECT_EQ("fallback", Windows::caption);
  EXPECT_EQ(0, Mes_SetCaption(context, nullptr, 1, "x"));
}

TEST_F(ContextFunctionsTest, DialogItemsAreAllAttempted) {
  Mes_Context* context = Open();
  void* dialog = &windows;
  const int32_t ids[] = {1, 2, 3};
  const uint32_t numbers[] = {1, 0x50, 0x100};
  EXPECT_EQ(0, Mes_SetCaptions(context, dialog, ids, numbers, 3));
  EXPECT_EQ((std::map<int, std::string>{{1, "one"}, {3, "two five six"}}), Windows::items);

  const int32_t refusing[] = {99, 4};
  const uint32_t ones[] = {1, 1};
  EXPECT_EQ(0, Mes_SetCaptions(context, dialog, refusing, ones, 2));
  EXPECT_EQ("one", Windows::items[4]);
  EXPECT_EQ(1, Mes_SetCaptions(context, dialog, ids, numbers, 0));
  EXPECT_EQ(1, Mes_SetCaptions(context, dialog, ids, numbers, 1));
  EXPECT_EQ(0, Mes_SetCaptions(context, dialog, nullptr, numbers, 1));
  EXPECT_EQ(0, Mes_SetCaptions(context, dialog, ids, nullptr, 1));
  EXPECT_EQ(0, Mes_SetCaptions(context, nullptr, ids, numbers, 1));
}

// The evaluation and box functions of the family see the same contexts.
std::string boxText;
std::string boxCaption;
int TRALVEX_CALL RecordBox(const char* text, const char* caption, unsigned int) {
  boxText = text;
  boxCaption = caption;
  return 1;
}

TEST_F(ContextFunctionsTest, EvaluationAndBoxesUseTheContext) {
  Mes_Context* context = Open(nullptr, "Own caption");
  char buffer[40];
  std::memset(buffer, ' ', sizeof buffer - 1);
  buffer[sizeof buffer - 1] = '\0';
  MessageArgs record = {nullptr, nullptr, 0};
  Mes_FormatMessage(context, 0x100, buffer, &record);
  EXPECT_STREQ("two five six", buffer);

  Msg_MessageBoxProc previous = Msg_SetMessageBoxHook(&RecordBox);
  Mes_DisplayMessage(context, 0x10, &record, TRALVEX_MB_OK);
  Msg_SetMessageBoxHook(previous);
  EXPECT_EQ("sixteen", boxText);
  EXPECT_EQ("Own caption", boxCaption);
}

// A pointer never handed out, a destroyed context and null: every function
// answers as for an invalid context. The made-up pointer points at memory
// that would fail the test if it were ever written.
TEST_F(ContextFunctionsTest, InvalidContextsAreNeverFollowed) {
  Mes_Context* destroyed = Open();
  ASSERT_EQ(1, Mes_CloseProcess(destroyed));
  opened.clear();
  char guard[64];
  std::memset(guard, 0x5A, sizeof guard);
  Mes_Context* madeUp = reinterpret_cast<Mes_Context*>(guard);
  void* window = &windows;
  const int32_t ids[] = {1};
  const uint32_t numbers[] = {1};
  for (Mes_Context* invalid : {madeUp, destroyed, static_cast<Mes_Context*>(nullptr)}) {
    EXPECT_EQ(0, Mes_SetMyCaption(invalid, "x"));
    EXPECT_EQ(0, Mes_JoinProcess(invalid));
    EXPECT_EQ(0, Mes_CloseProcess(invalid));
    EXPECT_STREQ("d", Mes_GetMessagePtr(invalid, 1, "d"));
    EXPECT_STREQ("MSG(00001)", Mes_GetMessagePtr(invalid, 1, nullptr));
    char buffer[] = "   ";
    EXPECT_EQ(1, Mes_GetMessage(invalid, 1, buffer, nullptr));
    EXPECT_STREQ("MSG", buffer);
    Windows::caption = "unchanged";
    EXPECT_EQ(0, Mes_SetCaption(invalid, window, 1, nullptr));
    EXPECT_EQ("unchanged", Windows::caption);
    EXPECT_EQ(1, Mes_SetCaption(invalid, window, 1, "given"));
    EXPECT_EQ("given", Windows::caption);
    EXPECT_EQ(0, Mes_SetCaptions(invalid, window, ids, numbers, 1));
    EXPECT_FALSE(IsLiveContext(invalid));
  }
  for (unsigned char byte : guard) ASSERT_EQ(0x5A, byte);
  EXPECT_TRUE(Windows::items.empty());
}

// The application closes a handle the context opened, and the number is
// issued again to a catalogue of its own: the context neither reads nor
// closes that catalogue, and opens its own file afresh.
TEST_F(ContextFunctionsTest, AHandleClosedBehindTheContextsBackIsLeftAlone) {
  Mes_Context* context = Open();
  EXPECT_STREQ("one", Mes_GetMessagePtr(context, 1, nullptr));
  uint32_t stolen = Handles(context)[1];
  ASSERT_NE(0u, stolen);
  EXPECT_EQ(1, Msg_CloseMessages(stolen));

  TempDirectory other;
  std::string foreign = other.Write("OTHER.MSG", "1: foreign\r\n");
  // Released handles are issued again oldest first: open until ours comes.
  uint32_t reissued = 0;
  std::vector<uint32_t> spare;
  for (int i = 0; i < 100 && reissued != stolen; ++i) {
    if (reissued != 0) spare.push_back(reissued);
    ASSERT_EQ(1, Msg_OpenMessages(&reissued, foreign.c_str(), nullptr));
  }
  for (uint32_t handle : spare) Msg_CloseMessages(handle);
  ASSERT_EQ(stolen, reissued);

  EXPECT_STREQ("one", Mes_GetMessagePtr(context, 1, nullptr));
  EXPECT_NE(reissued, Handles(context)[1]);
  EXPECT_EQ(1, Mes_CloseProcess(context));
  opened.clear();
  EXPECT_STREQ("foreign", Msg_GetMessagePtr(reissued, 1, nullptr));
  EXPECT_EQ(1, Msg_CloseMessages(reissued));
}

// Two ranges served by a.msg and A.msg, where the file system keeps them
// apart: each number comes from its own file, whichever was opened first.
TEST_F(ContextFunctionsTest, FilesWhoseNamesDifferInCaseServeTheirOwnRanges) {
  TempDirectory app;
  app.Write("a.msg", "1: lower\r\n101: lower too\r\n");
  app.Write("A.msg", "1: capital\r\n101: capital!\r\n");
  if (std::filesystem::file_size(app.Path() / "a.msg") != 26) {
    GTEST_SKIP() << "the file system ignores case";
  }
  app.Write("Tralvex.ini", "[MessageFiles]\r\nLow-0FF=a.msg\r\nHigh-1FF=A.msg\r\n");
  for (uint32_t first : {1u, 0x101u}) {
    Mes_Context* context = Open(app.Path().string().c_str());
    ASSERT_NE(nullptr, context);
    Mes_GetMessagePtr(context, first, nullptr);
    EXPECT_STREQ("lower", Mes_GetMessagePtr(context, 1, nullptr));
    EXPECT_STREQ("capital!", Mes_GetMessagePtr(context, 0x101, nullptr));
  }
}

}  // namespace
}  // namespace tralvex
