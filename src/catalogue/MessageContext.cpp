#include "catalogue/MessageContext.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "catalogue/MessageCatalogue.h"
#include "catalogue/SearchDirectories.h"
#include "errors/ErrorCodes.h"
#include "platform/CodePage.h"
#include "profile/SystemIniFile.h"

namespace tralvex {
namespace {

constexpr const char* kFileSection = "MessageFiles";

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a bound as the standard conversion to a 32-bit unsigned long does
// with base 16: blanks, a sign, "0x", digits up to the first other
// character. A value beyond 32 bits gives all bits set, whatever the sign,
// so the bound reads the same on every system.
uint32_t ReadHexBound(const char* text) {
  while (IsBlank(*text)) ++text;
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && HexDigitValue(text[2]) >= 0) {
    text += 2;
  }
  uint64_t value = 0;
  for (; HexDigitValue(*text) >= 0; ++text) {
    value = value * 16 + static_cast<uint64_t>(HexDigitValue(*text));
    if (value > kAllNumbers) return kAllNumbers;
  }
  uint32_t bound = static_cast<uint32_t>(value);
  return negative ? static_cast<uint32_t>(0u - bound) : bound;
}

// A path names a message file when, split into drive, directory, file name
// and extension, both the file name and the extension are present.
bool NamesMessageFile(const char* path) {
  if (std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') path += 2;
  const char* separator = FindLastSeparator(path);
  const char* name = separator != nullptr ? separator + 1 : path;
  const char* dot = platform::FindLastChar(name, name + std::strlen(name), '.');
  return dot != nullptr && dot != name;
}

}  // namespace

MessageContext::MessageContext(CatalogueAccess& access, const char* caption, int keepOnFailure)
    : caption(caption != nullptr ? caption : ""), keepOnFailure(keepOnFailure), access_(access) {}

MessageContext::~MessageContext() {
  ClearMaps();
  ClearErrors();
}

bool MessageContext::Join() {
  // Wrapping to 0 would let the next close destroy a context still held.
  if (joinCount == UINT32_MAX) return false;
  ++joinCount;
  return true;
}

bool MessageContext::Leave() {
  if (joinCount > 0) --joinCount;
  return joinCount == 0;
}

void MessageContext::ClearMaps() {
  for (uint32_t handle : fileHandles) {
    if (handle != 0) access_.CloseCatalogue(handle);
  }
  ranges.clear();
  fileNames.clear();
  fileHandles.clear();
  fileCatalogues.clear();
  singleHandle = 0;
  singleCatalogue = nullptr;
}

int MessageContext::InitContext(const char* path) {
  initialised = 0;
  ClearMaps();
  int result = 0;
  if (path == nullptr || *path == '\0') {
    directory.clear();
    result = InitMessageMaps(nullptr);
  } else if (NamesMessageFile(path)) {
    singleHandle = -1;
    result = InitMessageMaps(path);
  } else {
    directory = path;
    EnsureTrailingSeparator(directory);
    result = InitMessageMaps(nullptr);
  }
  if (result == 0) return 0;
  initialised = 1;
  return 1;
}

int MessageContext::InitMessageMaps(const char* path) {
  if (path == nullptr) {
    if (LocateIniFile() == 0) return 0;
    return ReadIniFile();
  }
  int code = CheckPathAccess(path, kAccessRead);
  if (code != 0) {
    AddError(code, path);
    return 0;
  }
  AddRange(kAllNumbers, path);
  return 1;
}

void MessageContext::AddRange(uint32_t bound, std::string fileName) {
  // Room first, so that the three arrays grow together or not at all.
  ranges.reserve(ranges.size() + 1);
  fileNames.reserve(fileNames.size() + 1);
  fileHandles.reserve(fileHandles.size() + 1);
  fileCatalogues.reserve(fileCatalogues.size() + 1);
  auto before = std::upper_bound(ranges.begin(), ranges.end(), bound,
                                 [](uint32_t value, const Range& r) { return value < r.bound; });
  ranges.insert(before, Range{bound, static_cast<uint32_t>(fileNames.size())});
  fileNames.push_back(std::move(fileName));
  fileHandles.push_back(0);
  fileCatalogues.push_back(nullptr);
}

int MessageContext::ReadIniFile() {
  SystemIniFile ini;
  if (ini.OpenIniFile(iniPath.c_str(), 0) == 0) {
    CopyErrors(ini);
    return 0;
  }
  NameList keywords;
  if (ini.GetAllKeywords(kFileSection, keywords) == 0) {
    CopyErrors(ini);
    return 0;
  }
  if (keywords.empty()) {
    AddError(error_code::kFileNotFound, "*.MSG");
    return 0;
  }
  try {
    for (const std::string& keyword : keywords) AddKeyword(ini, keyword);
  } catch (const std::bad_alloc&) {
    AddError(error_code::kUnexpected, "InitMessageMaps");
    return 0;
  }
  if (fileHandles.size() == 1) singleHandle = -1;
  // Every keyword skipped is a failure without an error of its own.
  return fileHandles.empty() ? 0 : 1;
}

void MessageContext::AddKeyword(IniFile& ini, const std::string& keyword) {
  std::string value;
  if (ini.GetKeywordValue(kFileSection, keyword.c_str(), value) == 0 || value.empty()) return;
  if (QualifyPath(value, directory.c_str(), kAccessRead) != 0) return;
  if (CheckPathAccess(value.c_str(), kAccessRead) != 0) return;
  const char* begin = keyword.c_str();
  const char* dash = platform::FindChar(begin, begin + keyword.size(), '-');
  if (dash == nullptr) return;
  uint32_t bound = ReadHexBound(dash + 1);
  if (bound == 0) return;
  AddRange(bound, std::move(value));
}

uint32_t MessageContext::GetCatalogueForNumber(uint32_t number) {
  return ServeNumber(number).handle;
}

MessageContext::Served MessageContext::ServeNumber(uint32_t number) {
  if (singleHandle != 0 && singleHandle != -1) {
    return {static_cast<uint32_t>(singleHandle), singleCatalogue};
  }
  // The first range whose bound is at least the number; among equal bounds
  // the one registered first, which sits first.
  auto range = std::lower_bound(ranges.begin(), ranges.end(), number,
                                [](const Range& r, uint32_t value) { return r.bound < value; });
  if (range == ranges.end()) return {0, nullptr};
  std::size_t file = range->fileIndex;
  if (fileHandles[file] != 0) return {fileHandles[file], fileCatalogues[file]};
  uint32_t opened = kNoCatalogueHandle;
  if (access_.OpenCatalogue(fileNames[file].c_str(), &opened) != 1) {
    return {kNoCatalogueHandle, nullptr};
  }
  fileHandles[file] = opened;
  fileCatalogues[file] = access_.FindCatalogue(opened);
  if (singleHandle == -1) {
    singleHandle = static_cast<int32_t>(opened);
    singleCatalogue = fileCatalogues[file];
  }
  return {opened, fileCatalogues[file]};
}

const char* MessageContext::GetContextMessage(uint32_t number, const char* defaultText) {
  // A context of one open file, asked for a message the file has: what the
  // lookup below gives, straight from the file's index.
  if (singleCatalogue != nullptr && singleHandle != 0 && singleHandle != -1) {
    if (const char* text = singleCatalogue->FindIndexed(number)) return text;
  }
  Served served = ServeNumber(number);
  if (served.handle == 0) {
    return defaultText != nullptr ? defaultText : access_.MakePlaceholderText(number);
  }
  if (served.catalogue == nullptr) {
    return access_.LookupMessageText(served.handle, number, defaultText);
  }
  // What the lookup by handle gives for a registered catalogue.
  const char* text = served.catalogue->GetCatalogueMessage(number);
  if (text != nullptr) return text;
  return defaultText != nullptr ? defaultText : access_.MakePlaceholderText(number);
}

void MessageContext::ForgetCatalogue(uint32_t handle) {
  if (handle == 0) return;
  for (std::size_t i = 0; i < fileHandles.size(); ++i) {
    if (fileHandles[i] != handle) continue;
    fileHandles[i] = 0;
    fileCatalogues[i] = nullptr;
  }
  if (singleHandle == static_cast<int32_t>(handle)) {
    singleHandle = -1;
    singleCatalogue = nullptr;
  }
}

}  // namespace tralvex
