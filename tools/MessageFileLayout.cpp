#include "MessageFileLayout.h"

#include <algorithm>

#include "catalogue/MessageFileSyntax.h"
#include "platform/CodePage.h"

namespace tralvex::tool {

MessageFileLayout::MessageFileLayout(std::string_view bytes) : size_(bytes.size()) {
  std::size_t cr = bytes.find('\r');
  if (cr != std::string_view::npos && (cr + 1 == bytes.size() || bytes[cr + 1] != '\n')) {
    lineEnd_ = "\r";
  }
  const char* base = bytes.data();
  const char* cursor = base;
  const char* end = base + bytes.size();
  std::size_t current = kNoIndex;
  auto offset = [base](const char* p) { return static_cast<std::size_t>(p - base); };
  while (cursor < end) {
    LineSpan span;
    span.start = offset(cursor);
    std::string_view line = NextLine(cursor, end);
    span.end = offset(line.data() + line.size());
    span.next = offset(cursor);
    LineInfo info = ClassifyLine(line);
    if (info.kind == LineKind::kSectionHeader) {
      current = SectionIndex(platform::UpperCase(info.name));
      WrittenSection& section = sections_[current];
      if (section.header == kNoIndex) {
        section.header = span.start;
        section.writtenName = std::string(info.name);
      }
      if (firstHeader_ == kNoIndex) firstHeader_ = span.start;
      section.afterHeading = span.next;
    } else if (info.kind == LineKind::kAlias && current != kNoIndex && !info.target.empty()) {
      sections_[current].aliasTarget = std::string(info.target);
      sections_[current].aliasLine = std::string(line);
      sections_[current].afterHeading = span.next;
    } else if (info.kind == LineKind::kMessage) {
      if (current == kNoIndex) current = SectionIndex(kInvisibleSectionName);
      WrittenMessage message;
      message.number = info.number;
      message.section = current;
      message.line = span;
      const char* lineEnd = line.data() + line.size();
      const char* colon = platform::FindChar(line.data(), lineEnd, ':');
      message.textPart = offset(colon + 1);
      const char* cut = platform::FindLastChar(colon + 1, lineEnd, ';');
      message.cut = cut != nullptr ? offset(cut) : span.end;
      message.text = offset(info.text.data());
      message.textLength = info.text.size();
      message.counts = ownByNumber_[current].emplace(info.number, messages_.size()).second;
      if (message.counts) sections_[current].own.push_back(messages_.size());
      messages_.push_back(message);
    }
  }
  for (WrittenSection& section : sections_) {
    std::sort(section.own.begin(), section.own.end(), [this](std::size_t a, std::size_t b) {
      return messages_[a].number < messages_[b].number;
    });
  }
}

std::size_t MessageFileLayout::SectionIndex(std::string_view name) {
  auto [it, added] = byName_.emplace(std::string(name), sections_.size());
  if (added) {
    WrittenSection section;
    section.name = std::string(name);
    sections_.push_back(std::move(section));
    ownByNumber_.emplace_back();
  }
  return it->second;
}

std::size_t MessageFileLayout::FindSection(std::string_view name) const {
  auto it = byName_.find(std::string(name));
  return it == byName_.end() ? kNoIndex : it->second;
}

std::size_t MessageFileLayout::FindOwn(std::size_t section, uint32_t number) const {
  if (section >= ownByNumber_.size()) return kNoIndex;
  auto it = ownByNumber_[section].find(number);
  return it == ownByNumber_[section].end() ? kNoIndex : it->second;
}

}  // namespace tralvex::tool
