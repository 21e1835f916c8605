// The sections of a message file as written: each one's own messages and
// alias target, which the parsed file no longer tells once aliases are
// resolved.
#ifndef TRALVEX_TOOLS_FILEOUTLINE_H
#define TRALVEX_TOOLS_FILEOUTLINE_H

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tralvex::tool {

struct OutlinedSection {
  std::string name;         // upper-cased
  std::string aliasTarget;  // as the last alias line names it; empty for none
  std::unordered_set<uint32_t> own;
};

// In the order the sections first appear, as the library classifies lines.
std::vector<OutlinedSection> OutlineMessageFile(std::string_view bytes);

}  // namespace tralvex::tool

#endif
