// The operations that link and copy child files and that erase and remove
// files through the write target.
#include <new>

#include "errors/BuiltInTexts.h"
#include "errors/ErrorCodes.h"
#include "platform/FileSystem.h"
#include "profile/IniFile.h"

namespace tralvex {

// Two open objects on one file: the same file on disk, whatever its names
// (where names differing in case are two files, they are told apart); the
// same name when the system cannot say.
bool IniFile::IsSameFile(const IniFile& one, const IniFile& other) {
  std::string first;
  std::string second;
  if (platform::QueryAttributes(one.spelledName.c_str(), nullptr, &first) ==
          platform::AccessStatus::ok &&
      platform::QueryAttributes(other.spelledName.c_str(), nullptr, &second) ==
          platform::AccessStatus::ok) {
    return first == second;
  }
  return one.fileName == other.fileName;
}

int IniFile::EraseAllKeywords(const char* section) {
  if (writeTarget != this) {
    if (writeTarget == nullptr) return 0;
    int result = writeTarget->EraseAllKeywords(section);
    if (result == 0) CopyErrors(*writeTarget);
    return result;
  }
  if (!Enter(true)) return 0;
  bool allSections = section == nullptr || *section == '\0';
  int result = 0;
  try {
    NameList names;
    int listed = allSections ? GetPrivateProfileSectionNames(names)
                             : GetPrivateProfileKeywords(section, names);
    if (listed == 0 || names.empty()) return listed;
    result = 1;
    for (const std::string& name : names) {
      int erased = allSections ? EraseSection(name.c_str()) : EraseKeyword(section, name.c_str());
      if (erased == 0) result = 0;
    }
    // A single erasure counts as done whatever the platform did; the whole
    // counts as done only when nothing is left to list.
    if (result != 0 && !NothingLeftToList(section)) {
      AddError(error_code::kProfileWriteFailed, "EraseAllKeywords");
      result = 0;
    }
    return result;
  } catch (const std::bad_alloc&) {
    AddError(error_code::kNoMemory, "EraseAllKeywords");
    return result;
  }
}

bool IniFile::NothingLeftToList(const char* section) {
  // The listing's own errors (a section gone with its last keyword) are not
  // the erasure's: the list keeps what the last erasure recorded.
  ErrorList kept;
  kept.CopyErrors(*this);
  NameList left;
  int listed = section == nullptr || *section == '\0' ? GetPrivateProfileSectionNames(left)
                                                      : GetPrivateProfileKeywords(section, left);
  ClearErrors();
  CopyErrors(kept);
  return listed == 0 || left.empty();
}

int IniFile::EraseAllSections() { return EraseAllKeywords(nullptr); }

int IniFile::RemoveIniFile() {
  if (writeTarget != this) {
    if (writeTarget == nullptr) return 0;
    return writeTarget->RemoveIniFile();
  }
  if (!Enter(true)) return 0;
  FlushIniFile();
  int cause = 0;
  if (platform::DeleteFileWithCause(spelledName.c_str(), &cause)) return 1;
  if (cause != 0) {
    AddError(FileErrorCode(cause, nullptr), fileName.c_str());
  } else {
    AddError(error_code::kUnexpected, "RemoveIniFile");
  }
  return 0;
}

int IniFile::CopyIniFile(IniFile* source) {
  if (source == nullptr) return 0;
  // An object is a copy of itself already; copying would append to the
  // very list of children being walked.
  if (source == this) return 1;
  try {
    isOpen = source->isOpen;
    fileName = source->fileName;
    spelledName = source->spelledName;
    bool ownPrimary = source->primary == nullptr || source->primary == source;
    primary = ownPrimary ? this : source->primary;
    bool ownTarget = source->writeTarget == nullptr || source->writeTarget == source;
    writeTarget = ownTarget ? this : source->writeTarget;
    std::vector<IniFile*> sourceChildren;
    std::vector<IniFile*> newChildren;
    for (const auto& child : source->children) {
      if (child == nullptr) continue;
      std::unique_ptr<IniFile> owned(CreateNewChild(child->writeTarget != child.get() ? 1 : 0));
      IniFile* copy = owned.get();
      if (copy != nullptr) {
        children.push_back(std::move(owned));
        sourceChildren.push_back(child.get());
        newChildren.push_back(copy);
      }
      if (primary == child.get()) primary = copy;
      if (writeTarget == child.get()) writeTarget = copy;
    }
    CopyChildLinks(*source, sourceChildren, newChildren);
    return 1;
  } catch (const std::bad_alloc&) {
    AddError(error_code::kNoObject, "CopyIniFile");
    return 0;
  }
}

// Each new child stands for the same file as its source child and is linked
// to the copy as the source child was linked to the source, so that the copy
// reads and writes what the source does.
void IniFile::CopyChildLinks(const IniFile& source, const std::vector<IniFile*>& sourceChildren,
                             const std::vector<IniFile*>& newChildren) {
  auto counterpart = [&](IniFile* object) -> IniFile* {
    if (object == &source) return this;
    for (std::size_t i = 0; i < sourceChildren.size(); ++i) {
      if (sourceChildren[i] == object) return newChildren[i];
    }
    return object;
  };
  for (std::size_t i = 0; i < newChildren.size(); ++i) {
    IniFile* from = sourceChildren[i];
    IniFile* to = newChildren[i];
    to->isOpen = from->isOpen;
    to->fileName = from->fileName;
    to->spelledName = from->spelledName;
    to->primary = counterpart(from->primary);
    to->writeTarget = counterpart(from->writeTarget);
  }
}

IniFile* IniFile::AddIniChild(const std::string& name, int createIfMissing, int makePrimary,
                              int shareWriteTarget) {
  ClearErrors();
  IniFile* created = CreateNewChild(shareWriteTarget);
  if (created == nullptr) return nullptr;
  std::unique_ptr<IniFile> child(created);
  if (makePrimary == 0) child->primary = primary;
  if (shareWriteTarget != 0) child->writeTarget = writeTarget;
  if (child->OpenIniFile(name.c_str(), createIfMissing) == 0) {
    CopyErrors(*child);
    return nullptr;
  }
  try {
    for (const auto& existing : children) {
      if (existing != nullptr && IsSameFile(*existing, *child)) return existing.get();
    }
    children.push_back(std::move(child));
    if (makePrimary != 0) primary = created;
    if (shareWriteTarget == 0) writeTarget = created;
    return created;
  } catch (const std::bad_alloc&) {
    AddError(error_code::kUnexpected, "AddIniChild");
    return nullptr;
  }
}

IniFile* IniFile::CreateNewChild(int shareWriteTarget) {
  IniFile* child = nullptr;
  try {
    child = CreateIniObject(shareWriteTarget);
  } catch (const std::bad_alloc&) {
    child = nullptr;
  }
  if (child == nullptr) AddError(error_code::kNoObject, "CreateNewChild");
  return child;
}

}  // namespace tralvex
