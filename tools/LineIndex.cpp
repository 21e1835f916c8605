#include "LineIndex.h"

#include <algorithm>
#include <cstring>

namespace tralvex::tool {

LineIndex::LineIndex(std::string_view text) : base_(text.data()) {
  starts_.push_back(0);
  // The next carriage return and the next line feed, each found with memchr.
  const char* end = text.data() + text.size();
  auto next = [end](const char* from, char c) {
    const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return found != nullptr ? static_cast<const char*>(found) : end;
  };
  const char* cr = next(text.data(), '\r');
  const char* lf = next(text.data(), '\n');
  while (cr != end || lf != end) {
    const char* lineEnd = cr < lf ? cr : lf;
    const char* start = lineEnd + 1;
    if (lineEnd == cr && lf == start && lf != end) start = lf + 1;  // CR LF ends one line
    starts_.push_back(static_cast<std::size_t>(start - base_));
    if (cr < start) cr = next(start, '\r');
    if (lf < start) lf = next(start, '\n');
  }
}

Place LineIndex::PlaceOf(std::size_t offset) const {
  auto next = std::upper_bound(starts_.begin(), starts_.end(), offset);
  std::size_t line = static_cast<std::size_t>(next - starts_.begin());  // >= 1
  return Place{line, offset - starts_[line - 1] + 1};
}

}  // namespace tralvex::tool
