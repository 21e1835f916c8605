#include "platform/posix/ProfileDocument.h"

#include <cstring>
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
  const void* nul = std::memchr(text.data() + begin, '\0', end - begin);
  if (nul == nullptr) return;
  end = static_cast<std::size_t>(static_cast<const char*>(nul) - text.data());
  while (end > begin && IsBlankByte(text[end - 1])) --end;
}

}  // namespace

std::string ProfileNameKey(std::string_view name) {
  std::size_t begin = 0;
  std::size_t end = name.size();
  while (begin < end && IsBlankByte(name[begin])) ++begin;
  while (end > begin && IsBlankByte(name[end - 1])) --end;
  return UpperCase(name.substr(begin, end - begin));
}

ProfileDocument::ProfileDocument(std::string text, ProfileEncoding encoding, std::string tail)
    : text_(std::move(text)), encoding_(encoding), tail_(std::move(tail)) {
  SplitLines();
  BuildIndex();
}

ProfileDocument ProfileDocument::FromBytes(std::string bytes) {
  DecodedProfile decoded = DecodeProfile(std::move(bytes));
  return ProfileDocument(std::move(decoded.text), decoded.encoding, std::move(decoded.tail));
}

bool ProfileDocument::HasBytes(std::string_view bytes) const {
  if (!IsUnicode()) return text_ == bytes;
  return Bytes() == bytes;
}

std::string ProfileDocument::Key(std::string_view name) const {
  if (!IsUnicode()) return ProfileNameKey(name);
  CodePageConverter converter;
  return Key(name, converter);
}

// A name of a Unicode file is compared as the code page shows it: as it is
// listed, so it is found (a character the page lacks shows as "?").
std::string ProfileDocument::Key(std::string_view name, CodePageConverter& converter) const {
  if (!IsUnicode()) return ProfileNameKey(name);
  return ProfileNameKey(converter.FromUtf8(name));
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

// No byte of a longer UTF-8 character is ASCII, so there a plain search is
// exact; the code page's own search steps over its double-byte characters.
const char* ProfileDocument::Find(const char* begin, const char* end, char c) const {
  if (!IsUnicode()) return FindChar(begin, end, c);
  return static_cast<const char*>(std::memchr(begin, c, static_cast<std::size_t>(end - begin)));
}

const char* ProfileDocument::FindLast(const char* begin, const char* end, char c) const {
  if (!IsUnicode()) return FindLastChar(begin, end, c);
  for (const char* p = end; p != begin; --p) {
    if (p[-1] == c) return p - 1;
  }
  return nullptr;
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
    const char* close = FindLast(base + begin + 1, base + end, ']');
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
  const char* equals = Find(base + begin, base + end, '=');
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
  CodePageConverter converter;
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
      std::string key = Key(Name(line), converter);
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
    if (section.keywordIndex.emplace(Key(Name(line), converter), i).second) {
      section.keywordLines.push_back(i);
    }
  }
  closeOpen(lines_.size());
}

const ProfileSection* ProfileDocument::FindSection(std::string_view name) const {
  std::string key = Key(name);
  if (key.empty()) return nullptr;
  auto found = sectionIndex_.find(key);
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

long ProfileDocument::FindKeyword(const ProfileSection& section, std::string_view keyword) const {
  std::string key = Key(keyword);
  if (key.empty()) return -1;
  auto found = section.keywordIndex.find(key);
  return found == section.keywordIndex.end() ? -1 : static_cast<long>(found->second);
}

bool ProfileTextBridge::In(std::string_view text, std::string* out) {
  if (unicode_) return converter_.ToUtf8(text, out);
  out->assign(text);
  return true;
}

std::string_view ProfileTextBridge::Out(std::string_view text, std::string* storage) {
  if (!unicode_) return text;
  *storage = converter_.FromUtf8(text);
  return *storage;
}

}  // namespace tralvex::platform
