// Byte sequences the active code page cannot read: a lead byte without a
// valid second byte on a double-byte page, or broken UTF-8 on code page
// 65001.
#ifndef TRALVEX_TOOLS_ENCODINGLINT_H
#define TRALVEX_TOOLS_ENCODINGLINT_H

#include <string_view>

#include "Reporter.h"

namespace tralvex::tool {

// Whether byte c can follow a lead byte on code page id (932, 936, 949, 950).
bool IsTrailByte(unsigned id, unsigned char c);

void CheckEncoding(std::string_view bytes, Reporter& report);

}  // namespace tralvex::tool

#endif
