#include "platform/posix/LocaleNames.h"

#include <initializer_list>

namespace tralvex::platform {
namespace {

struct KnownLocale {
  const char* language;
  const char* territory;
  uint32_t id;
};

// The first row of a language is its main territory.
const KnownLocale kLocales[] = {
    {"cs", "CZ", 0x0405}, {"sk", "SK", 0x041B}, {"pl", "PL", 0x0415}, {"de", "DE", 0x0407},
    {"de", "AT", 0x0C07}, {"de", "CH", 0x0807}, {"de", "LU", 0x1007}, {"de", "LI", 0x1407},
    {"en", "US", 0x0409}, {"en", "GB", 0x0809}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009},
    {"en", "IE", 0x1809}, {"en", "NZ", 0x1409}, {"fr", "FR", 0x040C}, {"fr", "BE", 0x080C},
    {"fr", "CA", 0x0C0C}, {"fr", "CH", 0x100C}, {"fr", "LU", 0x140C}, {"it", "IT", 0x0410},
    {"it", "CH", 0x0810}, {"es", "ES", 0x0C0A}, {"es", "MX", 0x080A}, {"nl", "NL", 0x0413},
    {"nl", "BE", 0x0813}, {"pt", "BR", 0x0416}, {"pt", "PT", 0x0816}, {"hu", "HU", 0x040E},
    {"sl", "SI", 0x0424}, {"hr", "HR", 0x041A}, {"ro", "RO", 0x0418}, {"ru", "RU", 0x0419},
    {"uk", "UA", 0x0422}, {"bg", "BG", 0x0402}, {"be", "BY", 0x0423}, {"sr", "RS", 0x281A},
    {"ja", "JP", 0x0411}, {"zh", "CN", 0x0804}, {"zh", "TW", 0x0404}, {"zh", "HK", 0x0C04},
    {"zh", "SG", 0x1004}, {"ko", "KR", 0x0412}, {"da", "DK", 0x0406}, {"sv", "SE", 0x041D},
    {"fi", "FI", 0x040B}, {"nb", "NO", 0x0414}, {"el", "GR", 0x0408}, {"tr", "TR", 0x041F},
};

bool IsUtf8(const std::string& codeset) {
  std::string lower;
  for (char c : codeset) {
    if (c != '-') lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return lower == "utf8";
}

bool OneOf(const std::string& language, std::initializer_list<const char*> set) {
  for (const char* item : set) {
    if (language == item) return true;
  }
  return false;
}

}  // namespace

LocaleName ParseLocaleName(const char* text) {
  LocaleName locale;
  if (text == nullptr) return locale;
  std::string name(text);
  std::size_t modifier = name.find('@');
  if (modifier != std::string::npos) name.resize(modifier);
  std::size_t dot = name.find('.');
  if (dot != std::string::npos) {
    locale.codeset = name.substr(dot + 1);
    name.resize(dot);
  }
  std::size_t underscore = name.find('_');
  locale.language = name.substr(0, underscore);
  if (underscore != std::string::npos) locale.territory = name.substr(underscore + 1);
  return locale;
}

uint32_t LocaleIdOf(const LocaleName& locale) {
  const KnownLocale* languageMatch = nullptr;
  for (const KnownLocale& known : kLocales) {
    if (locale.language != known.language) continue;
    if (locale.territory == known.territory) return known.id;
    if (languageMatch == nullptr) languageMatch = &known;
  }
  return languageMatch != nullptr ? languageMatch->id : 0x0409;
}

unsigned CodePageOf(const LocaleName& locale) {
  if (IsUtf8(locale.codeset)) return 65001;
  const std::string& language = locale.language;
  if (OneOf(language, {"cs", "sk", "pl", "hu", "sl", "hr", "ro"})) return 1250;
  if (OneOf(language, {"ru", "uk", "bg", "be", "sr"})) return 1251;
  if (language == "ja") return 932;
  if (language == "ko") return 949;
  if (language == "zh") {
    if (locale.territory == "TW" || locale.territory == "HK") return 950;
    return 936;
  }
  return 1252;
}

}  // namespace tralvex::platform
