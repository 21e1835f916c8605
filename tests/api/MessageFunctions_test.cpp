#include "api/MessageFunctions.h"

#include <gtest/gtest.h>

#include <string>

#include "support/FakeMessageServices.h"

namespace {

using namespace tralvex;
using tralvex::testing::Blanks;
using tralvex::testing::FakeMessageServices;

class MessageFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.catalogues[3][0x1A2] = "Enter";
    s.catalogues[3][0x10] = "%s and %s\\n%d";
    s.contextMessages[0x1A2] = "Enter";
    s.contextMessages[0x20] = "Saving %s to %s";
    s.contextMessages[0] = "zero";
    s.contextCaption = "MyApp";
  }
  Mes_Context* Dead() { return reinterpret_cast<Mes_Context*>(&s); }
  FakeMessageServices s;
};

TEST_F(MessageFunctionsTest, EvaluationByHandleReportsMissingMessages) {
  auto buffer = Blanks(40);
  EXPECT_EQ(EvalByHandle(s, 3, "Press {1A2|OK} now", buffer.data()), 1);
  EXPECT_STREQ(buffer.data(), "Press Enter now");
  buffer = Blanks(40);
  EXPECT_EQ(EvalByHandle(s, 3, "Press {1A3|OK} now", buffer.data()), 0);
  EXPECT_STREQ(buffer.data(), "Press MSG(001A3) now");
  buffer = Blanks(40);
  EXPECT_EQ(EvalByHandle(s, 3, "plain", buffer.data()), 1);
  const char* placeholder = s.MakePlaceholderText(0x42);
  EXPECT_EQ(EvalByHandle(s, 3, placeholder, buffer.data()), 0);
  EXPECT_EQ(EvalByHandle(s, 3, nullptr, buffer.data()), 0);
  EXPECT_EQ(EvalByHandle(s, 3, "x", nullptr), 0);
}

TEST_F(MessageFunctionsTest, EvaluationInAContextUsesTheFallback) {
  auto buffer = Blanks(40);
  EXPECT_EQ(EvalInContext(s, s.liveContext, "Press {1A3|OK} now", buffer.data()), 1);
  EXPECT_STREQ(buffer.data(), "Press OK now");
  buffer = Blanks(40);
  EXPECT_EQ(EvalInContext(s, s.liveContext, "a { b", buffer.data()), 1);
  EXPECT_STREQ(buffer.data(), "a { b");
  buffer = Blanks(5);
  EXPECT_EQ(EvalInContext(s, Dead(), "Press {1A2} now", buffer.data()), 0);
  EXPECT_STREQ(buffer.data(), "Press");
  EXPECT_EQ(EvalInContext(s, nullptr, nullptr, buffer.data()), 0);
}

TEST_F(MessageFunctionsTest, FormattingByHandle) {
  auto buffer = Blanks(40);
  EXPECT_EQ(FormatByHandle(s, 3, 0x10, buffer.data(), "a", "", nullptr), 1);
  EXPECT_STREQ(buffer.data(), "a and %s\n%s");
  buffer = Blanks(3);
  EXPECT_EQ(FormatByHandle(s, 3, 0x10, buffer.data(), "abcd", "b", "c"), 1);
  EXPECT_STREQ(buffer.data(), "abc");
  buffer = Blanks(40);
  EXPECT_EQ(FormatByHandle(s, 3, 0x11, buffer.data(), "a", "b", "c"), 0);
  EXPECT_STREQ(buffer.data(), "MSG(00011)");
  EXPECT_EQ(FormatByHandle(s, 3, 0x10, nullptr, "a", "b", "c"), 0);
}

