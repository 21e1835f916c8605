#include "RangeMap.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "ErrorTexts.h"
#include "InputFiles.h"
#include "catalogue/SearchDirectories.h"
#include "catalogue/TrimBlanks.h"
#include "errors/ErrorCodes.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "profile/SystemIniFile.h"

namespace tralvex::tool {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string ProfileProblem(const ErrorList& errors, const std::string& what) {
  int code = 0;
  const char* context = nullptr;
  std::string text = what;
  if (errors.GetErrorAt(1, code, context) != 0) {
    char hex[16];
    std::snprintf(hex, sizeof hex, " (error 0x%X)", code);
    text += hex;
  }
  return text;
}

// The ranges in lookup order: ascending bounds, an equal bound after those
// already holding it, each starting above the bound before it.
void OrderRanges(RangeMap& map) {
  for (std::size_t i = 0; i < map.keywords.size(); ++i) {
    Range range;
    range.keyword = i;
    range.bound = map.keywords[i].bound;
    map.ranges.push_back(range);
  }
  std::stable_sort(map.ranges.begin(), map.ranges.end(),
                   [](const Range& a, const Range& b) { return a.bound < b.bound; });
  for (std::size_t i = 0; i < map.ranges.size(); ++i) {
    Range& range = map.ranges[i];
    if (i == 0) continue;
    const Range& before = map.ranges[i - 1];
    if (before.bound == range.bound) {
      range.shadowedBy =
          before.shadowedBy != Range::kNotShadowed ? before.shadowedBy : before.keyword;
      range.low = before.low;
    } else {
      range.low = before.bound + 1;
    }
  }
  map.singleFile = map.keywords.size() == 1;
}

}  // namespace

bool ReadKeywordBound(const std::string& keyword, uint32_t& bound, std::string& rest) {
  const char* begin = keyword.c_str();
  const char* dash = platform::FindChar(begin, begin + keyword.size(), '-');
  if (dash == nullptr) return false;
  const char* p = dash + 1;
  while (IsSpace(*p)) ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigitValue(p[2]) >= 0) p += 2;
  uint64_t value = 0;
  bool overflow = false;
  for (; HexDigitValue(*p) >= 0; ++p) {
    value = value * 16 + static_cast<uint64_t>(HexDigitValue(*p));
    if (value > UINT32_MAX) overflow = true;
  }
  // An unsigned long conversion sticks at its largest value; a sign negates
  // in unsigned arithmetic.
  uint32_t narrow = overflow ? UINT32_MAX : static_cast<uint32_t>(value);
  bound = negative && !overflow ? 0u - narrow : narrow;
  rest = std::string(TrimBlanks(std::string_view(p)));
  return true;
}

