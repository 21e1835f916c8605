#include <string>

#include "CatalogueAccess.h"
#include "CommandLine.h"
#include "Commands.h"
#include "InputFiles.h"
#include "RangeCoverage.h"
#include "RangeMap.h"
#include "Reporter.h"
#include "api/Lookup.h"

namespace tralvex::tool {
namespace {

constexpr const char* kShowHelp =
    "usage: tralvex show [--section S] [--default-dir D] [--codepage N] FILE NUMBER\n"
    "       tralvex show [--codepage N] DIR NUMBER\n"
    "\n"
    "Prints the text of message NUMBER (hexadecimal, as in 1A2) as the library\n"
    "returns it: from the file's default section or section S, or, for a\n"
    "directory, from the file that the range map of its Tralvex.ini sends the\n"
    "number to. A missing message prints the placeholder text, such as\n"
    "MSG(001A2), and exits with status 1.\n"
    "\n"
    "  --section S      look the number up in section S\n"
    "  --default-dir D  the library's default directory, where a FILE given\n"
    "                   without directory is looked for\n"
    "  --codepage N     the code page the file is written in\n";

int Missing(Streams& io, const char* text, const std::string& why) {
  io.out << text << "\n";
  io.err << "tralvex show: " << why << "; the library gives the placeholder text\n";
  return kExitFindings;
}

}  // namespace

int ShowCommand(const Arguments& args, Streams& io) {
  Options options;
  std::string error;
  unsigned accepted = kSectionOption | kDefaultDirOption | kCodePageOption | kLangOption;
  if (!ParseOptions(args, accepted, options, error)) {
    io.err << "tralvex show: " << error << "\n" << kShowHelp;
    return kExitFailure;
  }
  if (options.help) {
    io.out << kShowHelp;
    return kExitOk;
  }
  if (options.operands.size() != 2) {
    io.err << "tralvex show: give a file and a message number\n" << kShowHelp;
    return kExitFailure;
  }
  const std::string& file = options.operands[0];
  uint32_t number = 0;
  if (!ParseMessageNumber(options.operands[1], number)) {
    io.err << "tralvex show: invalid message number \"" << options.operands[1]
           << "\": hexadecimal digits, at most 8, as in 1A2\n";
    return kExitFailure;
  }
  if (!ApplyEnvironment(options, error)) {
    io.err << "tralvex show: " << error << "\n";
    return kExitFailure;
  }
  std::string path = file;
  std::string section = options.section;
  if (IsDirectory(file)) {
    if (!section.empty()) {
      io.err << "tralvex show: --section does not apply to a directory\n";
      return kExitFailure;
    }
    RangeMap map;
    if (!BuildRangeMap(AbsolutePath(file), map, error)) {
      io.err << "tralvex show: " << error << "\n";
      return kExitFailure;
    }
    long served = map.singleFile ? 0 : ServingKeyword(map, number);
    if (served < 0) {
      return Missing(io, MakePlaceholderText(number),
                     "no file of " + map.iniPath + " serves " + Hex(number));
    }
    path = map.keywords[static_cast<std::size_t>(served)].path;
    options.defaultDir.clear();
  }
  OpenedCatalogue catalogue;
  if (!catalogue.Open(path, section, options, error)) {
    io.err << "tralvex show: " << path << ": " << error << "\n";
    return kExitFailure;
  }
  bool missing = false;
  const char* text = catalogue.Message(number, missing);
  if (missing) {
    return Missing(
        io, text,
        "message " + Hex(number) + " is not in section " + catalogue.SectionName() + " of " + path);
  }
  io.out << text << "\n";
  return kExitOk;
}

}  // namespace tralvex::tool
