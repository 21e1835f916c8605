#include <string>

#include "CatalogueAccess.h"
#include "CommandLine.h"
#include "Commands.h"
#include "Reporter.h"

namespace tralvex::tool {
namespace {

constexpr const char* kShowHelp =
    "usage: tralvex show [--section S] [--default-dir D] [--codepage N] FILE NUMBER\n"
    "       tralvex show [--codepage N] DIR NUMBER\n"
    "\n"
    "Prints the text of message NUMBER (hexadecimal, as in 1A2) as the library\n"
    "returns it, unevaluated: from the message file's default section or section\n"
    "S, or, for a directory, through the message context of its Tralvex.ini.\n"
    "A missing message prints the placeholder text, such as MSG(001A2), and the\n"
    "exit status is 1. FILE is the file the library reads for the name: \".MSG\"\n"
    "is added to a name without extension, and a note tells when that is\n"
    "another file than the one named.\n"
    "\n"
    "  --section S      look the number up in section S of FILE (a blank name\n"
    "                   is the default section)\n"
    "  --default-dir D  the library's default directory, where a FILE given\n"
    "                   without directory is looked for\n"
    "  --codepage N     the code page the files are written in\n"
    "  --lang L         the language of the library's built-in texts (en, de, cs)\n";

}  // namespace

// Shared by show and format: the number operand.
bool ReadNumberOperand(const char* command, const std::string& text, uint32_t& number,
                       Streams& io) {
  if (ParseMessageNumber(text, number)) return true;
  io.err << "tralvex " << command << ": invalid message number \"" << text
         << "\": hexadecimal digits, at most 8, as in 1A2\n";
  return false;
}

int ShowCommand(const Arguments& args, Streams& io) {
  Options options;
  unsigned accepted = kSectionOption | kDefaultDirOption | kCodePageOption | kLangOption;
  int start = StartCommand("show", kShowHelp, args, accepted, 2, 2, options, io);
  if (start != kGoOn) return start;
  uint32_t number = 0;
  if (!ReadNumberOperand("show", options.operands[1], number, io)) return kExitFailure;
  MessageSource source;
  int opened = OpenMessageSource("show", source, false, options, io);
  if (opened != kExitOk) return opened;
  bool missing = false;
  const char* text = source.Message(number, missing);
  io.out << text << "\n";
  if (!missing) return kExitOk;
  io.err << "tralvex show: " << source.WhyMissing(number)
         << "; the library gives the placeholder text\n";
  return kExitFindings;
}

}  // namespace tralvex::tool
