// Reading a message file for a command, the way the library reads it: the
// whole file into one buffer, then the parser over it.
#ifndef TRALVEX_TOOLS_MESSAGEFILELOADER_H
#define TRALVEX_TOOLS_MESSAGEFILELOADER_H

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/MessageFileData.h"

namespace tralvex::tool {

enum class LoadResult { kLoaded, kUnreadable, kParseFailed };

// Loads path into data. On kUnreadable, reason says why (also for a file
// that is not text); on kParseFailed, data's error list says why and reason
// sums it up. Either way the caller reports it.
LoadResult LoadMessageFile(const std::string& path, MessageFileData& data, std::string& reason);

// What the parser's error list means, one line per error.
std::string DescribeParseErrors(const MessageFileData& data);

// The numbers of a section in ascending order.
std::vector<uint32_t> SortedNumbers(const MessageSection& section);

}  // namespace tralvex::tool

#endif
