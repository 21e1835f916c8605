#include <new>
#include <string>

#include "CommandLine.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "InputFiles.h"
#include "MessageFileLint.h"
#include "MessageFileName.h"
#include "SettingsFileLint.h"
#include "platform/FileSystem.h"

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
    "Exit status: 0 no error, 1 errors found, 2 a usage, input or output failure.\n";

// A settings file is read as the profile functions read it; a message file
// as the library resolves its name, which may be another file than the one
// named (a name without extension gets ".MSG").
bool CheckOneFile(const std::string& file, const MessageLintOptions& lintOptions,
                  DiagnosticList& found, std::string& reason, Streams& io) {
  if (file.empty()) {
    reason = "an empty file name";
    return false;
  }
  if (IsDirectory(file)) {
    reason = "is a directory, not a file";
    return false;
  }
  if (IsSettingsFileName(file)) {
    std::string path = AbsolutePath(file);
    std::string native, bytes;
    if (!platform::SystemPathOf(path.c_str(), native)) native = path;
    if (!ReadTextFile(native, bytes, reason)) return false;
    LintSettingsFile(file, path, bytes, found);
    return true;
  }
  MessageFileName name = ResolveOperand(file, "");
  if (name.code != 0) {
    reason = UnusableNameReason(name);
    return false;
  }
  std::string shown = file;
  if (ReadsAnotherFile(name)) {
    io.err << "tralvex check: note: " << file << " is read as " << name.path << "\n";
    shown = name.path;
  }
  InputFile input;
  if (!ReadInputFile(name.path, input, reason)) {
    if (shown != file) reason = shown + " " + reason;
    return false;
  }
  LintMessageFile(shown, input.View(), lintOptions, found);
  return true;
}

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
    std::string reason;
    DiagnosticList found;
    bool checked = false;
    try {
      checked = CheckOneFile(file, lintOptions, found, reason, io);
    } catch (const std::bad_alloc&) {
      reason = "out of memory while checking it";
    }
    if (!checked) {
      io.err << "tralvex check: " << (file.empty() ? "\"\"" : file) << ": " << reason << "\n";
      failed = true;
      continue;
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
