#include "FileOutline.h"

#include "catalogue/MessageFileSyntax.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

std::size_t SectionIndex(FileOutline& outline, std::unordered_map<std::string, std::size_t>& byName,
                         const std::string& name) {
  auto [found, added] = byName.emplace(name, outline.sections.size());
  if (added) outline.sections.push_back(OutlinedSection{name, {}});
  return found->second;
}

}  // namespace

FileOutline OutlineMessageFile(std::string_view bytes) {
  FileOutline outline;
  std::unordered_map<std::string, std::size_t> byName;
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t current = kNone;
  const char* cursor = bytes.data();
  const char* end = cursor + bytes.size();
  while (cursor < end) {
    LineInfo info = ClassifyLine(NextLine(cursor, end));
    if (info.kind == LineKind::kSectionHeader) {
      current = SectionIndex(outline, byName, platform::UpperCase(info.name));
    } else if (info.kind == LineKind::kAlias && current != kNone && !info.target.empty()) {
      outline.sections[current].aliasTarget = std::string(info.target);
    } else if (info.kind == LineKind::kMessage) {
      if (current == kNone) current = SectionIndex(outline, byName, kInvisibleSectionName);
      outline.textOwner.emplace(static_cast<std::size_t>(info.text.data() - bytes.data()), current);
    }
  }
  return outline;
}

}  // namespace tralvex::tool
