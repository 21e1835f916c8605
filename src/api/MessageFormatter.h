// Formatting of message texts with argument texts. A message text comes from
// a file, so it must never steer reads or writes of memory the way a printf
// format would: this formatter speaks printf's format language but only ever
// reads the argument texts it was given.
#ifndef TRALVEX_API_MESSAGEFORMATTER_H
#define TRALVEX_API_MESSAGEFORMATTER_H

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace tralvex {

// A width or precision, written or taken by "*", above this is taken as it.
constexpr std::size_t kMaxFieldWidth = 4096;
constexpr std::size_t kNoOutputLimit = std::numeric_limits<std::size_t>::max();

// Appends `format` with its conversions filled from `args` (count texts, a
// null entry standing for "%s"; args may be null when count is 0) to `out`,
// at most `limit` bytes. Conversions beyond the arguments take the text "%s".
// The rules are those documented beside the formatting exports in tralvex.h.
void FormatWithTexts(std::string_view format, const char* const* args, std::size_t count,
                     std::size_t limit, std::string& out);

// The same into a caller's buffer: at most `room` bytes, then a terminator;
// returns the number of bytes before the terminator. Neither the format nor
// the argument texts may lie in the buffer.
std::size_t FormatIntoBuffer(std::string_view format, const char* const* args, std::size_t count,
                             char* buffer, std::size_t room);

// Expands the escapes of `text` and formats it with the arguments of an
// argument record: when count is 1, args is the single argument text;
// otherwise an array of count texts, cut at the length of the expanded text
// plus the lengths of the arguments. A null args stands for arguments that
// are all "%s". Returns 1, or 0 for a null text or when memory runs out.
int FormatMessageArguments(const char* text, const void* args, uint32_t count, std::string& result);

}  // namespace tralvex

#endif
