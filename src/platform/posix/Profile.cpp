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
#include "platform/posix/ProfileReplace.h"
#include "platform/posix/ProfileStorage.h"
#include "platform/posix/ProfileWriteLock.h"
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
uint32_t CopyList(const std::vector<std::string_view>& names, char* buffer, uint32_t size) {
  std::size_t total = 0;
  for (std::string_view name : names) total += name.size() + 1;
  if (total == 0 || size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  std::size_t room = size - 2;
  bool fits = total <= room;
  std::size_t pos = 0;
  for (std::string_view name : names) {
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

std::vector<std::string_view> SectionNames(const ProfileDocument& document) {
  std::vector<std::string_view> names;
  for (const ProfileSection& section : document.Sections()) {
    std::string_view name = UpToNul(document.SectionName(section));
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

std::vector<std::string_view> KeywordNames(const ProfileDocument& document,
                                           const ProfileSection& section) {
  std::vector<std::string_view> names;
  for (std::size_t line : section.keywordLines) {
    std::string_view name = UpToNul(document.Name(document.Lines()[line]));
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

// The cached document of a file by its absolute name, and where it lies.
// Call with the cache's mutex held.
std::shared_ptr<const ProfileDocument> FindDocument(ProfileCache& cache,
                                                    const std::string& absolute,
                                                    std::string* native, FileState* state) {
  *native = cache.Locate(absolute);
  std::shared_ptr<const ProfileDocument> document = cache.Get(*native, state);
  if (*state == FileState::missing && cache.ForgetLocation(absolute)) {
    *native = cache.Locate(absolute);  // moved or renamed meanwhile
    document = cache.Get(*native, state);
  }
  return document;
}

std::shared_ptr<const ProfileDocument> CurrentDocument(const char* file) {
  std::string absolute = AbsoluteProfileName(file);
  if (absolute.empty()) return nullptr;
  ProfileCache& cache = TheProfileCache();
  std::lock_guard<std::mutex> lock(cache.Mutex());
  std::string native;
  FileState state;
  return FindDocument(cache, absolute, &native, &state);
}

uint32_t ReadValue(const ProfileDocument* document, const char* section, const char* keyword,
                   const char* defaultText, char* buffer, uint32_t size) {
  const ProfileSection* found = document != nullptr ? document->FindSection(section) : nullptr;
  if (found == nullptr) return CopyDefault(defaultText, buffer, size);
  long line = document->FindKeyword(*found, keyword);
  if (line < 0) return CopyDefault(defaultText, buffer, size);
  std::string_view value = document->Value(document->Lines()[static_cast<std::size_t>(line)]);
  return CopyValue(WithoutQuotes(UpToNul(value)), buffer, size);
}

uint32_t ReadKeywordList(const ProfileDocument* document, const char* section,
                         const char* defaultText, char* buffer, uint32_t size) {
  const ProfileSection* found = document != nullptr ? document->FindSection(section) : nullptr;
  if (found == nullptr) return CopyDefault(defaultText, buffer, size);
  return CopyList(KeywordNames(*document, *found), buffer, size);
}

enum class Edit { set, deleteKeyword, deleteSection };

// The file on disk for a name about to be written, found again when it
// moved or was renamed since it was last seen. Call with the cache's mutex
// held.
std::string LocateForWriting(ProfileCache& cache, const std::string& absolute) {
  std::string path = cache.Locate(absolute);
  FileIdentity identity;
  if (StatProfile(path, &identity) == FileState::missing && cache.ForgetLocation(absolute)) {
    path = cache.Locate(absolute);
  }
  return path;
}

bool ApplyEdit(const ProfileDocument& document, Edit edit, const char* section, const char* keyword,
               const char* value, std::string* text) {
  switch (edit) {
    case Edit::set:
      return SetProfileValue(document, section, keyword, value, text);
    case Edit::deleteKeyword:
      return DeleteProfileKeyword(document, section, keyword, text);
    case Edit::deleteSection:
      return DeleteProfileSection(document, section, text);
  }
  return false;
}

// One read-modify-write under the file's lock: the edit is made on the
// file's content as it is once the lock is held, so that what another
// process wrote meanwhile is kept.
bool EditProfile(const std::string& absolute, Edit edit, const char* section, const char* keyword,
                 const char* value) {
  ProfileCache& cache = TheProfileCache();
  std::lock_guard<std::mutex> guard(cache.Mutex());
  std::string path = LocateForWriting(cache, absolute);
  if (path.empty()) return false;
  ProfileWriteLock lock;
  switch (lock.Acquire(path, edit == Edit::set)) {
    case ProfileWriteLock::Outcome::locked:
      break;
    case ProfileWriteLock::Outcome::missing:
      return edit != Edit::set;  // nothing there to delete
    case ProfileWriteLock::Outcome::refused:
      cache.Forget(path);
      return false;
  }
  // Never replace what could not be read: its content would be lost.
  std::shared_ptr<const ProfileDocument> document = cache.GetLocked(lock);
  if (document == nullptr) {
    lock.Abandon();
    return false;
  }
  std::string text;
  if (!ApplyEdit(*document, edit, section, keyword, value, &text)) {
    lock.Abandon();
    return true;
  }
  FileIdentity identity;
  if (!StoreProfile(lock, document->Text(), text, &identity)) {
    lock.Abandon();
    cache.Forget(path);
    return false;
  }
  cache.Put(path, identity, std::make_shared<const ProfileDocument>(std::move(text)));
  return true;
}

bool FlushProfile(const std::string& absolute) {
  // Every change is on disk when its write returns; the cached copy is let
  // go so that the next read starts from the file.
  if (absolute.empty()) return true;
  ProfileCache& cache = TheProfileCache();
  std::lock_guard<std::mutex> lock(cache.Mutex());
  cache.Forget(cache.Locate(absolute));
  cache.ForgetLocation(absolute);
  return true;
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
  if (keyword == nullptr) return EditProfile(path, Edit::deleteSection, section, nullptr, nullptr);
  if (value == nullptr) return EditProfile(path, Edit::deleteKeyword, section, keyword, nullptr);
  if (!IsStorableKeyword(keyword) || !IsStorableValue(value)) return false;
  return EditProfile(path, Edit::set, section, keyword, value);
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
