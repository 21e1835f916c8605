// A profile file held for one read-modify-write. Writers of one file take
// turns on its lock; one that waited behind another's replace finds the
// name pointing at the new file and locks that one instead, so that it
// edits what is there now and no update is lost.
#ifndef TRALVEX_PLATFORM_POSIX_PROFILEWRITELOCK_H
#define TRALVEX_PLATFORM_POSIX_PROFILEWRITELOCK_H

#include <string>

#include "platform/posix/ProfileStorage.h"

namespace tralvex::platform {

class ProfileWriteLock {
 public:
  enum class Outcome {
    locked,   // the file is open for reading and writing and locked
    missing,  // there is no file and none was to be created
    refused,  // not a regular file, read-only, or not to be opened
  };

  ProfileWriteLock() = default;
  ~ProfileWriteLock();  // lets the lock go
  ProfileWriteLock(const ProfileWriteLock&) = delete;
  ProfileWriteLock& operator=(const ProfileWriteLock&) = delete;

  // With create, a missing file is created empty so that there is
  // something to lock; Abandon takes it away again if nothing was written.
  Outcome Acquire(const std::string& path, bool create);

  int Descriptor() const { return fd_; }
  const std::string& Path() const { return path_; }
  // The file as it was when locked.
  const FileIdentity& Identity() const { return identity_; }

  // The whole content; identity describes what was read.
  bool Read(std::string* bytes, FileIdentity* identity) const;

  // Removes the file Acquire created, while it is still empty and still
  // under its name.
  void Abandon();

 private:
  std::string path_;
  int fd_ = -1;
  bool created_ = false;
  FileIdentity identity_;
};

}  // namespace tralvex::platform

#endif
