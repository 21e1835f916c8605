// The private-profile functions are the system's own on Windows.
#include "platform/Profile.h"

#include <windows.h>

// The system's header maps these names onto its own functions for WIN.INI.
#undef GetProfileString
#undef WriteProfileString

namespace tralvex::platform {

uint32_t GetProfileString(const char* section, const char* keyword, const char* defaultText,
                          char* buffer, uint32_t size, const char* file) {
  return GetPrivateProfileStringA(section, keyword, defaultText, buffer, size, file);
}

bool WriteProfileString(const char* section, const char* keyword, const char* value,
                        const char* file) {
  return WritePrivateProfileStringA(section, keyword, value, file) != FALSE;
}

uint32_t GetProfileSectionNames(char* buffer, uint32_t size, const char* file) {
  return GetPrivateProfileSectionNamesA(buffer, size, file);
}

}  // namespace tralvex::platform
