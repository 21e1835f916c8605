// eval and format: what the library's evaluation and formatting make of a
// text or a message.
#include <cstdint>
#include <string>

#include "CatalogueAccess.h"
#include "CommandLine.h"
#include "Commands.h"
#include "Reporter.h"
#include "TextLint.h"
#include "catalogue/TrimBlanks.h"

namespace tralvex::tool {

bool ReadNumberOperand(const char* command, const std::string& text, uint32_t& number, Streams& io);

namespace {

constexpr const char* kEvalHelp =
    "usage: tralvex eval [--section S] [--default-dir D] [--codepage N] FILE TEXT\n"
    "       tralvex eval [--codepage N] DIR TEXT\n"
    "\n"
    "Prints TEXT with its references evaluated as the library does: each\n"
    "{NUMBER} or {NUMBER|fallback} (at most eight) becomes the text of that\n"
    "message. Through a message file a missing message becomes its placeholder,\n"
    "such as MSG(001A2), and the exit status is 1; through the context of a\n"
    "directory's Tralvex.ini it becomes the fallback text.\n"
    "\n"
    "  --section S      evaluate in section S of FILE\n"
    "  --default-dir D  the library's default directory\n"
    "  --codepage N     the code page the files are written in\n"
    "  --lang L         the language of the library's built-in texts (en, de, cs)\n";

constexpr const char* kFormatHelp =
    "usage: tralvex format [--section S] [--default-dir D] [--codepage N] FILE NUMBER [ARG...]\n"
    "       tralvex format [--codepage N] DIR NUMBER [ARG...]\n"
    "\n"
    "Prints message NUMBER (hexadecimal) formatted as the library formats it:\n"
    "the escapes \\n and \\t expanded, %% made %, and each %s filled with the\n"
    "next ARG; a %s without an argument stays %s. Through a message file at most\n"
    "three arguments are taken, as by the handle functions; with more, the file\n"
    "is read through a message context of its own, which takes any number (but\n"
    "no --section). Through a context (DIR, or more than three ARGs) with no ARG\n"
    "at all the library formats nothing: the text is printed as stored, escapes\n"
    "and %% as written, as Mes_FormatMessage returns it. A missing message prints\n"
    "its placeholder and exits with 1. The whole result is printed, however long.\n"
    "\n"
    "  --section S      format from section S of FILE\n"
    "  --default-dir D  the library's default directory\n"
    "  --codepage N     the code page the files are written in\n"
    "  --lang L         the language of the library's built-in texts (en, de, cs)\n";

constexpr unsigned kAccepted = kSectionOption | kDefaultDirOption | kCodePageOption | kLangOption;

// Mes_FormatMessage without arguments copies the text as it is.
void NoteNothingFormatted(const MessageSource& source, const std::vector<std::string>& arguments,
                          const std::string& result, Streams& io) {
  if (!source.IsContext() || !arguments.empty()) return;
  if (result.find_first_of("\\%") == std::string::npos) return;
  io.err << "tralvex format: note: without an argument a message context formats nothing: the "
            "text is as stored, its escapes and %% not expanded; give an ARG to format it\n";
}

void NoteBoxLimit(const char* command, const std::string& result, Streams& io) {
  if (result.size() > kMessageBoxLimit) {
    io.err << "tralvex " << command << ": note: " << result.size()
           << " characters; a message box shows only the first " << kMessageBoxLimit << "\n";
  }
}

}  // namespace

int EvalCommand(const Arguments& args, Streams& io) {
  Options options;
  int start = StartCommand("eval", kEvalHelp, args, kAccepted, 2, 2, options, io);
  if (start != kGoOn) return start;
  MessageSource source;
  int opened = OpenMessageSource("eval", source, false, options, io);
  if (opened != kExitOk) return opened;
  std::string result;
  int status = source.Evaluate(options.operands[1], result);
  io.out << result << "\n";
  NoteBoxLimit("eval", result, io);
  if (status != 0 || source.IsContext()) return kExitOk;
  io.err << "tralvex eval: the last reference names a message missing from " << source.Description()
         << "\n";
  return kExitFindings;
}

int FormatCommand(const Arguments& args, Streams& io) {
  Options options;
  int start = StartCommand("format", kFormatHelp, args, kAccepted, 2, SIZE_MAX, options, io);
  if (start != kGoOn) return start;
  uint32_t number = 0;
  if (!ReadNumberOperand("format", options.operands[1], number, io)) return kExitFailure;
  std::vector<std::string> arguments(options.operands.begin() + 2, options.operands.end());
  bool asContext = arguments.size() > 3;
  if (asContext && !TrimBlanks(std::string_view(options.section)).empty()) {
    io.err << "tralvex format: more than three arguments are formatted through a context, "
              "which reads the default section only: drop --section\n";
    return kExitFailure;
  }
  MessageSource source;
  int opened = OpenMessageSource("format", source, asContext, options, io);
  if (opened != kExitOk) return opened;
  bool missing = false;
  source.Message(number, missing);
  std::string result;
  source.Format(number, arguments, result);
  io.out << result << "\n";
  NoteNothingFormatted(source, arguments, result, io);
  NoteBoxLimit("format", result, io);
  if (!missing) return kExitOk;
  io.err << "tralvex format: " << source.WhyMissing(number)
         << "; the library gives the placeholder text\n";
  return kExitFindings;
}

}  // namespace tralvex::tool
