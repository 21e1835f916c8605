// The message files loaded in the module, by what each file is rather than
// by its name (the identity platform::QueryAttributes gives: device and
// inode on POSIX, the upper-cased full path on Windows), so that two files
// whose names differ only in case are two entries where the system keeps
// them apart. An entry lives exactly while some catalogue holds the file;
// the file data's shareCount counts those catalogues.
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
  MessageFileData* Find(const std::string& identity) const;

  // Throws std::bad_alloc, leaving the table as it was.
  void Enter(const std::string& identity, MessageFileData* data);

  void Remove(const std::string& identity);

  std::size_t Count() const { return files_.size(); }

 private:
  std::unordered_map<std::string, MessageFileData*> files_;
};

}  // namespace tralvex

#endif
