// Translations from a PO file written into a translation's message file.
// Every entry is checked before anything is changed; the changed file is
// parsed again and every text of it compared with what was meant, so that
// nothing is written unless the library reads back exactly the translations
// and every other text as it was.
#ifndef TRALVEX_TOOLS_PO_POIMPORT_H
#define TRALVEX_TOOLS_PO_POIMPORT_H

#include <cstddef>
#include <string>

#include "CodePageText.h"
#include "Diagnostics.h"
#include "LoadedMessageFile.h"
#include "po/PoEntries.h"

namespace tralvex::tool {

// No application buffer holds a longer text; a PO entry this long is most
// likely a pasted file.
constexpr std::size_t kLongestImportedText = 65535;

struct ImportReport {
  std::size_t changed = 0;        // texts replaced on their lines
  std::size_t added = 0;          // messages added
  std::size_t sectionsAdded = 0;  // sections added, for those messages or as alias targets
  std::size_t unchanged = 0;      // translations the file already had
};

// The translation's bytes with the PO's translations in them. False, with
// every reason in problems (placed at the PO file's lines where they stem
// from an entry), when any entry cannot be written.
bool ImportTranslations(const std::string& poPath, const PoEntries& entries,
                        const LoadedMessageFile& translation, const CodePageText& codePage,
                        std::string& result, ImportReport& report, DiagnosticList& problems);

}  // namespace tralvex::tool

#endif
