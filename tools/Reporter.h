// Places findings about one file's text: a position in the text becomes a
// line and column.
#ifndef TRALVEX_TOOLS_REPORTER_H
#define TRALVEX_TOOLS_REPORTER_H

#include <string>
#include <string_view>

#include "Diagnostics.h"
#include "LineIndex.h"

namespace tralvex::tool {

class Reporter {
 public:
  Reporter(std::string_view file, std::string_view text, DiagnosticList& out)
      : file_(file), index_(text), out_(out) {}

  void At(const char* p, Severity severity, std::string text, std::string_view check) {
    Place place = index_.PlaceOf(p);
    out_.Add(file_, place.line, place.column, severity, std::move(text), check);
  }
  void AtLine(std::size_t line, Severity severity, std::string text, std::string_view check) {
    out_.Add(file_, line, 1, severity, std::move(text), check);
  }
  void File(Severity severity, std::string text, std::string_view check) {
    out_.Add(file_, 0, 0, severity, std::move(text), check);
  }
  std::size_t LineOf(const char* p) const { return index_.PlaceOf(p).line; }
  const std::string& FileName() const { return file_; }

 private:
  std::string file_;
  LineIndex index_;
  DiagnosticList& out_;
};

// "0x1A2" for findings.
std::string Hex(unsigned long value);

// The text cut to a readable length for a finding, with its bytes below
// 0x20 written as escapes.
std::string Excerpt(std::string_view text, std::size_t limit = 40);

}  // namespace tralvex::tool

#endif
