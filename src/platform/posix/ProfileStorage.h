// The disk side of the profile engine: where a profile file name points,
// opening only regular files and never blocking on anything else, the locks
// that keep writers of one file in turn, and reading a file whole.
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
  bool SameFile(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
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

// Waits for the lock that keeps writers of one file in turn (exclusive)
// and readers out of a rewrite in place (shared). True also where the file
// system has no locks: the file is then used as the system lets it be.
bool LockWhole(int fd, bool exclusive);

// The identity of an open file, or false when it cannot be had.
bool IdentityOf(int fd, FileIdentity* identity);

// Reads an open file from its start to its end, whatever size it reports
// (the system's own files report 0).
bool ReadWhole(int fd, std::string* bytes);

// True when the file's whole content was read, under a shared lock so that
// a rewrite in place is never seen half done; identity is the version read.
bool ReadProfile(const std::string& path, std::string* bytes, FileIdentity* identity);

// The time by the clock that stamps files, in nanoseconds.
int64_t FileClockNow();

// True when a content read from readAt on is the content of every version
// of the file that has this identity. A rewrite within one tick of the file
// clock leaves the identity as it was; once the clock has passed the tick
// of the file's change time, every change gives a later one. Until then an
// unchanged identity does not prove an unchanged content.
bool IsSettled(const FileIdentity& identity, int64_t readAt);

}  // namespace tralvex::platform

#endif
