// The commands of the tool. Each takes the words after its name and
// returns the exit status; output goes to the streams given.
#ifndef TRALVEX_TOOLS_COMMANDS_H
#define TRALVEX_TOOLS_COMMANDS_H

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace tralvex::tool {

using Arguments = std::vector<std::string>;

struct Streams {
  std::ostream& out;
  std::ostream& err;
  bool colour = false;  // standard output is a terminal
};

int CheckCommand(const Arguments& args, Streams& io);
int ShowCommand(const Arguments& args, Streams& io);
int EvalCommand(const Arguments& args, Streams& io);
int FormatCommand(const Arguments& args, Streams& io);
int DumpCommand(const Arguments& args, Streams& io);
int MapCommand(const Arguments& args, Streams& io);
int CompareCommand(const Arguments& args, Streams& io);
int PoCommand(const Arguments& args, Streams& io);

struct Options;

// The start every command shares: reads the options, answers --help, checks
// the number of operands and applies --codepage, --lang and --default-dir.
// Returns -1 when the command is to go on, else the exit status, after
// printing the help or the failure.
constexpr int kGoOn = -1;
int StartCommand(const char* name, const char* help, const Arguments& args, unsigned accepted,
                 std::size_t minOperands, std::size_t maxOperands, Options& options, Streams& io);

// Runs the command named by args[0]; "--help" or no words print the usage.
int RunTool(const Arguments& args, Streams& io);

}  // namespace tralvex::tool

#endif
