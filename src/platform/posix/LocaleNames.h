// POSIX locale names ("de_AT.UTF-8@euro") read as the Windows user locale
// and ANSI code page that a user of that language would have.
#ifndef TRALVEX_PLATFORM_POSIX_LOCALENAMES_H
#define TRALVEX_PLATFORM_POSIX_LOCALENAMES_H

#include <cstdint>
#include <string>

namespace tralvex::platform {

struct LocaleName {
  std::string language;   // "de"
  std::string territory;  // "AT"
  std::string codeset;    // "UTF-8"
};

// Splits language_TERRITORY.codeset@modifier; null or empty gives an empty
// name.
LocaleName ParseLocaleName(const char* text);

// The Windows locale identifier; a known language in an unlisted territory
// takes its main territory; C, POSIX, empty and unknown languages 0x0409.
uint32_t LocaleIdOf(const LocaleName& locale);

// 65001 for a UTF-8 codeset, else the ANSI code page of the language.
unsigned CodePageOf(const LocaleName& locale);

}  // namespace tralvex::platform

#endif
