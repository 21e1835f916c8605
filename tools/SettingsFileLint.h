// `check` of a "Tralvex.ini": what a message context skips without a word,
// and ranges that do not hold what their files define.
#ifndef TRALVEX_TOOLS_SETTINGSFILELINT_H
#define TRALVEX_TOOLS_SETTINGSFILELINT_H

#include <string>

#include "Diagnostics.h"

namespace tralvex::tool {

// `path` names the settings file, `bytes` its contents; the message files it
// lists are completed against its directory.
void LintSettingsFile(const std::string& fileName, const std::string& path,
                      const std::string& bytes, DiagnosticList& out);

}  // namespace tralvex::tool

#endif
