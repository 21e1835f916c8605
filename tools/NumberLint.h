// The part of a message line before its colon, read as the library reads a
// message number: what of it is silently ignored or read unlike it looks.
#ifndef TRALVEX_TOOLS_NUMBERLINT_H
#define TRALVEX_TOOLS_NUMBERLINT_H

#include <cstdint>
#include <string_view>

#include "Reporter.h"

namespace tralvex::tool {

// `number` is what the library read from `part`.
void CheckNumberPart(std::string_view part, uint32_t number, Reporter& report);

}  // namespace tralvex::tool

#endif
