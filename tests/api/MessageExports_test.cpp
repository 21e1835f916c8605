// The handle family's evaluation, formatting and boxes through the exports,
// on a real message file, with the boxes captured by the hook.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/Module.h"
#include "support/BoxCapture.h"
#include "support/TempDirectory.h"
#include "tralvex/tralvex.h"

namespace {

using Box = tralvex::test::CapturedBox;
std::vector<Box>& boxes = tralvex::test::CapturedBoxes();
constexpr Msg_MessageBoxProc Capture = tralvex::test::CaptureBox<6>;

std::vector<char> Blanks(std::size_t room) {
  std::vector<char> buffer(room + 1, ' ');
  buffer[room] = '\0';
  return buffer;
}

class MessageExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = Msg_SetMessageBoxHook(Capture);
    boxes.clear();
    std::string file = dir_.Write("Eval.msg",
                                  "[Main]\r\n"
                                  "1A2: Enter\r\n"
                                  "10: Copy %s to %s\\n%d\r\n"
                                  "20: Saving\\tnow\r\n");
    ASSERT_EQ(Msg_OpenMessages(&handle_, file.c_str(), nullptr), 1);
  }
  void TearDown() override {
    Msg_CloseMessages(handle_);
    Msg_SetMessageBoxHook(previous_);
  }

  tralvex::test::TempDirectory dir_;
  uint32_t handle_ = TRALVEX_NO_CATALOGUE;
  Msg_MessageBoxProc previous_ = nullptr;
};

TEST_F(MessageExportsTest, EvaluationAndFormatting) {
  auto buffer = Blanks(40);
  EXPECT_EQ(Msg_EvalMessage(handle_, "Press {1A2|OK} now", buffer.data()), 1);
  EXPECT_STREQ(buffer.data(), "Press Enter now");
  buffer = Blanks(40);
  EXPECT_EQ(Msg_EvalMessage(handle_, "Press {1A3|OK} now", buffer.data()), 0);
  EXPECT_STREQ(buffer.data(), "Press MSG(001A3) now");
  EXPECT_EQ(Msg_EvalMessage(handle_, nullptr, buffer.data()), 0);

  buffer = Blanks(40);
  EXPECT_EQ(Msg_FormatMessage(handle_, 0x10, buffer.data(), "a", nullptr, ""), 1);
  EXPECT_STREQ(buffer.data(), "Copy a to %s\n%s");
  buffer = Blanks(40);
  EXPECT_EQ(Msg_FormatMessage(handle_, 0x11, buffer.data(), "a", "b", "c"), 0);
  EXPECT_STREQ(buffer.data(), "MSG(00011)");
}

TEST_F(MessageExportsTest, PlainBoxes) {
  EXPECT_EQ(Msg_DisplayMessage_S(nullptr, "", 0x4), 6);
  EXPECT_EQ(boxes.back().text, "??????? ??????? ???????");
  EXPECT_EQ(boxes.back().caption, "Tralvex");
  EXPECT_EQ(boxes.back().style, 0x12004u);
  Msg_DisplayMessage_N(handle_, 0x20, "Cap", 0);
  EXPECT_EQ(boxes.back().text, "Saving\tnow");
  EXPECT_EQ(boxes.back().caption, "Cap");
}

TEST_F(MessageExportsTest, ErrorBoxes) {
  const std::string unknown = tralvex::TheModule().texts.unspecifiedError;
  const std::string label = tralvex::TheModule().texts.actionLabel;
  EXPECT_EQ(Msg_DisplayOneError("Copying", 0x7777, "file.txt", 0x30, 0), 6);
  EXPECT_EQ(boxes.back().text, label + "Copying\n\n7777\t:  " + unknown + " (file.txt)");
  EXPECT_EQ(boxes.back().caption, "QelError");
  EXPECT_EQ(boxes.back().style, 0x30u);

  const int codes[] = {0x1A2, 0x7777};
  Msg_DisplayAllErrors("act", codes, nullptr, 2, 0, static_cast<int>(handle_));
  EXPECT_EQ(boxes.back().text, label + "act\n\n01A2\t:  Enter\n7777\t:  " + unknown);

  Msg_DisplayErrMsg(handle_, 0x20, 0x1A2, nullptr, 0, static_cast<int>(handle_));
  EXPECT_EQ(boxes.back().text, label + "Saving\tnow\n\n01A2\t:  Enter");

  // An unregistered handle: the number stands in, and the table notes why.
  tralvex::TheModule().catalogues.ClearErrors();
  Msg_DisplayErrMsges(0x4321, 0x20, nullptr, nullptr, 0, 0, 0);
  EXPECT_EQ(boxes.back().text.substr(0, label.size() + 7), label + "(0020)\n");
  EXPECT_EQ(tralvex::TheModule().catalogues.HasError(0x114), 1);
  Msg_DisplayErrMsges(handle_, 0x20, codes, nullptr, 1, 0, static_cast<int>(handle_));
  EXPECT_EQ(boxes.back().text, label + "Saving\tnow\n\n01A2\t:  Enter");
}

}  // namespace
