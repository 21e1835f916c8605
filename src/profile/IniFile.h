// Profile files: INI-format settings files read and written through layers.
// One object stands for one file and may own child objects for other files;
// reads fall through the primary file, the object's own file and the
// children until one supplies the value, enumerations merge the names of all
// files, and writes, erasures and removal go to the write target. The access
// to one file is left to the pure primitives of a concrete class.
#ifndef TRALVEX_PROFILE_INIFILE_H
#define TRALVEX_PROFILE_INIFILE_H

#include <memory>
#include <string>
#include <vector>

#include "tralvex/ErrorList.h"

namespace tralvex {

using NameList = std::vector<std::string>;

class IniFile : public ErrorList {
 public:
  IniFile();
  // A non-zero flag leaves the write target null: the object is made to
  // write through its parent's target.
  explicit IniFile(int shareWriteTarget);
  ~IniFile() override;
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  virtual int OpenIniFile(const char* name, int createIfMissing);
  virtual int GetKeywordValue(const char* section, const char* keyword, std::string& value);
  virtual int SetKeywordValue(const char* section, const char* keyword, const char* value);
  virtual int GetAllKeywords(const char* section, NameList& names);
  virtual int GetAllKeywords(const char* section, std::string& names);
  virtual int GetKeywordCount(const char* section, int& count);
  virtual int GetKeywordByIndex(int index, std::string& keyword, std::string& value);
  virtual int GetAllSections(NameList& names);
  virtual int GetAllSections(std::string& names);
  virtual int EraseAllKeywords(const char* section);
  virtual int EraseAllSections();
  virtual int RemoveIniFile();
  virtual int CopyIniFile(IniFile* source);
  virtual int IsResultOk(int value);
  virtual int EraseKeyword(const char* section, const char* keyword) = 0;
  virtual int EraseSection(const char* section) = 0;
  virtual int FlushIniFile() = 0;
  virtual IniFile* AddIniChild(const std::string& name, int createIfMissing, int makePrimary,
                               int shareWriteTarget);
  // Completes name in place (the Windows directory, ".INI") keeping the
  // caller's spelling, and tells whether the file can be opened: 0 or an
  // error code. OpenIniFile upper-cases the result for fileName.
  virtual int ResolveIniFileName(std::string& name);
  virtual IniFile* CreateNewChild(int shareWriteTarget);
  virtual int GetPrivateProfileString(const char* section, const char* keyword,
                                      std::string& result) = 0;
  virtual int WritePrivateProfileString(const char* section, const char* keyword,
                                        const char* value) = 0;
  virtual int GetPrivateProfileKeywords(const char* section, NameList& names) = 0;
  virtual int GetPrivateProfileSectionNames(NameList& names) = 0;
  virtual IniFile* CreateIniObject(int shareWriteTarget) = 0;

  void ResetKeywordCache() noexcept;

  int IsOpen() const { return isOpen; }
  const std::string& FileName() const { return fileName; }
  const std::vector<std::unique_ptr<IniFile>>& Children() const { return children; }
  IniFile* Primary() const { return primary; }
  IniFile* WriteTarget() const { return writeTarget; }
  const NameList& KeywordCache() const { return keywordCache; }

 protected:
  int isOpen = 0;
  std::string fileName;
  // The same name as the caller spelled it: what the system is asked for, so
  // that where names differing in case are two files the caller's own
  // spelling names the file. Empty while not open.
  std::string spelledName;
  std::vector<std::unique_ptr<IniFile>> children;
  IniFile* primary;
  IniFile* writeTarget;
  NameList keywordCache;

 private:
  // The entry steps of most operations: clear the list, require an open
  // file (313 otherwise), and empty the keyword cache where asked.
  bool Enter(bool resetCache);
  int MergeNames(const char* section, NameList& names);
  static bool IsSameFile(const IniFile& one, const IniFile& other);
  int ReadThroughLayers(const char* section, const char* keyword, std::string& value);
  int JoinNames(const char* section, std::string& text, bool sections);
  bool NothingLeftToList(const char* section);
  void CopyChildLinks(const IniFile& source, const std::vector<IniFile*>& sourceChildren,
                      const std::vector<IniFile*>& newChildren);
};

}  // namespace tralvex

#endif
