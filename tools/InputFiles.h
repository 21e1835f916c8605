// Reading the files named on the command line, each once, with a reason a
// person can act on when one cannot be read. What is not a regular file (a
// directory, a FIFO, a device) is refused before it is opened: a FIFO would
// keep the tool waiting for a writer, a device like /dev/zero would never
// end.
#ifndef TRALVEX_TOOLS_INPUTFILES_H
#define TRALVEX_TOOLS_INPUTFILES_H

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tralvex::tool {

// A file read whole: its bytes and a NUL after them, in a buffer from
// new char[] that the library's parser can take over.
struct InputFile {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
  std::string_view View() const { return std::string_view(bytes.get(), size); }
};

// True when path (a name the system takes as it is) is a regular file or a
// link to one; else false with the reason ("no such file", "is a FIFO ...").
// Opens nothing.
bool CheckRegularFile(const std::string& path, std::string& reason);

// Reads the regular file at path once, as many bytes as it holds when
// opened, like the library (a file may not reach 4 GB). False, with the
// reason, when it cannot be read, when memory for it runs out, or when it is
// not text: a NUL byte or a UTF-16 byte-order mark marks a file the library
// would misread.
bool ReadInputFile(const std::string& path, InputFile& file, std::string& reason);

// The same into a string.
bool ReadTextFile(const std::string& path, std::string& bytes, std::string& reason);

// The same in pieces of a fixed size, each handed to take in file order, for
// a reader that needs no more of the file at a time; take may have seen
// pieces of a file found unreadable later.
bool ReadTextFileInPieces(const std::string& path,
                          const std::function<void(std::string_view piece)>& take,
                          std::string& reason);

// True for a name the tool treats as a settings file rather than a message
// file: an extension of ".ini", in any case.
bool IsSettingsFileName(const std::string& path);

// The path completed against the current directory, as the library needs a
// name with a directory to find a file anywhere but in its default
// directory.
std::string AbsolutePath(const std::string& path);

// True when the path names an existing directory.
bool IsDirectory(const std::string& path);

}  // namespace tralvex::tool

#endif
