// Large and hostile texts through evaluation and formatting: nothing may be
// read or written beyond what was passed (the sanitizer build checks that).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/MessageFormatter.h"
#include "api/MessageFunctions.h"
#include "support/FakeMessageServices.h"

namespace {

using namespace tralvex;
using tralvex::testing::Blanks;
using tralvex::testing::FakeMessageServices;

std::string Hostile(std::size_t size) {
  const std::string piece = "{1A2}%d%n%s{{%*.*x}%%%-9999s{|}{";
  std::string text;
  while (text.size() < size) text += piece;
  return text;
}

TEST(BadInput, HundredKilobyteTextsThroughEvaluationAndFormatting) {
  FakeMessageServices s;
  s.catalogues[1][0x1A2] = Hostile(100 * 1024);
  std::vector<char> buffer = Blanks(4000);
  EXPECT_EQ(EvalByHandle(s, 1, s.catalogues[1][0x1A2].c_str(), buffer.data()), 1);
  EXPECT_EQ(std::string(buffer.data()).size(), 4000u);

  std::string formatted;
  const char* args[] = {"a", nullptr, "c"};
  EXPECT_EQ(FormatMessageArguments(s.catalogues[1][0x1A2].c_str(), args, 3, formatted), 1);
  // The "%-9999s" that take arguments pad in full: nothing is cut.
  EXPECT_GT(formatted.size(), 9999u * 1000);
  formatted.clear();
  EXPECT_EQ(FormatMessageArguments(s.catalogues[1][0x1A2].c_str(), "one", 1, formatted), 1);

  buffer = Blanks(3000);
  EXPECT_EQ(FormatByHandle(s, 1, 0x1A2, buffer.data(), "x", "y", "z"), 1);
  EXPECT_EQ(std::string(buffer.data()).size(), 3000u);
}

TEST(BadInput, ASelfReferenceIsEvaluatedOnce) {
  FakeMessageServices s;
  s.catalogues[1][0x1A2] = "again {1A2} and";
  std::vector<char> buffer = Blanks(100);
  EXPECT_EQ(EvalByHandle(s, 1, s.catalogues[1][0x1A2].c_str(), buffer.data()), 1);
  EXPECT_STREQ(buffer.data(), "again again {1A2} and and");
}

TEST(BadInput, EveryConversionLetterIsHarmless) {
  for (int c = 1; c < 256; ++c) {
    std::string format = std::string("%") + static_cast<char>(c) + "|%5.3" + static_cast<char>(c) +
                         "|%l" + static_cast<char>(c);
    std::string out;
    FormatWithTexts(format, nullptr, 0, kNoOutputLimit, out);
    EXPECT_LE(out.size(), 64u) << c;
  }
}

}  // namespace
