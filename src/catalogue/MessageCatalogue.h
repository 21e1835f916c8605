// One message file opened for use: the file's parsed contents, shared with
// every other catalogue on the same file, and the section lookups use.
#ifndef TRALVEX_CATALOGUE_MESSAGECATALOGUE_H
#define TRALVEX_CATALOGUE_MESSAGECATALOGUE_H

#include <cstdint>
#include <string>

#include "catalogue/MessageSection.h"
#include "tralvex/ErrorList.h"

namespace tralvex {

namespace platform {
class ReadOnlyFile;
}

class DefaultDirectory;
class LoadedFileTable;
class MessageFileData;

class MessageCatalogue : public ErrorList {
 public:
  // What construction throws when the catalogue cannot be opened: a file
  // error of the generic cause, without system error code or file name. The
  // errors met on the way go with the catalogue that was never made.
  struct OpenFailure {
    int cause = 1;
    long systemError = -1;
  };

  // A catalogue on no file: every lookup finds nothing.
  MessageCatalogue() = default;

  // A catalogue not yet opened, for opening step by step.
  MessageCatalogue(LoadedFileTable& files, const DefaultDirectory& directory)
      : files_(&files), directory_(&directory) {}

  // Opens fileName (completed against the default directory) and selects
  // sectionName, or the file's default section when it is null or empty.
  // Throws OpenFailure, or std::bad_alloc.
  MessageCatalogue(LoadedFileTable& files, const DefaultDirectory& directory, const char* fileName,
                   const char* sectionName);
  MessageCatalogue(const MessageCatalogue&) = delete;
  MessageCatalogue& operator=(const MessageCatalogue&) = delete;
  ~MessageCatalogue() override;

  // 1, or 0 with the reasons recorded.
  int SelectSection(const char* name);

  // A pointer into the file's text, or null (the section's error copied).
  const char* GetCatalogueMessage(uint32_t number) {
    if (const char* text = FindMessage(number)) return text;
    return RecordMissingMessage(number);
  }

  // The same lookup, recording nothing.
  const char* FindMessage(uint32_t number) const {
    return currentSection != nullptr ? currentSection->FindMessage(number) : nullptr;
  }
  // The lookup in a frozen current section (a parsed file's), else null.
  const char* FindIndexed(uint32_t number) const {
    return currentSection != nullptr ? currentSection->FindIndexed(number) : nullptr;
  }

  // The resolved, upper-cased full path.
  const std::string& FileName() const { return fileName; }
  const std::string& SectionName() const { return sectionName; }
  MessageSection* CurrentSection() const { return currentSection; }
  MessageFileData* FileData() const { return fileData; }

  // Completes name as opening does, without reading the file: 0, or the
  // code opening would record with the name. FileName() and SpelledName()
  // then tell the result. For programs that read the file themselves and
  // must read the one the library would.
  int ResolveName(const char* name);
  // The resolved name as spelled, before upper-casing.
  const std::string& SpelledName() const { return spelledName; }
  // What the file is (its key in the loaded-file table); empty when the
  // name did not resolve to an existing file.
  const std::string& FileKey() const { return fileKey; }

  // The steps of opening, public for the tests.
  int OpenCatalogueFile(const char* name);
  int ResolveCatalogueFileName();
  int ReadMessageFile();

 private:
  // The lookup of a number the current section lacks, recording why.
  const char* RecordMissingMessage(uint32_t number);
  void ReleaseFileData();
  int ReadFileOfUnknownSize(platform::ReadOnlyFile& file);
  int ParseFileText(char* buffer, uint32_t size);

  std::string fileName;
  // The resolved name before upper-casing: what the system is asked for,
  // so that case-sensitive file systems find the file as written.
  std::string spelledName;
  // What the file is, not what it is called (platform::QueryAttributes):
  // its key among loaded files, so that two files are never one entry.
  std::string fileKey;
  std::string sectionName;
  MessageSection* currentSection = nullptr;
  MessageFileData* fileData = nullptr;
  LoadedFileTable* files_ = nullptr;
  const DefaultDirectory* directory_ = nullptr;
};

}  // namespace tralvex

#endif
