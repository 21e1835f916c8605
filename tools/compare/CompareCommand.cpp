// tralvex compare BASE TRANSLATION: what a translation lacks or gets wrong
// against its base, and how far it has come.
#include <memory>
#include <string>
#include <vector>

#include "CodePageText.h"
#include "CommandLine.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "Json.h"
#include "LoadedMessageFile.h"
#include "compare/FilePairs.h"
#include "compare/Progress.h"
#include "compare/TranslationComparison.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

constexpr const char* kCompareHelp =
    "usage: tralvex compare [--format=text|json] [--werror] [--codepage N] BASE TRANSLATION\n"
    "\n"
    "Compares a translation with its base, section by section after aliases: the\n"
    "messages it lacks (error) or has beyond the base (warning), texts whose number\n"
    "of %s arguments differs (error), whose {references} differ (warning), whose\n"
    "escapes \\n \\t differ or that equal the base (note), and texts it makes longer\n"
    "than a message box (1023) or an error box (119) shows. Then how much of each\n"
    "section is translated. BASE and TRANSLATION are message files, or directories\n"
    "whose Tralvex.ini files are paired by the ranges they serve.\n"
    "\n"
    "  --format=json  one JSON document on standard output\n"
    "  --werror       warnings count as errors for the exit status\n"
    "  --codepage N   the code page of both files; also reports bytes of the\n"
    "                 translation that are no character in it\n"
    "\n"
    "Exit status: 0 no error, 1 errors found, 2 a usage or input failure.\n";

struct Outcome {
  bool unreadable = false;  // some file could not be read
  bool refused = false;     // some file does not parse
};

void ComparePair(const FilePair& pair, const CodePageText* encoding, DiagnosticList& findings,
                 std::vector<FileProgress>& progress, Outcome& outcome, Streams& io) {
  LoadedMessageFile base, translation;
  FileProgress failed;
  failed.base = pair.base;
  failed.translation = pair.translation;
  for (auto [file, path] : {std::pair{&base, &pair.base}, {&translation, &pair.translation}}) {
    std::string reason;
    LoadResult result = file->Load(*path, reason);
    if (result == LoadResult::kLoaded) continue;
    io.err << "tralvex compare: " << *path << ": " << reason << "\n";
    (result == LoadResult::kUnreadable ? outcome.unreadable : outcome.refused) = true;
    progress.push_back(failed);
    return;
  }
  progress.push_back(CompareTranslation(base, translation, encoding, findings));
}

// Notes that only show the base's place of a finding are not findings.
std::size_t CountFindings(const DiagnosticList& findings, Severity severity) {
  std::size_t count = 0;
  for (const Diagnostic& d : findings.Items()) {
    if (d.severity == severity && !d.check.empty()) ++count;
  }
  return count;
}

void PrintJson(const DiagnosticList& findings, const std::vector<FileProgress>& progress,
               std::ostream& out) {
  out << "{\"diagnostics\": [";
  const char* separator = "\n  ";
  for (const Diagnostic& d : findings.Items()) {
    out << separator << DiagnosticJson(d);
    separator = ",\n  ";
  }
  out << (findings.Items().empty() ? "]" : "\n]") << ", \"files\": " << ProgressJson(progress)
      << ", \"errors\": " << CountFindings(findings, Severity::kError)
      << ", \"warnings\": " << CountFindings(findings, Severity::kWarning)
      << ", \"notes\": " << CountFindings(findings, Severity::kNote) << "}\n";
}

}  // namespace

int CompareCommand(const Arguments& args, Streams& io) {
  Options options;
  int start = StartCommand("compare", kCompareHelp, args,
                           kFormatOption | kWerrorOption | kCodePageOption, 2, 2, options, io);
  if (start != kGoOn) return start;
  std::unique_ptr<CodePageText> encoding;
  if (options.codePage != 0) {
    encoding = std::make_unique<CodePageText>(options.codePage);
    if (!encoding->Usable()) {
      io.err << "tralvex compare: this system cannot convert code page " << options.codePage
             << "\n";
      return kExitFailure;
    }
  }
  std::vector<FilePair> pairs;
  DiagnosticList findings;
  std::string reason;
  if (!PairFiles(options.operands[0], options.operands[1], pairs, findings, reason)) {
    io.err << "tralvex compare: " << reason << "\n";
    return kExitFailure;
  }
  std::vector<FileProgress> progress;
  Outcome outcome;
  for (const FilePair& pair : pairs) {
    ComparePair(pair, encoding.get(), findings, progress, outcome, io);
  }
  if (options.json) {
    PrintJson(findings, progress, io.out);
  } else {
    for (const Diagnostic& d : findings.Items()) PrintDiagnostic(d, io.colour, io.out);
    if (!findings.Items().empty()) io.out << "\n";
    PrintProgress(progress, io.colour, io.out);
  }
  std::size_t errors = CountFindings(findings, Severity::kError);
  std::size_t warnings = CountFindings(findings, Severity::kWarning);
  if (!options.json && !findings.Items().empty()) {
    io.err << errors << " error(s), " << warnings << " warning(s), "
           << CountFindings(findings, Severity::kNote) << " note(s)\n";
  }
  if (outcome.unreadable) return kExitFailure;
  bool failing = errors != 0 || (options.werror && warnings != 0) || outcome.refused;
  return failing ? kExitFindings : kExitOk;
}

}  // namespace tralvex::tool
