#include "catalogue/LoadedFileTable.h"

namespace tralvex {

MessageFileData* LoadedFileTable::Find(const std::string& path) const {
  auto found = files_.find(path);
  return found == files_.end() ? nullptr : found->second;
}

void LoadedFileTable::Enter(const std::string& path, MessageFileData* data) { files_[path] = data; }

void LoadedFileTable::Remove(const std::string& path) { files_.erase(path); }

}  // namespace tralvex
