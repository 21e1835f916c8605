// A message file parsed by the library's own parser, for the commands that
// show what the library makes of a file.
#ifndef TRALVEX_TOOLS_MESSAGEFILELOADER_H
#define TRALVEX_TOOLS_MESSAGEFILELOADER_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/MessageFileData.h"

namespace tralvex::tool {

// Parses the file; false with a reason when it cannot be read or the
// library refuses it.
bool LoadMessageFile(const std::string& path, MessageFileData& data, std::string& reason);

// The numbers of a section in ascending order.
std::vector<uint32_t> SortedNumbers(const MessageSection& section);

}  // namespace tralvex::tool

#endif
