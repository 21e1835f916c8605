#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace tralvex::platform;

class CodePageTest : public ::testing::Test {
 protected:
  void TearDown() override { UseSystemCodePage(); }
};

// Offsets keep the expectations readable: where a step or a search lands.
std::ptrdiff_t At(const char* text, const char* p) { return p == nullptr ? -1 : p - text; }

TEST_F(CodePageTest, LeadBytesOfTheDoubleBytePages) {
  const CodePage* japanese = FindCodePage(932);
  ASSERT_NE(japanese, nullptr);
  EXPECT_TRUE(japanese->doubleByte);
  for (unsigned c : {0x81u, 0x9Fu, 0xE0u, 0xFCu}) EXPECT_TRUE(japanese->leadByte[c]) << c;
  // 0xA0..0xDF are the single-byte half-width katakana.
  for (unsigned c : {0x5Cu, 0x80u, 0xA0u, 0xB1u, 0xDFu, 0xFDu, 0xFFu}) {
    EXPECT_FALSE(japanese->leadByte[c]) << c;
  }
  for (unsigned id : {936u, 949u, 950u}) {
    const CodePage* page = FindCodePage(id);
    ASSERT_NE(page, nullptr) << id;
    EXPECT_TRUE(page->doubleByte);
    EXPECT_FALSE(page->leadByte[0x80]) << id;
    EXPECT_TRUE(page->leadByte[0x81]) << id;
    EXPECT_TRUE(page->leadByte[0xFE]) << id;
    EXPECT_FALSE(page->leadByte[0xFF]) << id;
  }
  for (unsigned id : {1250u, 1251u, 1252u, 65001u}) {
    const CodePage* page = FindCodePage(id);
    ASSERT_NE(page, nullptr) << id;
    EXPECT_FALSE(page->doubleByte) << id;
    for (int c = 0; c < 256; ++c) EXPECT_FALSE(page->leadByte[c]) << id << " " << c;
  }
}

TEST_F(CodePageTest, UnknownPageIsRefusedAndChangesNothing) {
  ASSERT_TRUE(UseCodePage(1250));
  EXPECT_FALSE(UseCodePage(437));
  EXPECT_EQ(FindCodePage(437), nullptr);
  EXPECT_EQ(ActiveCodePage().id, 1250u);
}

TEST_F(CodePageTest, SteppingOverDoubleByteCharacters) {
  ASSERT_TRUE(UseCodePage(932));
  // "a", the kanji 0x95 0x5C (whose second byte is a backslash), "b".
  const char text[] =
      "a\x95\x5C"
      "b";
  EXPECT_EQ(At(text, NextChar(text)), 1);
  EXPECT_EQ(At(text, NextChar(text + 1)), 3);
  EXPECT_EQ(At(text, NextChar(text + 4)), 4);  // the terminator stays put
  EXPECT_EQ(At(text, PrevChar(text, text + 4)), 3);
  EXPECT_EQ(At(text, PrevChar(text, text + 3)), 1);
  EXPECT_EQ(At(text, PrevChar(text, text)), 0);

  // A lead byte before the terminator is one character: never step past NUL.
  const char cut[] = "x\x95";
  EXPECT_EQ(At(cut, NextChar(cut + 1)), 2);
  EXPECT_EQ(At(cut, PrevChar(cut, cut + 2)), 1);

  // A run of lead bytes pairs up from the start; the last one stands alone.
  const char run[] = "\x81\x81\x81";
  EXPECT_EQ(At(run, PrevChar(run, run + 3)), 2);
  EXPECT_EQ(At(run, PrevChar(run, run + 2)), 0);
}

TEST_F(CodePageTest, TrailBytesNeverMatchASearch) {
  // 0x83 0x5D and 0x95 0x5C: their second bytes are "]" and "\".
  const char section[] = "[\x83\x5D]";
  const char path[] = "\x95\x5C\\x";
  ASSERT_TRUE(UseCodePage(932));
  EXPECT_EQ(At(section, FindChar(section, section + 4, ']')), 3);
  EXPECT_EQ(At(path, FindChar(path, path + 4, '\\')), 2);
  EXPECT_EQ(At(path, FindChar(path, path + 2, '\\')), -1);
  EXPECT_EQ(At(section, FindLastChar(section, section + 3, ']')), -1);
  EXPECT_EQ(At(path, FindLastChar(path, path + 4, '\\')), 2);
  // A search that begins on a trail byte takes it for a character: where
  // characters start is the caller's to know.
  EXPECT_EQ(At(path, FindChar(path + 1, path + 4, '\\')), 1);

  // The same bytes are plain characters in a single-byte page.
  ASSERT_TRUE(UseCodePage(1252));
  EXPECT_EQ(At(section, FindChar(section, section + 4, ']')), 2);
  EXPECT_EQ(At(path, FindChar(path, path + 4, '\\')), 1);
  EXPECT_EQ(At(path, FindLastChar(path, path + 4, '\\')), 2);
}

