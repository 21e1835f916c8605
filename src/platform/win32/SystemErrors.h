// How the existence test reads the system's error codes.
#ifndef TRALVEX_PLATFORM_WIN32_SYSTEMERRORS_H
#define TRALVEX_PLATFORM_WIN32_SYSTEMERRORS_H

#include "platform/FileSystem.h"

namespace tralvex::platform {

// A GetLastError value after GetFileAttributesA failed, mapped as the C
// runtime's access() maps it: a missing file, a denied access, or another
// failure.
AccessStatus AccessStatusOfError(unsigned long error);

}  // namespace tralvex::platform

#endif
