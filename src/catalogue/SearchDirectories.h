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

// 0, or 0x127 (missing), 0x126 (denied), 0x120 (other failure).
int CheckPathAccess(const char* path, int mode);

// The module-wide default directory: empty until set; once set, an existing
// path ending with a backslash. Owned by the module, passed in here.
class DefaultDirectory {
 public:
  // 0, or the error code of the existence test; the value is kept on failure.
  int Set(const char* path);
  const std::string& Get() const { return path_; }
  bool IsSet() const { return !path_.empty(); }

 private:
  std::string path_;
};

// 0 or an error code; 1 when mode is kAccessNoTest and the path is absolute.
int QualifyPath(std::string& path, const char* base, int mode);

bool IsRelativePath(const char* path);

// Each on a caller buffer of at least 260 bytes: 0 or 0x111.
int GetWindowsDirectoryPath(char* buffer);
int GetModuleDirectory(char* buffer);
int GetCurrentDirectoryPath(char* buffer);

// 0, 0x119 for an unknown kind, 0x102 when memory runs out, or a getter's code.
int GetDirectoryByKind(int kind, std::string& text);

// The start of the last character (double-byte aware); the text itself when
// it is null or empty.
const char* LastCharacter(const char* text);

void EnsureTrailingSeparator(std::string& text);

// The prefilled-length rule: copies at most the length of the text already
// in the buffer, then a terminator. Returns the bytes copied.
std::size_t CopyToPaddedBuffer(char* buffer, const char* source);

// n - 1 spaces and a terminator.
char* FillWithSpaces(char* buffer, std::size_t n);

}  // namespace tralvex

#endif
