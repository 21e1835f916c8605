// Finding files: the existence test, completing relative paths, the three
// standard directories, the module-wide default directory, and the two
// routines that fill callers' buffers by the prefilled-length rule.
#ifndef TRALVEX_CATALOGUE_SEARCHDIRECTORIES_H
#define TRALVEX_CATALOGUE_SEARCHDIRECTORIES_H

#include <cstddef>
#include <string>

namespace tralvex {

// Access modes of the existence tests.
constexpr int kAccessExists = 0;
constexpr int kAccessWrite = 2;
constexpr int kAccessRead = 4;
constexpr int kAccessReadWrite = 6;
constexpr int kAccessNoTest = -1;  // QualifyPath only

// Directory kinds of GetDirectoryByKind.
constexpr int kWindowsDirectory = 1;
constexpr int kModuleDirectory = 2;
constexpr int kCurrentDirectory = 3;

// 0, or 0x127 (missing, also for no path), 0x126 (denied), 0x120 (other
// failure, also for a path longer than the system takes). With an identity
// to fill, a path that passes also gives what the file is, whatever its name
// (platform::QueryAttributes).
int CheckPathAccess(const char* path, int mode, std::string* identity = nullptr);

// The module-wide default directory: empty until set; once set, an existing
// path ending with a backslash. Owned by the module, passed in here.
class DefaultDirectory {
 public:
  // 0, or the error code of the existence test; the value is kept on
  // failure. A file is not a directory and is refused as missing (0x127).
  int Set(const char* path);
  const std::string& Get() const { return path_; }
  bool IsSet() const { return !path_.empty(); }

 private:
  std::string path_;
};

// 0 or an error code; 1 when mode is kAccessNoTest and the path is absolute.
// A completed path longer than the system takes gives 0x123.
int QualifyPath(std::string& path, const char* base, int mode);

bool IsRelativePath(const char* path);

// Each on a caller buffer of size bytes (260 unless told): 0 or 0x111. The
// directory ends with a separator; one that does not fit is refused, never
// cut short.
constexpr std::size_t kDirectoryBufferSize = 260;
int GetWindowsDirectoryPath(char* buffer, std::size_t size = kDirectoryBufferSize);
int GetModuleDirectory(char* buffer, std::size_t size = kDirectoryBufferSize);
int GetCurrentDirectoryPath(char* buffer, std::size_t size = kDirectoryBufferSize);

// 0, 0x119 for an unknown kind, 0x102 when memory runs out, or a getter's code.
int GetDirectoryByKind(int kind, std::string& text);

// The start of the last character (double-byte aware); the text itself when
// it is null or empty.
const char* LastCharacter(const char* text);

void EnsureTrailingSeparator(std::string& text);

// Ends a directory with a separator unless it ends with a backslash: a
// backslash, or on systems where "/" roots paths a slash (which also counts
// as an ending there).
void AppendDirectorySeparator(std::string& directory);

// The last backslash or slash in text (double-byte aware), or null.
const char* FindLastSeparator(const char* text);

// The prefilled-length rule: copies at most the length of the text already
// in the buffer, then a terminator. Returns the bytes copied.
std::size_t CopyToPaddedBuffer(char* buffer, const char* source);

// n - 1 spaces and a terminator.
char* FillWithSpaces(char* buffer, std::size_t n);

}  // namespace tralvex

#endif
