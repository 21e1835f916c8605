// The little JSON the tool writes: escaped strings, nothing else is needed.
#ifndef TRALVEX_TOOLS_JSON_H
#define TRALVEX_TOOLS_JSON_H

#include <string>
#include <string_view>

namespace tralvex::tool {

// The text as a quoted JSON string. Bytes of 0x80 and above pass through
// unchanged: message texts are in the file's code page, and the reader must
// know it as the writer of the file did.
std::string JsonString(std::string_view text);

}  // namespace tralvex::tool

#endif
