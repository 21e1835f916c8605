// Reading a message file for a command, the way the library reads it: the
// whole file into one buffer, then the parser over it in place.
#ifndef TRALVEX_TOOLS_MESSAGEFILELOADER_H
#define TRALVEX_TOOLS_MESSAGEFILELOADER_H

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/MessageFileData.h"

namespace tralvex::tool {

enum class LoadResult { kLoaded, kUnreadable, kParseFailed };

// Reads the file at path (a name the system takes as it is) once and parses
// it into data. beforeParse, when given, sees the file's bytes before the
// parser splits them, in the buffer the parsed texts then point into. On
// kUnreadable, reason says why (also for a file that is not text); on
// kParseFailed, data's error list says why and reason sums it up. Either way
// the caller reports it.
LoadResult LoadMessageFile(const std::string& path, MessageFileData& data, std::string& reason,
                           const std::function<void(std::string_view)>& beforeParse = nullptr);

// The numbers of a section in ascending order.
std::vector<uint32_t> SortedNumbers(const MessageSection& section);

}  // namespace tralvex::tool

#endif
