// tralvex dump FILE [--section S]: every section as the library sees it
// after resolving aliases, its messages sorted by number.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "Command.h"
#include "MessageFileLoader.h"

namespace tralvex::tool {

const char* const kDumpUsage =
    "usage: tralvex dump FILE [--section NAME]\n"
    "\n"
    "Parses the message file FILE as the library does and prints every section\n"
    "with its messages after aliases are resolved: own and inherited messages,\n"
    "numbers in hexadecimal, sorted by number. Section names are shown\n"
    "upper-cased; the default section (the first in the file) is marked.\n"
    "\n"
    "  --section NAME  print only that section (compared case-insensitively)\n"
    "\n"
    "Exit status: 0 printed; 1 the file does not parse or has no such section;\n"
    "2 usage error or the file cannot be read.\n";

namespace {

// Control bytes would break the one-line-per-message layout.
std::string Printable(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void PrintSection(const std::string& name, const MessageSection& section, bool isDefault) {
  std::vector<std::pair<uint32_t, const char*>> messages;
  messages.reserve(section.MessageCount());
  section.ForEachMessage([&](uint32_t number, const MessageEntry& entry) {
    messages.emplace_back(number, entry.text);
  });
  std::sort(messages.begin(), messages.end());
  std::cout << "[" << name << "]" << (isDefault ? "  (default)" : "") << "  " << messages.size()
            << (messages.size() == 1 ? " message" : " messages") << "\n";
  for (const auto& [number, text] : messages) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%8X", number);
    std::cout << "  " << hex << "  " << Printable(text) << "\n";
  }
}

}  // namespace

int RunDump(const std::vector<std::string>& args) {
  Arguments parsed;
  if (!ParseArguments(args, {"section"}, parsed)) return kExitUsage;
  if (parsed.help) {
    std::cout << kDumpUsage;
    return kExitOk;
  }
  if (parsed.positional.size() != 1 || parsed.positional[0].empty()) {
    Complain() << "dump needs exactly one FILE\n" << kDumpUsage;
    return kExitUsage;
  }
  const std::string& path = parsed.positional[0];
  MessageFileData data;
  std::string reason;
  switch (LoadMessageFile(path, data, reason)) {
    case LoadResult::kUnreadable:
      Complain() << path << ": " << reason << "\n";
      return kExitUsage;
    case LoadResult::kParseFailed:
      Complain() << path << ": the library would not open this file\n" << DescribeParseErrors(data);
      return kExitFault;
    case LoadResult::kLoaded:
      break;
  }
  const std::string* only = parsed.Option("section");
  if (only != nullptr) {
    const MessageSection* section = data.FindSection(*only);
    if (section == nullptr) {
      Complain() << path << ": no section \"" << *only << "\"\n";
      return kExitFault;
    }
    for (const auto& named : data.Sections()) {
      if (named.section.get() == section) {
        PrintSection(named.name, *section, section == data.defaultSection);
      }
    }
    return kExitOk;
  }
  if (data.SectionCount() == 0) std::cout << "(no sections)\n";
  bool first = true;
  for (const auto& named : data.Sections()) {
    if (!first) std::cout << "\n";
    first = false;
    PrintSection(named.name, *named.section, named.section.get() == data.defaultSection);
  }
  return kExitOk;
}

}  // namespace tralvex::tool
