// The message files loaded in the module, by resolved, upper-cased full
// path. An entry lives exactly while some catalogue holds the file; the
// file data's shareCount counts those catalogues.
#ifndef TRALVEX_CATALOGUE_LOADEDFILETABLE_H
#define TRALVEX_CATALOGUE_LOADEDFILETABLE_H

#include <cstddef>
#include <string>
#include <unordered_map>

namespace tralvex {

class MessageFileData;

class LoadedFileTable {
 public:
  LoadedFileTable() = default;
  LoadedFileTable(const LoadedFileTable&) = delete;
  LoadedFileTable& operator=(const LoadedFileTable&) = delete;

  // Null when the file is not loaded.
  MessageFileData* Find(const std::string& path) const;

  // Throws std::bad_alloc, leaving the table as it was.
  void Enter(const std::string& path, MessageFileData* data);

  void Remove(const std::string& path);

  std::size_t Count() const { return files_.size(); }

 private:
  std::unordered_map<std::string, MessageFileData*> files_;
};

}  // namespace tralvex

#endif
