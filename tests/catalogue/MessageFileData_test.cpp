#include "catalogue/MessageFileData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalogue/MessageFileSyntax.h"
#include "support/MessageText.h"

namespace tralvex {
namespace {

using test::ErrorContext;
using test::ParseText;
using test::TextOf;

TEST(MessageFileDataTest, SectionsAreFoundByUpperCasedTrimmedNames) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data,
                      "[ errors ]\r\n1: one\r\n[Other Part]\r\n1: other\r\n"
                      "[Errors]\r\n2: two\r\n1: ignored\r\n"),
            1);
  EXPECT_EQ(data.SectionCount(), 2u);
  EXPECT_EQ(data.Sections()[0].name, "ERRORS");
  EXPECT_EQ(data.Sections()[1].name, "OTHER PART");
  EXPECT_EQ(data.FindSection("errors"), data.FindSection("ERRORS"));
  EXPECT_EQ(data.FindSection(" errors"), nullptr);
  // A repeated header continues its section; the first definition wins.
  EXPECT_EQ(TextOf(data, "errors", 1), "one");
  EXPECT_EQ(TextOf(data, "errors", 2), "two");
  EXPECT_EQ(TextOf(data, "other part", 1), "other");
  EXPECT_EQ(data.defaultSection, data.FindSection("ERRORS"));
  EXPECT_TRUE(data.HasNoErrors());
}

TEST(MessageFileDataTest, LinesThatAreNoHeadersStayInThePreviousSection) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data,
                      "[Main]\r\n[A]\r\n1: a\r\n[]\r\n2: b\r\n[  ]\r\n3: c\r\n"
                      "\t[X]\r\n4: d\r\n"),
            1);
  EXPECT_EQ(data.SectionCount(), 1u);
  for (uint32_t n = 1; n <= 4; ++n) EXPECT_NE(TextOf(data, "MAIN", n), "<none>") << n;
}

TEST(MessageFileDataTest, MessagesBeforeAnyHeaderGoToTheInvisibleSection) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data,
                      "Alias: Ignored\r\n1: first\r\nAlias: Base\r\n"
                      "[Base]\r\n1: base\r\n2: from base\r\n"),
            1);
  MessageSection* invisible = data.FindSection(kInvisibleSectionName);
  ASSERT_NE(invisible, nullptr);
  EXPECT_EQ(data.defaultSection, invisible);
  EXPECT_EQ(data.Sections()[0].name, "I_N_V_I_S_I_B_L_E");
  // The alias after the first message applies to the invisible section.
  EXPECT_EQ(TextOf(data, kInvisibleSectionName, 1), "first");
  EXPECT_EQ(TextOf(data, kInvisibleSectionName, 2), "from base");
}

TEST(MessageFileDataTest, AliasBeforeAnyHeaderOrMessageIsIgnored) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data, "Alias: Nowhere\r\n[Main]\r\n1: x\r\n"), 1);
  EXPECT_EQ(data.FindSection(kInvisibleSectionName), nullptr);
  EXPECT_EQ(data.defaultSection, data.FindSection("main"));
}

TEST(MessageFileDataTest, LineFeedOnlyFileIsOneLine) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data, "[Main]\n1: one\n2: two\n"), 1);
  // The single line starts with a header, so nothing else counts.
  EXPECT_EQ(data.SectionCount(), 1u);
  EXPECT_EQ(data.FindSection("MAIN")->MessageCount(), 0u);

  MessageFileData message;
  ASSERT_EQ(ParseText(message, "1: one\n2: two\n"), 1);
  EXPECT_EQ(TextOf(message, kInvisibleSectionName, 1), "one\n2: two\n");
}

TEST(MessageFileDataTest, LineFeedBeforeTheColonIsNoMessageZero) {
  // An extra line feed after a CR LF starts the next line; that line must
  // not define message 0 and so hide the real one below it.
  MessageFileData data;
  ASSERT_EQ(ParseText(data, "[Main]\r\n1: one\r\n\n: zero\r\n\v: vt\r\n0: real zero\r\n"), 1);
  EXPECT_EQ(TextOf(data, "MAIN", 0), "real zero");
  EXPECT_EQ(TextOf(data, "MAIN", 1), "one");
  EXPECT_EQ(data.FindSection("MAIN")->MessageCount(), 2u);
}

TEST(MessageFileDataTest, IgnoredLinesRecordNothing) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data,
                      "\r\n    \r\n; comment: 1\r\nHello: x\r\n\tno colon\r\n"
                      "[Main]\r\nwhatever\r\n"),
            1);
  EXPECT_EQ(data.SectionCount(), 1u);
  EXPECT_EQ(data.FindSection("MAIN")->MessageCount(), 0u);
  EXPECT_TRUE(data.HasNoErrors());
}

TEST(MessageFileDataTest, EmptyTextHasNoSections) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data, ""), 1);
  EXPECT_EQ(data.SectionCount(), 0u);
  EXPECT_EQ(data.defaultSection, nullptr);
}

TEST(MessageFileDataTest, SuccessTakesTheBufferAndTextsPointIntoIt) {
  std::string text = "[Main]\r\n10: \"Quoted\" ; note\r\nAlias: Main\r\n11: last";
  char* buffer = new char[text.size() + 1];
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  char* start = buffer;
  MessageFileData data;
  ASSERT_EQ(data.ParseMessageFile(buffer, buffer + text.size()), 1);
  EXPECT_EQ(buffer, nullptr);
  EXPECT_EQ(data.TextBuffer(), start);
  const char* quoted = data.FindSection("MAIN")->FindMessage(0x10);
  const char* last = data.FindSection("MAIN")->FindMessage(0x11);
  EXPECT_STREQ(quoted, "Quoted");
  EXPECT_STREQ(last, "last");
  EXPECT_GE(quoted, start);
  EXPECT_LT(last, start + text.size());
  EXPECT_EQ(data.FindSection("MAIN")->aliasTarget, nullptr);
}

