// The process's cached copies of profile files: one parsed copy per file,
// shared by every caller naming it, checked against the file on disk before
// each use so that a change made by someone else is seen.
#ifndef TRALVEX_PLATFORM_POSIX_PROFILECACHE_H
#define TRALVEX_PLATFORM_POSIX_PROFILECACHE_H

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/posix/ProfileDocument.h"
#include "platform/posix/ProfileStorage.h"
#include "platform/posix/ProfileWriteLock.h"

namespace tralvex::platform {

class ProfileCache {
 public:
  // The current content of the file, or null when it is missing (state
  // missing) or cannot be read (state unreadable). Call with Mutex() held.
  std::shared_ptr<const ProfileDocument> Get(const std::string& path, FileState* state);

  // The current content of a file this process holds for writing: the
  // cached copy while the file is unchanged, else what is read through the
  // lock. Null when it cannot be read. Call with Mutex() held.
  std::shared_ptr<const ProfileDocument> GetLocked(const ProfileWriteLock& lock);

  // Records a version of the file; settled as IsSettled says.
  void Put(const std::string& path, const FileIdentity& identity,
           std::shared_ptr<const ProfileDocument> document, bool settled);

  void Forget(const std::string& path);

  // The file on disk for an absolute name. Matching a name case-insensitively
  // reads directories, so the answer is remembered; ForgetLocation drops it
  // (true when there was one) once the file is no longer found there.
  std::string Locate(const std::string& absolute);
  bool ForgetLocation(const std::string& absolute);

  std::mutex& Mutex() { return mutex_; }

 private:
  struct Entry {
    FileIdentity identity;
    std::shared_ptr<const ProfileDocument> document;
    unsigned codePage = 0;  // the one active when the document was indexed
    bool settled = false;   // the identity alone tells a change
    uint64_t lastUse = 0;
  };

  // The cached copy when it is the content of a file of this identity, else
  // what read() reads. Until the copy is settled, only the bytes can tell.
  template <typename Read>
  std::shared_ptr<const ProfileDocument> Refresh(const std::string& path,
                                                 const FileIdentity& identity, Read read);
  void EvictIfFull();

  static constexpr std::size_t kMaxFiles = 64;
  std::mutex mutex_;
  std::unordered_map<std::string, Entry> entries_;
  std::unordered_map<std::string, std::string> locations_;
  uint64_t useCounter_ = 0;
};

// The process-wide cache: it stands for the system's own cache of profile
// files, so it lives with the platform layer rather than with the module.
ProfileCache& TheProfileCache();

}  // namespace tralvex::platform

#endif
