// tralvex dump FILE [--section S] [--format=json]: every section as the
// library sees it after resolving aliases, its messages sorted by number,
// each with the section whose line defines it.
#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "FileOutline.h"
#include "InputFiles.h"
#include "Json.h"
#include "MessageFileLoader.h"
#include "MessageFileName.h"
#include "Terminal.h"
#include "catalogue/TrimBlanks.h"

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
    "  --section S     print only that section (compared case-insensitively; a\n"
    "                  blank name is the default section, as for the library)\n"
    "  --format=json   one JSON document on standard output\n"
    "  --codepage N    the code page the file is written in\n"
    "\n"
    "In the text form a control byte in a text is written \\xNN and a backslash\n"
    "before \"x\" or another backslash is doubled, so each message stays on one\n"
    "line and no two texts look the same; other backslashes are as written.\n"
    "A FILE without extension is read with \".MSG\" added, as the library does.\n"
    "\n"
    "Exit status: 0 printed; 1 the file does not parse or has no such section;\n"
    "2 a usage error, the file cannot be read or the output not written.\n";

// One message per line, and every byte told apart: a control byte is
// written \xNN, and a backslash that could be taken for the start of such
// an escape (one before "x" or before another backslash) is doubled. Every
// other backslash, as in the escapes \n and \t that texts carry, stays as
// written.
std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    } else if (c == '\\' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == '\\')) {
      out += "\\\\";
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
  Dumper(const MessageFileData& data, FileOutline outline)
      : data_(data), outline_(std::move(outline)) {
    for (std::size_t i = 0; i < outline_.sections.size(); ++i) {
      byName_.emplace(outline_.sections[i].name, i);
    }
  }

  DumpedSection Dump(const std::string& name, const MessageSection& section) const {
    DumpedSection dumped;
    dumped.name = name;
    dumped.isDefault = &section == data_.defaultSection;
    auto found = byName_.find(name);
    if (found != byName_.end()) dumped.aliasTarget = outline_.sections[found->second].aliasTarget;
    for (uint32_t number : SortedNumbers(section)) {
      const char* text = section.FindEntry(number)->text;
      dumped.messages.push_back({number, text, DefinedIn(text)});
    }
    return dumped;
  }

 private:
  // Found by where the text stands in the file: an inherited message is
  // the defining section's entry, or past 65,535 sharers a copy of it, and
  // either way its text is that section's line.
  std::string DefinedIn(const char* text) const {
    auto owner = outline_.textOwner.find(static_cast<std::size_t>(text - data_.TextBuffer()));
    return owner == outline_.textOwner.end() ? std::string()
                                             : outline_.sections[owner->second].name;
  }

  const MessageFileData& data_;
  FileOutline outline_;
  std::unordered_map<std::string, std::size_t> byName_;
};

void PrintText(const DumpedSection& section, bool colour, std::ostream& out) {
  Colours c(colour);
  out << c.Bold() << "[" << Printable(section.name) << "]" << c.Reset()
      << (section.isDefault ? "  (default)" : "") << "  " << section.messages.size()
      << (section.messages.size() == 1 ? " message" : " messages");
  if (!section.aliasTarget.empty()) out << ", alias " << Printable(section.aliasTarget);
  out << "\n";
  for (const DumpedMessage& m : section.messages) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%8X", m.number);
    out << "  " << hex << "  " << Printable(m.text);
    if (m.definedIn != section.name) {
      out << c.Cyan() << "  (from " << Printable(m.definedIn) << ")" << c.Reset();
    }
    out << "\n";
  }
}

void PrintJson(const std::string& file, const std::string& path,
               const std::vector<DumpedSection>& sections, std::ostream& out) {
  out << "{\"file\": " << JsonPath(file) << ", \"path\": " << JsonPath(path) << ", \"sections\": [";
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
  const std::string& operand = options.operands[0];
  if (operand.empty() || IsDirectory(operand)) {
    io.err << "tralvex dump: " << (operand.empty() ? "\"\"" : operand) << ": "
           << (operand.empty() ? "an empty file name" : "is a directory, not a file") << "\n";
    return kExitFailure;
  }
  MessageFileName name = ResolveOperand(operand, "");
  if (name.code != 0) {
    io.err << "tralvex dump: " << operand << ": " << UnusableNameReason(name) << "\n";
    return kExitFailure;
  }
  if (ReadsAnotherFile(name)) {
    io.err << "tralvex dump: note: " << operand << " is read as " << name.path << "\n";
  }
  // One read: the outline is taken from the bytes before the parser splits
  // them, so both describe the same file.
  MessageFileData data;
  FileOutline outline;
  std::string reason;
  LoadResult loaded = LoadMessageFile(name.path, data, reason, [&outline](std::string_view bytes) {
    outline = OutlineMessageFile(bytes);
  });
  if (loaded != LoadResult::kLoaded) {
    io.err << "tralvex dump: " << operand << ": "
           << (ReadsAnotherFile(name) ? name.path + " " : std::string()) << reason << "\n";
    return loaded == LoadResult::kParseFailed ? kExitFindings : kExitFailure;
  }
  Dumper dumper(data, std::move(outline));
  std::vector<DumpedSection> sections;
  const MessageSection* only = nullptr;
  bool oneSection = !options.section.empty();
  if (oneSection) {
    // A name blank after trimming is the default section, as the library
    // selects it.
    bool blank = TrimBlanks(std::string_view(options.section)).empty();
    only = blank ? data.defaultSection : data.FindSection(options.section);
    if (only == nullptr && !blank) {
      io.err << "tralvex dump: " << operand << ": no section \"" << options.section << "\"\n";
      return kExitFindings;
    }
  }
  for (const auto& named : data.Sections()) {
    if (!oneSection || named.section.get() == only) {
      sections.push_back(dumper.Dump(named.name, *named.section));
    }
  }
  if (options.json) {
    PrintJson(operand, name.path, sections, io.out);
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
