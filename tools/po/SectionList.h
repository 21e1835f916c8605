// The base's sections and their alias lines, carried in a PO file's header
// field "X-Tralvex-Sections", so that an import can add a section the
// translation lacks with the alias line the base gives it, and can tell a
// section of the base from a name that is no section at all.
#ifndef TRALVEX_TOOLS_PO_SECTIONLIST_H
#define TRALVEX_TOOLS_PO_SECTIONLIST_H

#include <optional>
#include <string>
#include <vector>

namespace tralvex::tool {

inline constexpr const char* kSectionsField = "X-Tralvex-Sections";

struct ListedSection {
  std::string name;         // upper-cased, as contexts name it
  std::string aliasTarget;  // as the base's alias line writes it; empty for none
};

// "COMMON, EDITOR=Common, DIALOGS=Editor": a name, "=" and the alias target
// when there is one, entries separated by ", ". "%", ",", "=", control
// characters and blanks at either end are written as "%" and two hex digits.
std::string FormatSectionList(const std::vector<ListedSection>& sections);

// Nothing when the value is not such a list.
std::optional<std::vector<ListedSection>> ParseSectionList(const std::string& value);

}  // namespace tralvex::tool

#endif
