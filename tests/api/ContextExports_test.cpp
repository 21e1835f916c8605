// The context family's exports on pointers that are no live context: they
// fall back as documented, and their boxes are captured by the hook.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/Module.h"
#include "support/BoxCapture.h"
#include "support/TempDirectory.h"
#include "tralvex/ErrorList.h"
#include "tralvex/tralvex.h"

namespace {

using Box = tralvex::test::CapturedBox;
std::vector<Box>& boxes = tralvex::test::CapturedBoxes();
constexpr Msg_MessageBoxProc Capture = tralvex::test::CaptureBox<1>;

class ContextExportsTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = Msg_SetMessageBoxHook(Capture); }
  void TearDown() override { Msg_SetMessageBoxHook(previous_); }
  Mes_Context* Stale() { return reinterpret_cast<Mes_Context*>(&previous_); }
  Msg_MessageBoxProc previous_ = nullptr;
};

TEST_F(ContextExportsTest, EvaluationAndFormattingWithoutALiveContext) {
  char buffer[] = "                    ";
  EXPECT_EQ(Mes_EvalMessage(Stale(), "Press {1A2|OK}", buffer), 0);
  EXPECT_STREQ(buffer, "Press {1A2|OK}");
  char formatted[] = "                    ";
  MessageArgs record{"Default %s", "x", 1};
  EXPECT_EQ(Mes_FormatMessage(nullptr, 0x30, formatted, &record), 1);
  EXPECT_STREQ(formatted, "Default x");
  char placeholder[] = "                    ";
  EXPECT_EQ(Mes_FormatMessage(Stale(), 0x30, placeholder, nullptr), 0);
  EXPECT_STREQ(placeholder, "MSG(00030)");
}

TEST_F(ContextExportsTest, BoxesWithoutALiveContext) {
  const std::string unknown = tralvex::TheModule().texts.unspecifiedError;
  const std::string word = tralvex::TheModule().texts.errorWord;
  Mes_DisplayMessage(Stale(), 0x30, nullptr, 0x40);
  EXPECT_EQ(boxes.back().text, "MSG(00030)");
  EXPECT_EQ(boxes.back().caption, "Tolvo");
  EXPECT_EQ(boxes.back().style, 0x40u);
  Mes_ComposeMessage(nullptr, "{1A2} 100%% %s\\n", "x", 1, 0);
  EXPECT_EQ(boxes.back().text, "{1A2} 100% x\n");
  Mes_DisplayError(Stale(), 0, nullptr, 0x108, nullptr, 0);
  EXPECT_EQ(boxes.back().text, "MSG(00108)");
  EXPECT_EQ(boxes.back().caption, "QelError - [" + word + " 0108]");
  const int codes[] = {0x108, 0};
  Mes_DisplayErrors(nullptr, 0, nullptr, codes, nullptr, 2, 0);
  EXPECT_EQ(boxes.back().text, "# 0108\t:  " + unknown + "\n");
  EXPECT_EQ(boxes.back().caption, "QelError");
  ErrorList list;
  list.AddError(0x120, "a.msg");
  Mes_DisplayErrBase(nullptr, 0, nullptr, &list, 0);
  EXPECT_EQ(boxes.back().text, "# 0120\t:  " + unknown + " (a.msg)\n");
}

class LiveContextTest : public ContextExportsTest {
 protected:
  void SetUp() override {
    ContextExportsTest::SetUp();
    std::string file = dir_.Write("App.msg",
                                  "[Main]\r\n"
                                  "1A2: Enter\r\n"
                                  "108: Out of memory\r\n"
                                  "500: Saving %s\\tnow\r\n");
    ASSERT_EQ(Mes_OpenProcess(&context_, file.c_str(), "MyApp", 0), 1);
    word_ = tralvex::TheModule().texts.errorWord;
    label_ = tralvex::TheModule().texts.actionLabel;
  }
  void TearDown() override {
    Mes_CloseProcess(context_);
    ContextExportsTest::TearDown();
  }
  tralvex::test::TempDirectory dir_;
  Mes_Context* context_ = nullptr;
  std::string word_, label_;
};

TEST_F(LiveContextTest, EvaluationAndFormatting) {
  char buffer[] = "                              ";
  EXPECT_EQ(Mes_EvalMessage(context_, "Press {1A2} or {1A3|OK}", buffer), 1);
  EXPECT_STREQ(buffer, "Press Enter or OK");
  char formatted[] = "                              ";
  MessageArgs record{nullptr, "doc", 1};
  EXPECT_EQ(Mes_FormatMessage(context_, 0x500, formatted, &record), 1);
  EXPECT_STREQ(formatted, "Saving doc\tnow");
}

TEST_F(LiveContextTest, BoxesUnderTheContextsCaption) {
  MessageArgs record{nullptr, "doc", 1};
  Mes_DisplayMessage(context_, 0x500, &record, 0x40);
  EXPECT_EQ(boxes.back().text, "Saving doc\tnow");
  EXPECT_EQ(boxes.back().caption, "MyApp");
  Mes_ComposeMessage(context_, "{1A2}: %s", "x", 1, 0);
  EXPECT_EQ(boxes.back().text, "Enter: x");
  Mes_DisplayError(context_, 0, nullptr, 0x108, nullptr, 0);
  EXPECT_EQ(boxes.back().text, "Out of memory");
  EXPECT_EQ(boxes.back().caption, "MyApp - [" + word_ + " 0108]");
  Mes_DisplayError(context_, 0x500, &record, 0x108, "twenty-one characters", 0);
  EXPECT_EQ(boxes.back().text, label_ +
                                   "Saving doc\tnow\n\n# 0108\t:  Out of memory"
                                   "\n\t   (twenty-one characters)");
  EXPECT_EQ(boxes.back().caption, "MyApp - [" + word_ + "]");
  ErrorList list;
  for (int code = 0x101; code <= 0x10C; ++code) list.AddError(code, nullptr);
  Mes_DisplayErrBase(context_, 0, nullptr, &list, 0);
  EXPECT_NE(boxes.back().text.find("# 0108\t:  Out of memory\n"), std::string::npos);
  EXPECT_NE(boxes.back().text.find("# 010A"), std::string::npos);
  EXPECT_EQ(boxes.back().text.find("# 010B"), std::string::npos);
}

}  // namespace
