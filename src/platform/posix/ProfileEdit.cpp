#include "platform/posix/ProfileEdit.h"

#include <memory>
#include <mutex>
#include <string_view>

#include "platform/posix/ProfileCache.h"
#include "platform/posix/ProfileDocument.h"
#include "platform/posix/ProfileReplace.h"
#include "platform/posix/ProfileStorage.h"
#include "platform/posix/ProfileWriteLock.h"
#include "platform/posix/ProfileWriter.h"

namespace tralvex::platform {
namespace {

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

enum class Change { made, none, impossible };

// The edit on the document's text, with the caller's names and value in
// the document's encoding. A value with no form there cannot be written; a
// name with none names nothing there to delete.
Change ApplyEdit(const ProfileDocument& document, ProfileEdit edit, const char* section,
                 const char* keyword, const char* value, std::string* text) {
  ProfileTextBridge bridge(document);
  std::string sectionText;
  std::string keywordText;
  std::string valueText;
  bool known =
      bridge.In(section, &sectionText) && (keyword == nullptr || bridge.In(keyword, &keywordText));
  if (edit == ProfileEdit::set) {
    if (!known || !bridge.In(value, &valueText)) return Change::impossible;
    bool changed = SetProfileValue(document, sectionText, keywordText, valueText, text);
    return changed ? Change::made : Change::none;
  }
  if (!known) return Change::none;
  bool changed = edit == ProfileEdit::deleteKeyword
                     ? DeleteProfileKeyword(document, sectionText, keywordText, text)
                     : DeleteProfileSection(document, sectionText, text);
  return changed ? Change::made : Change::none;
}

}  // namespace

// One read-modify-write under the file's lock: the edit is made on the
// file's content as it is once the lock is held, so that what another
// process wrote meanwhile is kept.
bool EditProfile(const std::string& absolute, ProfileEdit edit, const char* section,
                 const char* keyword, const char* value) {
  ProfileCache& cache = TheProfileCache();
  std::lock_guard<std::mutex> guard(cache.Mutex());
  std::string path = LocateForWriting(cache, absolute);
  if (path.empty()) return false;
  ProfileWriteLock lock;
  switch (lock.Acquire(path, edit == ProfileEdit::set)) {
    case ProfileWriteLock::Outcome::locked:
      break;
    case ProfileWriteLock::Outcome::missing:
      return edit != ProfileEdit::set;  // nothing there to delete
    case ProfileWriteLock::Outcome::refused:
      cache.Forget(path);
      return false;
  }
  // Never replace what could not be read: its content would be lost.
  std::shared_ptr<const ProfileDocument> document = cache.GetLocked(lock);
  std::string text;
  Change change = document != nullptr ? ApplyEdit(*document, edit, section, keyword, value, &text)
                                      : Change::impossible;
  if (change != Change::made) {
    lock.Abandon();
    return change == Change::none;
  }
  FileIdentity identity;
  if (!StoreProfile(lock, document->Bytes(), document->Bytes(text), &identity)) {
    lock.Abandon();
    cache.Forget(path);
    return false;
  }
  // Written just now: another program's rewrite in the same tick of the
  // file clock would keep this identity.
  cache.Put(path, identity,
            std::make_shared<const ProfileDocument>(document->WithText(std::move(text))),
            IsSettled(identity, FileClockNow()));
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

}  // namespace tralvex::platform
