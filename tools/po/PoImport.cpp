#include "po/PoImport.h"

#include <map>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Reporter.h"
#include "catalogue/MessageFileSyntax.h"
#include "platform/CodePage.h"
#include "po/MessageFileEditor.h"

namespace tralvex::tool {
namespace {

using MessageKey = std::pair<std::string, uint32_t>;  // upper-cased section, number

// One translation ready to be written: in the file's code page.
struct Planned {
  const PoEntry* entry;
  std::string section;  // upper-cased
  std::string text;
  bool unchanged = false;  // the file has the text already
};

class Importer {
 public:
  Importer(const std::string& poPath, const PoEntries& entries,
           const LoadedMessageFile& translation, const CodePageText& codePage,
           DiagnosticList& problems)
      : poPath_(poPath),
        entries_(entries),
        translation_(translation),
        codePage_(codePage),
        problems_(problems),
        editor_(translation.Bytes(), translation.Layout()) {}

  bool Run(std::string& result, ImportReport& report) {
    if (!CheckTranslationBytes() || !ReadSectionList()) return false;
    for (const PoEntry& entry : entries_.translated) Plan(entry);
    if (failed_) return false;
    Write(report);
    if (failed_) return false;
    result = editor_.Result();
    return Verify(result);
  }

 private:
  void Problem(std::size_t line, const std::string& text) {
    problems_.Add(poPath_, line, line == 0 ? 0 : 1, Severity::kError, text, "po");
    failed_ = true;
  }

  // A file in another code page would end up in two.
  bool CheckTranslationBytes() {
    std::string ignored;
    std::size_t bad = 0;
    const std::string& bytes = translation_.Bytes();
    if (codePage_.ToUtf8(bytes, ignored, bad)) return true;
    Place place = translation_.PlaceOf(bad);
    problems_.Add(translation_.Path(), place.line, place.column, Severity::kError,
                  "byte " + Hex(static_cast<unsigned char>(bytes[bad])) +
                      " starts no character of code page " + std::to_string(codePage_.CodePage()) +
                      "; give the file's code page with --codepage",
                  "encoding");
    return false;
  }

  bool InCodePage(std::size_t line, const std::string& what, const std::string& utf8,
                  std::string& out) {
    std::size_t bad = 0;
    if (codePage_.FromUtf8(utf8, out, bad)) return true;
    Problem(line, what + ": " + DescribeCharacter(utf8, bad) + " cannot be written in code page " +
                      std::to_string(codePage_.CodePage()));
    return false;
  }

  bool ReadSectionList() {
    if (!entries_.sections) return true;
    for (const ListedSection& listed : *entries_.sections) {
      std::string name, target;
      if (!InCodePage(entries_.headerLine, "the base's section " + listed.name, listed.name,
                      name) ||
          !InCodePage(entries_.headerLine, "the alias of section " + listed.name,
                      listed.aliasTarget, target)) {
        continue;
      }
      name = platform::UpperCase(name);
      if (known_.emplace(name, target).second) knownOrder_.push_back(name);
    }
    return !failed_;
  }

  bool HasSection(const std::string& name) const {
    return translation_.Layout().FindSection(name) != kNoIndex;
  }

  void Plan(const PoEntry& entry) {
    std::string name = "entry \"" + entry.context + "\"";
    Planned planned{&entry, {}, {}};
    if (!InCodePage(entry.line, name, entry.section, planned.section) ||
        !InCodePage(entry.line, name, entry.text, planned.text)) {
      return;
    }
    planned.section = platform::UpperCase(planned.section);
    auto [seen, first] = lines_.emplace(MessageKey{planned.section, entry.number}, entry.line);
    if (!first) {
      Problem(entry.line, name + ": the message is translated twice; the other entry is at line " +
                              std::to_string(seen->second));
      return;
    }
    // A text the file holds already is left as it is, whatever it holds.
    planned.unchanged = Unchanged(planned);
    if (!planned.unchanged && !CanWrite(planned, name)) return;
    planned_.push_back(std::move(planned));
  }

  bool CanWrite(const Planned& planned, const std::string& name) {
    std::size_t line = planned.entry->line;
    if (planned.text.find_first_of("\r\n") != std::string::npos) {
      Problem(line, name +
                        ": a line break, which a message line cannot hold (the library "
                        "writes one as \\n)");
      return false;
    }
    if (planned.text.size() > kLongestImportedText) {
      Problem(line, name + ": a text of " + std::to_string(planned.text.size()) +
                        " bytes, longer than the " + std::to_string(kLongestImportedText) +
                        " any message may have");
      return false;
    }
    if (!HasSection(planned.section) && known_.count(planned.section) == 0) {
      Problem(line, name + ": unknown section " + planned.entry->section +
                        ": neither the translation nor the base's list in the PO header has it");
      return false;
    }
    return true;
  }

  bool Unchanged(const Planned& planned) const {
    std::optional<FoundText> found = translation_.Find(planned.section, planned.entry->number);
    if (!found) return false;
    std::string current;
    std::size_t ignored = 0;
    return codePage_.ToUtf8(found->text, current, ignored) && current == planned.entry->text;
  }

