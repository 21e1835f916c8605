// Edits of a profile file's text. Each edit touches only the lines it must,
// in the file's own line-end style, and leaves every other byte as it was.
#ifndef TRALVEX_PLATFORM_POSIX_PROFILEWRITER_H
#define TRALVEX_PLATFORM_POSIX_PROFILEWRITER_H

#include <string>
#include <string_view>

#include "platform/posix/ProfileDocument.h"

namespace tralvex::platform {

// Names and values that would not read back as written (a line break, a
// keyword holding "=" or looking like a comment or a section) are refused.
bool IsStorableSectionName(std::string_view section);
bool IsStorableKeyword(std::string_view keyword);
bool IsStorableValue(std::string_view value);

// Each returns false when the text stays as it is; otherwise *text receives
// the new text. Names are trimmed of blanks and matched case-insensitively.
bool SetProfileValue(const ProfileDocument& document, std::string_view section,
                     std::string_view keyword, std::string_view value, std::string* text);
bool DeleteProfileKeyword(const ProfileDocument& document, std::string_view section,
                          std::string_view keyword, std::string* text);
bool DeleteProfileSection(const ProfileDocument& document, std::string_view section,
                          std::string* text);

}  // namespace tralvex::platform

#endif
