#ifndef TRALVEX_API_ESCAPES_H
#define TRALVEX_API_ESCAPES_H

#include <string>
#include <string_view>

namespace tralvex {

// Turns backslash-n into a newline and backslash-t into a tab. Returns the
// text itself when it is null, empty or holds no backslash; otherwise the
// expanded text, held in `storage`. Any other escaped character stays, with
// its backslash, and is not looked at again ("\\n" stays as written).
const char* ExpandEscapes(const char* text, std::string& storage);

// The same for a text whose length is known: the text itself when it holds
// no backslash, else a view of `storage`.
std::string_view ExpandEscapes(std::string_view text, std::string& storage);

}  // namespace tralvex

#endif
