// tralvex map DIR: the range map of the "Tralvex.ini" in DIR, one bar per
// range, so that a range its file leaves empty or messages sent elsewhere
// are seen at a glance.
#include <cstdio>
#include <string>

#include "CommandLine.h"
#include "Commands.h"
#include "InputFiles.h"
#include "Json.h"
#include "RangeCoverage.h"
#include "RangeMap.h"
#include "Reporter.h"
#include "Terminal.h"

namespace tralvex::tool {
namespace {

constexpr const char* kMapHelp =
    "usage: tralvex map [--format=text|json] [--codepage N] DIR\n"
    "\n"
    "Reads the section MessageFiles of DIR's Tralvex.ini as a message context\n"
    "does and draws its range map: for each range its numbers, its file, the\n"
    "messages the file defines in it and a bar of the range in 32 parts, \"#\"\n"
    "where the file defines a message and \".\" where it defines none.\n"
    "Messages a file defines outside its range, ranges hidden behind another\n"
    "with the same last number, numbers no file serves and the keywords the\n"
    "context skips are listed below their range.\n"
    "\n"
    "  --format=json  one JSON document on standard output\n"
    "  --codepage N   the code page the files are written in\n"
    "\n"
    "Exit status: 0 drawn; 1 no keyword is usable or a file cannot be\n"
    "loaded; 2 a usage error, DIR or its Tralvex.ini cannot be read, or the\n"
    "output cannot be written.\n";

constexpr std::size_t kBarParts = 32;

const char* SkipText(SkipReason reason) {
  switch (reason) {
    case SkipReason::kNoValue:
      return "no value";
    case SkipReason::kMissingFile:
      return "the file does not exist";
    case SkipReason::kNoDash:
      return "no \"-\" before a last number";
    case SkipReason::kNoBound:
      return "the last number is 0 or missing";
  }
  return "";
}

std::string Number(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", value);
  return text;
}

std::string Bar(const RangeCoverage& coverage) {
  std::string bar;
  for (bool filled : coverage.filled) bar += filled ? '#' : '.';
  return bar;
}

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

void PrintText(const RangeMap& map, const std::vector<RangeCoverage>& coverage, bool colour,
               std::ostream& out) {
  Colours c(colour);
  out << c.Bold() << "Range map of " << map.iniPath << c.Reset() << "\n";
  for (std::size_t i = 0; i < map.ranges.size(); ++i) {
    const Range& range = map.ranges[i];
    const RangeKeyword& keyword = map.keywords[range.keyword];
    const RangeCoverage& measured = coverage[i];
    out << "  " << Number(range.low) << ".." << Number(range.bound) << "  "
        << Padded(keyword.value, 18) << " ";
    if (range.shadowedBy != Range::kNotShadowed) {
      out << c.Yellow() << "hidden behind " << map.keywords[range.shadowedBy].keyword
          << ": never opened" << c.Reset() << "\n";
      continue;
    }
    if (!measured.loaded) {
      out << c.Red() << measured.problem << c.Reset() << "\n";
      continue;
    }
    std::string count = std::to_string(measured.inside);
    if (count.size() < 6) count.insert(0, 6 - count.size(), ' ');
    std::string bar = Bar(measured);
    out << count << "  [" << (measured.inside == 0 ? c.Red() : c.Green()) << bar << c.Reset()
        << "]\n";
    if (measured.outside != 0 && !map.singleFile) {
      long server = ServingKeyword(map, measured.firstOutside);
      out << "      " << c.Yellow() << measured.outside << " message(s) outside the range, from "
          << Hex(measured.firstOutside) << ", sent to "
          << (server < 0 ? std::string("no file")
                         : map.keywords[static_cast<std::size_t>(server)].value)
          << c.Reset() << "\n";
    }
  }
  uint32_t top = map.ranges.back().bound;
  if (map.singleFile) {
    out << "  one usable keyword: once open, " << map.keywords.front().value
        << " serves every number\n";
  } else if (top != UINT32_MAX) {
    out << "  " << Number(top + 1) << "..FFFFFFFF  " << c.Yellow() << "no file" << c.Reset()
        << "\n";
  }
}

void PrintSkipped(const RangeMap& map, bool colour, std::ostream& out) {
  Colours c(colour);
  for (const SkippedKeyword& skip : map.skipped) {
    out << "  " << c.Yellow() << "skipped" << c.Reset() << " " << skip.keyword;
    if (skip.line != 0) out << " (line " << skip.line << ")";
    out << ": " << SkipText(skip.reason) << "\n";
  }
}

void PrintJson(const RangeMap& map, const std::vector<RangeCoverage>& coverage, bool built,
               std::ostream& out) {
  out << "{\"ini\": " << JsonPath(map.iniPath) << ", \"usable\": " << (built ? "true" : "false")
      << ", \"singleFile\": " << (map.singleFile ? "true" : "false") << ", \"ranges\": [";
  for (std::size_t i = 0; i < map.ranges.size(); ++i) {
    const Range& range = map.ranges[i];
    const RangeKeyword& keyword = map.keywords[range.keyword];
    const RangeCoverage& measured = coverage[i];
    bool shadowed = range.shadowedBy != Range::kNotShadowed;
    out << (i == 0 ? "\n  " : ",\n  ") << "{\"keyword\": " << JsonString(keyword.keyword)
        << ", \"file\": " << JsonString(keyword.value) << ", \"path\": " << JsonPath(keyword.path)
        << ", \"line\": " << keyword.line << ", \"first\": " << range.low
        << ", \"last\": " << range.bound << ", \"hiddenBehind\": "
        << (shadowed ? JsonString(map.keywords[range.shadowedBy].keyword) : "null")
        << ", \"loaded\": " << (measured.loaded ? "true" : "false")
        << ", \"problem\": " << JsonString(measured.problem) << ", \"inside\": " << measured.inside
        << ", \"outside\": " << measured.outside << ", \"bar\": " << JsonString(Bar(measured))
        << "}";
  }
  out << "\n], \"skipped\": [";
  for (std::size_t i = 0; i < map.skipped.size(); ++i) {
    const SkippedKeyword& skip = map.skipped[i];
    out << (i == 0 ? "\n  " : ",\n  ") << "{\"keyword\": " << JsonString(skip.keyword)
        << ", \"value\": " << JsonString(skip.value) << ", \"line\": " << skip.line
        << ", \"reason\": " << JsonString(SkipText(skip.reason)) << "}";
  }
  out << "\n]}\n";
}

}  // namespace

int MapCommand(const Arguments& args, Streams& io) {
  Options options;
  int start =
      StartCommand("map", kMapHelp, args, kFormatOption | kCodePageOption, 1, 1, options, io);
  if (start != kGoOn) return start;
  const std::string& directory = options.operands[0];
  if (!IsDirectory(directory)) {
    io.err << "tralvex map: " << directory << ": not a directory\n";
    return kExitFailure;
  }
  RangeMap map;
  std::string problem;
  bool built = BuildRangeMap(AbsolutePath(directory), map, problem);
  if (!built && map.unreadable) {
    io.err << "tralvex map: " << problem << "\n";
    return kExitFailure;
  }
  std::vector<RangeCoverage> coverage = MeasureRanges(map, kBarParts);
  if (options.json) {
    PrintJson(map, coverage, built, io.out);
  } else {
    if (built) PrintText(map, coverage, io.colour, io.out);
    PrintSkipped(map, io.colour, io.out);
  }
  if (!built) {
    io.err << "tralvex map: " << problem << "\n";
    return kExitFindings;
  }
  for (std::size_t i = 0; i < coverage.size(); ++i) {
    if (!coverage[i].loaded && map.ranges[i].shadowedBy == Range::kNotShadowed)
      return kExitFindings;
  }
  return kExitOk;
}

}  // namespace tralvex::tool
