#include "Command.h"

#include <algorithm>
#include <iostream>

namespace tralvex::tool {

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"dump", "print every section of a message file with its messages", kDumpUsage, RunDump},
  };
  return commands;
}

std::ostream& Complain() { return std::cerr << "tralvex: "; }

const std::string* Arguments::Option(const std::string& name) const {
  for (const auto& [key, value] : options) {
    if (key == name) return &value;
  }
  return nullptr;
}

bool ParseArguments(const std::vector<std::string>& args,
                    const std::vector<std::string>& knownOptions, Arguments& parsed) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help") {
      parsed.help = true;
      continue;
    }
    std::string name = arg.substr(2);
    std::string value;
    std::size_t equals = name.find('=');
    bool hasValue = equals != std::string::npos;
    if (hasValue) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (std::find(knownOptions.begin(), knownOptions.end(), name) == knownOptions.end()) {
      Complain() << "unknown option --" << name << " (see --help)\n";
      return false;
    }
    if (!hasValue) {
      if (i + 1 >= args.size()) {
        Complain() << "option --" << name << " needs a value\n";
        return false;
      }
      value = args[++i];
    }
    parsed.options.emplace_back(name, value);
  }
  return true;
}

}  // namespace tralvex::tool
