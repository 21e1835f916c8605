// Files and directories. Paths are the library's own: "\" and "/" both
// separate components, and a name may carry a drive ("C:") or begin with two
// backslashes (a network path). On POSIX, backslashes become slashes before a
// path reaches the system, a name that begins with "/" is rooted, and a
// component that does not exist as spelled is matched case-insensitively.
#ifndef TRALVEX_PLATFORM_FILESYSTEM_H
#define TRALVEX_PLATFORM_FILESYSTEM_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace tralvex::platform {

// The longest path the system takes (260 on Windows, PATH_MAX on POSIX);
// longer paths are refused, never cut into another path.
std::size_t MaxPathLength();

// True when the system treats a name beginning with "/" as rooted (POSIX).
bool SlashRootsPath();

enum class AccessStatus { ok, notFound, accessDenied, otherError };

struct FileAttributes {
  bool directory = false;
  bool readOnly = false;
};

// What GetFileAttributesA tells of a path. With an identity to fill, an
// existing path also gives a text that stands for the file itself rather
// than for one of its names: two names of one file give the same text, two
// files never do. On POSIX that is the device and inode, so that names
// differing only in case stay two files where the file system keeps them
// apart; on Windows, whose file systems ignore case, the path upper-cased.
AccessStatus QueryAttributes(const char* path, FileAttributes* attributes,
                             std::string* identity = nullptr);

// A file opened for one sequential read of the whole of it.
class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  ~ReadOnlyFile() { Close(); }

  // Opens only a file on disk (a regular file): a FIFO or a device is
  // refused without waiting on it, since reading one may never end.
  bool Open(const char* path);
  // False when the size cannot be read or does not fit 32 bits. Some files
  // (those of /proc) report 0 and have contents all the same.
  bool Size(uint32_t* size);
  bool Read(void* buffer, uint32_t size, uint32_t* bytesRead);
  void Close();

 private:
  intptr_t handle_ = -1;
};

// Outcome of opening a file for reading and closing it again. Anything but
// a file on disk is a file error, found without waiting on it.
enum class ProbeResult { ok, notFound, fileError, otherFailure };
ProbeResult ProbeReadable(const char* path);

// Creates the file when missing, never truncating one that exists nor
// waiting on a FIFO that appears meanwhile.
ProbeResult CreateIfMissing(const char* path);

// Deletes a file. On failure returns false and sets cause to one of the
// file-error causes (2 not found, 3 bad path, 5 access denied ...).
bool DeleteFileWithCause(const char* path, int* cause);

// The directory getters behave like their Windows namesakes: the length
// written without the NUL, the size needed when the buffer is too small, 0
// on failure.
std::size_t WindowsDirectory(char* buffer, std::size_t size);
std::size_t CurrentDirectory(char* buffer, std::size_t size);
// The running program's own file (GetModuleFileNameA with no module).
std::size_t ExecutableFileName(char* buffer, std::size_t size);

// True when size bytes (or up to a NUL) can be read at text.
bool IsReadableText(const char* text, std::size_t size);

// Test seam: the directory that stands for the Windows directory on POSIX
// (the system configuration directory). Null restores the built-in one.
void OverrideWindowsDirectory(const char* directory);

}  // namespace tralvex::platform

#endif
