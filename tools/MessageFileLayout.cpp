#include "MessageFileLayout.h"

#include <algorithm>
#include <cstring>

#include "catalogue/MessageFileSyntax.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

// The lines the library sees: those ended by a carriage return, and a last
// one after it.
std::size_t CountLines(std::string_view bytes) {
  std::size_t lines = 1;
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  while ((p = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p)))) !=
         nullptr) {
    ++lines;
    ++p;
  }
  return lines;
}

}  // namespace

MessageFileLayout::MessageFileLayout(std::string_view bytes) : size_(bytes.size()) {
  std::size_t cr = bytes.find('\r');
  if (cr != std::string_view::npos && (cr + 1 == bytes.size() || bytes[cr + 1] != '\n')) {
    lineEnd_ = "\r";
  }
  const char* base = bytes.data();
  const char* cursor = base;
  const char* end = base + bytes.size();
  // Room for a message on every line, so that the list is not copied as it
  // grows: counting the lines costs far less than the copies.
  messages_.reserve(CountLines(bytes));
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
      sections_[current].own.push_back(messages_.size());
      messages_.push_back(message);
    }
  }
  for (WrittenSection& section : sections_) KeepFirstDefinitions(section.own);
}

void MessageFileLayout::KeepFirstDefinitions(std::vector<std::size_t>& own) {
  auto byNumber = [this](std::size_t a, std::size_t b) {
    return messages_[a].number < messages_[b].number;
  };
  // Files list their numbers mostly in order; a stable sort keeps the lines
  // of one number in file order, the first of them the one that counts.
  if (!std::is_sorted(own.begin(), own.end(), byNumber)) {
    std::stable_sort(own.begin(), own.end(), byNumber);
  }
  std::size_t kept = 0;
  for (std::size_t m : own) {
    if (kept != 0 && messages_[own[kept - 1]].number == messages_[m].number) continue;
    messages_[m].counts = true;
    own[kept++] = m;
  }
  own.resize(kept);
}

std::size_t MessageFileLayout::SectionIndex(std::string_view name) {
  auto [it, added] = byName_.emplace(std::string(name), sections_.size());
  if (added) {
    WrittenSection section;
    section.name = std::string(name);
    sections_.push_back(std::move(section));
  }
  return it->second;
}

std::size_t MessageFileLayout::FindSection(std::string_view name) const {
  auto it = byName_.find(std::string(name));
  return it == byName_.end() ? kNoIndex : it->second;
}

std::size_t MessageFileLayout::FindOwn(std::size_t section, uint32_t number) const {
  if (section >= sections_.size()) return kNoIndex;
  const std::vector<std::size_t>& own = sections_[section].own;
  auto it = std::lower_bound(own.begin(), own.end(), number,
                             [this](std::size_t m, uint32_t n) { return messages_[m].number < n; });
  return it != own.end() && messages_[*it].number == number ? *it : kNoIndex;
}

}  // namespace tralvex::tool
