// The disk side of the profile engine: where a profile file name points,
// reading a file whole, and replacing it so that it is never seen half
// written.
#ifndef TRALVEX_PLATFORM_POSIX_PROFILESTORAGE_H
#define TRALVEX_PLATFORM_POSIX_PROFILESTORAGE_H

#include <cstdint>
#include <string>

namespace tralvex::platform {

// What tells one version of a file from another without reading it. The
// change time is set by the system on every change and cannot be set back
// by a program, unlike the modification time that copying tools restore.
struct FileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  int64_t modifiedSeconds = 0;
  int64_t modifiedNanoseconds = 0;
  int64_t changedSeconds = 0;
  int64_t changedNanoseconds = 0;

  bool operator==(const FileIdentity&) const = default;
};

enum class FileState {
  missing,     // nothing at the path (or a directory on the way is missing)
  regular,     // a file that can be read
  unreadable,  // something is there that cannot be read as a file
};

// The absolute path a profile file name stands for, as spelled: backslashes
// become slashes, a bare name lies in the Windows directory, a relative name
// is taken from the current directory. Empty for a null or empty name.
std::string AbsoluteProfileName(const char* name);

// The file on disk for an absolute name: a component that does not exist as
// spelled is matched case-insensitively. Empty when the name is refused.
std::string NativeProfilePath(const std::string& absolute);

FileState StatProfile(const std::string& path, FileIdentity* identity);

// True when the file's whole content was read; identity is the version read.
bool ReadProfile(const std::string& path, std::string* text, FileIdentity* identity);

// True when the file (existing or not) may be replaced by a new version:
// an existing file must be a readable, writable regular file.
bool MayReplaceProfile(const std::string& path);

// Writes the text to a new file beside the target, flushes it to disk and
// renames it over the target. On failure the target is as it was.
bool ReplaceProfile(const std::string& path, const std::string& text, FileIdentity* identity);

// True when the file changed less than a timestamp tick ago, so that an
// unchanged identity does not prove an unchanged content.
bool IsRecentlyChanged(const FileIdentity& identity);

}  // namespace tralvex::platform

#endif
