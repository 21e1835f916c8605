#include "catalogue/MessageCatalogue.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

#include "catalogue/LoadedFileTable.h"
#include "catalogue/MessageFileData.h"
#include "catalogue/MessageSection.h"
#include "catalogue/SearchDirectories.h"
#include "catalogue/TrimBlanks.h"
#include "errors/ErrorCodes.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace tralvex {
namespace {

struct NameParts {
  std::string_view drive;
  std::string_view directory;
  std::string_view file;
  std::string_view extension;
};

NameParts SplitName(std::string_view name) {
  NameParts parts;
  std::size_t pos = 0;
  if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]))) {
    parts.drive = name.substr(0, 2);
    pos = 2;
  }
  std::string rest(name.substr(pos));
  const char* separator = FindLastSeparator(rest.c_str());
  std::size_t fileStart = separator == nullptr ? 0 : separator - rest.c_str() + 1;
  parts.directory = name.substr(pos, fileStart);
  std::string_view tail = name.substr(pos + fileStart);
  const char* dot = platform::FindLastChar(tail.data(), tail.data() + tail.size(), '.');
  std::size_t dotAt = dot == nullptr ? tail.size() : static_cast<std::size_t>(dot - tail.data());
  parts.file = tail.substr(0, dotAt);
  parts.extension = tail.substr(dotAt);
  return parts;
}

// A directory kept as written: after a drive, a network path, or where a
// leading slash roots the path.
bool KeepsDirectory(const NameParts& parts) {
  if (!parts.drive.empty()) return true;
  if (parts.directory.substr(0, 2) == "\\\\") return true;
  return platform::SlashRootsPath() && !parts.directory.empty() && parts.directory[0] == '/';
}

}  // namespace

MessageCatalogue::MessageCatalogue(LoadedFileTable& files, const DefaultDirectory& directory,
                                   const char* name, const char* section)
    : files_(&files), directory_(&directory) {
  if (OpenCatalogueFile(name) == 0) throw OpenFailure{};
  int selected = 0;
  try {
    selected = SelectSection(section);
  } catch (...) {
    ReleaseFileData();
    throw;
  }
  if (selected == 0) {
    ReleaseFileData();
    throw OpenFailure{};
  }
}

MessageCatalogue::~MessageCatalogue() {
  ReleaseFileData();
  fileName.clear();
  spelledName.clear();
  fileKey.clear();
  sectionName.clear();
  ClearErrors();
}

void MessageCatalogue::ReleaseFileData() {
  if (fileData != nullptr && --fileData->shareCount <= 0) {
    if (files_ != nullptr && files_->Find(fileKey) == fileData) files_->Remove(fileKey);
    delete fileData;
  }
  fileData = nullptr;
  currentSection = nullptr;
}

int MessageCatalogue::OpenCatalogueFile(const char* name) {
  ClearErrors();
  if (name == nullptr || *name == '\0' || files_ == nullptr) return 0;
  try {
    fileName = name;
    int code = ResolveCatalogueFileName();
    if (code != 0) {
      AddError(code, fileName.c_str());
      AddError(error_code::kNameUnresolved, nullptr);
      return 0;
    }
    if (MessageFileData* loaded = files_->Find(fileKey)) {
      fileData = loaded;
      ++fileData->shareCount;
    } else {
      fileData = new (std::nothrow) MessageFileData();
      if (fileData == nullptr) {
        AddError(error_code::kNoObject, nullptr);
        return 0;
      }
      if (ReadMessageFile() == 0) {
        ReleaseFileData();
        return 0;
      }
      files_->Enter(fileKey, fileData);
    }
  } catch (const std::bad_alloc&) {
    ReleaseFileData();
    AddError(error_code::kNoObject, nullptr);
    return 0;
  }
  currentSection = fileData->defaultSection;
  return 1;
}

int MessageCatalogue::ResolveName(const char* name) {
  fileName = name != nullptr ? name : "";
  spelledName.clear();
  return ResolveCatalogueFileName();
}

