// Changes to a profile file, each one read-modify-write under the file's
// lock, and the flush of the process's cached copy.
#ifndef TRALVEX_PLATFORM_POSIX_PROFILEEDIT_H
#define TRALVEX_PLATFORM_POSIX_PROFILEEDIT_H

#include <string>

namespace tralvex::platform {

enum class ProfileEdit { set, deleteKeyword, deleteSection };

// Names and value are the caller's, in the process's code page, and have
// been checked to read back as written. True when the change is on disk,
// or when there was nothing to delete; false when the file could not be
// read or written, or a value has no form in the file's encoding.
bool EditProfile(const std::string& absolute, ProfileEdit edit, const char* section,
                 const char* keyword, const char* value);

// Lets the cached copy go, so that the next read starts from the file.
bool FlushProfile(const std::string& absolute);

}  // namespace tralvex::platform

#endif
