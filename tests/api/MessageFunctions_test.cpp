#include "api/MessageFunctions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

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

// ---- Formatting by handle against printf ----------------------------------
// On messages whose conversions are all text conversions ("%s" with the "-"
// flag, a width or a precision, and "%%"), the C library's printf is a model
// of the formatting, and its size argument one of the buffer's room.

// The escapes as documented, on single-byte texts.
std::string ModelExpand(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
    } else if (text[i + 1] == 'n' || text[i + 1] == 't') {
      out += text[++i] == 'n' ? '\n' : '\t';
    } else {
      out += text.substr(i++, 2);
    }
  }
  return out;
}

TEST_F(MessageFunctionsTest, FormattingByHandleMatchesPrintfOnTextConversions) {
  const char* const kLiterals[] = {"ab", " ", "Copy ", "\\n", "\\t", "\\q", "\\\\", "%%", "\\"};
  const char* const kConversions[] = {"%s", "%-6s", "%6s", "%.2s", "%4.1s", "%-3.5s", "%.0s"};
  const char* const kArguments[] = {"", "x", "C:\\DATA", "a longer argument", "%s", "%d"};
  std::mt19937 random(20261209);
  auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  for (int round = 0; round < 3000; ++round) {
    std::string message;
    int conversions = 0;
    for (int i = pick(8); i >= 0; --i) {
      if (conversions < 3 && pick(3) == 0) {
        message += kConversions[pick(7)];
        ++conversions;
      } else {
        message += kLiterals[pick(9)];
      }
    }
    s.catalogues[3][0x50] = message;
    const char* args[3];
    for (const char*& arg : args) arg = pick(6) == 0 ? nullptr : kArguments[pick(6)];
    std::size_t room = static_cast<std::size_t>(pick(60));
    std::vector<char> buffer = Blanks(room);
    // Now and then the first argument is the text the caller left in the
    // buffer, which the result overwrites.
    std::string firstArgument = args[0] != nullptr ? args[0] : "";
    if (pick(6) == 0 && room > 0) {
      args[0] = buffer.data();
      firstArgument = buffer.data();
    }
    // An absent argument, null or empty, is the text "%s".
    auto shown = [](const std::string& arg) { return arg.empty() ? std::string("%s") : arg; };
    std::string expected(room + 1, '\0');
    std::snprintf(expected.data(), expected.size(), ModelExpand(message).c_str(),
                  shown(firstArgument).c_str(), shown(args[1] ? args[1] : "").c_str(),
                  shown(args[2] ? args[2] : "").c_str());
    expected.resize(std::strlen(expected.c_str()));

    ASSERT_EQ(FormatByHandle(s, 3, 0x50, buffer.data(), args[0], args[1], args[2]), 1);
    ASSERT_EQ(std::string(buffer.data()), expected) << message << " room " << room;
  }
}

}  // namespace
