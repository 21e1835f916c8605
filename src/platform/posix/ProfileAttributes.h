// What a new version of a profile file must carry over from the old one
// before it takes its place: owner, group, mode and extended attributes
// (ACLs, security labels).
#ifndef TRALVEX_PLATFORM_POSIX_PROFILEATTRIBUTES_H
#define TRALVEX_PLATFORM_POSIX_PROFILEATTRIBUTES_H

namespace tralvex::platform {

// Gives the open file to the attributes of the open file from. False when
// the process may not (another user's file, a group it is not in, a label
// it may not set): the old file must then be rewritten in place instead.
bool CarryOverAttributes(int from, int to);

}  // namespace tralvex::platform

#endif
