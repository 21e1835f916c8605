#include "platform/posix/ProfileWriter.h"

#include <vector>

namespace tralvex::platform {
namespace {

std::string_view TrimmedName(std::string_view name) {
  std::size_t begin = 0;
  std::size_t end = name.size();
  while (begin < end && (name[begin] == ' ' || name[begin] == '\t')) ++begin;
  while (end > begin && (name[end - 1] == ' ' || name[end - 1] == '\t')) --end;
  return name.substr(begin, end - begin);
}

bool HasLineBreak(std::string_view text) {
  return text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos;
}

std::string EntryText(std::string_view keyword, std::string_view value) {
  std::string line(keyword);
  line += '=';
  line += value;
  return line;
}

// The text with the lines of the given ranges left out.
std::string WithoutLines(const ProfileDocument& document, const std::vector<LineRange>& ranges) {
  const std::string& source = document.Text();
  const auto& lines = document.Lines();
  std::vector<bool> removed(lines.size(), false);
  for (const LineRange& range : ranges) {
    for (std::size_t i = range.first; i < range.last; ++i) removed[i] = true;
  }
  std::string text;
  text.reserve(source.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!removed[i]) text.append(source, lines[i].start, lines[i].end - lines[i].start);
  }
  return text;
}

std::string AppendSection(const ProfileDocument& document, std::string_view section,
                          std::string_view keyword, std::string_view value) {
  std::string text = document.Text();
  std::string_view end = document.LineEnd();
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += end;
  text += '[';
  text += section;
  text += ']';
  text += end;
  text += EntryText(keyword, value);
  text += end;
  return text;
}

std::string InsertAtSectionEnd(const ProfileDocument& document, const ProfileSection& section,
                               std::string_view keyword, std::string_view value) {
  const auto& lines = document.Lines();
  const LineRange& range = section.occurrences.front();
  std::size_t last = range.first;  // the header when nothing else is there
  for (std::size_t i = range.last; i-- > range.first + 1;) {
    if (lines[i].kind != ProfileLineKind::blank) {
      last = i;
      break;
    }
  }
  const ProfileLine& after = lines[last];
  std::string text = document.Text();
  if (after.end == after.contentEnd) {  // the file's last line, without an end
    text.insert(after.end, std::string(document.LineEnd()) + EntryText(keyword, value));
  } else {
    text.insert(after.end, EntryText(keyword, value) + std::string(document.LineEnd()));
  }
  return text;
}

}  // namespace

bool IsStorableSectionName(std::string_view section) {
  return !TrimmedName(section).empty() && !HasLineBreak(section);
}

bool IsStorableKeyword(std::string_view keyword) {
  std::string_view name = TrimmedName(keyword);
  return !name.empty() && !HasLineBreak(name) && name.find('=') == std::string_view::npos &&
         name.front() != ';' && name.front() != '[';
}

bool IsStorableValue(std::string_view value) { return !HasLineBreak(value); }

bool SetProfileValue(const ProfileDocument& document, std::string_view section,
                     std::string_view keyword, std::string_view value, std::string* text) {
  std::string_view sectionName = TrimmedName(section);
  std::string_view keywordName = TrimmedName(keyword);
  const ProfileSection* found = document.FindSection(sectionName);
  if (found == nullptr) {
    *text = AppendSection(document, sectionName, keywordName, value);
    return true;
  }
  long index = document.FindKeyword(*found, keywordName);
  if (index < 0) {
    *text = InsertAtSectionEnd(document, *found, keywordName, value);
    return true;
  }
  const ProfileLine& line = document.Lines()[static_cast<std::size_t>(index)];
  if (document.Value(line) == value) return false;
  // The keyword keeps its spelling and indentation; the rest of the line is new.
  std::size_t from = line.nameBegin + line.nameLength;
  std::string replacement;
  replacement.reserve(value.size() + 1);
  replacement += '=';
  replacement += value;
  *text = document.Text();
  text->replace(from, line.contentEnd - from, replacement);
  return true;
}

bool DeleteProfileKeyword(const ProfileDocument& document, std::string_view section,
                          std::string_view keyword, std::string* text) {
  const ProfileSection* found = document.FindSection(section);
  if (found == nullptr) return false;
  std::string key = document.Key(keyword);
  if (key.empty()) return false;
  // Later duplicates go too, or the next read would find one of them.
  const auto& lines = document.Lines();
  const LineRange& range = found->occurrences.front();
  std::vector<LineRange> doomed;
  for (std::size_t i = range.first + 1; i < range.last; ++i) {
    if (lines[i].kind == ProfileLineKind::entry && document.Key(document.Name(lines[i])) == key) {
      doomed.push_back(LineRange{i, i + 1});
    }
  }
  if (doomed.empty()) return false;
  *text = WithoutLines(document, doomed);
  return true;
}

bool DeleteProfileSection(const ProfileDocument& document, std::string_view section,
                          std::string* text) {
  const ProfileSection* found = document.FindSection(section);
  if (found == nullptr) return false;
  // Every occurrence goes, or a later one would step into its place.
  *text = WithoutLines(document, found->occurrences);
  return true;
}

}  // namespace tralvex::platform
