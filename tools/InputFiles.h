// Reading the files named on the command line, with a reason a person can
// act on when one cannot be read.
#ifndef TRALVEX_TOOLS_INPUTFILES_H
#define TRALVEX_TOOLS_INPUTFILES_H

#include <string>

namespace tralvex::tool {

// Reads the whole file. False, with the reason ("no such file", "is a
// directory", ...), when it cannot be read or is not text: a NUL byte or a
// UTF-16 byte-order mark marks a file the library would misread.
bool ReadTextFile(const std::string& path, std::string& bytes, std::string& reason);

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
