#include "platform/posix/ProfileAttributes.h"

#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/xattr.h>
#endif

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

namespace tralvex::platform {
namespace {

#if defined(__linux__)
bool ListAttributes(int fd, std::vector<std::string>* names) {
  for (;;) {
    ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0) return errno == ENOTSUP;  // the file system keeps none
    std::vector<char> buffer(static_cast<std::size_t>(size));
    ssize_t listed = size == 0 ? 0 : ::flistxattr(fd, buffer.data(), buffer.size());
    if (listed < 0 && errno == ERANGE) continue;  // the list grew meanwhile
    if (listed < 0) return false;
    names->clear();
    for (ssize_t at = 0; at < listed; at += static_cast<ssize_t>(names->back().size()) + 1) {
      names->emplace_back(buffer.data() + at);
    }
    return true;
  }
}

bool ReadAttribute(int fd, const std::string& name, std::vector<char>* value) {
  for (;;) {
    ssize_t size = ::fgetxattr(fd, name.c_str(), nullptr, 0);
    if (size < 0) return false;
    value->resize(static_cast<std::size_t>(size));
    ssize_t read = size == 0 ? 0 : ::fgetxattr(fd, name.c_str(), value->data(), value->size());
    if (read < 0 && errno == ERANGE) continue;
    if (read < 0) return false;
    value->resize(static_cast<std::size_t>(read));
    return true;
  }
}

// The new file gets the old one's attributes and loses those it was born
// with (an ACL inherited from the directory), except the security label
// the system's policy gives every new file.
bool CopyExtendedAttributes(int from, int to) {
  std::vector<std::string> wanted;
  std::vector<std::string> born;
  if (!ListAttributes(from, &wanted) || !ListAttributes(to, &born)) return false;
  for (const std::string& name : born) {
    if (std::find(wanted.begin(), wanted.end(), name) != wanted.end()) continue;
    if (::fremovexattr(to, name.c_str()) != 0 && name.rfind("security.", 0) != 0) return false;
  }
  std::vector<char> value;
  for (const std::string& name : wanted) {
    if (!ReadAttribute(from, name, &value)) return false;
    if (::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}
#else
bool CopyExtendedAttributes(int, int) { return true; }
#endif

}  // namespace

// Owner and group first (a change of owner clears the set-id bits), the
// mode last (it also sets an ACL's mask).
bool CarryOverAttributes(int from, int to) {
  struct stat existing;
  return ::fstat(from, &existing) == 0 && ::fchown(to, existing.st_uid, existing.st_gid) == 0 &&
         CopyExtendedAttributes(from, to) && ::fchmod(to, existing.st_mode & 07777) == 0;
}

}  // namespace tralvex::platform
