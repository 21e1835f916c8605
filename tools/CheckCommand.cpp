#include <string>

#include "CommandLine.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "InputFiles.h"
#include "MessageFileLint.h"
#include "SettingsFileLint.h"

namespace tralvex::tool {
namespace {

constexpr const char* kCheckHelp =
    "usage: tralvex check [--format=text|json] [--werror] [--codepage N] FILE...\n"
    "\n"
    "Checks message files and \"Tralvex.ini\" files (any name ending in .ini) for\n"
    "what the library would do without a word: lines it ignores, texts it cuts,\n"
    "messages shadowed by earlier ones, aliases that stop a file from opening,\n"
    "references to missing messages, ranges that serve no file, and more.\n"
    "Findings read file:line:column: error|warning|note: text [check].\n"
    "\n"
    "  --format=json  one JSON document on standard output\n"
    "  --werror       warnings count as errors for the exit status\n"
    "  --codepage N   read the files in code page N and report byte sequences\n"
    "                 it cannot read (1250 1251 1252 932 936 949 950 65001)\n"
    "\n"
    "Exit status: 0 no error, 1 errors found, 2 a usage or input failure.\n";

}  // namespace

int CheckCommand(const Arguments& args, Streams& io) {
  Options options;
  std::string error;
  if (!ParseOptions(args, kFormatOption | kWerrorOption | kCodePageOption, options, error)) {
    io.err << "tralvex check: " << error << "\n" << kCheckHelp;
    return kExitFailure;
  }
  if (options.help) {
    io.out << kCheckHelp;
    return kExitOk;
  }
  if (options.operands.empty()) {
    io.err << "tralvex check: no file to check\n" << kCheckHelp;
    return kExitFailure;
  }
  if (!ApplyEnvironment(options, error)) {
    io.err << "tralvex check: " << error << "\n";
    return kExitFailure;
  }
  DiagnosticList list;
  bool failed = false;
  MessageLintOptions lintOptions;
  lintOptions.checkEncoding = options.codePage != 0;
  for (const std::string& file : options.operands) {
    std::string bytes, reason;
    if (!ReadTextFile(file, bytes, reason)) {
      io.err << "tralvex check: " << (file.empty() ? "\"\"" : file) << ": " << reason << "\n";
      failed = true;
      continue;
    }
    DiagnosticList found;
    if (IsSettingsFileName(file)) {
      LintSettingsFile(file, AbsolutePath(file), bytes, found);
    } else {
      LintMessageFile(file, bytes, lintOptions, found);
    }
    found.SortByPlace();
    for (const Diagnostic& d : found.Items()) list.Add(d);
  }
  if (options.json) {
    PrintDiagnosticsJson(list, io.out);
  } else {
    for (const Diagnostic& d : list.Items()) PrintDiagnostic(d, io.colour, io.out);
  }
  std::size_t errors = list.Count(Severity::kError);
  std::size_t warnings = list.Count(Severity::kWarning);
  if (!options.json && !list.Items().empty()) {
    io.err << errors << " error(s), " << warnings << " warning(s), " << list.Count(Severity::kNote)
           << " note(s)\n";
  }
  if (failed) return kExitFailure;
  return errors != 0 || (options.werror && warnings != 0) ? kExitFindings : kExitOk;
}

}  // namespace tralvex::tool
