// tralvex COMMAND [ARGS...]: shows what the library makes of message files.
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "Command.h"

namespace {

void PrintOverview(std::ostream& out) {
  out << "usage: tralvex COMMAND [ARGS...]\n\ncommands:\n";
  for (const auto& command : tralvex::tool::AllCommands()) {
    out << "  " << command.name << std::string(10 - std::strlen(command.name), ' ')
        << command.summary << "\n";
  }
  out << "\n'tralvex COMMAND --help' describes a command.\n";
}

int Run(int argc, char** argv) {
  using namespace tralvex::tool;
  if (argc < 2) {
    PrintOverview(std::cerr);
    return kExitUsage;
  }
  std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintOverview(std::cout);
    return kExitOk;
  }
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const auto& command : AllCommands()) {
    if (name == command.name) return command.run(args);
  }
  Complain() << "unknown command \"" << name << "\"\n";
  PrintOverview(std::cerr);
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    tralvex::tool::Complain() << error.what() << "\n";
  } catch (...) {
    tralvex::tool::Complain() << "unexpected failure\n";
  }
  return tralvex::tool::kExitUsage;
}
