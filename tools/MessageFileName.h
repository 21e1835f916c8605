// Which file the library reads for a message-file name: the name completed
// as the library completes it (".MSG" added to a name without extension, a
// name without directory looked for in the default directory), and the name
// the system is then given (on POSIX, backslashes as slashes and a name
// that does not exist as spelled matched ignoring case). Every command
// reads the file found here, so that it describes the file the library
// reads and not another one of a similar name.
#ifndef TRALVEX_TOOLS_MESSAGEFILENAME_H
#define TRALVEX_TOOLS_MESSAGEFILENAME_H

#include <string>

namespace tralvex::tool {

struct MessageFileName {
  std::string libraryName;  // the name as the library is given it
  std::string key;          // the library's key for the file in its loaded-file table
  std::string spelled;      // resolved, as spelled
  std::string path;         // the file the system opens
  // 0, or the library's error code for a name it cannot use (then followed
  // by 0x140); context is the name the library records with it.
  int code = 0;
  std::string context;
  // The file the operand names as written, when it came from the command
  // line; empty otherwise.
  std::string written;
};

// Completes libraryName as the library does for a catalogue.
MessageFileName ResolveMessageFileName(const std::string& libraryName);

// The same for a FILE operand. The library is handed the operand completed
// against the current directory, since on a command line that is where a
// name is meant; a name without directory is left to the library's default
// directory when one was given (--default-dir).
MessageFileName ResolveOperand(const std::string& operand, const std::string& defaultDirectory);

// Why the library cannot use the name: the tool's words and then the
// library's errors, as "no such file (error 0127: ... [NAME]; error 0140: ...)".
std::string UnusableNameReason(const MessageFileName& name);

// True when the file read is not the one the operand names as written,
// as for a name without extension or with backslashes.
bool ReadsAnotherFile(const MessageFileName& name);

}  // namespace tralvex::tool

#endif
