// What `check` reports: one finding at a place in a file, in the form
// compilers use, so that editors and CI jobs pick the findings up.
#ifndef TRALVEX_TOOLS_DIAGNOSTICS_H
#define TRALVEX_TOOLS_DIAGNOSTICS_H

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tralvex::tool {

enum class Severity { kNote, kWarning, kError };

const char* SeverityName(Severity severity);

struct Diagnostic {
  std::string file;
  std::size_t line = 0;    // 1-based; 0 when the finding is about the whole file
  std::size_t column = 0;  // 1-based byte column; 0 with line 0
  Severity severity = Severity::kWarning;
  std::string text;
  std::string check;  // the name of the check, shown in brackets
};

class DiagnosticList {
 public:
  void Add(Diagnostic diagnostic) { items_.push_back(std::move(diagnostic)); }
  void Add(std::string_view file, std::size_t line, std::size_t column, Severity severity,
           std::string text, std::string_view check);

  const std::vector<Diagnostic>& Items() const { return items_; }
  std::size_t Count(Severity severity) const;

  // Orders by file, then line and column, keeping the order of findings at
  // one place; the checks do not all run in file order.
  void SortByPlace();

 private:
  std::vector<Diagnostic> items_;
};

// "file:line:column: severity: text [check]", coloured when asked.
void PrintDiagnostic(const Diagnostic& diagnostic, bool colour, std::ostream& out);

// One finding as a JSON object: {"file", "line", "column", "severity",
// "message", "check"}.
std::string DiagnosticJson(const Diagnostic& diagnostic);

// A JSON document: {"diagnostics": [...], "errors": n, "warnings": n, "notes": n}.
void PrintDiagnosticsJson(const DiagnosticList& list, std::ostream& out);

}  // namespace tralvex::tool

#endif
