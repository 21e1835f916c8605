// tralvex dump FILE [--section S] [--format=json]: every section as the
// library sees it after resolving aliases, its messages sorted by number,
// each with the section whose line defines it.
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "FileOutline.h"
#include "InputFiles.h"
#include "Json.h"
#include "MessageFileLoader.h"
#include "Terminal.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

constexpr const char* kDumpHelp =
    "usage: tralvex dump [--section S] [--format=text|json] [--codepage N] FILE\n"
    "\n"
    "Parses the message file FILE as the library does and prints every section\n"
    "with its messages after aliases are resolved, numbers in hexadecimal,\n"
    "sorted. Each inherited message names the section that defines it. Section\n"
    "names are shown upper-cased; the default section (the first in the file)\n"
    "is marked.\n"
    "\n"
    "  --section S     print only that section (compared case-insensitively)\n"
    "  --format=json   one JSON document on standard output\n"
    "  --codepage N    the code page the file is written in\n"
    "\n"
    "Exit status: 0 printed; 1 the file does not parse or has no such section;\n"
    "2 a usage error or the file cannot be read.\n";

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

struct DumpedMessage {
  uint32_t number;
  const char* text;
  std::string definedIn;  // the section whose own line gives the text
};

struct DumpedSection {
  std::string name;
  std::string aliasTarget;
  bool isDefault = false;
  std::vector<DumpedMessage> messages;
};

class Dumper {
 public:
  Dumper(const MessageFileData& data, std::vector<OutlinedSection> outline)
      : data_(data), outline_(std::move(outline)) {
    std::unordered_map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < outline_.size(); ++i) byName[outline_[i].name] = i;
    for (const OutlinedSection& section : outline_) {
      sections_.push_back(data_.FindSection(section.name));
      auto target = byName.find(platform::UpperCase(section.aliasTarget));
      next_.push_back(section.aliasTarget.empty() || target == byName.end() ? kNone
                                                                            : target->second);
    }
    byName_ = std::move(byName);
  }

  DumpedSection Dump(const std::string& name, const MessageSection& section) const {
    DumpedSection dumped;
    dumped.name = name;
    dumped.isDefault = &section == data_.defaultSection;
    auto found = byName_.find(name);
    std::size_t index = found == byName_.end() ? kNone : found->second;
    if (index != kNone) dumped.aliasTarget = outline_[index].aliasTarget;
    for (uint32_t number : SortedNumbers(section)) {
      const MessageEntry* entry = section.FindEntry(number);
      std::size_t owner = DefinedIn(index, number, entry);
      dumped.messages.push_back(
          {number, entry->text, owner == kNone ? std::string() : outline_[owner].name});
    }
    return dumped;
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  bool Defines(std::size_t index, uint32_t number, const MessageEntry* entry) const {
    return sections_[index] != nullptr && outline_[index].own.count(number) != 0 &&
           sections_[index]->FindEntry(number) == entry;
  }

  // Along the alias chain first, as the library merged (a chain visits each
  // section once at most); then anywhere, for an entry the walk cannot show.
  std::size_t DefinedIn(std::size_t index, uint32_t number, const MessageEntry* entry) const {
    for (std::size_t at = index, steps = 0; at != kNone && steps <= outline_.size();
         at = next_[at], ++steps) {
      if (Defines(at, number, entry)) return at;
    }
    for (std::size_t i = 0; i < outline_.size(); ++i) {
      if (Defines(i, number, entry)) return i;
    }
    return kNone;
  }

  const MessageFileData& data_;
  std::vector<OutlinedSection> outline_;
  std::vector<const MessageSection*> sections_;  // by outline index
  std::vector<std::size_t> next_;                // the alias target's index
  std::unordered_map<std::string, std::size_t> byName_;
};

void PrintText(const DumpedSection& section, bool colour, std::ostream& out) {
  Colours c(colour);
  out << c.Bold() << "[" << section.name << "]" << c.Reset()
      << (section.isDefault ? "  (default)" : "") << "  " << section.messages.size()
      << (section.messages.size() == 1 ? " message" : " messages");
  if (!section.aliasTarget.empty()) out << ", alias " << section.aliasTarget;
  out << "\n";
  for (const DumpedMessage& m : section.messages) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%8X", m.number);
    out << "  " << hex << "  " << Printable(m.text);
    if (m.definedIn != section.name) {
      out << c.Cyan() << "  (from " << (m.definedIn.empty() ? "an alias" : m.definedIn) << ")"
          << c.Reset();
    }
    out << "\n";
  }
}

void PrintJson(const std::string& file, const std::vector<DumpedSection>& sections,
               std::ostream& out) {
  out << "{\"file\": " << JsonPath(file) << ", \"sections\": [";
  const char* sectionSeparator = "\n  ";
  for (const DumpedSection& section : sections) {
    out << sectionSeparator << "{\"name\": " << JsonString(section.name)
        << ", \"default\": " << (section.isDefault ? "true" : "false") << ", \"alias\": "
        << (section.aliasTarget.empty() ? "null" : JsonString(section.aliasTarget))
        << ", \"messages\": [";
    const char* separator = "\n    ";
    for (const DumpedMessage& m : section.messages) {
      out << separator << "{\"number\": " << m.number << ", \"text\": " << JsonString(m.text)
          << ", \"definedIn\": " << JsonString(m.definedIn)
          << ", \"own\": " << (m.definedIn == section.name ? "true" : "false") << "}";
      separator = ",\n    ";
    }
    out << "]}";
    sectionSeparator = ",\n  ";
  }
  out << "\n]}\n";
}

}  // namespace

int DumpCommand(const Arguments& args, Streams& io) {
  Options options;
  std::string error;
  if (!ParseOptions(args, kSectionOption | kFormatOption | kCodePageOption, options, error)) {
    io.err << "tralvex dump: " << error << "\n" << kDumpHelp;
    return kExitFailure;
  }
  if (options.help) {
    io.out << kDumpHelp;
    return kExitOk;
  }
  if (options.operands.size() != 1) {
    io.err << "tralvex dump: give exactly one FILE\n" << kDumpHelp;
    return kExitFailure;
  }
  if (!ApplyEnvironment(options, error)) {
    io.err << "tralvex dump: " << error << "\n";
    return kExitFailure;
  }
  const std::string& path = options.operands[0];
  MessageFileData data;
  std::string reason, bytes;
  LoadResult loaded = LoadMessageFile(path, data, reason);
  if (loaded != LoadResult::kLoaded || !ReadTextFile(path, bytes, reason)) {
    io.err << "tralvex dump: " << (path.empty() ? "\"\"" : path) << ": " << reason << "\n";
    return loaded == LoadResult::kParseFailed ? kExitFindings : kExitFailure;
  }
  Dumper dumper(data, OutlineMessageFile(bytes));
  std::vector<DumpedSection> sections;
  const MessageSection* only = nullptr;
  if (!options.section.empty()) {
    only = data.FindSection(options.section);
    if (only == nullptr) {
      io.err << "tralvex dump: " << path << ": no section \"" << options.section << "\"\n";
      return kExitFindings;
    }
  }
  for (const auto& named : data.Sections()) {
    if (only == nullptr || named.section.get() == only) {
      sections.push_back(dumper.Dump(named.name, *named.section));
    }
  }
  if (options.json) {
    PrintJson(path, sections, io.out);
    return kExitOk;
  }
  if (sections.empty()) io.out << "(no sections)\n";
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (i != 0) io.out << "\n";
    PrintText(sections[i], io.colour, io.out);
  }
  return kExitOk;
}

}  // namespace tralvex::tool
