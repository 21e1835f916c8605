// Texts of message files are bytes in a code page; PO files and JSON are
// UTF-8. This converts between the two with iconv, strictly: a byte that is
// no character of the code page, or a character the code page lacks, is
// reported where it stands, never guessed at or replaced.
#ifndef TRALVEX_TOOLS_CODEPAGETEXT_H
#define TRALVEX_TOOLS_CODEPAGETEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace tralvex::tool {

// The length of the UTF-8 sequence at the start of text, or 0 when it is no
// valid one (overlong forms and surrogates included).
std::size_t Utf8SequenceLength(std::string_view text);

// True when the whole text is valid UTF-8; otherwise badOffset is where the
// first invalid sequence starts.
bool IsValidUtf8(std::string_view text, std::size_t& badOffset);

// The UTF-8 character at offset, for a message: U+20AC "€".
std::string DescribeCharacter(std::string_view utf8, std::size_t offset);

// "\x81": how a byte that cannot be converted is written where a lossless
// conversion is not required (JSON output, comments).
std::string EscapedByte(unsigned char byte);

class CodePageText {
 public:
  // For one of the code pages the tool knows (1250, 1251, 1252, 932, 936,
  // 949, 950, 65001). Usable() is false when iconv lacks the code page.
  explicit CodePageText(unsigned codePage);
  CodePageText(const CodePageText&) = delete;
  CodePageText& operator=(const CodePageText&) = delete;
  ~CodePageText();

  bool Usable() const {
    return codePage_ == 65001 || (toUtf8_ != kNoConverter && fromUtf8_ != kNoConverter);
  }
  unsigned CodePage() const { return codePage_; }

  // Appends the text in UTF-8 to out. False when a byte sequence is no
  // character of the code page: badOffset is where it starts in text, and
  // out holds what was converted before it.
  bool ToUtf8(std::string_view text, std::string& out, std::size_t& badOffset) const;

  // Appends the UTF-8 text in the code page to out. False, with badOffset in
  // utf8, for invalid UTF-8 or a character the code page cannot write so
  // that it reads back as the same character.
  bool FromUtf8(std::string_view utf8, std::string& out, std::size_t& badOffset) const;

  // The text in UTF-8 with every byte that is no character written as
  // EscapedByte gives it.
  std::string ToUtf8Escaped(std::string_view text) const;

  // True when every byte sequence of the text is a character of the code
  // page; otherwise false with badOffset, as ToUtf8 gives it, but without
  // keeping the converted text.
  bool IsText(std::string_view text, std::size_t& badOffset) const;

  // True when the text's bytes are the same characters in UTF-8: plain
  // ASCII, or any text in code page 65001.
  bool SameInUtf8(std::string_view text) const { return codePage_ == 65001 || IsAscii(text); }

 private:
  static constexpr void* kNoConverter = nullptr;
  static bool IsAscii(std::string_view text);
  // Appends the conversion to out; with out null, checks it only.
  bool Convert(void* converter, std::string_view in, std::string* out,
               std::size_t& badOffset) const;
  bool FromUtf8Unchecked(std::string_view utf8, std::string& out, std::size_t& badOffset) const;

  unsigned codePage_;
  void* toUtf8_ = kNoConverter;
  void* fromUtf8_ = kNoConverter;
};

}  // namespace tralvex::tool

#endif
