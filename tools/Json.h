// The little JSON the tool writes: quoted strings, always UTF-8, so that any
// JSON parser takes the whole document.
#ifndef TRALVEX_TOOLS_JSON_H
#define TRALVEX_TOOLS_JSON_H

#include <string>
#include <string_view>

namespace tralvex::tool {

// A text of a message or settings file, or a finding about one, as a quoted
// JSON string: converted from the active code page (--codepage, else the
// system's) to UTF-8. A text holding bytes that are no character of the
// code page is written with each such byte as the four characters \xNN
// and, in that text only, a backslash before "x" or before another
// backslash doubled, so that no two texts read the same.
std::string JsonString(std::string_view text);

// A file name as given on the command line: UTF-8 as it is, and the bytes
// of any other encoding written as JsonString writes bytes it cannot read.
std::string JsonPath(std::string_view path);

}  // namespace tralvex::tool

#endif
