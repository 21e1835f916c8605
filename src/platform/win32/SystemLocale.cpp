// The user's locale and the ANSI code page, as Windows reports them.
#include <windows.h>

#include "platform/CodePage.h"
#include "platform/Locale.h"

namespace tralvex::platform {

uint32_t UserDefaultLocaleId() { return GetUserDefaultLCID(); }

unsigned SystemCodePageId() { return GetACP(); }

bool LoadSystemCodePage(CodePage& table) {
  const unsigned id = GetACP();
  // A UTF-8 system page has no lead bytes in the double-byte sense, and
  // upper-casing a lone byte of a UTF-8 sequence means nothing: the
  // built-in table (ASCII only) is the right one.
  if (id == CP_UTF8) return false;
  table.id = id;
  table.doubleByte = false;
  for (int c = 0; c < 256; ++c) {
    const bool lead = IsDBCSLeadByteEx(id, static_cast<BYTE>(c)) != 0;
    table.leadByte[c] = lead ? 1 : 0;
    if (lead) table.doubleByte = true;
    char single = static_cast<char>(c);
    if (!lead && c != 0) CharUpperBuffA(&single, 1);
    table.upper[c] = static_cast<unsigned char>(single);
  }
  return true;
}

}  // namespace tralvex::platform
