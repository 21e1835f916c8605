// tralvex po export | import: the texts of message files handed to the
// translation tools that speak gettext's PO format, and taken back.
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "CodePageText.h"
#include "CommandLine.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "InputFiles.h"
#include "LoadedMessageFile.h"
#include "platform/CodePage.h"
#include "platform/FileReplace.h"
#include "po/PoEntries.h"
#include "po/PoExport.h"
#include "po/PoFile.h"
#include "po/PoImport.h"
#include "po/PoScan.h"

namespace tralvex::tool {
namespace {

constexpr const char* kPoHelp =
    "usage: tralvex po export [-o FILE.po] [--codepage N] [--lang LL] BASE [TRANSLATION]\n"
    "       tralvex po import [-o OUT] [--codepage N] FILE.po TRANSLATION\n"
    "\n"
    "Hands the texts of message files to translation tools as a PO file, and\n"
    "writes the translations back. \"tralvex po export --help\" and \"tralvex po\n"
    "import --help\" tell more.\n";

constexpr const char* kExportHelp =
    "usage: tralvex po export [-o FILE.po] [--codepage N] [--lang LL] BASE [TRANSLATION]\n"
    "\n"
    "Writes one PO entry per message of the message file BASE, in the section\n"
    "that defines it: msgctxt \"SECTION/NUMBER\", msgid the base text, msgstr\n"
    "TRANSLATION's text of the message or empty, a #: reference to the base\n"
    "line, the line's comment as #. and the c-format flag where the text has %s.\n"
    "Texts are converted to UTF-8. Without TRANSLATION the result is a template.\n"
    "\n"
    "  -o FILE.po     write the file (replaced whole, only once it is complete)\n"
    "                 instead of standard output\n"
    "  --codepage N   the code page of the message files (else the system's)\n"
    "  --lang LL      the translation's language for the header, such as cs\n"
    "\n"
    "Exit status: 0 written; 1 a file the library refuses; 2 a usage or input\n"
    "failure, such as a byte that is no character of the code page.\n";

constexpr const char* kImportHelp =
    "usage: tralvex po import [-o OUT] [--codepage N] FILE.po TRANSLATION\n"
    "\n"
    "Writes the translations of FILE.po into the message file TRANSLATION (in\n"
    "place, or to OUT): a changed text replaces the text on its line, a missing\n"
    "message is added to its section in number order, a missing section is\n"
    "added with the base's alias line. Every other byte stays as it was.\n"
    "Untranslated and fuzzy entries are skipped, obsolete ones ignored. Any\n"
    "entry that cannot be written (no context, a malformed number, an unknown\n"
    "section, plural forms, invalid UTF-8, a character the code page lacks, a\n"
    "line break, a text over 65535 bytes) is named with its line, and nothing\n"
    "is written. The file is replaced whole, only once it is complete.\n"
    "\n"
    "  -o OUT         write the result to OUT and leave TRANSLATION alone\n"
    "  --codepage N   the code page of TRANSLATION (else the system's)\n"
    "\n"
    "Exit status: 0 written (or nothing to change); 1 TRANSLATION is a file\n"
    "the library refuses; 2 a usage or input failure, nothing written.\n";

// Past this many, further problems are counted, not listed.
constexpr std::size_t kProblemsShown = 20;

void PrintProblems(const char* command, DiagnosticList problems, Streams& io) {
  problems.SortByPlace();
  std::size_t shown = 0;
  for (const Diagnostic& d : problems.Items()) {
    if (shown++ < kProblemsShown) PrintDiagnostic(d, false, io.err);
  }
  if (shown > kProblemsShown) {
    io.err << "... and " << shown - kProblemsShown << " more\n";
  }
  if (problems.Count(Severity::kError) != 0) {
    io.err << "tralvex " << command << ": nothing written\n";
  }
}

bool MakeConverter(const char* command, std::unique_ptr<CodePageText>& text, Streams& io) {
  text = std::make_unique<CodePageText>(platform::ActiveCodePage().id);
  if (text->Usable()) return true;
  io.err << "tralvex " << command << ": this system cannot convert code page "
         << platform::ActiveCodePage().id << "\n";
  return false;
}

int LoadStatus(const char* command, const std::string& path, LoadResult result,
               const std::string& reason, Streams& io) {
  if (result == LoadResult::kLoaded) return kGoOn;
  io.err << "tralvex " << command << ": " << path << ": " << reason << "\n";
  return result == LoadResult::kUnreadable ? kExitFailure : kExitFindings;
}

int WriteOutput(const char* command, const std::string& path, const std::string& bytes,
                Streams& io) {
  std::string reason;
  if (platform::ReplaceFileContent(path, bytes, reason)) return kExitOk;
  io.err << "tralvex " << command << ": " << path << ": " << reason << "; nothing written\n";
  return kExitFailure;
}

// The library writes the PO file straight into the file that then replaces
// the output.
int WritePoOutput(const char* command, const std::string& path, const PoFile& po, Streams& io) {
  std::string reason;
  auto fill = [&po](const std::string& name, std::string& why) { return po.WriteFile(name, why); };
  if (platform::ReplaceFileContentBy(path, fill, reason)) return kExitOk;
  io.err << "tralvex " << command << ": " << path << ": " << reason << "; nothing written\n";
  return kExitFailure;
}

int Export(const Arguments& args, Streams& io) {
  const char* command = "po export";
  Options options;
  int start = StartCommand(command, kExportHelp, args,
                           kOutputOption | kCodePageOption | kLanguageOption, 1, 2, options, io);
  if (start != kGoOn) return start;
  std::unique_ptr<CodePageText> text;
  if (!MakeConverter(command, text, io)) return kExitFailure;
  LoadedMessageFile base, translation;
  std::string reason;
  const std::string& basePath = options.operands[0];
  int status = LoadStatus(command, basePath, base.Load(basePath, reason), reason, io);
  if (status != kGoOn) return status;
  bool translated = options.operands.size() == 2;
  if (translated) {
    const std::string& path = options.operands[1];
    status = LoadStatus(command, path, translation.Load(path, reason), reason, io);
    if (status != kGoOn) return status;
  }
  PoFile po;
  DiagnosticList problems;
  BuildPo(base, translated ? &translation : nullptr, {text.get(), options.language}, po, problems);
  if (problems.Count(Severity::kError) != 0) {
    PrintProblems(command, problems, io);
    return kExitFailure;
  }
  if (!options.output.empty()) return WritePoOutput(command, options.output, po, io);
  std::string bytes;
  if (!po.Write(bytes, reason)) {
    io.err << "tralvex " << command << ": " << reason << "\n";
    return kExitFailure;
  }
  io.out << bytes;
  return kExitOk;
}

void PrintReport(const std::string& target, bool created, const ImportReport& report,
                 const PoEntries& entries, Streams& io) {
  io.err << target << ": " << (created ? "created, " : "") << report.changed << " text(s) changed, "
         << report.added << " message(s) added";
  if (report.sectionsAdded != 0) io.err << " in " << report.sectionsAdded << " new section(s)";
  io.err << ", " << report.unchanged << " unchanged";
  if (entries.untranslated + entries.fuzzy != 0) {
    io.err << "; skipped " << entries.untranslated << " untranslated and " << entries.fuzzy
           << " fuzzy entries";
  }
  if (entries.obsolete != 0) io.err << "; " << entries.obsolete << " obsolete entries ignored";
  io.err << "\n";
}

int Import(const Arguments& args, Streams& io) {
  const char* command = "po import";
  Options options;
  int start =
      StartCommand(command, kImportHelp, args, kOutputOption | kCodePageOption, 2, 2, options, io);
  if (start != kGoOn) return start;
  std::unique_ptr<CodePageText> text;
  if (!MakeConverter(command, text, io)) return kExitFailure;
  const std::string& poPath = options.operands[0];
  const std::string& path = options.operands[1];
  // The tool reads the PO file a line at a time to place its entries; the
  // library reads it again itself.
  PoScan scan;
  std::string reason;
  auto take = [&scan](std::string_view piece) { scan.Take(piece); };
  if (!ReadTextFileInPieces(poPath, take, reason)) {
    io.err << "tralvex " << command << ": " << poPath << ": " << reason << "\n";
    return kExitFailure;
  }
  scan.Finish();
  PoEntries entries;
  DiagnosticList problems;
  if (!ReadPoFileEntries(poPath, std::move(scan), entries, problems)) {
    PrintProblems(command, problems, io);
    return kExitFailure;
  }
  // A translation that does not exist yet starts empty.
  LoadedMessageFile translation;
  bool created = !IsDirectory(path) && !std::filesystem::exists(path);
  LoadResult loaded =
      created ? translation.Parse(path, std::string(), reason) : translation.Load(path, reason);
  int status = LoadStatus(command, path, loaded, reason, io);
  if (status != kGoOn) return status;
  std::string result;
  ImportReport report;
  if (!ImportTranslations(poPath, entries, translation, *text, result, report, problems)) {
    PrintProblems(command, problems, io);
    return kExitFailure;
  }
  const std::string& target = options.output.empty() ? path : options.output;
  bool unchanged = result == translation.Bytes() && !created;
  if (!(unchanged && options.output.empty())) {
    status = WriteOutput(command, target, result, io);
    if (status != kExitOk) return status;
  }
  PrintReport(target, created && options.output.empty(), report, entries, io);
  return kExitOk;
}

}  // namespace

int PoCommand(const Arguments& args, Streams& io) {
  if (args.empty()) {
    io.err << "tralvex po: export or import?\n" << kPoHelp;
    return kExitFailure;
  }
  Arguments rest(args.begin() + 1, args.end());
  if (args[0] == "export") return Export(rest, io);
  if (args[0] == "import") return Import(rest, io);
  if (args[0] == "--help" || args[0] == "-h") {
    io.out << kPoHelp;
    return kExitOk;
  }
  io.err << "tralvex po: unknown command \"" << args[0] << "\"\n" << kPoHelp;
  return kExitFailure;
}

}  // namespace tralvex::tool
