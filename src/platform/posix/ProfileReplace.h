// Putting a new version of a profile file on disk.
//
// Where the directory lets a new file take the old one's place and the old
// one's owner, group, mode and extended attributes (ACLs, security labels)
// can be carried over, the new version is written to a new file, flushed to
// disk and renamed over the old one: a reader, or a crash, finds the old
// version or the new one and never a mix. Otherwise (a read-only or sticky
// directory, a file with other hard links, attributes the process may not
// set) the file is rewritten in place under the write lock: readers, who
// take the shared lock, still never see a mix, but a crash in the middle of
// the rewrite can leave one.
//
// The new file has no name until it is complete where the system allows
// that; where it has one, the name says whose it is and the file is locked
// while its writer lives, so that the next writer removes what a killed
// one left.
#ifndef TRALVEX_PLATFORM_POSIX_PROFILEREPLACE_H
#define TRALVEX_PLATFORM_POSIX_PROFILEREPLACE_H

#include <string_view>

#include "platform/posix/ProfileStorage.h"
#include "platform/posix/ProfileWriteLock.h"

namespace tralvex::platform {

// Replaces the content of the locked file, whose content is old, by bytes.
// True when the new content is safely on disk; identity is then the file's
// new identity. On failure the file holds its old content, except after a
// failed rewrite in place.
bool StoreProfile(const ProfileWriteLock& lock, std::string_view old, std::string_view bytes,
                  FileIdentity* identity);

}  // namespace tralvex::platform

#endif
