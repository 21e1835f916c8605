// Texts of the process's code page in UTF-8 and back, for the names and
// values of settings files saved in Unicode. The tables are the system's
// (iconv of the C library); UTF-8 itself needs none.
#ifndef TRALVEX_PLATFORM_POSIX_CODEPAGECONVERTER_H
#define TRALVEX_PLATFORM_POSIX_CODEPAGECONVERTER_H

#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tralvex::platform {

class CodePageConverter {
 public:
  // For the code page active now; the tables are opened on first need.
  CodePageConverter();
  ~CodePageConverter();
  CodePageConverter(const CodePageConverter&) = delete;
  CodePageConverter& operator=(const CodePageConverter&) = delete;

  // False when the text holds bytes that are no character of the code page
  // (a lead byte without its trail byte, a byte the page leaves undefined).
  bool ToUtf8(std::string_view text, std::string* utf8);

  // Characters the code page lacks, and bytes that are no UTF-8, become
  // "?", as the system's own conversion gives them on Windows.
  std::string FromUtf8(std::string_view utf8);

 private:
  // The table, opened on first use and put back to its initial state.
  iconv_t Open(iconv_t* slot, const char* to, const char* from);
  // Converts from the start of utf8 as far as it can; the bytes it took.
  std::size_t TakeConvertible(std::string_view utf8, std::string* text);
  std::string PageName() const;

  unsigned page_;
  iconv_t toUtf8_;
  iconv_t fromUtf8_;
};

}  // namespace tralvex::platform

#endif
