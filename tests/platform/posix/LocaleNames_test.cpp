#include "platform/posix/LocaleNames.h"

#include <gtest/gtest.h>

namespace {

using namespace tralvex::platform;

uint32_t IdOf(const char* name) { return LocaleIdOf(ParseLocaleName(name)); }
unsigned PageOf(const char* name) { return CodePageOf(ParseLocaleName(name)); }

TEST(LocaleNames, SplitsAllParts) {
  LocaleName name = ParseLocaleName("de_AT.ISO-8859-15@euro");
  EXPECT_EQ(name.language, "de");
  EXPECT_EQ(name.territory, "AT");
  EXPECT_EQ(name.codeset, "ISO-8859-15");
  name = ParseLocaleName("sr_RS@latin");
  EXPECT_EQ(name.territory, "RS");
  EXPECT_EQ(name.codeset, "");
  EXPECT_EQ(ParseLocaleName(nullptr).language, "");
}

TEST(LocaleNames, MapsToWindowsLocaleIdentifiers) {
  EXPECT_EQ(IdOf("cs_CZ.UTF-8"), 0x0405u);
  EXPECT_EQ(IdOf("sk_SK"), 0x041Bu);
  EXPECT_EQ(IdOf("pl_PL.ISO-8859-2"), 0x0415u);
  EXPECT_EQ(IdOf("de_DE.UTF-8"), 0x0407u);
  EXPECT_EQ(IdOf("de_AT@euro"), 0x0C07u);
  EXPECT_EQ(IdOf("de_CH"), 0x0807u);
  EXPECT_EQ(IdOf("en_US.UTF-8"), 0x0409u);
  EXPECT_EQ(IdOf("en_GB"), 0x0809u);
  EXPECT_EQ(IdOf("fr_FR"), 0x040Cu);
  EXPECT_EQ(IdOf("it_IT"), 0x0410u);
  EXPECT_EQ(IdOf("es_ES"), 0x0C0Au);
}

TEST(LocaleNames, LanguageAloneTakesItsMainTerritory) {
  EXPECT_EQ(IdOf("de"), 0x0407u);
  EXPECT_EQ(IdOf("cs"), 0x0405u);
  EXPECT_EQ(IdOf("en"), 0x0409u);
  EXPECT_EQ(IdOf("es.UTF-8"), 0x0C0Au);
  // A known language in an unlisted territory keeps the language, so a
  // German user in Belgium still gets the German texts.
  EXPECT_EQ(IdOf("de_BE.UTF-8"), 0x0407u);
}

TEST(LocaleNames, UnknownLocalesAreUsEnglish) {
  for (const char* name : {"C", "POSIX", "C.UTF-8", "", "xx_YY", "tlh"}) {
    EXPECT_EQ(IdOf(name), 0x0409u) << name;
  }
}

TEST(LocaleNames, CodePageFollowsCodesetThenLanguage) {
  EXPECT_EQ(PageOf("cs_CZ.UTF-8"), 65001u);
  EXPECT_EQ(PageOf("ja_JP.utf8"), 65001u);
  EXPECT_EQ(PageOf("C.UTF-8"), 65001u);
  for (const char* name : {"cs_CZ", "sk_SK", "pl_PL", "hu_HU", "sl_SI", "hr_HR", "ro_RO"}) {
    EXPECT_EQ(PageOf(name), 1250u) << name;
  }
  for (const char* name : {"ru_RU.CP1251", "uk_UA", "bg_BG", "be_BY", "sr_RS"}) {
    EXPECT_EQ(PageOf(name), 1251u) << name;
  }
  EXPECT_EQ(PageOf("ja_JP.SJIS"), 932u);
  EXPECT_EQ(PageOf("zh_CN.GB2312"), 936u);
  EXPECT_EQ(PageOf("zh_SG"), 936u);
  EXPECT_EQ(PageOf("ko_KR.EUC-KR"), 949u);
  EXPECT_EQ(PageOf("zh_TW.BIG5"), 950u);
  EXPECT_EQ(PageOf("zh_HK"), 950u);
  for (const char* name : {"de_DE.ISO-8859-1", "fr_FR", "C", "POSIX", "", "el_GR"}) {
    EXPECT_EQ(PageOf(name), 1252u) << name;
  }
}

}  // namespace