int MessageCatalogue::ResolveCatalogueFileName() {
  NameParts parts = SplitName(fileName);
  if (parts.file.empty()) return error_code::kNoFileName;
  std::string resolved(parts.drive);
  if (KeepsDirectory(parts)) {
    resolved += parts.directory;
  } else if (directory_ != nullptr && directory_->IsSet()) {
    resolved += directory_->Get();
  } else {
    return CheckPathAccess(nullptr, kAccessExists);  // as setting no directory would
  }
  resolved += parts.file;
  resolved += parts.extension.empty() ? std::string_view(".MSG") : parts.extension;
  // Refused rather than cut: a shortened name could be another file.
  if (resolved.size() > platform::MaxPathLength()) return error_code::kNoFileName;
  fileName = platform::UpperCase(resolved);
  spelledName = std::move(resolved);
  return CheckPathAccess(spelledName.c_str(), kAccessRead, &fileKey);
}

int MessageCatalogue::ReadMessageFile() {
  platform::ReadOnlyFile file;
  if (!file.Open(spelledName.c_str())) {
    AddError(error_code::kFileAccessFailed, fileName.c_str());
    return 0;
  }
  uint32_t size = 0;
  if (!file.Size(&size)) {
    AddError(error_code::kOtherFailure, nullptr);
    return 0;
  }
  if (size == 0) return ReadFileOfUnknownSize(file);
  char* buffer = new (std::nothrow) char[size + 1];
  if (buffer == nullptr) {
    AddError(error_code::kNoObject, nullptr);
    return 0;
  }
  uint32_t read = 0;
  if (!file.Read(buffer, size, &read)) {
    AddError(error_code::kReadFailed, fileName.c_str());
    delete[] buffer;
    return 0;
  }
  file.Close();
  if (read != size) {
    AddError(error_code::kReadFailed, nullptr);
    delete[] buffer;
    return 0;
  }
  return ParseFileText(buffer, size);
}

// A file that reports size 0 may hold text all the same (those of /proc
// do): it is read in pieces to its end, and is empty only when nothing came.
int MessageCatalogue::ReadFileOfUnknownSize(platform::ReadOnlyFile& file) {
  std::string text;
  char piece[4096];
  uint32_t read = 0;
  do {
    if (!file.Read(piece, sizeof piece, &read)) {
      AddError(error_code::kReadFailed, fileName.c_str());
      return 0;
    }
    if (text.size() + read >= UINT32_MAX) {  // a size beyond what a file may have
      AddError(error_code::kOtherFailure, nullptr);
      return 0;
    }
    text.append(piece, read);
  } while (read == sizeof piece);
  file.Close();
  if (text.empty()) return 1;
  char* buffer = new (std::nothrow) char[text.size() + 1];
  if (buffer == nullptr) {
    AddError(error_code::kNoObject, nullptr);
    return 0;
  }
  std::memcpy(buffer, text.data(), text.size());
  return ParseFileText(buffer, static_cast<uint32_t>(text.size()));
}

// Parses the size bytes read into buffer (of size + 1 bytes), which the file
// data owns from then on; a failed parse frees it.
int MessageCatalogue::ParseFileText(char* buffer, uint32_t size) {
  buffer[size] = '\0';
  if (fileData->ParseMessageFile(buffer, buffer + size) == 0) {
    CopyErrors(*fileData);
    delete[] buffer;
    return 0;
  }
  return 1;
}

int MessageCatalogue::SelectSection(const char* name) {
  MessageSection* defaultSection = fileData != nullptr ? fileData->defaultSection : nullptr;
  if (name == nullptr) {
    currentSection = defaultSection;
    return 1;
  }
  std::string_view trimmed = TrimBlanks(std::string_view(name));
  if (trimmed.empty()) {
    currentSection = defaultSection;
    return 1;
  }
  sectionName = platform::UpperCase(trimmed);
  // Looked up as passed: a name with blanks around it names no section.
  currentSection = fileData != nullptr ? fileData->FindSection(name) : nullptr;
  if (currentSection != nullptr) return 1;
  if (fileData != nullptr) CopyErrors(*fileData);
  AddError(error_code::kNoSuchSection, sectionName.c_str());
  return 0;
}

const char* MessageCatalogue::RecordMissingMessage(uint32_t number) {
  if (currentSection == nullptr) {
    // Nothing to look in: after a failed selection, or in a file without
    // sections. The missing section is the reason to report.
    AddError(error_code::kNoSuchSection, sectionName.c_str());
    return nullptr;
  }
  const char* text = currentSection->GetMsgString(number);
  if (text == nullptr) CopyErrors(*currentSection);
  return text;
}

}  // namespace tralvex
