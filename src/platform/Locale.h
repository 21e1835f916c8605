#ifndef TRALVEX_PLATFORM_LOCALE_H
#define TRALVEX_PLATFORM_LOCALE_H

#include <cstdint>

namespace tralvex::platform {

// The user's default locale identifier, as Windows numbers locales
// (0x0409 English (United States), 0x0405 Czech, 0x0407 German ...).
uint32_t UserDefaultLocaleId();

}  // namespace tralvex::platform

#endif