TEST_F(MessageFunctionsTest, PlainBoxesByHandle) {
  ShowText(s, "", nullptr, 0x4);
  EXPECT_EQ(s.LastBox().text, "??????? ??????? ???????");
  EXPECT_EQ(s.LastBox().caption, "Tralvex");
  EXPECT_EQ(s.LastBox().style, 0x4u | 0x2000u | 0x10000u);
  ShowMessageByHandle(s, 3, 0x10, "Cap", 0);
  EXPECT_EQ(s.LastBox().text, "%s and %s\n%d");
  EXPECT_EQ(s.LastBox().caption, "Cap");
  ShowMessageByHandle(s, 9, 0x10, nullptr, 0);
  EXPECT_EQ(s.LastBox().text, "MSG(00010)");
}

TEST_F(MessageFunctionsTest, FormattingInAContextChoosesItsSource) {
  const char* args[] = {"a.txt", "disk"};
  MessageArgs record{nullptr, args, 2};
  auto buffer = Blanks(60);
  EXPECT_EQ(FormatInContext(s, s.liveContext, 0x20, buffer.data(), &record), 1);
  EXPECT_STREQ(buffer.data(), "Saving a.txt to disk");
  // Number 0 or -1 formats the record's own text.
  MessageArgs own{"own %s\\t", "x", 1};
  buffer = Blanks(60);
  EXPECT_EQ(FormatInContext(s, s.liveContext, 0xFFFFFFFF, buffer.data(), &own), 1);
  EXPECT_STREQ(buffer.data(), "own x\t");
  // Without arguments nothing is formatted or expanded; status 0.
  MessageArgs plain{"default\\n", nullptr, 0};
  buffer = Blanks(60);
  EXPECT_EQ(FormatInContext(s, s.liveContext, 0x99, buffer.data(), &plain), 0);
  EXPECT_STREQ(buffer.data(), "default\\n");
  buffer = Blanks(60);
  EXPECT_EQ(FormatInContext(s, Dead(), 0x20, buffer.data(), nullptr), 0);
  EXPECT_STREQ(buffer.data(), "MSG(00020)");
  buffer = Blanks(60);
  FormatInContext(s, s.liveContext, 0, buffer.data(), nullptr);
  EXPECT_STREQ(buffer.data(), "zero");
  EXPECT_EQ(FormatInContext(s, s.liveContext, 0x20, nullptr, &record), 0);
}

TEST_F(MessageFunctionsTest, PlainBoxesInAContext) {
  s.contextMessages[0x30] = "line\\none";
  ShowMessageInContext(s, s.liveContext, 0x30, nullptr, 0x40);
  EXPECT_EQ(s.LastBox().text, "line\none");
  EXPECT_EQ(s.LastBox().caption, "MyApp");
  EXPECT_EQ(s.LastBox().style, 0x40u);
  s.contextCaption.clear();
  ShowMessageInContext(s, s.liveContext, 0x30, nullptr, 0);
  EXPECT_EQ(s.LastBox().caption, "Tolvo");
  MessageArgs record{"as is\\n %s", "x", 1};
  ShowMessageInContext(s, Dead(), 0x30, &record, 0);
  EXPECT_EQ(s.LastBox().text, "as is\\n %s");
  EXPECT_EQ(s.LastBox().caption, "Tolvo");
  ShowMessageInContext(s, nullptr, 0x30, nullptr, 0);
  EXPECT_EQ(s.LastBox().text, "MSG(00030)");
}

TEST_F(MessageFunctionsTest, ComposedBoxes) {
  ComposeInContext(s, s.liveContext, "{1A2}: 100%% %s\\t", "x", 1, 0);
  EXPECT_EQ(s.LastBox().text, "Enter: 100% x\t");
  EXPECT_EQ(s.LastBox().caption, "MyApp");
  ComposeInContext(s, Dead(), "{1A2}: 100%%", nullptr, 0, 0);
  EXPECT_EQ(s.LastBox().text, "{1A2}: 100%");
  EXPECT_EQ(s.LastBox().caption, "Tolvo");
  std::size_t shown = s.boxes.size();
  EXPECT_EQ(ComposeInContext(s, s.liveContext, nullptr, nullptr, 0, 0), 0);
  EXPECT_EQ(s.boxes.size(), shown);
}

}  // namespace
