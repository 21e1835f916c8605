// How the message files of a range map fill their ranges: the messages
// each file defines inside its range and outside it.
#ifndef TRALVEX_TOOLS_RANGECOVERAGE_H
#define TRALVEX_TOOLS_RANGECOVERAGE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "RangeMap.h"

namespace tralvex::tool {

struct RangeCoverage {
  bool loaded = false;
  std::string problem;                // why the file could not be loaded
  std::vector<std::string> sections;  // upper-cased, the default one first
  std::size_t inside = 0;
  std::size_t outside = 0;
  uint32_t firstOutside = 0;
  uint32_t firstInside = 0;  // meaningful when inside is not 0
  // The range cut into equal parts: true where the file defines a message.
  std::vector<bool> filled;
};

// One entry per range of map.ranges, in that order; the messages are those
// of each file's default section, which a context looks numbers up in.
// Shadowed ranges are measured too: their files are loaded all the same.
std::vector<RangeCoverage> MeasureRanges(const RangeMap& map, std::size_t parts);

// The keyword whose file serves a number, or -1 for none.
long ServingKeyword(const RangeMap& map, uint32_t number);

}  // namespace tralvex::tool

#endif