TEST_F(CodePageTest, NulAfterALeadByteIsNoTrailByte) {
  ASSERT_TRUE(UseCodePage(936));
  const char text[] = "\xB0\0]";
  EXPECT_EQ(At(text, FindChar(text, text + 3, '\0')), 1);
  EXPECT_EQ(At(text, FindLastChar(text, text + 3, '\0')), 1);
}

std::string Upper(unsigned page, const char* text) {
  EXPECT_TRUE(UseCodePage(page));
  return UpperCase(text);
}

TEST_F(CodePageTest, UpperCasesSingleBytesByThePage) {
  // Central European: "zlutoucky kun" with its hooks and accents.
  EXPECT_EQ(Upper(1250, "\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2"), "\x8ELU\x8DOU\xC8K\xDD K\xD9\xD2");
  EXPECT_EQ(Upper(1250, "\xB9\xBE\xB3\xBF\x9F\x9C"), "\xA5\xBC\xA3\xAF\x8F\x8C");
  // Sharp s, the division sign and the dot above have no capitals.
  EXPECT_EQ(Upper(1250, "\xDF\xF7\xFF\xB5"), "\xDF\xF7\xFF\xB5");

  // Cyrillic: "privet", then yo, dje, yi, ya.
  EXPECT_EQ(Upper(1251, "\xEF\xF0\xE8\xE2\xE5\xF2"), "\xCF\xD0\xC8\xC2\xC5\xD2");
  EXPECT_EQ(Upper(1251, "\xB8\x90\xBF\xFF\xBC\xB4"), "\xA8\x80\xAF\xDF\xA3\xA5");

  // Western: e acute, y diaeresis (capital at 0x9F), oe; micro and sharp s stay.
  EXPECT_EQ(Upper(1252, "\xE9t\xE9 \xFF\x9C"), "\xC9T\xC9 \x9F\x8C");
  EXPECT_EQ(Upper(1252, "\xB5\xDF\xF7\xAA"), "\xB5\xDF\xF7\xAA");
}

TEST_F(CodePageTest, MultiBytePagesUpperCaseAsciiOnly) {
  // 0x82 0x61: the second byte is "a" and must stay; half-width 0xB1 stays.
  EXPECT_EQ(Upper(932, "a\x82\x61z\xB1"), "A\x82\x61Z\xB1");
  EXPECT_EQ(Upper(65001, "\xC3\xA9t\xC3\xA9"), "\xC3\xA9T\xC3\xA9");
  // A lead byte at the very end has no trail byte to protect.
  std::string text = "ab\x82";
  EXPECT_TRUE(UseCodePage(932));
  UpperCaseInPlace(text.data(), text.size());
  EXPECT_EQ(text, "AB\x82");
}

TEST(CodePageTables, SingleBytePagesAreConsistent) {
  for (unsigned id : {1250u, 1251u, 1252u}) {
    const CodePage& page = *FindCodePage(id);
    for (int c = 0; c < 256; ++c) {
      const unsigned char upper = page.upper[c];
      EXPECT_EQ(page.upper[upper], upper) << id << ": a capital is its own capital, " << c;
      if (c < 0x80) {
        EXPECT_EQ(upper, (c >= 'a' && c <= 'z') ? c - 32 : c) << id << " " << c;
      }
      if (upper != c) {
        EXPECT_GE(upper, 0x41) << id << " " << c;
      }
    }
  }
}

// Where the system has tables of its own (Windows), the built-in table of the
// same page must agree with them, byte for byte. The locale runs of CTest
// repeat this under Central European, Cyrillic and Japanese pages.
TEST(CodePageTables, SystemTableMatchesTheBuiltInOne) {
  CodePage system;
  if (!LoadSystemCodePage(system)) GTEST_SKIP() << "the system offers no tables of its own";
  const CodePage* builtIn = FindCodePage(system.id);
  if (builtIn == nullptr) GTEST_SKIP() << "no built-in table for page " << system.id;
  EXPECT_EQ(system.doubleByte, builtIn->doubleByte);
  for (int c = 0; c < 256; ++c) {
    EXPECT_EQ(system.leadByte[c] != 0, builtIn->leadByte[c] != 0) << system.id << " " << c;
    if (!system.leadByte[c]) {
      EXPECT_EQ(system.upper[c], builtIn->upper[c]) << system.id << " " << c;
    }
  }
}

}  // namespace
