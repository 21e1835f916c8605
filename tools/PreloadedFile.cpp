#include "PreloadedFile.h"

#include "api/Module.h"

namespace tralvex::tool {

PreloadedFile::~PreloadedFile() { Release(); }

void PreloadedFile::Release() {
  MessageFileData* data = data_;
  data_ = nullptr;
  if (data == nullptr || --data->shareCount > 0) return;
  LoadedFileTable& files = TheModule().loadedFiles;
  if (files.Find(key_) == data) files.Remove(key_);
  delete data;
}

bool PreloadedFile::Share(const std::string& key) {
  MessageFileData* loaded = TheModule().loadedFiles.Find(key);
  if (loaded == nullptr) return false;
  // The share is taken before the old one is given up: a file replaced
  // while it was read may come back as the same entry (its inode used
  // again), and the release would free it.
  ++loaded->shareCount;
  Release();
  key_ = key;
  data_ = loaded;
  return true;
}

void PreloadedFile::Hold(const std::string& key, std::unique_ptr<MessageFileData> data) {
  Release();
  TheModule().loadedFiles.Enter(key, data.get());
  key_ = key;
  data_ = data.release();
}

}  // namespace tralvex::tool
