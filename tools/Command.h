// The commands of the tool and what they share: exit statuses, the
// argument reader and the reporting of failures.
#ifndef TRALVEX_TOOLS_COMMAND_H
#define TRALVEX_TOOLS_COMMAND_H

#include <ostream>
#include <string>
#include <vector>

namespace tralvex::tool {

// 0: done; 1: the input has a fault the command reports; 2: the command
// could not run (usage, missing or unreadable files).
enum ExitStatus { kExitOk = 0, kExitFault = 1, kExitUsage = 2 };

struct Command {
  const char* name;
  const char* summary;
  const char* usage;  // the full help text
  int (*run)(const std::vector<std::string>& args);
};

// Every command, in the order the help lists them.
const std::vector<Command>& AllCommands();

// The commands themselves, one file each.
int RunDump(const std::vector<std::string>& args);
extern const char* const kDumpUsage;

// "tralvex: " followed by the message, on standard error.
std::ostream& Complain();

// Splits arguments into positional ones and "--name value" / "--name=value"
// options. Returns false after complaining about an unknown option or a
// missing value.
struct Arguments {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;
  bool help = false;
  const std::string* Option(const std::string& name) const;
};
bool ParseArguments(const std::vector<std::string>& args,
                    const std::vector<std::string>& knownOptions, Arguments& parsed);

}  // namespace tralvex::tool

#endif
