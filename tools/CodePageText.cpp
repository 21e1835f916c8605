#include "CodePageText.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace tralvex::tool {
namespace {

const char* IconvName(unsigned codePage) {
  switch (codePage) {
    case 1250:
      return "CP1250";
    case 1251:
      return "CP1251";
    case 1252:
      return "CP1252";
    case 932:
      return "CP932";
    case 936:
      return "CP936";
    case 949:
      return "CP949";
    case 950:
      return "CP950";
    default:
      return nullptr;
  }
}

bool In(unsigned char c, unsigned char low, unsigned char high) { return c >= low && c <= high; }

iconv_t AsIconv(void* converter) { return static_cast<iconv_t>(converter); }

void* Open(const char* to, const char* from) {
  if (to == nullptr || from == nullptr) return nullptr;
  iconv_t converter = iconv_open(to, from);
  return converter == reinterpret_cast<iconv_t>(-1) ? nullptr : converter;
}

// How many bytes at the start of text are ASCII. Eight bytes are tested at
// a time: ASCII is most of any file, and this is several times faster than
// a test of each byte.
std::size_t AsciiRun(std::string_view text) {
  const char* begin = text.data();
  const char* p = begin;
  const char* end = p + text.size();
  for (; end - p >= 8; p += 8) {
    uint64_t eight;
    std::memcpy(&eight, p, 8);
    if ((eight & 0x8080808080808080u) != 0) break;
  }
  while (p < end && static_cast<unsigned char>(*p) < 0x80) ++p;
  return static_cast<std::size_t>(p - begin);
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text) {
  if (text.empty()) return 0;
  auto c = static_cast<unsigned char>(text[0]);
  if (c < 0x80) return 1;
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (In(c, 0xC2, 0xDF)) {
    length = 2;
  } else if (In(c, 0xE0, 0xEF)) {
    length = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;  // no surrogates
  } else if (In(c, 0xF0, 0xF4)) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || !In(static_cast<unsigned char>(text[1]), low, high)) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!In(static_cast<unsigned char>(text[i]), 0x80, 0xBF)) return 0;
  }
  return length;
}

bool IsValidUtf8(std::string_view text, std::size_t& badOffset) {
  std::size_t i = 0;
  while (i < text.size()) {
    i += AsciiRun(text.substr(i));
    if (i == text.size()) break;
    std::size_t length = Utf8SequenceLength(text.substr(i));
    if (length == 0) {
      badOffset = i;
      return false;
    }
    i += length;
  }
  return true;
}

std::string DescribeCharacter(std::string_view utf8, std::size_t offset) {
  std::string_view rest = utf8.substr(offset);
  std::size_t length = Utf8SequenceLength(rest);
  if (length == 0) {
    return rest.empty() ? "the end of the text"
                        : "the byte " + EscapedByte(static_cast<unsigned char>(rest[0]));
  }
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(rest[i]); };
  unsigned long code = length == 1   ? byte(0)
                       : length == 2 ? (byte(0) & 0x1Fu)
                       : length == 3 ? (byte(0) & 0x0Fu)
                                     : (byte(0) & 0x07u);
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (byte(i) & 0x3Fu);
  char name[16];
  std::snprintf(name, sizeof name, "U+%04lX", code);
  std::string description = name;
  if (code >= 0x20 && code != 0x7F)
    description += " \"" + std::string(rest.substr(0, length)) + "\"";
  return description;
}

std::string EscapedByte(unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02X", byte);
  return text;
}

CodePageText::CodePageText(unsigned codePage) : codePage_(codePage) {
  if (codePage == 65001) return;
  toUtf8_ = Open("UTF-8", IconvName(codePage));
  fromUtf8_ = Open(IconvName(codePage), "UTF-8");
}

CodePageText::~CodePageText() {
  if (toUtf8_ != kNoConverter) iconv_close(AsIconv(toUtf8_));
  if (fromUtf8_ != kNoConverter) iconv_close(AsIconv(fromUtf8_));
}

bool CodePageText::IsAscii(std::string_view text) { return AsciiRun(text) == text.size(); }

bool CodePageText::Convert(void* converter, std::string_view in, std::string* out,
                           std::size_t& badOffset) const {
  if (converter == kNoConverter) {
    // Without a converter only ASCII can be read.
    badOffset = 0;
    while (badOffset < in.size() && static_cast<unsigned char>(in[badOffset]) < 0x80) ++badOffset;
    if (out != nullptr) out->append(in.substr(0, badOffset));
    return badOffset == in.size();
  }
  iconv_t cd = AsIconv(converter);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* from = const_cast<char*>(in.data());
  std::size_t left = in.size();
  char chunk[4096];
  while (left > 0) {
    char* to = chunk;
    std::size_t room = sizeof chunk;
    std::size_t result = iconv(cd, &from, &left, &to, &room);
    if (out != nullptr) out->append(chunk, static_cast<std::size_t>(to - chunk));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // EILSEQ: no character; EINVAL: the text ends inside a character.
      badOffset = static_cast<std::size_t>(from - in.data());
      return false;
    }
  }
  char* to = chunk;
  std::size_t room = sizeof chunk;
  iconv(cd, nullptr, nullptr, &to, &room);  // a stateful encoding's closing bytes
  if (out != nullptr) out->append(chunk, static_cast<std::size_t>(to - chunk));
  return true;
}

bool CodePageText::ToUtf8(std::string_view text, std::string& out, std::size_t& badOffset) const {
  if (codePage_ == 65001) {
    if (!IsValidUtf8(text, badOffset)) {
      out.append(text.substr(0, badOffset));
      return false;
    }
    out.append(text);
    return true;
  }
  // Plain ASCII reads the same in every code page the tool knows.
  if (IsAscii(text)) {
    out.append(text);
    return true;
  }
  return Convert(toUtf8_, text, &out, badOffset);
}

bool CodePageText::IsText(std::string_view text, std::size_t& badOffset) const {
  if (codePage_ == 65001) return IsValidUtf8(text, badOffset);
  return IsAscii(text) || Convert(toUtf8_, text, nullptr, badOffset);
}

bool CodePageText::FromUtf8Unchecked(std::string_view utf8, std::string& out,
                                     std::size_t& badOffset) const {
  if (codePage_ == 65001) {
    out.append(utf8);
    return true;
  }
  return Convert(fromUtf8_, utf8, &out, badOffset);
}

bool CodePageText::FromUtf8(std::string_view utf8, std::string& out, std::size_t& badOffset) const {
  // Plain ASCII is written the same in every code page the tool knows.
  if (IsAscii(utf8)) {
    out.append(utf8);
    return true;
  }
  if (!IsValidUtf8(utf8, badOffset)) return false;
  std::string converted;
  if (!FromUtf8Unchecked(utf8, converted, badOffset)) return false;
  // Some conversions write a look-alike for a character the code page lacks
  // (a yen sign as a backslash): only a text that reads back the same is
  // written.
  std::string back;
  std::size_t ignored = 0;
  if (!ToUtf8(converted, back, ignored) || back != utf8) {
    std::size_t i = 0;
    while (i < utf8.size() && i < back.size() && utf8[i] == back[i]) ++i;
    if (i == utf8.size()) i = 0;
    while (i > 0 && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) --i;
    badOffset = i;
    return false;
  }
  out.append(converted);
  return true;
}

std::string CodePageText::ToUtf8Escaped(std::string_view text) const {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    std::size_t bad = 0;
    if (ToUtf8(text, out, bad)) break;
    out += EscapedByte(static_cast<unsigned char>(text[bad]));
    text.remove_prefix(bad + 1);
  }
  return out;
}

}  // namespace tralvex::tool
