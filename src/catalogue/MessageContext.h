// A message context: several message files read as one catalogue. Each file
// serves a range of message numbers, listed in the section "MessageFiles" of
// "Tralvex.ini" or given as one file, and is opened the first time a number
// of its range is asked for.
#ifndef TRALVEX_CATALOGUE_MESSAGECONTEXT_H
#define TRALVEX_CATALOGUE_MESSAGECONTEXT_H

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/CatalogueAccess.h"
#include "tralvex/ErrorList.h"

namespace tralvex {

class IniFile;

// The bound of the one range of a context on a single file: every number.
constexpr uint32_t kAllNumbers = 0xFFFFFFFF;

class MessageContext : public ErrorList {
 public:
  // One element of the range map: a range's upper bound and the index of
  // the file that serves it in fileNames. Kept in one array, ascending by
  // bound, so that the walk of a lookup reads contiguous memory.
  struct Range {
    uint32_t bound;
    uint32_t fileIndex;
  };

  MessageContext(CatalogueAccess& access, const char* caption, int keepOnFailure);
  MessageContext(const MessageContext&) = delete;
  MessageContext& operator=(const MessageContext&) = delete;
  // Closes exactly the catalogue handles the context opened.
  ~MessageContext() override;

  // path: null or empty (search for "Tralvex.ini"), a directory holding it,
  // or one message file (a name with an extension). 1 or 0.
  int InitContext(const char* path);
  int InitMessageMaps(const char* path);
  int LocateIniFile();

  // The handle serving number, the file opened on first use; 0 when no
  // range holds the number, 0xFFFF when its file cannot be opened.
  uint32_t GetCatalogueForNumber(uint32_t number);
  // The message, else defaultText, else the placeholder text; never null.
  const char* GetContextMessage(uint32_t number, const char* defaultText);

  // The application closed this handle itself: the context no longer owns
  // it, so it neither reads nor closes it again (the number may be issued
  // to another catalogue), and opens its file afresh on the next lookup.
  void ForgetCatalogue(uint32_t handle);

  const std::string& Caption() const { return caption; }
  void SetCaption(const char* text) { caption = text != nullptr ? text : ""; }
  const std::string& Directory() const { return directory; }
  const std::string& IniPath() const { return iniPath; }
  const std::vector<Range>& Ranges() const { return ranges; }
  const std::vector<std::string>& FileNames() const { return fileNames; }
  const std::vector<uint32_t>& FileHandles() const { return fileHandles; }
  int Initialised() const { return initialised; }
  int32_t SingleHandle() const { return singleHandle; }
  int KeepOnFailure() const { return keepOnFailure; }
  uint32_t JoinCount() const { return joinCount; }
  // False when the count cannot grow any further.
  bool Join();
  // Lowers the count unless it is 0 already; true when it is 0 afterwards.
  bool Leave();

 private:
  // A handle that serves a number and the catalogue behind it, if known.
  struct Served {
    uint32_t handle;
    MessageCatalogue* catalogue;
  };
  Served ServeNumber(uint32_t number);
  void ClearMaps();
  void AddRange(uint32_t bound, std::string fileName);
  int ReadIniFile();
  void AddKeyword(IniFile& ini, const std::string& keyword);
  bool TryCandidate(int mode);
  bool SearchStandardDirectories();
  int QualifyRelativeDirectory();

  std::string caption;
  std::string directory;
  std::string iniPath;
  // The range bounds with the file each maps to (rangeBounds, rangeToFile):
  // ascending, equal bounds in the order they were registered.
  std::vector<Range> ranges;
  // One per range, in registration order.
  std::vector<std::string> fileNames;
  // Parallel to fileNames (fileToHandle): 0 while the file is not open.
  std::vector<uint32_t> fileHandles;
  // Parallel to fileHandles: the catalogue behind each open handle, so that
  // a lookup needs no search of the handle table.
  std::vector<MessageCatalogue*> fileCatalogues;
  int initialised = 0;
  // 0: several files; -1: one file, not yet open; else the handle that
  // serves every number.
  int32_t singleHandle = 0;
  MessageCatalogue* singleCatalogue = nullptr;
  int keepOnFailure;
  uint32_t joinCount = 1;
  CatalogueAccess& access_;
};

}  // namespace tralvex

#endif
