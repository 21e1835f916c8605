#include "catalogue/LoadedFileTable.h"

namespace tralvex {

MessageFileData* LoadedFileTable::Find(const std::string& identity) const {
  auto found = files_.find(identity);
  return found == files_.end() ? nullptr : found->second;
}

void LoadedFileTable::Enter(const std::string& identity, MessageFileData* data) {
  files_[identity] = data;
}

void LoadedFileTable::Remove(const std::string& identity) { files_.erase(identity); }

}  // namespace tralvex