  // The sections to add: those the translations need, and every alias
  // target they reach that the file lacks.
  std::set<std::string> SectionsToAdd() const {
    std::set<std::string> needed;
    std::vector<std::string> pending;
    for (const Planned& planned : planned_) {
      if (!HasSection(planned.section) && !planned.unchanged) pending.push_back(planned.section);
    }
    while (!pending.empty()) {
      std::string name = pending.back();
      pending.pop_back();
      if (HasSection(name) || !needed.insert(name).second) continue;
      auto it = known_.find(name);
      if (it != known_.end() && !it->second.empty()) {
        pending.push_back(platform::UpperCase(it->second));
      }
    }
    return needed;
  }

  void Write(ImportReport& report) {
    std::set<std::string> added = SectionsToAdd();
    for (const std::string& name : knownOrder_) {
      if (added.count(name) == 0) continue;
      editor_.AddSection(name, known_.at(name));
      addedSections_[name] = known_.at(name);
      ++report.sectionsAdded;
    }
    for (const std::string& name : added) {
      if (known_.count(name) == 0) {
        editor_.AddSection(name, std::string());  // an alias target the base lacks
        ++report.sectionsAdded;
      }
    }
    const MessageFileLayout& layout = translation_.Layout();
    for (const Planned& planned : planned_) {
      if (planned.unchanged) {
        ++report.unchanged;
        continue;
      }
      uint32_t number = planned.entry->number;
      std::size_t section = layout.FindSection(planned.section);
      std::size_t own = section == kNoIndex ? kNoIndex : layout.FindOwn(section, number);
      bool written = own != kNoIndex ? editor_.Replace(own, planned.text)
                     : section != kNoIndex
                         ? editor_.Add(section, number, planned.text)
                         : editor_.AddToNewSection(planned.section, number, planned.text);
      if (!written) {
        Problem(planned.entry->line,
                "entry \"" + planned.entry->context + "\": no message line can hold the text");
      }
      ++(own != kNoIndex ? report.changed : report.added);
      expected_[{planned.section, number}] = planned.text;
    }
  }

  // The library reads the result back with the new texts where they were
  // put, and every section keeps its alias and every other line's text.
  bool Verify(const std::string& result) {
    LoadedMessageFile written;
    std::string reason;
    if (written.Parse(translation_.Path(), result, reason) != LoadResult::kLoaded) {
      Problem(0, "the changed file would not open: " + reason);
      return false;
    }
    for (const auto& [key, text] : expected_) {
      std::optional<FoundText> found = written.Find(key.first, key.second);
      if (!found || found->text != text) {
        Problem(lines_[key], "the changed file does not read back the text of " + EntryName(key));
      }
    }
    const MessageFileLayout& before = translation_.Layout();
    const MessageFileLayout& after = written.Layout();
    for (const auto& [name, target] : addedSections_) {
      std::size_t section = after.FindSection(name);
      bool hasMessages = section != kNoIndex && !after.Sections()[section].own.empty();
      bool aliased = section != kNoIndex && after.Sections()[section].aliasTarget == target;
      // An alias of the invisible section needs a message before it.
      if (!aliased && (name != kInvisibleSectionName || hasMessages)) {
        Problem(0, "the changed file would not give the added section " + name + " its alias");
      }
    }
    for (const WrittenSection& section : before.Sections()) {
      std::size_t now = after.FindSection(section.name);
      if (now == kNoIndex || after.Sections()[now].aliasTarget != section.aliasTarget) {
        Problem(0, "the changed file would change section " + section.name);
        continue;
      }
      for (std::size_t m : section.own) {
        const WrittenMessage& old = before.Messages()[m];
        MessageKey key{section.name, old.number};
        if (expected_.count(key) != 0) continue;
        std::size_t kept = after.FindOwn(now, old.number);
        if (kept == kNoIndex ||
            TextOf(written.Bytes(), after.Messages()[kept]) != TextOf(translation_.Bytes(), old)) {
          Problem(0, "the changed file would change " + EntryName(key) +
                         ", which the PO file leaves alone");
        }
      }
    }
    return !failed_;
  }

  static std::string_view TextOf(const std::string& bytes, const WrittenMessage& message) {
    return std::string_view(bytes).substr(message.text, message.textLength);
  }

  static std::string EntryName(const MessageKey& key) {
    return "message " + Hex(key.second) + " of section " + key.first;
  }

  const std::string& poPath_;
  const PoEntries& entries_;
  const LoadedMessageFile& translation_;
  const CodePageText& codePage_;
  DiagnosticList& problems_;
  MessageFileEditor editor_;
  std::unordered_map<std::string, std::string> known_;  // the base's sections and alias targets
  std::vector<std::string> knownOrder_;
  std::vector<Planned> planned_;
  std::map<MessageKey, std::size_t> lines_;           // the PO line of each translation
  std::map<MessageKey, std::string> expected_;        // texts changed or added
  std::map<std::string, std::string> addedSections_;  // and their alias targets
  bool failed_ = false;
};

}  // namespace

bool ImportTranslations(const std::string& poPath, const PoEntries& entries,
                        const LoadedMessageFile& translation, const CodePageText& codePage,
                        std::string& result, ImportReport& report, DiagnosticList& problems) {
  return Importer(poPath, entries, translation, codePage, problems).Run(result, report);
}

}  // namespace tralvex::tool
