#include "platform/posix/ProfileDocument.h"

#include <utility>

#include "platform/CodePage.h"

namespace tralvex::platform {
namespace {

bool IsBlankByte(char c) { return c == ' ' || c == '\t'; }

// [begin, end) narrowed past blanks on both sides.
void TrimRange(const std::string& text, std::size_t& begin, std::size_t& end) {
  while (begin < end && IsBlankByte(text[begin])) ++begin;
  while (end > begin && IsBlankByte(text[end - 1])) --end;
}

// A name ends at a NUL byte: no caller can pass a name beyond one, so the
// name is what lies before it, and that is how it is listed, read and erased.
void CutAtNul(const std::string& text, std::size_t begin, std::size_t& end) {
  std::size_t nul = text.find('\0', begin);
  if (nul < end) {
    end = nul;
    while (end > begin && IsBlankByte(text[end - 1])) --end;
  }
}

}  // namespace

std::string ProfileNameKey(std::string_view name) {
  std::size_t begin = 0;
  std::size_t end = name.size();
  while (begin < end && IsBlankByte(name[begin])) ++begin;
  while (end > begin && IsBlankByte(name[end - 1])) --end;
  return UpperCase(name.substr(begin, end - begin));
}

ProfileDocument::ProfileDocument(std::string text) : text_(std::move(text)) {
  SplitLines();
  BuildIndex();
}

void ProfileDocument::SplitLines() {
  bool lineEndSeen = false;
  std::size_t start = 0;
  const std::size_t size = text_.size();
  while (start < size) {
    std::size_t pos = start;
    while (pos < size && text_[pos] != '\n' && text_[pos] != '\r') ++pos;
    ProfileLine line;
    line.start = start;
    line.contentEnd = pos;
    std::size_t endLength = 0;
    if (pos < size)
      endLength = (text_[pos] == '\r' && pos + 1 < size && text_[pos + 1] == '\n') ? 2 : 1;
    line.end = pos + endLength;
    if (endLength != 0 && !lineEndSeen) {
      lineEnd_ = text_.substr(pos, endLength);
      lineEndSeen = true;
    }
    ClassifyLine(line);
    lines_.push_back(line);
    start = line.end;
  }
}

void ProfileDocument::ClassifyLine(ProfileLine& line) const {
  std::size_t begin = line.start;
  std::size_t end = line.contentEnd;
  TrimRange(text_, begin, end);
  if (begin == end) {
    line.kind = ProfileLineKind::blank;
    return;
  }
  const char* base = text_.data();
  if (text_[begin] == ';') {
    line.kind = ProfileLineKind::comment;
    return;
  }
  if (text_[begin] == '[') {
    // The last "]" closes the name, so a name that holds "]" reads back as
    // it was written.
    const char* close = FindLastChar(base + begin + 1, base + end, ']');
    if (close == nullptr) return;  // stays "other": no section, no keyword
    std::size_t nameBegin = begin + 1;
    std::size_t nameEnd = static_cast<std::size_t>(close - base);
    TrimRange(text_, nameBegin, nameEnd);
    CutAtNul(text_, nameBegin, nameEnd);
    line.kind = ProfileLineKind::section;
    line.nameBegin = nameBegin;
    line.nameLength = nameEnd - nameBegin;
    return;
  }
  const char* equals = FindChar(base + begin, base + end, '=');
  if (equals == nullptr) return;  // a line without "=" is no keyword
  std::size_t nameEnd = static_cast<std::size_t>(equals - base);
  std::size_t valueBegin = nameEnd + 1;
  std::size_t valueEnd = end;
  std::size_t nameBegin = begin;
  TrimRange(text_, nameBegin, nameEnd);
  TrimRange(text_, valueBegin, valueEnd);
  CutAtNul(text_, nameBegin, nameEnd);
  if (nameBegin == nameEnd) return;  // "=value" names nothing
  line.kind = ProfileLineKind::entry;
  line.nameBegin = nameBegin;
  line.nameLength = nameEnd - nameBegin;
  line.valueBegin = valueBegin;
  line.valueLength = valueEnd - valueBegin;
}

void ProfileDocument::BuildIndex() {
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t filling = kNone;  // section whose first occurrence is being read
  std::size_t open = kNone;     // section whose last occurrence is still open
  auto closeOpen = [&](std::size_t at) {
    if (open != kNone) sections_[open].occurrences.back().last = at;
    open = kNone;
  };
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const ProfileLine& line = lines_[i];
    if (line.kind == ProfileLineKind::section) {
      closeOpen(i);
      filling = kNone;
      if (line.nameLength == 0) continue;  // "[]": its keywords belong nowhere
      std::string key = UpperCase(Name(line));
      auto found = sectionIndex_.find(key);
      if (found != sectionIndex_.end()) {
        // A later occurrence only matters when the section is deleted.
        open = found->second;
        sections_[open].occurrences.push_back(LineRange{i, lines_.size()});
        continue;
      }
      filling = open = sections_.size();
      sectionIndex_.emplace(std::move(key), filling);
      sections_.emplace_back();
      sections_.back().headerLine = i;
      sections_.back().occurrences.push_back(LineRange{i, lines_.size()});
      continue;
    }
    if (line.kind != ProfileLineKind::entry || filling == kNone) continue;
    ProfileSection& section = sections_[filling];
    if (section.keywordIndex.emplace(UpperCase(Name(line)), i).second) {
      section.keywordLines.push_back(i);
    }
  }
  closeOpen(lines_.size());
}

const ProfileSection* ProfileDocument::FindSection(std::string_view name) const {
  std::string key = ProfileNameKey(name);
  if (key.empty()) return nullptr;
  auto found = sectionIndex_.find(key);
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

long ProfileDocument::FindKeyword(const ProfileSection& section, std::string_view keyword) const {
  std::string key = ProfileNameKey(keyword);
  if (key.empty()) return -1;
  auto found = section.keywordIndex.find(key);
  return found == section.keywordIndex.end() ? -1 : static_cast<long>(found->second);
}

}  // namespace tralvex::platform
