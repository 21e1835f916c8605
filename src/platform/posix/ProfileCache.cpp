#include "platform/posix/ProfileCache.h"

#include <utility>

namespace tralvex::platform {

ProfileCache& TheProfileCache() {
  static ProfileCache cache;
  return cache;
}

std::shared_ptr<const ProfileDocument> ProfileCache::Get(const std::string& path,
                                                         FileState* state) {
  FileIdentity identity;
  *state = StatProfile(path, &identity);
  auto found = entries_.find(path);
  if (*state != FileState::regular) {
    if (found != entries_.end()) entries_.erase(found);
    return nullptr;
  }
  if (found == entries_.end() || !(found->second.identity == identity)) return Load(path, state);
  Entry& entry = found->second;
  entry.lastUse = ++useCounter_;
  if (!IsRecentlyChanged(identity)) return entry.document;
  // Within one tick of the file clock a rewrite of the same size leaves the
  // identity unchanged: only the bytes can tell.
  std::string text;
  FileIdentity read;
  if (!ReadProfile(path, &text, &read)) {
    entries_.erase(found);
    *state = FileState::unreadable;
    return nullptr;
  }
  if (text != entry.document->Text()) {
    entry.document = std::make_shared<const ProfileDocument>(std::move(text));
  }
  entry.identity = read;
  return entry.document;
}

std::shared_ptr<const ProfileDocument> ProfileCache::Load(const std::string& path,
                                                          FileState* state) {
  std::string text;
  FileIdentity identity;
  if (!ReadProfile(path, &text, &identity)) {
    entries_.erase(path);
    *state = FileState::unreadable;
    return nullptr;
  }
  auto document = std::make_shared<const ProfileDocument>(std::move(text));
  Put(path, identity, document);
  return document;
}

void ProfileCache::Put(const std::string& path, const FileIdentity& identity,
                       std::shared_ptr<const ProfileDocument> document) {
  auto found = entries_.find(path);
  if (found == entries_.end()) {
    EvictIfFull();
    found = entries_.emplace(path, Entry()).first;
  }
  found->second.identity = identity;
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
