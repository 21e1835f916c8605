// The context family's exports on pointers that are no live context: they
// fall back as documented, and their boxes are captured by the hook.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/Module.h"
#include "tralvex/ErrorList.h"
#include "tralvex/tralvex.h"

namespace {

struct Box {
  std::string text, caption;
  unsigned style;
};
std::vector<Box> boxes;

int TRALVEX_CALL Capture(const char* text, const char* caption, unsigned int style) {
  boxes.push_back({text, caption, style});
  return 1;
}

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

}  // namespace
