#include "SettingsFileLint.h"

#include <cstdio>
#include <filesystem>

#include "RangeCoverage.h"
#include "RangeMap.h"
#include "Reporter.h"
#include "errors/ErrorCodes.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

std::string Quoted(const std::string& text) { return "\"" + Excerpt(text, 60) + "\""; }

std::string RangeText(uint32_t low, uint32_t bound) { return Hex(low) + ".." + Hex(bound); }

void ReportSkipped(const SkippedKeyword& skip, Reporter& report) {
  const char* code = "ini-skipped-keyword";
  std::string what = "keyword " + Quoted(skip.keyword) + " is skipped: ";
  switch (skip.reason) {
    case SkipReason::kNoValue:
      report.AtLine(skip.line, Severity::kWarning, what + "it has no value", code);
      break;
    case SkipReason::kMissingFile: {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%X", skip.code);
      std::string why =
          skip.code == error_code::kAccessDenied ? "cannot be read" : "does not exist";
      report.AtLine(
          skip.line, Severity::kError,
          what + "the message file " + Quoted(skip.value) + " " + why + " (error " + hex + ")",
          "ini-missing-file");
      break;
    }
    case SkipReason::kNoDash:
      report.AtLine(skip.line, Severity::kWarning,
                    what +
                        "it has no \"-\" before the last number of its range, as in "
                        "\"Texts-0FF\"",
                    code);
      break;
    case SkipReason::kNoBound:
      report.AtLine(skip.line, Severity::kWarning,
                    what + "the number after its \"-\" is 0 or missing", code);
      break;
  }
}

class SettingsLinter {
 public:
  SettingsLinter(const std::string& fileName, const std::string& path, const std::string& bytes,
                 DiagnosticList& out)
      : path_(path), bytes_(bytes), report_(fileName, bytes, out) {}

  void Run() {
    std::string name = std::filesystem::path(path_).filename().string();
    if (platform::UpperCase(name) != platform::UpperCase(kSettingsFileName)) {
      report_.File(Severity::kNote,
                   std::string("a message context reads only a file named ") + kSettingsFileName,
                   "ini-file-name");
    }
    std::string directory = std::filesystem::path(path_).parent_path().string();
    std::string problem;
    bool built = BuildRangeMapFromText(path_, bytes_, directory, map_, problem);
    for (const SkippedKeyword& skip : map_.skipped) ReportSkipped(skip, report_);
    if (!built) {
      std::string check = map_.skipped.empty() ? "ini-no-section" : "ini-no-usable-keyword";
      report_.File(Severity::kError, problem + ": a message context cannot be opened from it",
                   check);
      return;
    }
    for (const RangeKeyword& keyword : map_.keywords) CheckBoundSuffix(keyword);
    CheckRanges();
  }

 private:
  void CheckBoundSuffix(const RangeKeyword& keyword) {
    if (keyword.boundSuffix.empty()) return;
    std::string text = "only " + Hex(keyword.bound) +
                       " after the \"-\" is read, as the last "
                       "number of the range; " +
                       Quoted(keyword.boundSuffix) + " is ignored";
    if (keyword.boundSuffix.front() == '-') {
      text += " (a keyword names where its range ends, not where it starts)";
    }
    report_.AtLine(keyword.line, Severity::kWarning, text, "ini-bound-suffix");
  }

  void CheckRanges() {
    std::vector<RangeCoverage> coverage = MeasureRanges(map_, 0);
    for (std::size_t i = 0; i < map_.ranges.size(); ++i) {
      const Range& range = map_.ranges[i];
      const RangeKeyword& keyword = map_.keywords[range.keyword];
      if (range.shadowedBy != Range::kNotShadowed) {
        const RangeKeyword& first = map_.keywords[range.shadowedBy];
        report_.AtLine(keyword.line, Severity::kWarning,
                       "the range of " + Quoted(keyword.keyword) + " ends at " + Hex(range.bound) +
                           " like that of " + Quoted(first.keyword) + " (line " +
                           std::to_string(first.line) +
                           "), which serves it: " + Quoted(keyword.value) + " is never opened",
                       "ini-shadowed-range");
        continue;
      }
      CheckCoverage(range, keyword, coverage[i]);
    }
    uint32_t top = map_.ranges.back().bound;
    if (top != UINT32_MAX && !map_.singleFile) {
      report_.File(Severity::kNote,
                   "numbers above " + Hex(top) +
                       " are served by no file: they give the "
                       "default text or the placeholder",
                   "ini-unserved");
    }
    if (map_.singleFile) {
      const RangeKeyword& only = map_.keywords.front();
      report_.AtLine(only.line, Severity::kNote,
                     "the only usable keyword: once a number up to " + Hex(only.bound) +
                         " has opened " + Quoted(only.value) +
                         ", every number is looked up in it, whatever its range",
                     "ini-single-file");
    }
  }

  void CheckCoverage(const Range& range, const RangeKeyword& keyword,
                     const RangeCoverage& coverage) {
    std::string file = Quoted(keyword.value);
    if (!coverage.loaded) {
      report_.AtLine(keyword.line, Severity::kError,
                     "the message file " + file + " cannot be used (" + coverage.problem +
                         "): lookups in " + RangeText(range.low, range.bound) +
                         " give the default text or the placeholder",
                     "ini-unopenable-file");
      return;
    }
    if (coverage.sections.size() > 1) {
      std::string others;
      for (std::size_t i = 1; i < coverage.sections.size(); ++i) {
        others += (i == 1 ? "" : ", ") + coverage.sections[i];
      }
      report_.AtLine(keyword.line, Severity::kNote,
                     "a context reads only the default section " + coverage.sections.front() +
                         " of " + file + "; its sections " + others + " are out of its reach",
                     "ini-default-section");
    }
    if (coverage.inside == 0) {
      report_.AtLine(keyword.line, Severity::kWarning,
                     file + " defines no message in its range " + RangeText(range.low, range.bound),
                     "ini-empty-range");
    }
    if (coverage.inside != 0 && coverage.firstInside > range.low && range.low != 0) {
      report_.AtLine(keyword.line, Severity::kNote,
                     "a gap: the numbers " + RangeText(range.low, coverage.firstInside - 1) +
                         " fall to " + file + ", which defines none of them; its messages " +
                         "begin at " + Hex(coverage.firstInside),
                     "ini-gap");
    }
    if (coverage.outside != 0 && !map_.singleFile) {
      long server = ServingKeyword(map_, coverage.firstOutside);
      std::string goesTo =
          server < 0 ? "no file" : Quoted(map_.keywords[static_cast<std::size_t>(server)].value);
      report_.AtLine(keyword.line, Severity::kWarning,
                     file + " defines " + std::to_string(coverage.outside) +
                         " message(s) outside its range " + RangeText(range.low, range.bound) +
                         ", such as " + Hex(coverage.firstOutside) + ", which lookups send to " +
                         goesTo,
                     "ini-outside-range");
    }
  }

  std::string path_;
  const std::string& bytes_;
  Reporter report_;
  RangeMap map_;
};

}  // namespace

void LintSettingsFile(const std::string& fileName, const std::string& path,
                      const std::string& bytes, DiagnosticList& out) {
  SettingsLinter linter(fileName, path, bytes, out);
  linter.Run();
}

}  // namespace tralvex::tool
