#include "api/MessageFormatter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tralvex::FormatMessageArguments;
using tralvex::FormatWithTexts;
using tralvex::kNoOutputLimit;

std::string Format(const std::string& format, std::vector<const char*> args,
                   std::size_t limit = kNoOutputLimit) {
  std::string out;
  FormatWithTexts(format, args.empty() ? nullptr : args.data(), args.size(), limit, out);
  return out;
}

TEST(MessageFormatter, TextConversionsFollowPrintf) {
  EXPECT_EQ(Format("[%s]", {"abc"}), "[abc]");
  EXPECT_EQ(Format("[%5s]", {"abc"}), "[  abc]");
  EXPECT_EQ(Format("[%-5s]", {"abc"}), "[abc  ]");
  EXPECT_EQ(Format("[%.2s]", {"abc"}), "[ab]");
  EXPECT_EQ(Format("[%5.1s]", {"abc"}), "[    a]");
  EXPECT_EQ(Format("[%.s]", {"abc"}), "[]");
  EXPECT_EQ(Format("[%2s]", {"abcd"}), "[abcd]");
  EXPECT_EQ(Format("100%% of %s", {"x"}), "100% of x");
  EXPECT_EQ(Format("%s%s%s", {"a", "b", "c"}), "abc");
}

TEST(MessageFormatter, OtherConversionsTakeTheNextText) {
  EXPECT_EQ(Format("%d of %s", {"3", "7"}), "3 of 7");
  const char* conversions[] = {"%d",   "%i",  "%u",  "%x",  "%X",  "%o",  "%c",  "%e",  "%E",
                               "%f",   "%F",  "%g",  "%G",  "%a",  "%A",  "%p",  "%ld", "%lld",
                               "%hhx", "%zu", "%Lf", "%jd", "%td", "%+d", "%#x", "% d"};
  for (const char* conversion : conversions) {
    EXPECT_EQ(Format(std::string("<") + conversion + ">", {"t"}), "<t>") << conversion;
  }
  EXPECT_EQ(Format("%5d|%-4x|%.1f|%03d", {"1", "2", "345", "7"}), "    1|2   |3|  7");
}

TEST(MessageFormatter, PercentNTakesItsArgumentAndShowsNothing) {
  EXPECT_EQ(Format("a%nb%s", {"x", "y"}), "aby");
  EXPECT_EQ(Format("%hn%lln%s", {"1", "2", "3"}), "3");
}

TEST(MessageFormatter, StarReadsItsArgumentAsANumber) {
  EXPECT_EQ(Format("[%*s]", {"5", "ab"}), "[   ab]");
  EXPECT_EQ(Format("[%*s]", {"-5", "ab"}), "[ab   ]");
  EXPECT_EQ(Format("[%.*s]", {"2", "abcdef"}), "[ab]");
  EXPECT_EQ(Format("[%.*s]", {"-1", "abc"}), "[abc]");
  EXPECT_EQ(Format("[%*.*s]", {"4", "1", "xyz"}), "[   x]");
  EXPECT_EQ(Format("[%*s]", {"wide", "ab"}), "[ab]");
  // Beyond the arguments "*" reads the text "%s", which is no number.
  EXPECT_EQ(Format("[%*s]", {}), "[%s]");
}

TEST(MessageFormatter, ConversionsBeyondTheArgumentsKeepPercentS) {
  EXPECT_EQ(Format("%s-%s-%s", {"x"}), "x-%s-%s");
  EXPECT_EQ(Format("%d %x", {}), "%s %s");
  std::string many;
  for (int i = 0; i < 50; ++i) many += "%s";
  EXPECT_EQ(Format(many, {"a"}), "a" + std::string(many, 2));
  EXPECT_EQ(Format("%s|%s", {nullptr, "b"}), "%s|b");
}

TEST(MessageFormatter, IncompleteAndUnknownConversionsStayAsWritten) {
  EXPECT_EQ(Format("50%", {"x"}), "50%");
  EXPECT_EQ(Format("50%-5", {"x"}), "50%-5");
  EXPECT_EQ(Format("a%*.", {"9", "x"}), "a%*.");
  EXPECT_EQ(Format("%y%s", {"x"}), "%yx");
  EXPECT_EQ(Format("%1$s", {"x"}), "%1$s");
  EXPECT_EQ(Format("%-5%", {"x"}), "%");
}

TEST(MessageFormatter, WidthsAreBoundedAndTheLimitCuts) {
  EXPECT_EQ(Format("%999999999s", {"x"}).size(), tralvex::kMaxFieldWidth);
  EXPECT_EQ(Format("%*s", {"123456789012345678901234567890", "x"}).size(), tralvex::kMaxFieldWidth);
  EXPECT_EQ(Format("%s and %s", {"one", "two"}, 6), "one an");
  EXPECT_EQ(Format("%10s", {"x"}, 3), "   ");
  EXPECT_EQ(Format("abc", {}, 0), "");
}

TEST(FormatMessageArguments, OneArgumentIsTheTextItself) {
  std::string out;
  EXPECT_EQ(FormatMessageArguments("[%s] %s %d", "one", 1, out), 1);
  EXPECT_EQ(out, "[one] %s %s");
}

TEST(FormatMessageArguments, ArraysAreNotCutByTheirOwnLengths) {
  const char* args[] = {"x", nullptr};
  std::string out;
  EXPECT_EQ(FormatMessageArguments("%s-%s-%s", args, 2, out), 1);
  EXPECT_EQ(out, "x-%s-%s");
  // Padding wider than the text and its arguments keeps every argument and
  // the end of the text.
  out.clear();
  const char* wide[] = {"a", "bb"};
  EXPECT_EQ(FormatMessageArguments("%20s|%-5s]", wide, 2, out), 1);
  EXPECT_EQ(out, std::string(19, ' ') + "a|bb   ]");
}

TEST(FormatMessageArguments, EscapesAreExpandedFirstAndNoArgumentsKeepsPercentS) {
  std::string out;
  EXPECT_EQ(FormatMessageArguments("a\\tb 100%% %s\\n", nullptr, 0, out), 1);
  EXPECT_EQ(out, "a\tb 100% %s\n");
}

TEST(FormatMessageArguments, NullTextIsRefusedAndNullArgumentsStandForPercentS) {
  std::string out;
  EXPECT_EQ(FormatMessageArguments(nullptr, "x", 1, out), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(FormatMessageArguments("<%s>", nullptr, 1, out), 1);
  EXPECT_EQ(out, "<%s>");
  out.clear();
  EXPECT_EQ(FormatMessageArguments("<%s|%s>", nullptr, 3, out), 1);
  EXPECT_EQ(out, "<%s|%s>");
}

}  // namespace
