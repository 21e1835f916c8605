// A message file the tool has read and parsed itself, entered in the
// library's loaded-file table under the library's name for it. A catalogue
// the library then opens on that name shares this parse, as catalogues on
// one file share it in any process: the file is read and parsed once, and
// the tool sees exactly the sections the library looks numbers up in.
#ifndef TRALVEX_TOOLS_PRELOADEDFILE_H
#define TRALVEX_TOOLS_PRELOADEDFILE_H

#include <memory>
#include <string>

#include "catalogue/MessageFileData.h"

namespace tralvex::tool {

class PreloadedFile {
 public:
  PreloadedFile() = default;
  PreloadedFile(const PreloadedFile&) = delete;
  PreloadedFile& operator=(const PreloadedFile&) = delete;
  // Gives back the tool's share; the last holder frees the file data.
  ~PreloadedFile();

  // Shares the library's parse of the file named key (its resolved,
  // upper-cased name) when it holds one already, giving up what was held
  // before; false when it does not.
  bool Share(const std::string& key);

  // Enters data under key, which the library does not hold yet, giving up
  // what was held before. Throws std::bad_alloc, keeping data.
  void Hold(const std::string& key, std::unique_ptr<MessageFileData> data);

  // The file data held; null before Hold.
  MessageFileData* Data() const { return data_; }

 private:
  void Release();

  std::string key_;
  MessageFileData* data_ = nullptr;
};

}  // namespace tralvex::tool

#endif