TEST(MessageFileDataTest, ParsingAgainStartsFromEmpty) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data, "[One]\r\n1: x\r\n"), 1);
  ASSERT_EQ(ParseText(data, "[Two]\r\n2: y\r\n"), 1);
  EXPECT_EQ(data.FindSection("ONE"), nullptr);
  EXPECT_EQ(data.defaultSection, data.FindSection("TWO"));
  EXPECT_EQ(data.ClearFileData(), 1);
  EXPECT_EQ(data.SectionCount(), 0u);
  EXPECT_EQ(data.TextBuffer(), nullptr);
  EXPECT_EQ(data.defaultSection, nullptr);
}

TEST(MessageFileDataTest, GetOrCreateSectionCreatesOnceUnderTheUpperCasedName) {
  MessageFileData data;
  MessageSection* created = data.GetOrCreateSection("Mixed Case");
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(data.GetOrCreateSection("MIXED case"), created);
  EXPECT_EQ(data.FindSection("mixed CASE"), created);
  EXPECT_EQ(data.Sections()[0].name, "MIXED CASE");
  EXPECT_EQ(data.SectionCount(), 1u);
}

TEST(MessageSectionTest, GetMsgStringRecordsTheFirstMissingNumberInDecimal) {
  MessageSection section;
  ASSERT_EQ(section.AddMessage(5, "five"), 1);
  EXPECT_STREQ(section.GetMsgString(5), "five");
  EXPECT_TRUE(section.HasNoErrors());
  EXPECT_EQ(section.GetMsgString(0x100), nullptr);
  EXPECT_EQ(ErrorContext(section, 321), "256");
  // One entry per code: a second miss adds nothing.
  EXPECT_EQ(section.GetMsgString(0x200), nullptr);
  EXPECT_EQ(section.GetErrorCount(), 1u);
  EXPECT_EQ(ErrorContext(section, 321), "256");

  MessageSection other;
  EXPECT_EQ(other.GetMsgString(0xFFFFFFFF), nullptr);
  EXPECT_EQ(ErrorContext(other, 321), "-1");
  EXPECT_EQ(other.FindMessage(0x80000000), nullptr);
  EXPECT_EQ(other.GetErrorCount(), 1u);
}

TEST(MessageSectionTest, AddMessageKeepsThePresentText) {
  MessageSection section;
  EXPECT_EQ(section.AddMessage(1, "first"), 1);
  EXPECT_EQ(section.AddMessage(1, "second"), 1);
  EXPECT_STREQ(section.FindMessage(1), "first");
  EXPECT_EQ(section.MessageCount(), 1u);
}

TEST(MessageSectionTest, ManyNumbersSurviveGrowthAndRelease) {
  MessageSection section;
  static const char* const kTexts[] = {"even", "odd"};
  for (uint32_t n = 0; n < 5000; ++n) ASSERT_EQ(section.AddMessage(n * 7919u, kTexts[n % 2]), 1);
  EXPECT_EQ(section.MessageCount(), 5000u);
  for (uint32_t n = 0; n < 5000; ++n) ASSERT_STREQ(section.FindMessage(n * 7919u), kTexts[n % 2]);
  EXPECT_EQ(section.FindMessage(1), nullptr);
  section.ReleaseMessages();
  EXPECT_EQ(section.MessageCount(), 0u);
  EXPECT_EQ(section.FindMessage(0), nullptr);
  // Released entries are reused without disturbing new ones.
  EXPECT_EQ(section.AddMessage(3, "again"), 1);
  EXPECT_STREQ(section.FindMessage(3), "again");
}

TEST(MessageSectionTest, MergeSharesEntriesAndKeepsOwnTexts) {
  MessageFileData data;
  MessageSection* base = data.GetOrCreateSection("BASE");
  MessageSection* derived = data.GetOrCreateSection("DERIVED");
  base->AddMessage(1, "base one");
  base->AddMessage(2, "base two");
  derived->AddMessage(1, "own one");
  ASSERT_EQ(derived->MergeMessages(*base), 1);
  EXPECT_STREQ(derived->FindMessage(1), "own one");
  EXPECT_STREQ(derived->FindMessage(2), "base two");
  EXPECT_EQ(derived->FindEntry(2), base->FindEntry(2));
  EXPECT_EQ(base->FindEntry(2)->shareCount, 2);
  EXPECT_EQ(base->FindEntry(1)->shareCount, 1);
  derived->ReleaseMessages();
  EXPECT_EQ(base->FindEntry(2)->shareCount, 1);
  EXPECT_STREQ(base->FindMessage(2), "base two");
}

TEST(MessageSectionTest, MergeAcrossUnrelatedSectionsCopiesEntries) {
  MessageSection a;
  {
    MessageSection b;
    b.AddMessage(9, "nine");
    ASSERT_EQ(a.MergeMessages(b), 1);
    EXPECT_NE(a.FindEntry(9), b.FindEntry(9));
  }
  // b and its entries are gone; a's entry is its own.
  EXPECT_STREQ(a.FindMessage(9), "nine");
  EXPECT_EQ(a.FindEntry(9)->shareCount, 1);
}

}  // namespace
}  // namespace tralvex
