// The user's locale as the library sees it at start-up. These tests expect a
// particular locale, so the plain run skips them (DISABLED_); CTest runs each
// group again with LC_ALL set to its locale (LocaleRuns.cmake), the one way
// both POSIX and Wine take a user locale from the environment.
#include <gtest/gtest.h>

#include "api/Module.h"
#include "errors/BuiltInTexts.h"
#include "platform/CodePage.h"
#include "platform/Locale.h"

namespace {

using tralvex::TheModule;
using namespace tralvex::platform;

// LC_ALL=de_DE.UTF-8
TEST(DISABLED_GermanUser, GetsTheGermanLocaleAndTexts) {
  EXPECT_EQ(UserDefaultLocaleId(), 0x0407u);
  EXPECT_STREQ(TheModule().texts.errorWord, "Fehler");
  EXPECT_STREQ(TheModule().texts.unspecifiedError, "Nichtspezifizierter Fehler");
}

// Windows gives a German user the Western ANSI page, whatever the codeset.
TEST(DISABLED_GermanUserOnWindows, HasTheWesternPage) {
  EXPECT_EQ(SystemCodePageId(), 1252u);
  EXPECT_EQ(ActiveCodePage().id, 1252u);
}

// POSIX keeps the UTF-8 the process's texts are really in.
TEST(DISABLED_GermanUserOnPosix, KeepsUtf8) {
  EXPECT_EQ(SystemCodePageId(), 65001u);
  EXPECT_EQ(ActiveCodePage().id, 65001u);
}

// LC_ALL=cs_CZ.ISO-8859-2: a Central European page on both systems, and
// the Czech texts in its bytes (a with acute is 0xE1).
TEST(DISABLED_CzechUser, GetsCzechTextsInCodePage1250) {
  EXPECT_EQ(UserDefaultLocaleId(), 0x0405u);
  EXPECT_EQ(ActiveCodePage().id, 1250u);
  EXPECT_STREQ(TheModule().texts.errorWord, "Chyba");
  EXPECT_STREQ(TheModule().texts.unspecifiedError, "Nespecifikovan\xE1 chyba");
  EXPECT_EQ(UpperCase("\x9Elu\x9Do"), "\x8ELU\x8DO");
}

// LC_ALL=cs_CZ.UTF-8 on POSIX: the Czech texts in UTF-8.
TEST(DISABLED_CzechUtf8UserOnPosix, GetsCzechTextsInUtf8) {
  EXPECT_EQ(UserDefaultLocaleId(), 0x0405u);
  EXPECT_EQ(ActiveCodePage().id, 65001u);
  EXPECT_STREQ(TheModule().texts.unspecifiedError, "Nespecifikovan\xC3\xA1 chyba");
}

// LC_ALL=ru_RU.CP1251: a user outside the three languages gets English.
TEST(DISABLED_RussianUser, GetsTheCyrillicPageAndEnglishTexts) {
  EXPECT_EQ(UserDefaultLocaleId(), 0x0419u);
  EXPECT_EQ(ActiveCodePage().id, 1251u);
  EXPECT_STREQ(TheModule().texts.errorWord, "Error");
  EXPECT_EQ(UpperCase("\xEF\xF0\xE8"), "\xCF\xD0\xC8");
}

// LC_ALL=ja_JP.SJIS: a double-byte page, whose searches skip trail bytes.
TEST(DISABLED_JapaneseUser, GetsTheDoubleBytePage) {
  EXPECT_EQ(UserDefaultLocaleId(), 0x0411u);
  EXPECT_EQ(ActiveCodePage().id, 932u);
  EXPECT_TRUE(ActiveCodePage().doubleByte);
  const char text[] = "\x95\x5C\\";
  EXPECT_EQ(FindChar(text, text + 3, '\\'), text + 2);
  EXPECT_STREQ(TheModule().texts.errorWord, "Error");
}

}  // namespace
