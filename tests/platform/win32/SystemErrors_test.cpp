// The existence test's reading of the system's error codes follows the C
// runtime's access(): what it calls ENOENT is a missing file, what it calls
// EACCES a denied access.
#include "platform/win32/SystemErrors.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>

namespace tralvex::platform {
namespace {

TEST(SystemErrors, MappedAsTheRuntimesAccessMapsThem) {
  for (DWORD missing :
       {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_INVALID_DRIVE, ERROR_NO_MORE_FILES,
        ERROR_BAD_NETPATH, ERROR_BAD_NET_NAME, ERROR_BAD_PATHNAME, ERROR_FILENAME_EXCED_RANGE}) {
    EXPECT_EQ(AccessStatus::notFound, AccessStatusOfError(missing)) << missing;
  }
  for (DWORD denied :
       {ERROR_ACCESS_DENIED, ERROR_CURRENT_DIRECTORY, ERROR_WRITE_PROTECT, ERROR_NOT_READY,
        ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION, ERROR_SHARING_BUFFER_EXCEEDED,
        ERROR_NETWORK_ACCESS_DENIED, ERROR_DRIVE_LOCKED, ERROR_LOCK_FAILED}) {
    EXPECT_EQ(AccessStatus::accessDenied, AccessStatusOfError(denied)) << denied;
  }
  for (DWORD other :
       std::initializer_list<DWORD>{ERROR_INVALID_NAME, ERROR_HANDLE_DISK_FULL,
                                    ERROR_NOT_ENOUGH_MEMORY, ERROR_INVALID_PARAMETER, 0}) {
    EXPECT_EQ(AccessStatus::otherError, AccessStatusOfError(other)) << other;
  }
}

}  // namespace
}  // namespace tralvex::platform
