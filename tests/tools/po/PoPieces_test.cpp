// The pieces of the PO round trip that are easy to get wrong: the header's
// list of sections, and message lines that must read back as the text meant.
#include <gtest/gtest.h>

#include "MessageFileLayout.h"
#include "platform/CodePage.h"
#include "po/MessageLineText.h"
#include "po/SectionList.h"

namespace tralvex::tool {
namespace {

TEST(SectionList, NamesAndTargetsOfAnyKindComeBack) {
  std::vector<ListedSection> sections = {{"COMMON", ""},
                                         {"EDITOR", "Common"},
                                         {"A,B=C%D", " spaced target "},
                                         {"\xE3\x82\xBE\xE3\x83\xBC\xE3\x83\xB3", "x;y"}};
  std::string value = FormatSectionList(sections);
  EXPECT_EQ(0u, value.find("COMMON, EDITOR=Common, A%2CB%3DC%25D=%20spaced target%20, "));
  std::optional<std::vector<ListedSection>> parsed = ParseSectionList(value);
  ASSERT_TRUE(parsed);
  ASSERT_EQ(sections.size(), parsed->size());
  for (std::size_t i = 0; i < sections.size(); ++i) {
    EXPECT_EQ(sections[i].name, (*parsed)[i].name);
    EXPECT_EQ(sections[i].aliasTarget, (*parsed)[i].aliasTarget);
  }
  EXPECT_TRUE(ParseSectionList("")->empty());
  for (const char* bad : {"A, , B", "%4", "A=%ZZ", "=B"})
    EXPECT_FALSE(ParseSectionList(bad)) << bad;
}

// Replaces the text of the only message line of `line` and returns the line.
std::string Replaced(const std::string& line, const std::string& text) {
  MessageFileLayout layout(line);
  EXPECT_EQ(1u, layout.Messages().size()) << line;
  std::optional<std::string> result = ReplaceText(line, layout.Messages()[0], text);
  return result ? *result : "(none)";
}

TEST(MessageLineText, KeepsTheLineAndQuotesOnlyWhereTheTextNeedsIt) {
  platform::UseCodePage(1252);
  EXPECT_EQ("  10 : new  ; note", Replaced("  10 : old  ; note", "new"));
  EXPECT_EQ("10: \"new\"", Replaced("10: \"old\"", "new"));
  EXPECT_EQ("10: \" new \" ; note", Replaced("10: old ; note", " new "));
  EXPECT_EQ("10: a;b ; note", Replaced("10: old ; note", "a;b"));
  EXPECT_EQ("10: \"a;b\";", Replaced("10: old", "a;b"));
  EXPECT_EQ("10: \"\"quoted\"\"", Replaced("10: old", "\"quoted\""));
  EXPECT_EQ("10: \"x \"", Replaced("10: \"old", "x "));  // an unbalanced quote
  EXPECT_EQ("(none)", Replaced("10: old", "a\rb"));
  EXPECT_EQ("1A: text", NewMessageLine(0x1A, "text").value());
  EXPECT_EQ("1A: \"\ttab\"", NewMessageLine(0x1A, "\ttab").value());
  EXPECT_EQ("0: \"50%; off\";", NewMessageLine(0, "50%; off").value());
  EXPECT_TRUE(ReadsBackAs("  5: \"x\" ; c", 5, "x"));
  EXPECT_FALSE(ReadsBackAs("5: x;y", 5, "x;y"));
  platform::UseSystemCodePage();
}

TEST(MessageLineText, TrailBytesOfCodePage932AreNoQuotesOrSemicolons) {
  platform::UseCodePage(932);
  // "表" ends in the byte of "\", "ゾ" in that of "]".
  const std::string table = "\x95\x5C", zone = "\x83\x5D";
  EXPECT_EQ("10: \"" + table + "\"", Replaced("10: \"old\"", table));
  EXPECT_EQ("10: " + zone + table + " ; c", Replaced("10: old ; c", zone + table));
  EXPECT_EQ("10: " + table, NewMessageLine(0x10, table).value());
  platform::UseSystemCodePage();
}

}  // namespace
}  // namespace tralvex::tool
