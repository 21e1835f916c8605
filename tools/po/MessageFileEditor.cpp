#include "po/MessageFileEditor.h"

#include <algorithm>

#include "catalogue/MessageFileSyntax.h"
#include "po/MessageLineText.h"

namespace tralvex::tool {

bool MessageFileEditor::Replace(std::size_t message, const std::string& text) {
  const WrittenMessage& written = layout_.Messages()[message];
  std::optional<std::string> line = ReplaceText(bytes_, written, text);
  if (!line) return false;
  edits_.push_back({written.line.start, written.line.end - written.line.start, written.number,
                    std::move(*line)});
  return true;
}

bool MessageFileEditor::Add(std::size_t section, uint32_t number, const std::string& text) {
  std::optional<std::string> line = NewMessageLine(number, text);
  if (!line) return false;
  std::size_t at = InsertionPoint(section, number);
  edits_.push_back({at, 0, number, LineStartAt(at) + *line + layout_.LineEnd()});
  return true;
}

void MessageFileEditor::AddSection(const std::string& name, const std::string& aliasTarget) {
  newSections_.push_back({name, aliasTarget, {}});
}

bool MessageFileEditor::AddToNewSection(const std::string& name, uint32_t number,
                                        const std::string& text) {
  std::optional<std::string> line = NewMessageLine(number, text);
  if (!line) return false;
  for (NewSection& section : newSections_) {
    if (section.name == name) section.lines.emplace_back(number, std::move(*line));
  }
  return true;
}

std::size_t MessageFileEditor::InsertionPoint(std::size_t section, uint32_t number) const {
  const WrittenSection& written = layout_.Sections()[section];
  const auto& messages = layout_.Messages();
  auto after =
      std::lower_bound(written.own.begin(), written.own.end(), number,
                       [&messages](std::size_t m, uint32_t n) { return messages[m].number < n; });
  if (after != written.own.begin()) return messages[*(after - 1)].line.next;
  if (after != written.own.end()) return messages[*after].line.start;
  return written.afterHeading;
}

std::string MessageFileEditor::LineStartAt(std::size_t offset) const {
  if (offset == 0 || bytes_.empty()) return std::string();
  char before = bytes_[offset - 1];
  // The library ends lines at a carriage return only.
  bool atLineStart =
      before == '\r' || (before == '\n' && offset >= 2 && bytes_[offset - 2] == '\r');
  return atLineStart ? std::string() : layout_.LineEnd();
}

std::string MessageFileEditor::SectionText(const NewSection& section) const {
  const std::string& end = layout_.LineEnd();
  std::string alias = section.aliasTarget.empty() ? "" : "Alias: " + section.aliasTarget + end;
  // In number order, the lines themselves not copied to sort them.
  std::vector<const std::pair<uint32_t, std::string>*> lines;
  lines.reserve(section.lines.size());
  for (const auto& line : section.lines) lines.push_back(&line);
  auto before = [](const auto* a, const auto* b) { return *a < *b; };
  if (!std::is_sorted(lines.begin(), lines.end(), before)) {
    std::sort(lines.begin(), lines.end(), before);
  }
  std::string messages;
  for (const auto* line : lines) messages.append(line->second).append(end);
  // Before any header, an alias line counts only after a message.
  if (section.name == kInvisibleSectionName) return messages + (messages.empty() ? "" : alias);
  return "[" + section.name + "]" + end + alias + messages;
}

std::string MessageFileEditor::Result() const {
  // The edits in file order, the edits themselves not copied to sort them.
  std::vector<const Edit*> edits;
  edits.reserve(edits_.size());
  for (const Edit& edit : edits_) edits.push_back(&edit);
  std::stable_sort(edits.begin(), edits.end(), [](const Edit* a, const Edit* b) {
    if (a->offset != b->offset) return a->offset < b->offset;
    // A replacement starts a line; additions before that line come first.
    if ((a->replaced == 0) != (b->replaced == 0)) return a->replaced == 0;
    return a->number < b->number;
  });
  std::size_t added = 0;
  for (const Edit& edit : edits_) added += edit.text.size();
  std::string result;
  result.reserve(bytes_.size() + added + 256);
  std::size_t copied = 0;
  for (const Edit* edit : edits) {
    result.append(bytes_, copied, edit->offset - copied);
    result += edit->text;
    copied = edit->offset + edit->replaced;
  }
  result.append(bytes_, copied, std::string::npos);
  std::string invisible;
  std::vector<std::string> appended;
  for (const NewSection& section : newSections_) {
    if (section.name == kInvisibleSectionName) {
      invisible += SectionText(section);
    } else {
      appended.push_back(SectionText(section));
    }
  }
  if (!invisible.empty()) {
    // Messages before any header go in front of the first header.
    std::size_t at = layout_.FirstHeader();
    if (at == kNoIndex) {
      appended.insert(appended.begin(), invisible);
    } else {
      std::size_t shifted = at;
      for (const Edit* edit : edits) {
        if (edit->offset < at) shifted = shifted + edit->text.size() - edit->replaced;
      }
      result.insert(shifted, invisible);
    }
  }
  for (const std::string& section : appended) {
    if (!result.empty()) {
      char last = result.back();
      bool lineEnded =
          last == '\r' || (last == '\n' && result.size() >= 2 && result[result.size() - 2] == '\r');
      if (!lineEnded) result += layout_.LineEnd();
      result += layout_.LineEnd();  // a blank line before the section
    }
    result += section;
  }
  return result;
}

}  // namespace tralvex::tool
