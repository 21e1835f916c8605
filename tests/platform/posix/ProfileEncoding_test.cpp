// Settings files in Unicode: whatever their bytes, the text the engine
// works on gives them back unchanged, and a conversion to the code page
// never invents what the page cannot say.
#include "platform/posix/ProfileEncoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/CodePage.h"
#include "platform/posix/CodePageConverter.h"

namespace tralvex::platform {
namespace {

TEST(ProfileEncodingTest, AnyFileComesBackByteForByte) {
  std::mt19937 random(2024);
  // Units drawn mostly from the awkward places: surrogates, line ends, NUL.
  const uint16_t kUnits[] = {0x0000, 0x000A, 0x000D, 0x005B, 0x005D, 0x003D, 0x0041, 0x00E9,
                             0x4E2D, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xFEFF, 0xFFFD, 0xFFFF};
  for (int round = 0; round < 2000; ++round) {
    std::string bytes;
    switch (round % 4) {
      case 0:
        bytes = "\xFF\xFE";
        break;
      case 1:
        bytes = "\xFE\xFF";
        break;
      case 2:
        bytes = "\xEF\xBB\xBF";
        break;
      default:
        break;
    }
    int units = static_cast<int>(random() % 12);
    for (int i = 0; i < units; ++i) {
      uint16_t unit = kUnits[random() % std::size(kUnits)];
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
    if (random() % 3 == 0) bytes += static_cast<char>(random());  // an odd last byte
    DecodedProfile decoded = DecodeProfile(bytes);
    ASSERT_EQ(EncodeProfile(decoded.text, decoded.encoding, decoded.tail), bytes) << round;
  }
}

TEST(ProfileEncodingTest, MarksNameTheEncoding) {
  EXPECT_EQ(DecodeProfile("\xEF\xBB\xBF[s]").encoding, ProfileEncoding::utf8);
  EXPECT_EQ(DecodeProfile("\xEF\xBB\xBF[s]").text, "[s]");
  EXPECT_EQ(DecodeProfile(std::string("\xFF\xFE[\0", 4)).text, "[");
  EXPECT_EQ(DecodeProfile(std::string("\xFE\xFF\0[", 4)).encoding, ProfileEncoding::utf16be);
  // A mark anywhere else is text.
  EXPECT_EQ(DecodeProfile(" \xEF\xBB\xBF").encoding, ProfileEncoding::codePage);
  EXPECT_EQ(DecodeProfile("\xEF\xBB").encoding, ProfileEncoding::codePage);
}

TEST(ProfileEncodingTest, CodePageConversionRefusesWhatThePageLacks) {
  struct SystemPageAfterwards {
    ~SystemPageAfterwards() { UseSystemCodePage(); }
  } restore;
  struct Page {
    unsigned id;
    std::string text;  // in the page
    std::string utf8;
  };
  const Page kPages[] = {
      {1252, "gr\xFCn \x80", "gr\xC3\xBCn \xE2\x82\xAC"},
      {1250,
       "\x8A"
       "e\x9A",
       "\xC5\xA0"
       "e\xC5\xA1"},
      {1251, "\xC4\xE0", "\xD0\x94\xD0\xB0"},
      {932, "\x82\xA0", "\xE3\x81\x82"},
      {65001, "\xC3\xA9", "\xC3\xA9"},
  };
  for (const Page& page : kPages) {
    ASSERT_TRUE(UseCodePage(page.id));
    CodePageConverter converter;
    std::string utf8;
    EXPECT_TRUE(converter.ToUtf8(page.text, &utf8)) << page.id;
    EXPECT_EQ(utf8, page.utf8) << page.id;
    EXPECT_EQ(converter.FromUtf8(page.utf8), page.text) << page.id;
    // A character beyond the page (not beyond UTF-8), an unpaired
    // surrogate, a stray byte.
    std::string beyond = page.id == 65001 ? "\xF0\x9F\x98\x80" : "?";
    EXPECT_EQ(converter.FromUtf8("a\xF0\x9F\x98\x80"
                                 "b\xED\xA0\x80"
                                 "c\xFF"),
              "a" + beyond + "b?c?")
        << page.id;
  }
  ASSERT_TRUE(UseCodePage(932));
  CodePageConverter japanese;
  std::string utf8;
  EXPECT_FALSE(japanese.ToUtf8("a\x82", &utf8));  // a lead byte alone
  ASSERT_TRUE(UseCodePage(65001));
  CodePageConverter unicode;
  EXPECT_FALSE(unicode.ToUtf8("\xC3", &utf8));
  EXPECT_FALSE(unicode.ToUtf8("\xED\xA0\x80", &utf8));  // a surrogate is no character
}

}  // namespace
}  // namespace tralvex::platform
