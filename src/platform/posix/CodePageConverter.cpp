#include "platform/posix/CodePageConverter.h"

#include <cerrno>
#include <cstdint>
#include <string>

#include "platform/CodePage.h"
#include "platform/posix/ProfileEncoding.h"

namespace tralvex::platform {
namespace {

constexpr unsigned kUtf8Page = 65001;
const iconv_t kClosed = reinterpret_cast<iconv_t>(-1);

// Every code page the library knows keeps ASCII as it is.
bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Runs one conversion as far as it goes: the bytes of in it took, and
// errno of the stop (0 at the end of the input).
std::size_t Convert(iconv_t converter, std::string_view in, std::string* out, int* error) {
  std::string input(in);  // iconv takes a pointer to non-const bytes
  char* from = input.data();
  std::size_t fromLeft = input.size();
  *error = 0;
  while (fromLeft > 0) {
    char chunk[1024];
    char* to = chunk;
    std::size_t toLeft = sizeof chunk;
    std::size_t result = ::iconv(converter, &from, &fromLeft, &to, &toLeft);
    out->append(chunk, static_cast<std::size_t>(to - chunk));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      *error = errno;
      break;
    }
  }
  return input.size() - fromLeft;
}

}  // namespace

CodePageConverter::CodePageConverter()
    : page_(ActiveCodePage().id), toUtf8_(kClosed), fromUtf8_(kClosed) {}

CodePageConverter::~CodePageConverter() {
  if (toUtf8_ != kClosed) ::iconv_close(toUtf8_);
  if (fromUtf8_ != kClosed) ::iconv_close(fromUtf8_);
}

iconv_t CodePageConverter::Open(iconv_t* slot, const char* to, const char* from) {
  if (*slot == kClosed) *slot = ::iconv_open(to, from);
  if (*slot != kClosed) ::iconv(*slot, nullptr, nullptr, nullptr, nullptr);  // initial state
  return *slot;
}

bool CodePageConverter::ToUtf8(std::string_view text, std::string* utf8) {
  utf8->clear();
  if (IsAscii(text)) {
    *utf8 = text;
    return true;
  }
  if (page_ == kUtf8Page) {
    for (std::string_view rest = text; !rest.empty();) {
      uint32_t c = 0;
      std::size_t length = Utf8Sequence(rest, false, &c);
      if (length == 0) return false;
      rest.remove_prefix(length);
    }
    *utf8 = text;
    return true;
  }
  iconv_t converter = Open(&toUtf8_, "UTF-8", PageName().c_str());
  if (converter == kClosed) return false;
  int error = 0;
  Convert(converter, text, utf8, &error);
  return error == 0;
}

std::size_t CodePageConverter::TakeConvertible(std::string_view utf8, std::string* text) {
  std::size_t taken = 0;
  if (page_ == kUtf8Page) {
    uint32_t c = 0;
    while (std::size_t length = Utf8Sequence(utf8.substr(taken), false, &c)) taken += length;
    text->append(utf8.substr(0, taken));
    return taken;
  }
  iconv_t converter = Open(&fromUtf8_, PageName().c_str(), "UTF-8");
  if (converter != kClosed) {
    int error = 0;
    return Convert(converter, utf8, text, &error);
  }
  while (taken < utf8.size() && static_cast<unsigned char>(utf8[taken]) < 0x80) ++taken;
  text->append(utf8.substr(0, taken));
  return taken;
}

std::string CodePageConverter::FromUtf8(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string text;
  for (;;) {
    utf8.remove_prefix(TakeConvertible(utf8, &text));
    if (utf8.empty()) return text;
    // Stopped at a character the page lacks, or at a byte that starts none.
    uint32_t c = 0;
    std::size_t skip = Utf8Sequence(utf8, true, &c);
    text += '?';
    utf8.remove_prefix(skip != 0 ? skip : 1);
  }
}

std::string CodePageConverter::PageName() const { return "CP" + std::to_string(page_); }

}  // namespace tralvex::platform
