// The private-profile functions over the engine's own reader and writer,
// with the results callers of the Windows functions rely on: the default
// text for what is missing, double-NUL lists, size - 1 for a value and
// size - 2 for a list that did not fit.
#include "platform/Profile.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/ProfileCache.h"
#include "platform/posix/ProfileDocument.h"
#include "platform/posix/ProfileEdit.h"
#include "platform/posix/ProfileStorage.h"
#include "platform/posix/ProfileWriter.h"

namespace tralvex::platform {
namespace {

// A text up to its first NUL: bytes after one cannot reach a caller anyway.
std::string_view UpToNul(std::string_view text) {
  std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

// One pair of matching quotes around a value is not part of it.
std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Copies a value cut to size - 1 bytes, NUL-terminated; the count copied.
uint32_t CopyValue(std::string_view value, char* buffer, uint32_t size) {
  std::size_t count = value.size() < size ? value.size() : size - 1;
  std::memcpy(buffer, value.data(), count);
  buffer[count] = '\0';
  return static_cast<uint32_t>(count);
}

uint32_t CopyDefault(const char* defaultText, char* buffer, uint32_t size) {
  std::string_view text = defaultText != nullptr ? defaultText : "";
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return CopyValue(text, buffer, size);
}

// Writes names as a double-NUL list. A list that does not fit, or that
// fills the buffer to its last byte, is cut so that its last two bytes are
// NULs and counts size - 2.
uint32_t CopyList(const std::vector<std::string>& names, char* buffer, uint32_t size) {
  std::size_t total = 0;
  for (const std::string& name : names) total += name.size() + 1;
  if (total == 0 || size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  std::size_t room = size - 2;
  bool fits = total <= room;
  std::size_t pos = 0;
  for (const std::string& name : names) {
    if (pos >= room) break;
    std::size_t count = name.size() < room - pos ? name.size() : room - pos;
    std::memcpy(buffer + pos, name.data(), count);
    pos += count;
    if (pos < room || fits) buffer[pos++] = '\0';
  }
  if (fits) {
    buffer[pos] = '\0';
    return static_cast<uint32_t>(total);
  }
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  return size - 2;
}

// Names as the caller reads them; a name ends at a NUL byte already.
std::vector<std::string> SectionNames(const ProfileDocument& document) {
  ProfileTextBridge bridge(document);
  std::vector<std::string> names;
  for (const ProfileSection& section : document.Sections()) {
    std::string_view name = document.SectionName(section);
    std::string storage;
    if (!name.empty()) names.emplace_back(bridge.Out(name, &storage));
  }
  return names;
}

std::vector<std::string> KeywordNames(const ProfileDocument& document,
                                      const ProfileSection& section) {
  ProfileTextBridge bridge(document);
  std::vector<std::string> names;
  for (std::size_t line : section.keywordLines) {
    std::string_view name = document.Name(document.Lines()[line]);
    std::string storage;
    if (!name.empty()) names.emplace_back(bridge.Out(name, &storage));
  }
  return names;
}

// The cached document of a file by its absolute name, or null when there
// is none that can be read.
std::shared_ptr<const ProfileDocument> CurrentDocument(const char* file) {
  std::string absolute = AbsoluteProfileName(file);
  if (absolute.empty()) return nullptr;
  ProfileCache& cache = TheProfileCache();
  std::lock_guard<std::mutex> lock(cache.Mutex());
  std::string native = cache.Locate(absolute);
  FileState state;
  std::shared_ptr<const ProfileDocument> document = cache.Get(native, &state);
  if (state == FileState::missing && cache.ForgetLocation(absolute)) {
    native = cache.Locate(absolute);  // moved or renamed meanwhile
    document = cache.Get(native, &state);
  }
  return document;
}

// The section a caller names, or null.
const ProfileSection* FindSection(const ProfileDocument* document, ProfileTextBridge& bridge,
                                  const char* section) {
  std::string name;
  if (document == nullptr || !bridge.In(section, &name)) return nullptr;
  return document->FindSection(name);
}

uint32_t ReadValue(const ProfileDocument* document, const char* section, const char* keyword,
                   const char* defaultText, char* buffer, uint32_t size) {
  if (document == nullptr) return CopyDefault(defaultText, buffer, size);
  ProfileTextBridge bridge(*document);
  const ProfileSection* found = FindSection(document, bridge, section);
  std::string name;
  if (found == nullptr || !bridge.In(keyword, &name)) return CopyDefault(defaultText, buffer, size);
  long line = document->FindKeyword(*found, name);
  if (line < 0) return CopyDefault(defaultText, buffer, size);
  std::string_view value = document->Value(document->Lines()[static_cast<std::size_t>(line)]);
  std::string storage;
  return CopyValue(bridge.Out(WithoutQuotes(UpToNul(value)), &storage), buffer, size);
}

uint32_t ReadKeywordList(const ProfileDocument* document, const char* section,
                         const char* defaultText, char* buffer, uint32_t size) {
  if (document == nullptr) return CopyDefault(defaultText, buffer, size);
  ProfileTextBridge bridge(*document);
  const ProfileSection* found = FindSection(document, bridge, section);
  if (found == nullptr) return CopyDefault(defaultText, buffer, size);
  return CopyList(KeywordNames(*document, *found), buffer, size);
}

}  // namespace

uint32_t GetProfileString(const char* section, const char* keyword, const char* defaultText,
                          char* buffer, uint32_t size, const char* file) {
  if (buffer == nullptr || size == 0) return 0;
  if (section == nullptr) return GetProfileSectionNames(buffer, size, file);
  std::shared_ptr<const ProfileDocument> document = CurrentDocument(file);
  if (keyword == nullptr)
    return ReadKeywordList(document.get(), section, defaultText, buffer, size);
  return ReadValue(document.get(), section, keyword, defaultText, buffer, size);
}

bool WriteProfileString(const char* section, const char* keyword, const char* value,
                        const char* file) {
  std::string path = AbsoluteProfileName(file);
  if (section == nullptr) return keyword == nullptr && value == nullptr && FlushProfile(path);
  if (path.empty() || !IsStorableSectionName(section)) return false;
  if (keyword == nullptr)
    return EditProfile(path, ProfileEdit::deleteSection, section, nullptr, nullptr);
  if (value == nullptr)
    return EditProfile(path, ProfileEdit::deleteKeyword, section, keyword, nullptr);
  if (!IsStorableKeyword(keyword) || !IsStorableValue(value)) return false;
  return EditProfile(path, ProfileEdit::set, section, keyword, value);
}

uint32_t GetProfileSectionNames(char* buffer, uint32_t size, const char* file) {
  if (buffer == nullptr || size == 0) return 0;
  std::shared_ptr<const ProfileDocument> document = CurrentDocument(file);
  if (document == nullptr) {
    buffer[0] = '\0';
    return 0;
  }
  return CopyList(SectionNames(*document), buffer, size);
}

}  // namespace tralvex::platform
