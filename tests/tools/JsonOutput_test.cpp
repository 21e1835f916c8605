// Every JSON document of every command, on files in code pages 1250, 932
// and UTF-8, read by a real JSON parser, which refuses anything but UTF-8:
// texts are converted from the code page, and bytes that are no character
// of it are escaped.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "platform/CodePage.h"
#include "support/TempDirectory.h"

namespace tralvex::tool {
namespace {

const std::string kFixtures = std::string(TRALVEX_SOURCE_DIR) + "/tests/tools/fixtures/";
const std::string kExamples = std::string(TRALVEX_SOURCE_DIR) + "/examples/";

class JsonOutput : public ::testing::Test {
 protected:
  void TearDown() override { platform::UseSystemCodePage(); }

  // Runs the tool with args and parses what it writes; the system's code
  // page is systemPage, as a locale would make it.
  nlohmann::json Run(unsigned systemPage, const std::vector<std::string>& args) {
    platform::UseCodePage(systemPage);
    std::ostringstream out, err;
    Streams io{out, err, false};
    int status = RunTool(args, io);
    EXPECT_NE(2, status) << err.str();
    platform::UseSystemCodePage();
    try {
      return nlohmann::json::parse(out.str());
    } catch (const nlohmann::json::exception& e) {
      ADD_FAILURE() << e.what() << "\n" << out.str();
      return nlohmann::json();
    }
  }

  test::TempDirectory dir_;
};

// "Žluťoučký kůň", the text of message 300 of the Czech fixture.
const std::string kHorseUtf8 = "\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88";

std::string TextOf(const nlohmann::json& dump, const std::string& section, unsigned number) {
  for (const auto& s : dump.at("sections")) {
    if (s.at("name") != section) continue;
    for (const auto& m : s.at("messages")) {
      if (m.at("number") == number) return m.at("text").get<std::string>();
    }
  }
  return "(missing)";
}

TEST_F(JsonOutput, DumpConvertsTextsFromTheCodePageAndEscapesWhatItCannot) {
  const std::string czech = kFixtures + "cp1250/Czech.msg";
  // The code page given, or the system's.
  EXPECT_EQ(kHorseUtf8, TextOf(Run(65001, {"dump", "--format=json", "--codepage", "1250", czech}),
                               "DIALOG", 0x300));
  EXPECT_EQ(kHorseUtf8, TextOf(Run(1250, {"dump", "--format=json", czech}), "DIALOG", 0x300));
  // Read as UTF-8, the bytes of code page 1250 are no characters.
  EXPECT_EQ("\\x8Elu\\x9Dou\\xE8k\\xFD k\\xF9\\xF2",
            TextOf(Run(65001, {"dump", "--format=json", czech}), "DIALOG", 0x300));
  // Code page 932: the trail bytes "\" and "]" are parts of characters.
  nlohmann::json japanese =
      Run(1252, {"dump", "--format=json", "--codepage=932", kFixtures + "cp932/Japanese.msg"});
  EXPECT_EQ("\xE3\x82\xAB\xE3\x83\xBC\xE3\x83\x88\xE8\xA1\xA8", TextOf(japanese, "SHOP", 0x14));
  EXPECT_EQ("\xE9\x85\x8D\xE9\x80\x81\xE3\x82\xBE\xE3\x83\xBC\xE3\x83\xB3\xE8\xA1\xA8",
            TextOf(japanese, "\xE3\x82\xBE\xE3\x83\xBC\xE3\x83\xB3", 0x20));
  // UTF-8 files in a UTF-8 locale come out as they are.
  EXPECT_EQ(
      "Pozn\xC3\xA1mky",
      TextOf(Run(65001, {"dump", "--format=json", kExamples + "Notes-cs.msg"}), "COMMON", 0x1000));
}

TEST_F(JsonOutput, EscapedTextsKeepBackslashesApart) {
  // A backslash before "x" or another backslash is doubled in a text that
  // needs escapes, so that "\x81" the bytes and \x81 the characters differ.
  std::string file = dir_.Write("escapes.msg", "1: a\\x\x81\\\\\r\n2: a\\x\\\\\r\n");
  nlohmann::json dump = Run(65001, {"dump", "--format=json", file});
  EXPECT_EQ("a\\\\x\\x81\\\\\\", TextOf(dump, "I_N_V_I_S_I_B_L_E", 1));
  EXPECT_EQ("a\\x\\\\", TextOf(dump, "I_N_V_I_S_I_B_L_E", 2));
}

TEST_F(JsonOutput, CheckMapAndCompareAreUtf8Too) {
  // A finding that quotes a Czech text, a keyword with a Czech label.
  std::string file = dir_.Write("cut.msg", "[Main]\r\n10: \x8Elu\x9D;k\xF9\xF2\r\n");
  nlohmann::json check = Run(1250, {"check", "--format=json", file});
  ASSERT_FALSE(check.at("diagnostics").empty());
  EXPECT_NE(std::string::npos,
            check.at("diagnostics")[0].at("message").get<std::string>().find(";k\xC5\xAF\xC5\x88"));
  nlohmann::json raw = Run(65001, {"check", "--format=json", file});
  EXPECT_NE(std::string::npos,
            raw.at("diagnostics")[0].at("message").get<std::string>().find(";k\\xF9\\xF2"));

  dir_.Write("app/Czech.msg", "[Main]\r\n10: \x8Elu\x9D\r\n");
  dir_.Write("app/Tralvex.ini",
             "[MessageFiles]\r\n\xC8"
             "e\x9Atina-0FFF=Czech.msg\r\n");
  nlohmann::json map = Run(1250, {"map", "--format=json", (dir_.Path() / "app").string()});
  EXPECT_EQ(
      "\xC4\x8C"
      "e\xC5\xA1tina-0FFF",
      map.at("ranges")[0].at("keyword"));
  Run(65001, {"map", "--format=json", (dir_.Path() / "app").string()});

  for (unsigned page : {1250u, 65001u}) {
    nlohmann::json compare = Run(page, {"compare", "--format=json", kFixtures + "cp1250/Base.msg",
                                        kFixtures + "cp1250/Czech.msg"});
    EXPECT_EQ(9, compare.at("files")[0].at("translated"));
    EXPECT_EQ(1, compare.at("errors"));
  }
  nlohmann::json japanese = Run(932, {"compare", "--format=json", kFixtures + "cp932/Base.msg",
                                      kFixtures + "cp932/Japanese.msg"});
  EXPECT_EQ("\xE3\x82\xBE\xE3\x83\xBC\xE3\x83\xB3",
            japanese.at("files")[0].at("sections")[1].at("name"));
  Run(65001, {"compare", "--format=json", kExamples + "Notes-en.msg", kExamples + "Notes-cs.msg"});
}

}  // namespace
}  // namespace tralvex::tool
