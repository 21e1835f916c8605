// Where a byte of a file stands as an editor shows it. Editors end a line
// at CR LF, CR or LF alike, while the library ends its lines only at a
// carriage return, so findings are placed by this index, not by the
// library's line count.
#ifndef TRALVEX_TOOLS_LINEINDEX_H
#define TRALVEX_TOOLS_LINEINDEX_H

#include <cstddef>
#include <string_view>
#include <vector>

namespace tralvex::tool {

struct Place {
  std::size_t line = 1;    // 1-based
  std::size_t column = 1;  // 1-based, in bytes
};

class LineIndex {
 public:
  explicit LineIndex(std::string_view text);

  Place PlaceOf(std::size_t offset) const;
  Place PlaceOf(const char* p) const { return PlaceOf(static_cast<std::size_t>(p - base_)); }

 private:
  const char* base_;
  std::vector<std::size_t> starts_;  // offset of each line's first byte
};

}  // namespace tralvex::tool

#endif
