// Turning the library's paths into names the POSIX system takes.
#ifndef TRALVEX_PLATFORM_POSIX_NATIVEPATH_H
#define TRALVEX_PLATFORM_POSIX_NATIVEPATH_H

#include <string>

namespace tralvex::platform {

// Backslashes become slashes. A name that exists as spelled is taken as it
// is: where names differing in case are two files, the caller's spelling
// names the file. Otherwise each component is matched case-insensitively
// against its directory, so that upper-cased names and default extensions
// still find their files; components that match nothing stay as spelled (a
// file about to be created).
// False, with errno ENAMETOOLONG (or EINVAL for a null path), when the path
// is longer than the system takes: it is refused, never shortened.
bool ToNativePath(const char* path, std::string& native);

}  // namespace tralvex::platform

#endif
