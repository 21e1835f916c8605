#include "compare/FilePairs.h"

#include <filesystem>

#include "InputFiles.h"
#include "RangeMap.h"
#include "Reporter.h"

namespace tralvex::tool {
namespace {

// A path to show: relative to the current directory when it lies below it.
std::string Shown(const std::string& path) {
  std::error_code error;
  std::filesystem::path relative =
      std::filesystem::path(path).lexically_proximate(std::filesystem::current_path(error));
  bool below = !relative.empty() && relative.is_relative() && *relative.begin() != "..";
  return error || !below ? path : relative.string();
}

bool BuildMap(const std::string& directory, RangeMap& map, std::string& reason) {
  std::string problem;
  if (BuildRangeMap(AbsolutePath(directory), map, problem)) return true;
  reason = directory + ": " + problem;
  return false;
}

// The range of each usable keyword that lookups reach, by its last number.
const RangeKeyword* Serving(const RangeMap& map, uint32_t bound) {
  for (const Range& range : map.ranges) {
    if (range.bound == bound && range.shadowedBy == Range::kNotShadowed) {
      return &map.keywords[range.keyword];
    }
  }
  return nullptr;
}

std::string RangeText(const Range& range) { return Hex(range.low) + ".." + Hex(range.bound); }

void PairRanges(const RangeMap& base, const RangeMap& translation, std::vector<FilePair>& pairs,
                DiagnosticList& findings) {
  for (const Range& range : base.ranges) {
    if (range.shadowedBy != Range::kNotShadowed) continue;
    const RangeKeyword& keyword = base.keywords[range.keyword];
    const RangeKeyword* match = Serving(translation, range.bound);
    if (match != nullptr) {
      pairs.push_back({Shown(keyword.path), Shown(match->path)});
      continue;
    }
    findings.Add(Shown(translation.iniPath), 0, 0, Severity::kError,
                 "no file serves the numbers " + RangeText(range) + ", which " + keyword.value +
                     " serves in the base",
                 "missing-range");
    findings.Add(Shown(base.iniPath), keyword.line, 1, Severity::kNote,
                 "the base's keyword " + keyword.keyword, "");
  }
  for (const Range& range : translation.ranges) {
    if (range.shadowedBy != Range::kNotShadowed || Serving(base, range.bound) != nullptr) continue;
    const RangeKeyword& keyword = translation.keywords[range.keyword];
    findings.Add(Shown(translation.iniPath), keyword.line, 1, Severity::kWarning,
                 "the base has no file for the numbers " + RangeText(range) + " that " +
                     keyword.value + " serves",
                 "extra-range");
  }
}

}  // namespace

bool PairFiles(const std::string& base, const std::string& translation,
               std::vector<FilePair>& pairs, DiagnosticList& findings, std::string& reason) {
  bool baseIsDirectory = IsDirectory(base), translationIsDirectory = IsDirectory(translation);
  if (!baseIsDirectory && !translationIsDirectory) {
    pairs.push_back({base, translation});
    return true;
  }
  if (baseIsDirectory != translationIsDirectory) {
    reason = "give two message files or two directories, not one of each";
    return false;
  }
  RangeMap baseMap, translationMap;
  if (!BuildMap(base, baseMap, reason) || !BuildMap(translation, translationMap, reason)) {
    return false;
  }
  PairRanges(baseMap, translationMap, pairs, findings);
  return true;
}

}  // namespace tralvex::tool
