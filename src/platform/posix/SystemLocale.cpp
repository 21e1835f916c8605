// The user's locale on POSIX: LC_ALL, else LC_MESSAGES, else LANG, read
// once, stands for the Windows user locale and ANSI code page.
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/CodePage.h"
#include "platform/Locale.h"

namespace tralvex::platform {
namespace {

struct LocaleName {
  std::string language;   // "de"
  std::string territory;  // "AT"
  std::string codeset;    // "UTF-8"
};

LocaleName ReadUserLocale() {
  const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  const char* value = nullptr;
  for (const char* name : names) {
    value = std::getenv(name);
    if (value != nullptr && *value != '\0') break;
    value = nullptr;
  }
  LocaleName locale;
  if (value == nullptr) return locale;
  std::string text(value);
  std::size_t modifier = text.find('@');
  if (modifier != std::string::npos) text.resize(modifier);
  std::size_t dot = text.find('.');
  if (dot != std::string::npos) {
    locale.codeset = text.substr(dot + 1);
    text.resize(dot);
  }
  std::size_t underscore = text.find('_');
  locale.language = text.substr(0, underscore);
  if (underscore != std::string::npos) locale.territory = text.substr(underscore + 1);
  return locale;
}

const LocaleName& UserLocale() {
  static const LocaleName locale = ReadUserLocale();
  return locale;
}

struct KnownLocale {
  const char* language;
  const char* territory;  // null: the language's main territory
  uint32_t id;
};

// Languages without territory take the first row of their language.
const KnownLocale kLocales[] = {
    {"cs", "CZ", 0x0405}, {"sk", "SK", 0x041B}, {"pl", "PL", 0x0415}, {"de", "DE", 0x0407},
    {"de", "AT", 0x0C07}, {"de", "CH", 0x0807}, {"de", "LU", 0x1007}, {"en", "US", 0x0409},
    {"en", "GB", 0x0809}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009}, {"en", "IE", 0x1809},
    {"fr", "FR", 0x040C}, {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C}, {"fr", "CH", 0x100C},
    {"it", "IT", 0x0410}, {"it", "CH", 0x0810}, {"es", "ES", 0x0C0A}, {"es", "MX", 0x080A},
    {"nl", "NL", 0x0413}, {"nl", "BE", 0x0813}, {"pt", "BR", 0x0416}, {"pt", "PT", 0x0816},
    {"hu", "HU", 0x040E}, {"sl", "SI", 0x0424}, {"hr", "HR", 0x041A}, {"ro", "RO", 0x0418},
    {"ru", "RU", 0x0419}, {"uk", "UA", 0x0422}, {"bg", "BG", 0x0402}, {"be", "BY", 0x0423},
    {"sr", "RS", 0x081A}, {"ja", "JP", 0x0411}, {"zh", "CN", 0x0804}, {"zh", "TW", 0x0404},
    {"zh", "HK", 0x0C04}, {"zh", "SG", 0x1004}, {"ko", "KR", 0x0412}, {"da", "DK", 0x0406},
    {"sv", "SE", 0x041D}, {"fi", "FI", 0x040B}, {"nb", "NO", 0x0414}, {"el", "GR", 0x0408},
    {"tr", "TR", 0x041F},
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

uint32_t UserDefaultLocaleId() {
  const LocaleName& locale = UserLocale();
  const KnownLocale* languageMatch = nullptr;
  for (const KnownLocale& known : kLocales) {
    if (locale.language != known.language) continue;
    if (locale.territory == known.territory) return known.id;
    if (languageMatch == nullptr) languageMatch = &known;
  }
  return languageMatch != nullptr ? languageMatch->id : 0x0409;
}

unsigned SystemCodePageId() {
  const LocaleName& locale = UserLocale();
  if (IsUtf8(locale.codeset)) return 65001;
  const std::string& lang = locale.language;
  if (OneOf(lang, {"cs", "sk", "pl", "hu", "sl", "hr", "ro"})) return 1250;
  if (OneOf(lang, {"ru", "uk", "bg", "be", "sr"})) return 1251;
  if (lang == "ja") return 932;
  if (lang == "ko") return 949;
  if (lang == "zh") {
    if (locale.territory == "TW" || locale.territory == "HK") return 950;
    return 936;
  }
  return 1252;
}

bool LoadSystemCodePage(CodePage&) { return false; }

}  // namespace tralvex::platform
