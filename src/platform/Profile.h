// The private-profile functions: INI files read and written by file name,
// with the observable behaviour of GetPrivateProfileStringA,
// WritePrivateProfileStringA and GetPrivateProfileSectionNamesA.
#ifndef TRALVEX_PLATFORM_PROFILE_H
#define TRALVEX_PLATFORM_PROFILE_H

#include <cstdint>

namespace tralvex::platform {

uint32_t GetProfileString(const char* section, const char* keyword, const char* defaultText,
                          char* buffer, uint32_t size, const char* file);
bool WriteProfileString(const char* section, const char* keyword, const char* value,
                        const char* file);
uint32_t GetProfileSectionNames(char* buffer, uint32_t size, const char* file);

}  // namespace tralvex::platform

#endif
