// The concrete profile file: the primitives of IniFile over the platform's
// private-profile functions, which keep their own cached copy of each file.
#ifndef TRALVEX_PROFILE_SYSTEMINIFILE_H
#define TRALVEX_PROFILE_SYSTEMINIFILE_H

#include <string>

#include "profile/IniFile.h"

namespace tralvex {

class SystemIniFile : public IniFile {
 public:
  SystemIniFile() = default;
  explicit SystemIniFile(int shareWriteTarget) : IniFile(shareWriteTarget) {}
  // Flushes the file of an open object.
  ~SystemIniFile() override;

  int IsResultOk(int value) override;
  int EraseKeyword(const char* section, const char* keyword) override;
  int EraseSection(const char* section) override;
  int FlushIniFile() override;
  int GetPrivateProfileString(const char* section, const char* keyword,
                              std::string& result) override;
  int WritePrivateProfileString(const char* section, const char* keyword,
                                const char* value) override;
  int GetPrivateProfileKeywords(const char* section, NameList& names) override;
  int GetPrivateProfileSectionNames(NameList& names) override;
  IniFile* CreateIniObject(int shareWriteTarget) override;

 private:
  int ReportMissing(const char* section, const char* keyword);
};

// Splits a double-NUL list into names: the count, or -1 for a null text or
// when memory runs out. The list is emptied first in every case.
int SplitMultiString(const char* text, NameList& names);

}  // namespace tralvex

#endif