std::vector<std::size_t> FindKeywordLines(const std::string& iniText, const std::string& section,
                                          const std::vector<std::string>& keywords) {
  std::vector<std::size_t> lines(keywords.size(), 0);
  std::unordered_multimap<std::string, std::size_t> byName;
  for (std::size_t i = 0; i < keywords.size(); ++i) {
    byName.emplace(platform::UpperCase(keywords[i]), i);
  }
  std::string wanted = platform::UpperCase(section);
  bool inSection = false;
  std::size_t lineNumber = 0;
  std::size_t pos = 0;
  while (pos <= iniText.size()) {
    std::size_t end = iniText.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = iniText.size();
    ++lineNumber;
    std::string_view line = TrimBlanks(std::string_view(iniText).substr(pos, end - pos));
    if (!line.empty() && line.front() == '[') {
      std::size_t close = line.find(']');
      std::string_view name =
          close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
      inSection = platform::UpperCase(TrimBlanks(name)) == wanted;
    } else if (inSection) {
      std::size_t equals = line.find('=');
      if (equals != std::string_view::npos) {
        auto [first, last] =
            byName.equal_range(platform::UpperCase(TrimBlanks(line.substr(0, equals))));
        for (auto at = first; at != last; ++at) {
          if (lines[at->second] == 0) lines[at->second] = lineNumber;
        }
      }
    }
    if (end == iniText.size()) break;
    pos = end +
          (iniText[end] == '\r' && end + 1 < iniText.size() && iniText[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

bool BuildRangeMap(const std::string& directory, RangeMap& map, std::string& problem) {
  std::string withSeparator = directory;
  EnsureTrailingSeparator(withSeparator);
  std::string iniPath = withSeparator + kSettingsFileName;
  // Found as a context finds it, in any case of its name.
  int code = CheckPathAccess(iniPath.c_str(), kAccessRead);
  if (code != 0) {
    map = RangeMap();
    map.unreadable = true;
    std::string why;
    std::string native;
    if (code != error_code::kFileNotFound && platform::SystemPathOf(iniPath.c_str(), native) &&
        !CheckRegularFile(native, why)) {
      problem = iniPath + " " + why + " (" + DescribeError(code, iniPath.c_str()) + ")";
    } else {
      problem = std::string("no ") + kSettingsFileName + " in " + withSeparator + " (" +
                DescribeError(code, iniPath.c_str()) + ")";
    }
    return false;
  }
  return BuildRangeMapFromFile(iniPath, directory, map, problem);
}

bool BuildRangeMapFromFile(const std::string& iniPath, const std::string& directory, RangeMap& map,
                           std::string& problem) {
  std::string iniText, reason, native;
  if (!platform::SystemPathOf(iniPath.c_str(), native)) native = iniPath;
  if (!ReadTextFile(native, iniText, reason)) {
    map = RangeMap();
    map.iniPath = iniPath;
    map.unreadable = true;
    problem = (native == iniPath ? iniPath : iniPath + " (" + native + ")") + " " + reason;
    return false;
  }
  return BuildRangeMapFromText(iniPath, iniText, directory, map, problem);
}

bool BuildRangeMapFromText(const std::string& iniPath, const std::string& iniText,
                           const std::string& directory, RangeMap& map, std::string& problem) {
  map = RangeMap();
  map.directory = directory;
  EnsureTrailingSeparator(map.directory);
  map.iniPath = iniPath;
  SystemIniFile ini;
  if (ini.OpenIniFile(map.iniPath.c_str(), 0) == 0) {
    problem = ProfileProblem(ini, map.iniPath + " cannot be opened");
    return false;
  }
  NameList names;
  if (ini.GetAllKeywords(kMessageFilesSection, names) == 0 || names.empty()) {
    problem = std::string("the section ") + kMessageFilesSection + " of " + map.iniPath +
              " is missing or holds no keyword";
    return false;
  }
  std::vector<std::size_t> lines = FindKeywordLines(iniText, kMessageFilesSection, names);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& keyword = names[i];
    SkippedKeyword skip{keyword, "", SkipReason::kNoValue, 0, lines[i]};
    std::string value;
    if (ini.GetKeywordValue(kMessageFilesSection, keyword.c_str(), value) == 0 || value.empty()) {
      map.skipped.push_back(skip);
      continue;
    }
    skip.value = value;
    std::string path = value;
    int code = QualifyPath(path, map.directory.c_str(), kAccessRead);
    if (code == 0) code = CheckPathAccess(path.c_str(), kAccessRead);
    if (code != 0) {
      skip.reason = SkipReason::kMissingFile;
      skip.code = code;
      map.skipped.push_back(skip);
      continue;
    }
    RangeKeyword usable{keyword, value, path, 0, "", lines[i]};
    if (!ReadKeywordBound(keyword, usable.bound, usable.boundSuffix)) {
      skip.reason = SkipReason::kNoDash;
      map.skipped.push_back(skip);
      continue;
    }
    if (usable.bound == 0) {
      skip.reason = SkipReason::kNoBound;
      map.skipped.push_back(skip);
      continue;
    }
    map.keywords.push_back(std::move(usable));
  }
  OrderRanges(map);
  if (map.keywords.empty()) {
    problem = "every keyword of the section " + std::string(kMessageFilesSection) + " of " +
              map.iniPath + " is skipped";
    return false;
  }
  return true;
}

}  // namespace tralvex::tool
