// Checks of one message's text: what the parser cuts or drops from it, and
// what evaluation and formatting will make of it.
#ifndef TRALVEX_TOOLS_TEXTLINT_H
#define TRALVEX_TOOLS_TEXTLINT_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "Reporter.h"

namespace tralvex::tool {

// The display functions' limits: a message box shows 1023 characters, an
// error box 119 of an error's text.
constexpr std::size_t kMessageBoxLimit = 1023;
constexpr std::size_t kErrorTextLimit = 119;

// A reference in braces that names a message by number.
struct ReferenceUse {
  uint32_t number;
  const char* at;  // the "{"
};

// `textPart` is everything after the message line's colon, `text` what the
// parser kept of it (a view into textPart).
void CheckCutAndQuotes(std::string_view textPart, std::string_view text, Reporter& report);

// Reports references that evaluation drops or reads as no number, and more
// than it evaluates; returns those that name a message, for the check that
// every named message exists.
std::vector<ReferenceUse> CheckReferences(std::string_view text, Reporter& report);

void CheckConversions(std::string_view text, Reporter& report);

void CheckLength(std::string_view text, Reporter& report);

}  // namespace tralvex::tool

#endif
