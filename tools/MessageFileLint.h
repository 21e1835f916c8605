// `check` of one message file: every line classified by the library's own
// line syntax, and findings for whatever the parser would do silently that
// the file's writer would not expect.
#ifndef TRALVEX_TOOLS_MESSAGEFILELINT_H
#define TRALVEX_TOOLS_MESSAGEFILELINT_H

#include <string_view>

#include "Diagnostics.h"

namespace tralvex::tool {

struct MessageLintOptions {
  // Look for byte sequences the active code page cannot read.
  bool checkEncoding = false;
};

// `bytes` is the whole file; findings are placed by `fileName`.
void LintMessageFile(std::string_view fileName, std::string_view bytes,
                     const MessageLintOptions& options, DiagnosticList& out);

}  // namespace tralvex::tool

#endif
