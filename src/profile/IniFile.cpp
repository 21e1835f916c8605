#include "profile/IniFile.h"

#include <new>
#include <unordered_set>

#include "errors/ErrorCodes.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace tralvex {
namespace {

bool IsEmpty(const char* text) { return text == nullptr || *text == '\0'; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The parts of a file name: drive ("C:"), directory (up to its last
// separator), base name and extension (from the last dot, dot included).
struct NameParts {
  std::string drive;
  std::string directory;
  std::string base;
  std::string extension;
};

NameParts SplitFileName(const std::string& name) {
  NameParts parts;
  std::size_t rest = 0;
  if (name.size() >= 2 && name[1] == ':' && !platform::IsLeadByte(name[0])) {
    parts.drive = name.substr(0, 2);
    rest = 2;
  }
  const char* begin = name.c_str() + rest;
  const char* end = name.c_str() + name.size();
  const char* slash = platform::FindLastChar(begin, end, '/');
  const char* backslash = platform::FindLastChar(begin, end, '\\');
  const char* separator = slash;
  if (separator == nullptr || (backslash != nullptr && backslash > slash)) separator = backslash;
  const char* file = separator != nullptr ? separator + 1 : begin;
  parts.directory.assign(begin, file);
  const char* dot = platform::FindLastChar(file, end, '.');
  const char* stem = dot != nullptr ? dot : end;
  parts.base.assign(file, stem);
  parts.extension.assign(stem, end);
  return parts;
}

// On a system whose paths are rooted by "/", such a name is kept as a name
// with a drive is kept.
bool KeepsItsDirectory(const NameParts& parts) {
  if (!parts.drive.empty()) return true;
  const std::string& d = parts.directory;
  if (d.size() >= 2 && d[0] == '\\' && d[1] == '\\') return true;
  return platform::SlashRootsPath() && !d.empty() && d[0] == '/';
}

}  // namespace

IniFile::IniFile() : primary(this), writeTarget(this) {}

IniFile::IniFile(int shareWriteTarget)
    : primary(this), writeTarget(shareWriteTarget != 0 ? nullptr : this) {}

IniFile::~IniFile() {
  ResetKeywordCache();
  children.clear();
}

void IniFile::ResetKeywordCache() noexcept { keywordCache.clear(); }

bool IniFile::Enter(bool resetCache) {
  ClearErrors();
  if (isOpen == 0) {
    AddError(error_code::kNotOpen, nullptr);
    return false;
  }
  if (resetCache) ResetKeywordCache();
  return true;
}

int IniFile::OpenIniFile(const char* name, int createIfMissing) {
  ClearErrors();
  ResetKeywordCache();
  fileName.clear();
  spelledName.clear();
  isOpen = 0;
  try {
    std::string working = IsEmpty(name) ? std::string("WIN.INI") : std::string(name);
    int code = ResolveIniFileName(working);
    if (code == error_code::kFileNotFound && createIfMissing == 1) {
      platform::ProbeResult created = platform::CreateIfMissing(working.c_str());
      if (created == platform::ProbeResult::ok) {
        code = 0;
      } else {
        bool fileError = created == platform::ProbeResult::fileError ||
                         created == platform::ProbeResult::notFound;
        AddError(fileError ? error_code::kFileCreateFailed : error_code::kUnexpected, nullptr);
        return 0;
      }
    }
    if (code != 0) {
      AddError(code, platform::UpperCase(working).c_str());
      AddError(error_code::kOpenFailed, nullptr);
      return 0;
    }
    fileName = platform::UpperCase(working);
    spelledName = std::move(working);
    isOpen = 1;
    return 1;
  } catch (const std::bad_alloc&) {
    AddError(error_code::kUnexpected, nullptr);
    return 0;
  }
}

int IniFile::ResolveIniFileName(std::string& name) {
  try {
    NameParts parts = SplitFileName(name);
    if (parts.base.empty()) return error_code::kNoFileName;
    if (parts.extension.empty()) parts.extension = ".INI";
    if (!KeepsItsDirectory(parts)) {
      char directory[256];
      std::size_t length = platform::WindowsDirectory(directory, sizeof directory);
      if (length == 0 || length >= sizeof directory) return error_code::kOtherFailure;
      parts.directory.assign(directory, length);
    }
    if (!parts.directory.empty() && !IsSeparator(parts.directory.back())) {
      parts.directory += platform::SlashRootsPath() ? '/' : '\\';
    }
    name = parts.drive + parts.directory + parts.base + parts.extension;
  } catch (const std::bad_alloc&) {
    return error_code::kOtherFailure;
  }
  switch (platform::ProbeReadable(name.c_str())) {
    case platform::ProbeResult::ok:
      return 0;
    case platform::ProbeResult::notFound:
      return error_code::kFileNotFound;
    case platform::ProbeResult::fileError:
      return error_code::kFileAccessFailed;
    default:
      return error_code::kOtherFailure;
  }
}

int IniFile::GetKeywordValue(const char* section, const char* keyword, std::string& value) {
  if (!Enter(false)) return 0;
  // A null name would turn the read into a listing, handing back a list of
  // names as if it were the value.
  if (section == nullptr) section = "";
  if (keyword == nullptr) keyword = "";
  if (children.empty()) return GetPrivateProfileString(section, keyword, value);
  return ReadThroughLayers(section, keyword, value);
}

int IniFile::ReadThroughLayers(const char* section, const char* keyword, std::string& value) {
  ErrorList pending;
  int result = 0;
  value.clear();
  if (primary != nullptr) {
    // The primary's list would otherwise still hold the errors of earlier
    // reads, and a stale entry would hide this read's own of the same code.
    if (primary != this) primary->ClearErrors();
    if (primary->GetPrivateProfileString(section, keyword, value)) {
      result = 1;
    } else {
      pending.CopyErrors(*primary);
    }
  }
  if (value.empty() && primary != this) {
    if (GetPrivateProfileString(section, keyword, value)) {
      pending.ClearErrors();
      result = 1;
    } else if (pending.HasNoErrors()) {
      pending.CopyErrors(*this);
      ClearErrors();
    }
  }
  if (value.empty()) {
    for (const auto& child : children) {
      if (child == nullptr || child->primary == child.get()) continue;
      if (!child->GetPrivateProfileString(section, keyword, value)) continue;
      pending.ClearErrors();
      result = 1;
      if (!value.empty()) break;  // an empty value gives way to a later one
    }
  }
  if (result == 0 && !pending.HasNoErrors()) CopyErrors(pending);
  return result;
}

int IniFile::SetKeywordValue(const char* section, const char* keyword, const char* value) {
  if (!Enter(true)) return 0;
  if (IsEmpty(section)) {
    AddError(error_code::kMissingSection, nullptr);
    return 0;
  }
  if (IsEmpty(keyword)) {
    AddError(error_code::kMissingKeyword, nullptr);
    return 0;
  }
  if (writeTarget == nullptr) return 0;
  return writeTarget->WritePrivateProfileString(section, keyword, value);
}

int IniFile::GetAllKeywords(const char* section, NameList& names) {
  if (!Enter(true)) return 0;
  try {
    names.clear();
    if (!children.empty()) return MergeNames(section, names);
    if (!IsEmpty(section)) return GetPrivateProfileKeywords(section, names);
    return GetPrivateProfileSectionNames(names);
  } catch (const std::bad_alloc&) {
    AddError(error_code::kUnexpected, "GetAllKeywords");
    return 0;
  }
}

int IniFile::MergeNames(const char* section, NameList& names) {
  // Children first, then the object, then its primary: the reverse of the
  // read order for the object and its primary.
  std::vector<IniFile*> sequence;
  for (const auto& child : children) sequence.push_back(child.get());
  sequence.push_back(this);
  if (primary != this) sequence.push_back(primary);
  std::unordered_set<std::string> taken;
  int result = 0;
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    IniFile* entry = sequence[i];
    if (entry == nullptr) continue;
    // A child made primary is visited once, at the end, as the primary.
    if (entry->primary == entry && i + 1 != sequence.size()) continue;
    NameList listed;
    int ok = IsEmpty(section) ? entry->GetPrivateProfileSectionNames(listed)
                              : entry->GetPrivateProfileKeywords(section, listed);
    if (ok == 0 || listed.empty()) continue;
    result = 1;
    for (std::string& name : listed) {
      if (taken.insert(platform::UpperCase(name)).second) names.push_back(std::move(name));
    }
  }
  return result;
}

int IniFile::JoinNames(const char* section, std::string& text, bool sections) {
  if (!Enter(true)) return 0;
  try {
    text.clear();
    NameList names;
    int ok = sections ? GetAllSections(names) : GetAllKeywords(section, names);
    if (ok == 0) return 0;
    for (const std::string& name : names) {
      text += name;
      text += ';';
    }
    return 1;
  } catch (const std::bad_alloc&) {
    text.clear();
    AddError(error_code::kUnexpected, sections ? "GetAllSections" : "GetAllKeywords");
    return 0;
  }
}

int IniFile::GetAllKeywords(const char* section, std::string& names) {
  return JoinNames(section, names, false);
}

int IniFile::GetAllSections(NameList& names) {
  return GetAllKeywords(static_cast<const char*>(nullptr), names) != 0 ? 1 : 0;
}

int IniFile::GetAllSections(std::string& names) { return JoinNames(nullptr, names, true); }

int IniFile::GetKeywordCount(const char* section, int& count) {
  if (!Enter(true)) return 0;
  try {
    if (GetAllKeywords(section, keywordCache) == 0) {
      // A cache without its section entry would pair names with the wrong section.
      ResetKeywordCache();
      return 0;
    }
    count = static_cast<int>(keywordCache.size());
    keywordCache.insert(keywordCache.begin(), section != nullptr ? section : "");
    return 1;
  } catch (const std::bad_alloc&) {
    ResetKeywordCache();
    AddError(error_code::kUnexpected, "GetAllKeywords");
    return 0;
  }
}

int IniFile::GetKeywordByIndex(int index, std::string& keyword, std::string& value) {
  if (!Enter(false)) return 0;
  int count = static_cast<int>(keywordCache.size()) - 1;
  if (keywordCache.empty() || index < 1 || index > count) {
    AddError(error_code::kBadKeywordIndex, nullptr);
    return 0;
  }
  try {
    keyword = keywordCache[static_cast<std::size_t>(index)];
    std::string section = keywordCache.front();
    return GetKeywordValue(section.c_str(), keyword.c_str(), value);
  } catch (const std::bad_alloc&) {
    AddError(error_code::kOtherFailure, nullptr);
    return 0;
  }
}

int IniFile::IsResultOk(int value) { return value == 0 ? 1 : 0; }

}  // namespace tralvex
