#include "LineIndex.h"

#include <algorithm>

namespace tralvex::tool {

LineIndex::LineIndex(std::string_view text) : base_(text.data()) {
  starts_.push_back(0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      starts_.push_back(i + 1);
    } else if (text[i] == '\n') {
      starts_.push_back(i + 1);
    }
  }
}

Place LineIndex::PlaceOf(std::size_t offset) const {
  auto next = std::upper_bound(starts_.begin(), starts_.end(), offset);
  std::size_t line = static_cast<std::size_t>(next - starts_.begin());  // >= 1
  return Place{line, offset - starts_[line - 1] + 1};
}

}  // namespace tralvex::tool
