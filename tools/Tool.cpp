#include <string>

#include "CommandLine.h"
#include "Commands.h"

namespace tralvex::tool {
namespace {

constexpr const char* kUsage =
    "usage: tralvex COMMAND [OPTION...] OPERAND...\n"
    "\n"
    "Shows what the library makes of message files and \"Tralvex.ini\" files.\n"
    "\n"
    "  check FILE...                 report what the library would do silently\n"
    "  show FILE|DIR NUMBER          the text of one message (number in hex)\n"
    "  eval FILE TEXT                TEXT with its {references} evaluated\n"
    "  format FILE NUMBER [ARG...]   a message with its %s arguments filled in\n"
    "  dump FILE                     every section and message after aliases\n"
    "  map DIR                       the range map of DIR's Tralvex.ini\n"
    "  compare BASE TRANSLATION      what a translation lacks, and its progress\n"
    "  po export BASE [TRANSLATION]  the texts as a PO file for translation tools\n"
    "  po import FILE.po TRANSLATION the translated texts back into a message file\n"
    "\n"
    "\"tralvex COMMAND --help\" tells more of each. Exit status: 0 success,\n"
    "1 errors found or a message missing, 2 a usage, input or output failure.\n";

struct CommandEntry {
  const char* name;
  int (*run)(const Arguments&, Streams&);
};

constexpr CommandEntry kCommands[] = {
    {"check", CheckCommand},     {"show", ShowCommand}, {"eval", EvalCommand},
    {"format", FormatCommand},   {"dump", DumpCommand}, {"map", MapCommand},
    {"compare", CompareCommand}, {"po", PoCommand},
};

}  // namespace

int StartCommand(const char* name, const char* help, const Arguments& args, unsigned accepted,
                 std::size_t minOperands, std::size_t maxOperands, Options& options, Streams& io) {
  std::string error;
  if (!ParseOptions(args, accepted, options, error)) {
    io.err << "tralvex " << name << ": " << error << "\n" << help;
    return kExitFailure;
  }
  if (options.help) {
    io.out << help;
    return kExitOk;
  }
  std::size_t count = options.operands.size();
  if (count < minOperands || count > maxOperands) {
    io.err << "tralvex " << name << ": " << (count < minOperands ? "too few" : "too many")
           << " operands\n"
           << help;
    return kExitFailure;
  }
  for (const std::string& operand : options.operands) {
    if (operand.empty()) {
      io.err << "tralvex " << name << ": an empty operand\n";
      return kExitFailure;
    }
  }
  if (!ApplyEnvironment(options, error)) {
    io.err << "tralvex " << name << ": " << error << "\n";
    return kExitFailure;
  }
  return kGoOn;
}

int RunTool(const Arguments& args, Streams& io) {
  if (args.empty()) {
    io.err << kUsage;
    return kExitFailure;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    io.out << kUsage;
    return kExitOk;
  }
  for (const CommandEntry& command : kCommands) {
    if (args[0] == command.name) return command.run(Arguments(args.begin() + 1, args.end()), io);
  }
  io.err << "tralvex: unknown command \"" << args[0] << "\"\n" << kUsage;
  return kExitFailure;
}

}  // namespace tralvex::tool
