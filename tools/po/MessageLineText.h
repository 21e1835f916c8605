// Writing a text onto a message line so that the library reads back exactly
// that text: the parser cuts at the last ";", trims blanks and drops one
// leading and one trailing double quote, so a text with blanks at either
// end, a quote at either end or a ";" needs quotes, and a ";" in it needs a
// ";" after it.
#ifndef TRALVEX_TOOLS_PO_MESSAGELINETEXT_H
#define TRALVEX_TOOLS_PO_MESSAGELINETEXT_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "MessageFileLayout.h"

namespace tralvex::tool {

// True when the line, as the library classifies it, is a message line of
// that number and text.
bool ReadsBackAs(std::string_view line, uint32_t number, std::string_view text);

// The message line `written` (without its line end) of `bytes` with its text
// replaced: the line keeps its number, spacing, quotes and comment where the
// text allows, and gains quotes (and a ";") where it needs them. Nothing
// when no line can hold the text (a carriage return in it).
std::optional<std::string> ReplaceText(std::string_view bytes, const WrittenMessage& written,
                                       std::string_view text);

// A new message line "1A2: text", quoted where the text needs it.
std::optional<std::string> NewMessageLine(uint32_t number, std::string_view text);

}  // namespace tralvex::tool

#endif
