#include "FileOutline.h"

#include "catalogue/MessageFileSyntax.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

std::size_t SectionIndex(std::vector<OutlinedSection>& sections, const std::string& name) {
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (sections[i].name == name) return i;
  }
  sections.push_back(OutlinedSection{name, {}, {}});
  return sections.size() - 1;
}

}  // namespace

std::vector<OutlinedSection> OutlineMessageFile(std::string_view bytes) {
  std::vector<OutlinedSection> sections;
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t current = kNone;
  const char* cursor = bytes.data();
  const char* end = cursor + bytes.size();
  while (cursor < end) {
    LineInfo info = ClassifyLine(NextLine(cursor, end));
    if (info.kind == LineKind::kSectionHeader) {
      current = SectionIndex(sections, platform::UpperCase(info.name));
    } else if (info.kind == LineKind::kAlias && current != kNone && !info.target.empty()) {
      sections[current].aliasTarget = std::string(info.target);
    } else if (info.kind == LineKind::kMessage) {
      if (current == kNone) current = SectionIndex(sections, kInvisibleSectionName);
      sections[current].own.insert(info.number);
    }
  }
  return sections;
}

}  // namespace tralvex::tool
