// The texts of a message file as a PO file: one entry per message in the
// section whose line defines it, its context "SECTION/NUMBER", the base text
// as msgid and the translation's text, if any, as msgstr, all in UTF-8.
#ifndef TRALVEX_TOOLS_PO_POEXPORT_H
#define TRALVEX_TOOLS_PO_POEXPORT_H

#include <string>
#include <vector>

#include "CodePageText.h"
#include "Diagnostics.h"
#include "LoadedMessageFile.h"
#include "po/PoFile.h"

namespace tralvex::tool {

struct ExportSettings {
  const CodePageText* codePage = nullptr;  // of both message files
  std::string language;                    // the header's Language; may be empty
};

// Fills po, which must be empty, from base and, unless it is null, the
// translation. Texts that are no characters of the code page cannot be
// written in UTF-8: each is added to problems, and the result is then not
// to be used.
void BuildPo(const LoadedMessageFile& base, const LoadedMessageFile* translation,
             const ExportSettings& settings, PoFile& po, DiagnosticList& problems);

// "SECTION/NUMBER", the number in upper-case hexadecimal.
std::string EntryContext(const std::string& section, uint32_t number);

}  // namespace tralvex::tool

#endif
