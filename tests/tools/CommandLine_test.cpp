#include "CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

#include "Commands.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

TEST(ParseMessageNumber, TakesHexDigitsOnly) {
  uint32_t n = 0;
  EXPECT_TRUE(ParseMessageNumber("1A2", n));
  EXPECT_EQ(n, 0x1A2u);
  EXPECT_TRUE(ParseMessageNumber("0xffffffff", n));
  EXPECT_EQ(n, 0xFFFFFFFFu);
  EXPECT_TRUE(ParseMessageNumber("0", n));
  EXPECT_EQ(n, 0u);
  for (const char* bad : {"", "0x", "x1", "-1", "+1", " 1", "1 ", "123456789", "1G", "0x0x1"}) {
    EXPECT_FALSE(ParseMessageNumber(bad, n)) << bad;
  }
}

TEST(ParseOptions, ValuesSeparateOrJoinedAndOperandsAnywhere) {
  Options options;
  std::string error;
  ASSERT_TRUE(ParseOptions({"a", "--section", "S", "b", "--format=json", "--werror", "--", "--c"},
                           kSectionOption | kFormatOption | kWerrorOption, options, error));
  EXPECT_EQ(options.operands, (std::vector<std::string>{"a", "b", "--c"}));
  EXPECT_EQ(options.section, "S");
  EXPECT_TRUE(options.json);
  EXPECT_TRUE(options.werror);
}

TEST(ParseOptions, RefusesWhatACommandDoesNotTake) {
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{"--section", "S"}, "unknown option \"--section\""},
      {{"--format"}, "--format needs a value"},
      {{"--format="}, "--format has an empty value"},
      {{"--format=xml"}, "--format takes \"text\" or \"json\", not \"xml\""},
      {{"--codepage", "437"}, "unknown code page \"437\""},
      {{"--codepage", "12x"}, "unknown code page \"12x\""},
      // 1250 plus 2 to the 32nd, and numbers a conversion would wrap or sign.
      {{"--codepage", "4294968546"}, "unknown code page \"4294968546\""},
      {{"--codepage", "18446744073709552866"}, "unknown code page"},
      {{"--codepage", "+1250"}, "unknown code page \"+1250\""},
      {{"--codepage", " 1250"}, "unknown code page"},
      {{"--codepage=-4294966046"}, "unknown code page"},
      {{"--werror=1"}, "--werror takes no value"},
      {{"--lang", "fr"}, "--lang takes en, de or cs"},
  };
  for (const Case& c : cases) {
    Options options;
    std::string error;
    unsigned accepted = kFormatOption | kWerrorOption | kCodePageOption | kLangOption;
    EXPECT_FALSE(ParseOptions(c.args, accepted, options, error)) << c.args[0];
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
}

class RunToolTest : public ::testing::Test {
 protected:
  int Run(const Arguments& args) {
    out_.str("");
    err_.str("");
    Streams io{out_, err_, false};
    return RunTool(args, io);
  }
  void TearDown() override { platform::UseSystemCodePage(); }
  std::ostringstream out_, err_;
};

TEST_F(RunToolTest, EmptyOperandsAndUnknownCommandsAreUsageFailures) {
  EXPECT_EQ(Run({}), kExitFailure);
  EXPECT_EQ(Run({"nonsense"}), kExitFailure);
  EXPECT_NE(err_.str().find("unknown command \"nonsense\""), std::string::npos);
  EXPECT_EQ(Run({"check", ""}), kExitFailure);
  EXPECT_NE(err_.str().find("empty"), std::string::npos);
  EXPECT_EQ(Run({"show", "", "1"}), kExitFailure);
  EXPECT_EQ(Run({"eval", "", ""}), kExitFailure);
  EXPECT_EQ(Run({"map", ""}), kExitFailure);
  EXPECT_EQ(Run({"--help"}), kExitOk);
  EXPECT_NE(out_.str().find("usage: tralvex COMMAND"), std::string::npos);
}

TEST_F(RunToolTest, CodePageOptionSwitchesTheLibrarysPage) {
  EXPECT_EQ(Run({"check", "--codepage", "932", "no-such-file.msg"}), kExitFailure);
  EXPECT_EQ(platform::ActiveCodePage().id, 932u);
}

}  // namespace
}  // namespace tralvex::tool
