#include "po/PoEntries.h"

#include <algorithm>
#include <cstdlib>

#include "CodePageText.h"
#include "CommandLine.h"
#include "po/PoFile.h"
#include "po/PoScan.h"

namespace tralvex::tool {
namespace {

class EntryReader {
 public:
  EntryReader(const std::string& path, std::vector<std::size_t> lines, PoEntries& entries,
              DiagnosticList& problems)
      : path_(path), lines_(std::move(lines)), entries_(entries), problems_(problems) {}

  void Problem(std::size_t line, std::string text) {
    problems_.Add(path_, line, line == 0 ? 0 : 1, Severity::kError, std::move(text), "po");
  }

  void ReadHeader(po_message_t message) {
    entries_.headerLine = LineOf(0);
    std::string header = po_message_msgstr(message);
    std::string type = HeaderField(header.c_str(), "Content-Type");
    std::size_t at = type.find("charset=");
    std::string charset = at == std::string::npos ? std::string() : type.substr(at + 8);
    charset = charset.substr(0, charset.find_first_of("; \t"));
    if (!charset.empty() && !IsUtf8CharsetName(charset) && charset != "CHARSET") {
      Problem(entries_.headerLine, "the PO file is in charset " + charset +
                                       "; convert it to UTF-8 first (msgconv -t UTF-8)");
    }
    char* field = po_header_field(header.c_str(), kSectionsField);
    if (field == nullptr) return;
    std::string value(field);
    std::free(field);
    std::size_t bad = 0;
    entries_.sections = ParseSectionList(value);
    if (!entries_.sections || !IsValidUtf8(value, bad)) {
      entries_.sections.reset();
      Problem(entries_.headerLine, std::string("the header field ") + kSectionsField +
                                       " is no list of sections: \"" + value + "\"");
    }
  }

  void ReadEntry(po_message_t message, std::size_t index) {
    if (po_message_is_obsolete(message)) {
      ++entries_.obsolete;
      return;
    }
    std::size_t line = LineOf(index);
    const char* context = po_message_msgctxt(message);
    if (!ValidUtf8(line, context, "msgctxt", context) ||
        !ValidUtf8(line, context, "msgstr", po_message_msgstr(message))) {
      return;
    }
    if (context == nullptr) {
      Problem(line,
              "an entry without context (msgctxt): every entry names its message as "
              "SECTION/NUMBER");
      return;
    }
    PoEntry entry;
    entry.context = context;
    entry.line = line;
    if (!SplitContext(entry)) {
      Problem(line, NameOf(context) +
                        "the context is not SECTION/NUMBER with a hexadecimal number of at "
                        "most 8 digits");
      return;
    }
    if (po_message_msgid_plural(message) != nullptr) {
      Problem(line, NameOf(context) + "plural forms, which message files do not have");
      return;
    }
    entry.text = po_message_msgstr(message);
    if (po_message_is_fuzzy(message)) {
      ++entries_.fuzzy;
    } else if (entry.text.empty()) {
      ++entries_.untranslated;
    } else {
      entries_.translated.push_back(std::move(entry));
    }
  }

  bool CountMatches(std::size_t messages) const { return messages == lines_.size(); }
  void ForgetLines() { lines_.clear(); }

 private:
  std::size_t LineOf(std::size_t index) const { return index < lines_.size() ? lines_[index] : 0; }

  // How problems name an entry; made only for a problem, not for every entry.
  static std::string NameOf(const char* context) {
    return context != nullptr ? "entry \"" + std::string(context) + "\": " : "entry: ";
  }

  bool ValidUtf8(std::size_t line, const char* context, const char* what, const char* text) {
    std::size_t bad = 0;
    if (text == nullptr || IsValidUtf8(text, bad)) return true;
    Problem(line, NameOf(context) + "invalid UTF-8 at byte " + std::to_string(bad + 1) +
                      " of the " + what);
    return false;
  }

  static bool SplitContext(PoEntry& entry) {
    std::size_t slash = entry.context.rfind('/');
    if (slash == std::string::npos || slash == 0) return false;
    entry.section = entry.context.substr(0, slash);
    return ParseMessageNumber(entry.context.substr(slash + 1), entry.number);
  }

  const std::string& path_;
  std::vector<std::size_t> lines_;
  PoEntries& entries_;
  DiagnosticList& problems_;
};

}  // namespace

std::vector<std::size_t> EntryLines(const std::string& bytes) {
  return ScanPoText(bytes).TakeEntryLines();
}

namespace {

// The entries of a PO file the library has read, placed at the lines of
// their msgid keywords.
bool TakeEntries(const std::string& path, std::vector<std::size_t> lines, PoFile& po, bool read,
                 const std::vector<PoProblem>& found, const std::string& reason, PoEntries& entries,
                 DiagnosticList& problems) {
  std::size_t before = problems.Items().size();
  if (!read) {
    problems.Add(path, 0, 0, Severity::kError, reason, "po");
    return false;
  }
  for (const PoProblem& problem : found) {
    problems.Add(path, problem.line,
                 problem.line == 0 ? 0 : std::max<std::size_t>(problem.column, 1),
                 problem.warning ? Severity::kWarning : Severity::kError, problem.text, "po");
  }
  EntryReader reader(path, std::move(lines), entries, problems);
  std::vector<po_message_t> messages;
  {
    PoMessages iterator(po);
    for (po_message_t m; (m = iterator.Next()) != nullptr;) messages.push_back(m);
  }
  // Lines are named only when every entry was found where it stands.
  if (!reader.CountMatches(messages.size())) reader.ForgetLines();
  entries.translated.reserve(messages.size());
  for (std::size_t i = 0; i < messages.size(); ++i) {
    bool isHeader = po_message_msgctxt(messages[i]) == nullptr &&
                    *po_message_msgid(messages[i]) == '\0' && !po_message_is_obsolete(messages[i]);
    if (isHeader) {
      reader.ReadHeader(messages[i]);
    } else {
      reader.ReadEntry(messages[i], i);
    }
  }
  for (std::size_t i = before; i < problems.Items().size(); ++i) {
    if (problems.Items()[i].severity == Severity::kError) return false;
  }
  return true;
}

}  // namespace

bool ReadPoEntries(const std::string& path, const std::string& bytes, PoEntries& entries,
                   DiagnosticList& problems) {
  std::vector<PoProblem> found;
  std::string reason;
  PoFile po;
  bool read = po.Read(bytes, found, reason);
  return TakeEntries(path, EntryLines(bytes), po, read, found, reason, entries, problems);
}

bool ReadPoFileEntries(const std::string& path, PoScan scan, PoEntries& entries,
                       DiagnosticList& problems) {
  std::vector<PoProblem> found;
  std::string reason;
  PoFile po;
  bool read = po.ReadFile(path, scan.ByteWise(), found, reason);
  return TakeEntries(path, scan.TakeEntryLines(), po, read, found, reason, entries, problems);
}

}  // namespace tralvex::tool
