#include "RangeCoverage.h"

#include <memory>
#include <unordered_map>

#include "MessageFileLoader.h"
#include "MessageFileName.h"

namespace tralvex::tool {
namespace {

// What the ranges need of one message file: read and parsed once however
// many ranges name it, as the library's loaded-file table would hold it once.
struct MeasuredFile {
  bool loaded = false;
  std::string problem;
  std::vector<std::string> sections;
  std::vector<uint32_t> numbers;  // of the default section, ascending
};

MeasuredFile MeasureFile(const std::string& path, const MessageFileName& name) {
  MeasuredFile file;
  if (name.code != 0) {
    file.problem = UnusableNameReason(name);
    return file;
  }
  MessageFileData data;
  file.loaded = LoadMessageFile(name.path, data, file.problem) == LoadResult::kLoaded;
  // The library reads this file for the value, not the one it names.
  if (!file.loaded && name.path != path) file.problem = name.path + " " + file.problem;
  for (const auto& named : data.Sections()) file.sections.push_back(named.name);
  if (file.loaded && data.defaultSection != nullptr) {
    file.numbers = SortedNumbers(*data.defaultSection);
  }
  return file;
}

RangeCoverage Cover(const Range& range, const MeasuredFile& file, std::size_t parts) {
  RangeCoverage coverage;
  coverage.filled.assign(parts, false);
  coverage.loaded = file.loaded;
  coverage.problem = file.problem;
  coverage.sections = file.sections;
  uint64_t span = static_cast<uint64_t>(range.bound) - range.low + 1;
  for (uint32_t number : file.numbers) {
    if (number < range.low || number > range.bound) {
      if (coverage.outside++ == 0) coverage.firstOutside = number;
      continue;
    }
    if (coverage.inside++ == 0) coverage.firstInside = number;
    if (parts != 0) coverage.filled[(number - range.low) * parts / span] = true;
  }
  return coverage;
}

}  // namespace

std::vector<RangeCoverage> MeasureRanges(const RangeMap& map, std::size_t parts) {
  std::unordered_map<std::string, std::unique_ptr<MeasuredFile>> files;
  std::vector<RangeCoverage> result;
  for (const Range& range : map.ranges) {
    const std::string& path = map.keywords[range.keyword].path;
    MessageFileName name = ResolveMessageFileName(path);
    std::unique_ptr<MeasuredFile>& file = files[name.key];
    if (file == nullptr) file = std::make_unique<MeasuredFile>(MeasureFile(path, name));
    result.push_back(Cover(range, *file, parts));
  }
  return result;
}

long ServingKeyword(const RangeMap& map, uint32_t number) {
  for (const Range& range : map.ranges) {
    if (range.bound >= number) return static_cast<long>(range.keyword);
  }
  return -1;
}

}  // namespace tralvex::tool
