#include "platform/posix/ProfileCache.h"

#include <utility>

#include "platform/CodePage.h"

namespace tralvex::platform {

ProfileCache& TheProfileCache() {
  static ProfileCache cache;
  return cache;
}

template <typename Read>
std::shared_ptr<const ProfileDocument> ProfileCache::Refresh(const std::string& path,
                                                             const FileIdentity& identity,
                                                             Read read) {
  auto found = entries_.find(path);
  // A file in Unicode is indexed by the names the code page gives it.
  bool known = found != entries_.end() && found->second.identity == identity &&
               found->second.codePage == ActiveCodePage().id;
  if (known && found->second.settled) {
    found->second.lastUse = ++useCounter_;
    return found->second.document;
  }
  int64_t readAt = FileClockNow();
  std::string bytes;
  FileIdentity readIdentity;
  if (!read(&bytes, &readIdentity)) {
    entries_.erase(path);
    return nullptr;
  }
  std::shared_ptr<const ProfileDocument> document;
  if (known && found->second.document->HasBytes(bytes)) {
    document = found->second.document;
  } else {
    document =
        std::make_shared<const ProfileDocument>(ProfileDocument::FromBytes(std::move(bytes)));
  }
  Put(path, readIdentity, document, IsSettled(readIdentity, readAt));
  return document;
}

std::shared_ptr<const ProfileDocument> ProfileCache::Get(const std::string& path,
                                                         FileState* state) {
  FileIdentity identity;
  *state = StatProfile(path, &identity);
  if (*state != FileState::regular) {
    entries_.erase(path);
    return nullptr;
  }
  auto document = Refresh(path, identity, [&](std::string* bytes, FileIdentity* read) {
    return ReadProfile(path, bytes, read);
  });
  if (document == nullptr) *state = FileState::unreadable;
  return document;
}

std::shared_ptr<const ProfileDocument> ProfileCache::GetLocked(const ProfileWriteLock& lock) {
  return Refresh(lock.Path(), lock.Identity(),
                 [&](std::string* bytes, FileIdentity* read) { return lock.Read(bytes, read); });
}

void ProfileCache::Put(const std::string& path, const FileIdentity& identity,
                       std::shared_ptr<const ProfileDocument> document, bool settled) {
  auto found = entries_.find(path);
  if (found == entries_.end()) {
    EvictIfFull();
    found = entries_.emplace(path, Entry()).first;
  }
  found->second.identity = identity;
  found->second.settled = settled;
  found->second.codePage = ActiveCodePage().id;
  found->second.document = std::move(document);
  found->second.lastUse = ++useCounter_;
}

void ProfileCache::Forget(const std::string& path) { entries_.erase(path); }

std::string ProfileCache::Locate(const std::string& absolute) {
  auto found = locations_.find(absolute);
  if (found != locations_.end()) return found->second;
  std::string native = NativeProfilePath(absolute);
  FileIdentity identity;
  // Only a file that is there is worth remembering: a missing one may yet be
  // created under another spelling.
  if (!native.empty() && StatProfile(native, &identity) == FileState::regular) {
    if (locations_.size() >= kMaxFiles * 4) locations_.clear();
    locations_.emplace(absolute, native);
  }
  return native;
}

bool ProfileCache::ForgetLocation(const std::string& absolute) {
  return locations_.erase(absolute) != 0;
}

void ProfileCache::EvictIfFull() {
  if (entries_.size() < kMaxFiles) return;
  auto oldest = entries_.begin();
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->second.lastUse < oldest->second.lastUse) oldest = it;
  }
  entries_.erase(oldest);
}

}  // namespace tralvex::platform
