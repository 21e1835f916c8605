// One translation held against its base, section by section after aliases:
// what it lacks, what it has beyond the base, and texts whose arguments,
// references, escapes, length or bytes differ from what the base promises.
#ifndef TRALVEX_TOOLS_COMPARE_TRANSLATIONCOMPARISON_H
#define TRALVEX_TOOLS_COMPARE_TRANSLATIONCOMPARISON_H

#include "CodePageText.h"
#include "Diagnostics.h"
#include "LoadedMessageFile.h"
#include "compare/Progress.h"

namespace tralvex::tool {

// Findings are placed at the translation's line, each followed by a note at
// the base's line where there is one. With `encoding`, every text of the
// translation is also read in its code page.
FileProgress CompareTranslation(const LoadedMessageFile& base, const LoadedMessageFile& translation,
                                const CodePageText* encoding, DiagnosticList& out);

}  // namespace tralvex::tool

#endif
