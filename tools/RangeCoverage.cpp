#include "RangeCoverage.h"

#include "MessageFileLoader.h"

namespace tralvex::tool {

std::vector<RangeCoverage> MeasureRanges(const RangeMap& map, std::size_t parts) {
  std::vector<RangeCoverage> result;
  for (const Range& range : map.ranges) {
    RangeCoverage coverage;
    coverage.filled.assign(parts, false);
    MessageFileData data;
    const RangeKeyword& keyword = map.keywords[range.keyword];
    coverage.loaded = LoadMessageFile(keyword.path, data, coverage.problem) == LoadResult::kLoaded;
    for (const auto& named : data.Sections()) coverage.sections.push_back(named.name);
    if (coverage.loaded && data.defaultSection != nullptr) {
      uint64_t span = static_cast<uint64_t>(range.bound) - range.low + 1;
      for (uint32_t number : SortedNumbers(*data.defaultSection)) {
        if (number < range.low || number > range.bound) {
          if (coverage.outside++ == 0) coverage.firstOutside = number;
          continue;
        }
        if (coverage.inside++ == 0) coverage.firstInside = number;
        if (parts != 0) coverage.filled[(number - range.low) * parts / span] = true;
      }
    }
    result.push_back(std::move(coverage));
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
