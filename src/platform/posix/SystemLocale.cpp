// The user's locale on POSIX: LC_ALL, else LC_MESSAGES, else LANG (the order
// in which POSIX picks the locale of messages), read once, stands for the
// Windows user locale and ANSI code page. The variables are read directly,
// so a locale that the C library has not generated still counts.
#include <cstdlib>

#include "platform/CodePage.h"
#include "platform/Locale.h"
#include "platform/posix/LocaleNames.h"

namespace tralvex::platform {
namespace {

LocaleName ReadUserLocale() {
  const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  for (const char* name : names) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return ParseLocaleName(value);
  }
  return LocaleName();
}

const LocaleName& UserLocale() {
  static const LocaleName locale = ReadUserLocale();
  return locale;
}

}  // namespace

uint32_t UserDefaultLocaleId() { return LocaleIdOf(UserLocale()); }

unsigned SystemCodePageId() { return CodePageOf(UserLocale()); }

// The system has no code-page tables of its own to offer.
bool LoadSystemCodePage(CodePage&) { return false; }

}  // namespace tralvex::platform
