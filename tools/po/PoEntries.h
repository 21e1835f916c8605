// The translations a PO file hands back, checked entry by entry before any
// of them is used: each names its message by its context "SECTION/NUMBER".
#ifndef TRALVEX_TOOLS_PO_POENTRIES_H
#define TRALVEX_TOOLS_PO_POENTRIES_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Diagnostics.h"
#include "po/PoScan.h"
#include "po/SectionList.h"

namespace tralvex::tool {

struct PoEntry {
  std::string context;  // as written, for messages
  std::string section;  // in UTF-8, as the context names it
  uint32_t number = 0;
  std::string text;      // the msgstr, UTF-8
  std::size_t line = 0;  // of its msgid in the PO file; 0 when unknown
};

struct PoEntries {
  std::vector<PoEntry> translated;
  // The header's list of the base's sections, if it has one (UTF-8).
  std::optional<std::vector<ListedSection>> sections;
  std::size_t headerLine = 0;
  std::size_t untranslated = 0;
  std::size_t fuzzy = 0;
  std::size_t obsolete = 0;
};

// Reads the PO text through libgettextpo. Every entry that cannot be a
// message's translation is a problem placed at its line: no context, a
// context that is no "SECTION/NUMBER", plural forms, invalid UTF-8, a header
// in another charset. Untranslated and fuzzy entries are counted and left
// out, obsolete ones ignored. False when there is any problem.
bool ReadPoEntries(const std::string& path, const std::string& bytes, PoEntries& entries,
                   DiagnosticList& problems);
// The same for the PO file at path, which the library reads itself; scan is
// the caller's of the file, which places the entries.
bool ReadPoFileEntries(const std::string& path, PoScan scan, PoEntries& entries,
                       DiagnosticList& problems);

// The lines of the entries' msgid keywords, in file order; the header's
// first. Only where the text keeps no surprise.
std::vector<std::size_t> EntryLines(const std::string& bytes);

}  // namespace tralvex::tool

#endif
