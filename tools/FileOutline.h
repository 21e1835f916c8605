// The sections of a message file as written: each one's alias target and
// the section each message line stands in, which the parsed file no longer
// tells once aliases are resolved.
#ifndef TRALVEX_TOOLS_FILEOUTLINE_H
#define TRALVEX_TOOLS_FILEOUTLINE_H

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tralvex::tool {

struct OutlinedSection {
  std::string name;         // upper-cased
  std::string aliasTarget;  // as the last alias line names it; empty for none
};

struct FileOutline {
  // In the order the sections first appear, as the library classifies lines.
  std::vector<OutlinedSection> sections;
  // The section (an index into sections) whose line gives a message text,
  // by the text's offset in the file. The parser's texts point into the
  // file's bytes at the same offsets, so an inherited text, whether shared
  // or copied, leads back to the section that defines it.
  std::unordered_map<std::size_t, std::size_t> textOwner;
};

FileOutline OutlineMessageFile(std::string_view bytes);

}  // namespace tralvex::tool

#endif
