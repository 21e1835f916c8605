// One profile file's text with an index of its sections and keywords, so
// that a read is a lookup. The text is kept whole: the writer edits it line
// by line and leaves everything it does not touch byte for byte as it was.
#ifndef TRALVEX_PLATFORM_POSIX_PROFILEDOCUMENT_H
#define TRALVEX_PLATFORM_POSIX_PROFILEDOCUMENT_H

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/posix/CodePageConverter.h"
#include "platform/posix/ProfileEncoding.h"

namespace tralvex::platform {

enum class ProfileLineKind { blank, comment, section, entry, other };

struct ProfileLine {
  std::size_t start = 0;       // first byte of the line
  std::size_t contentEnd = 0;  // before the line end
  std::size_t end = 0;         // after the line end
  ProfileLineKind kind = ProfileLineKind::other;
  std::size_t nameBegin = 0;  // section or keyword name, blanks trimmed
  std::size_t nameLength = 0;
  std::size_t valueBegin = 0;  // keyword value, blanks trimmed
  std::size_t valueLength = 0;
};

// Lines [first, last) of one occurrence of a section, the header included.
struct LineRange {
  std::size_t first = 0;
  std::size_t last = 0;
};

struct ProfileSection {
  std::size_t headerLine = 0;
  // Every occurrence of the name; the first one is the one that counts.
  std::vector<LineRange> occurrences;
  // Keywords of the first occurrence, first occurrence of each, file order.
  std::vector<std::size_t> keywordLines;
  std::unordered_map<std::string, std::size_t> keywordIndex;  // upper-cased
};

class ProfileDocument {
 public:
  ProfileDocument() = default;
  // The text of a file in the encoding given (see ProfileEncoding.h).
  explicit ProfileDocument(std::string text, ProfileEncoding encoding = ProfileEncoding::codePage,
                           std::string tail = std::string());
  // The document of a file's bytes, in the encoding its mark names.
  static ProfileDocument FromBytes(std::string bytes);

  const std::string& Text() const { return text_; }
  ProfileEncoding Encoding() const { return encoding_; }
  // True when the text is UTF-8 for a file marked as Unicode, so that
  // names and values meet the process's code page only through conversion.
  bool IsUnicode() const { return encoding_ != ProfileEncoding::codePage; }
  // The file's bytes for this document's text, or for a new text of it.
  std::string Bytes() const { return Bytes(text_); }
  std::string Bytes(std::string_view text) const { return EncodeProfile(text, encoding_, tail_); }
  bool HasBytes(std::string_view bytes) const;
  // A new document of the same file with another text.
  ProfileDocument WithText(std::string text) const {
    return ProfileDocument(std::move(text), encoding_, tail_);
  }
  const std::vector<ProfileLine>& Lines() const { return lines_; }
  // The file's own line end (its first one), CRLF for a file without one.
  std::string_view LineEnd() const { return lineEnd_; }

  // Sections in file order, each name once; nameless sections are left out.
  const std::vector<ProfileSection>& Sections() const { return sections_; }

  // Names, in the document's own encoding, are compared case-insensitively
  // after trimming blanks, as the process's code page spells them; empty
  // names match nothing.
  const ProfileSection* FindSection(std::string_view name) const;
  // The line index of a keyword in a section, or -1 when missing.
  long FindKeyword(const ProfileSection& section, std::string_view keyword) const;

  std::string_view Name(const ProfileLine& line) const {
    return std::string_view(text_).substr(line.nameBegin, line.nameLength);
  }
  std::string_view Value(const ProfileLine& line) const {
    return std::string_view(text_).substr(line.valueBegin, line.valueLength);
  }
  std::string_view SectionName(const ProfileSection& section) const {
    return Name(lines_[section.headerLine]);
  }

  // The comparison key of a name in the document's encoding.
  std::string Key(std::string_view name) const;

 private:
  void SplitLines();
  void ClassifyLine(ProfileLine& line) const;
  const char* Find(const char* begin, const char* end, char c) const;
  const char* FindLast(const char* begin, const char* end, char c) const;
  void BuildIndex();
  std::string Key(std::string_view name, CodePageConverter& converter) const;

  std::string text_;
  ProfileEncoding encoding_ = ProfileEncoding::codePage;
  std::string tail_;
  std::string lineEnd_ = "\r\n";
  std::vector<ProfileLine> lines_;
  std::vector<ProfileSection> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // upper-cased
};

// A caller's text in a document's own encoding and back: the same bytes
// for a file in the code page, converted for a file in Unicode.
class ProfileTextBridge {
 public:
  explicit ProfileTextBridge(const ProfileDocument& document) : unicode_(document.IsUnicode()) {}

  // False when the text has no form in the document's encoding.
  bool In(std::string_view text, std::string* out);
  // The document's text as the caller reads it; a converted text is kept
  // in storage, a text of the code page is handed on as it is.
  std::string_view Out(std::string_view text, std::string* storage);

 private:
  bool unicode_;
  CodePageConverter converter_;
};

// The comparison key of a name of the code page: blanks trimmed,
// upper-cased by the code page.
std::string ProfileNameKey(std::string_view name);

}  // namespace tralvex::platform

#endif
