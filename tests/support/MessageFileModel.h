// A plain model of what parsing a message file gives: each section's own
// messages in a std::map (the first definition of a number wins), and the
// messages a section ends up with found by walking its alias chain one
// section at a time. Texts are offsets into the file's bytes, so that the
// model and the parser can be compared by position, not just by content.
// Lines are classified with the library's own grammar: what is modelled is
// the sections, not the syntax.
#ifndef TRALVEX_TESTS_SUPPORT_MESSAGEFILEMODEL_H
#define TRALVEX_TESTS_SUPPORT_MESSAGEFILEMODEL_H

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/MessageFileSyntax.h"
#include "platform/CodePage.h"

namespace tralvex::test {

struct ModelSection {
  std::string name;                     // upper-cased
  std::optional<std::string> target;    // upper-cased
  std::map<uint32_t, std::size_t> own;  // number -> text offset
};

struct MessageFileModel {
  std::vector<ModelSection> sections;  // in order of creation
  std::unordered_map<std::string, std::size_t> byName;

  std::size_t Obtain(const std::string& name) {
    auto [place, added] = byName.emplace(name, sections.size());
    if (added) sections.push_back(ModelSection{name, std::nullopt, {}});
    return place->second;
  }

  // True when every alias chain reaches only sections that exist.
  bool Opens() const {
    for (std::size_t i = 0; i < sections.size(); ++i) {
      if (!Resolved(i)) return false;
    }
    return true;
  }

  // The messages section i ends up with, or nothing when its chain reaches
  // a missing section.
  std::optional<std::map<uint32_t, std::size_t>> Resolved(std::size_t i) const {
    std::map<uint32_t, std::size_t> messages = sections[i].own;
    std::vector<bool> seen(sections.size());
    seen[i] = true;
    for (std::size_t at = i; sections[at].target;) {
      auto next = byName.find(*sections[at].target);
      if (next == byName.end()) return std::nullopt;
      if (seen[next->second]) break;
      seen[next->second] = true;
      at = next->second;
      messages.insert(sections[at].own.begin(), sections[at].own.end());
    }
    return messages;
  }
};

inline MessageFileModel ModelOf(std::string_view bytes) {
  MessageFileModel model;
  const char* begin = bytes.data();
  const char* cursor = begin;
  const char* end = begin + bytes.size();
  std::optional<std::size_t> current;
  while (cursor < end) {
    LineInfo info = ClassifyLine(NextLine(cursor, end));
    if (info.kind == LineKind::kSectionHeader) {
      current = model.Obtain(platform::UpperCase(info.name));
    } else if (info.kind == LineKind::kAlias) {
      if (current && !info.target.empty()) {
        model.sections[*current].target = platform::UpperCase(info.target);
      }
    } else if (info.kind == LineKind::kMessage) {
      if (!current) current = model.Obtain(kInvisibleSectionName);
      model.sections[*current].own.emplace(info.number,
                                           static_cast<std::size_t>(info.text.data() - begin));
    }
  }
  // An alias to the section itself is dropped.
  for (ModelSection& section : model.sections) {
    if (section.target && *section.target == section.name) section.target.reset();
  }
  return model;
}

}  // namespace tralvex::test

#endif
