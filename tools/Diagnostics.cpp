#include "Diagnostics.h"

#include <algorithm>
#include <unordered_map>

#include "Json.h"
#include "Terminal.h"

namespace tralvex::tool {

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kNote:
      return "note";
    case Severity::kWarning:
      return "warning";
    case Severity::kError:
      return "error";
  }
  return "error";
}

void DiagnosticList::Add(std::string_view file, std::size_t line, std::size_t column,
                         Severity severity, std::string text, std::string_view check) {
  items_.push_back(
      Diagnostic{std::string(file), line, column, severity, std::move(text), std::string(check)});
}

std::size_t DiagnosticList::Count(Severity severity) const {
  return static_cast<std::size_t>(
      std::count_if(items_.begin(), items_.end(),
                    [severity](const Diagnostic& d) { return d.severity == severity; }));
}

void DiagnosticList::SortByPlace() {
  // Files keep the order they were checked in.
  std::unordered_map<std::string, std::size_t> fileOrder;
  for (const Diagnostic& d : items_) fileOrder.emplace(d.file, fileOrder.size());
  std::stable_sort(items_.begin(), items_.end(),
                   [&fileOrder](const Diagnostic& a, const Diagnostic& b) {
                     std::size_t fa = fileOrder[a.file], fb = fileOrder[b.file];
                     if (fa != fb) return fa < fb;
                     if (a.line != b.line) return a.line < b.line;
                     return a.column < b.column;
                   });
}

void PrintDiagnostic(const Diagnostic& d, bool colour, std::ostream& out) {
  Colours c(colour);
  out << c.Bold() << d.file;
  if (d.line != 0) out << ':' << d.line << ':' << d.column;
  out << ": " << c.Reset();
  const char* tint = d.severity == Severity::kError     ? c.Red()
                     : d.severity == Severity::kWarning ? c.Magenta()
                                                        : c.Cyan();
  out << tint << c.Bold() << SeverityName(d.severity) << ':' << c.Reset() << ' ' << d.text;
  if (!d.check.empty()) out << " [" << d.check << ']';
  out << '\n';
}

std::string DiagnosticJson(const Diagnostic& d) {
  return "{\"file\": " + JsonPath(d.file) + ", \"line\": " + std::to_string(d.line) +
         ", \"column\": " + std::to_string(d.column) + ", \"severity\": \"" +
         SeverityName(d.severity) + "\", \"message\": " + JsonString(d.text) +
         ", \"check\": " + JsonString(d.check) + "}";
}

void PrintDiagnosticsJson(const DiagnosticList& list, std::ostream& out) {
  out << "{\"diagnostics\": [";
  const char* separator = "\n  ";
  for (const Diagnostic& d : list.Items()) {
    out << separator << DiagnosticJson(d);
    separator = ",\n  ";
  }
  if (!list.Items().empty()) out << '\n';
  out << "], \"errors\": " << list.Count(Severity::kError)
      << ", \"warnings\": " << list.Count(Severity::kWarning)
      << ", \"notes\": " << list.Count(Severity::kNote) << "}\n";
}

}  // namespace tralvex::tool
