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

// A section the entries name, as the file writes it: in its code page,
// upper-cased, and where the translation has it.
struct NamedSection {
  std::string name;
  std::size_t inFile = kNoIndex;  // the translation's section, or kNoIndex
};

// One translation ready to be written: in the file's code page.
struct Planned {
  const PoEntry* entry;
  std::size_t section;     // index into Importer::sections_
  std::string text;        // empty when unchanged
  bool unchanged = false;  // the file has the text already
};

// A message as the import keys it: the section's index and the number.
using MessageKey = uint64_t;

MessageKey KeyOf(std::size_t section, uint32_t number) {
  return (static_cast<uint64_t>(section) << 32) | number;
}

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
    planned_.reserve(entries_.translated.size());
    for (const PoEntry& entry : entries_.translated) Plan(entry);
    if (failed_) return false;
    Write(report);
    if (failed_) return false;
    if (editor_.Edits() == 0) {
      // Nothing changes: the file reads back as it did.
      result = translation_.Bytes();
      return true;
    }
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
    std::size_t bad = 0;
    const std::string& bytes = translation_.Bytes();
    if (codePage_.IsText(bytes, bad)) return true;
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

  static std::string NameOf(const PoEntry& entry) { return "entry \"" + entry.context + "\""; }

  // The section an entry names, converted once for all its entries; kNoIndex
  // after a problem.
  std::size_t SectionOf(const PoEntry& entry) {
    if (!lastContextSection_.empty() && entry.section == lastContextSection_) return lastSection_;
    auto cached = sectionOfContext_.find(entry.section);
    if (cached != sectionOfContext_.end()) {
      lastContextSection_ = entry.section;
      lastSection_ = cached->second;
      return lastSection_;
    }
    std::string converted;
    if (!InCodePage(entry.line, NameOf(entry), entry.section, converted)) return kNoIndex;
    converted = platform::UpperCase(converted);
    auto [interned, added] = sectionIndex_.emplace(converted, sections_.size());
    if (added) {
      std::size_t inFile = translation_.Layout().FindSection(converted);
      sections_.push_back({std::move(converted), inFile});
    }
    sectionOfContext_.emplace(entry.section, interned->second);
    lastContextSection_ = entry.section;
    lastSection_ = interned->second;
    return lastSection_;
  }

  void Plan(const PoEntry& entry) {
    Planned planned{&entry, SectionOf(entry), {}};
    if (planned.section == kNoIndex) return;
    // A text the file holds already is left as it is, whatever it holds.
    planned.unchanged = Unchanged(planned);
    if (!planned.unchanged && !InCodePage(entry.line, NameOf(entry), entry.text, planned.text)) {
      return;
    }
    auto [seen, first] = lines_.emplace(KeyOf(planned.section, entry.number), entry.line);
    if (!first) {
      Problem(entry.line, NameOf(entry) +
                              ": the message is translated twice; the other entry is at line " +
                              std::to_string(seen->second));
      return;
    }
    if (!planned.unchanged && !CanWrite(planned)) return;
    planned_.push_back(std::move(planned));
  }

  static bool HoldsLineBreak(std::string_view text) {
    return text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos;
  }

  bool CanWrite(const Planned& planned) {
    std::size_t line = planned.entry->line;
    if (HoldsLineBreak(planned.text)) {
      Problem(line, NameOf(*planned.entry) +
                        ": a line break, which a message line cannot hold (the library "
                        "writes one as \\n)");
      return false;
    }
    if (planned.text.size() > kLongestImportedText) {
      Problem(line, NameOf(*planned.entry) + ": a text of " + std::to_string(planned.text.size()) +
                        " bytes, longer than the " + std::to_string(kLongestImportedText) +
                        " any message may have");
      return false;
    }
    const NamedSection& section = sections_[planned.section];
    if (section.inFile == kNoIndex && known_.count(section.name) == 0) {
      Problem(line, NameOf(*planned.entry) + ": unknown section " + planned.entry->section +
                        ": neither the translation nor the base's list in the PO header has it");
      return false;
    }
    return true;
  }

  // Whether the file's text reads as the entry's. The bytes are compared
  // first; a code page that writes one character two ways (932) is then
  // compared in UTF-8, keeping the file's way.
  bool Unchanged(const Planned& planned) {
    std::optional<FoundText> found =
        translation_.Find(sections_[planned.section].name, planned.entry->number);
    if (!found) return false;
    const std::string& text = planned.entry->text;
    if (found->text == text && codePage_.SameInUtf8(text)) return true;
    current_.clear();
    std::size_t ignored = 0;
    return codePage_.ToUtf8(found->text, current_, ignored) && current_ == text;
  }

  // The sections to add: those the translations need, and every alias
  // target they reach that the file lacks.
  std::set<std::string> SectionsToAdd() const {
    std::set<std::string> needed;
    std::vector<std::string> pending;
    for (const Planned& planned : planned_) {
      const NamedSection& section = sections_[planned.section];
      if (section.inFile == kNoIndex && !planned.unchanged) pending.push_back(section.name);
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
    for (std::size_t i = 0; i < planned_.size(); ++i) {
      const Planned& planned = planned_[i];
      if (planned.unchanged) {
        ++report.unchanged;
        continue;
      }
      uint32_t number = planned.entry->number;
      const NamedSection& section = sections_[planned.section];
      std::size_t own =
          section.inFile == kNoIndex ? kNoIndex : layout.FindOwn(section.inFile, number);
      bool written = own != kNoIndex ? editor_.Replace(own, planned.text)
                     : section.inFile != kNoIndex
                         ? editor_.Add(section.inFile, number, planned.text)
                         : editor_.AddToNewSection(section.name, number, planned.text);
      if (!written) {
        Problem(planned.entry->line,
                "entry \"" + planned.entry->context + "\": no message line can hold the text");
      }
      ++(own != kNoIndex ? report.changed : report.added);
      expected_.emplace(KeyOf(planned.section, number), i);
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
    for (const Planned& planned : planned_) {
      if (planned.unchanged) continue;
      const std::string& section = sections_[planned.section].name;
      std::optional<FoundText> found = written.Find(section, planned.entry->number);
      if (!found || found->text != planned.text) {
        Problem(planned.entry->line, "the changed file does not read back the text of " +
                                         EntryName(section, planned.entry->number));
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
      auto named = sectionIndex_.find(section.name);
      std::size_t index = named == sectionIndex_.end() ? kNoIndex : named->second;
      for (std::size_t m : section.own) {
        const WrittenMessage& old = before.Messages()[m];
        if (index != kNoIndex && expected_.count(KeyOf(index, old.number)) != 0) continue;
        std::size_t kept = after.FindOwn(now, old.number);
        if (kept == kNoIndex ||
            TextOf(written.Bytes(), after.Messages()[kept]) != TextOf(translation_.Bytes(), old)) {
          Problem(0, "the changed file would change " + EntryName(section.name, old.number) +
                         ", which the PO file leaves alone");
        }
      }
    }
    return !failed_;
  }

  static std::string_view TextOf(const std::string& bytes, const WrittenMessage& message) {
    return std::string_view(bytes).substr(message.text, message.textLength);
  }

  static std::string EntryName(const std::string& section, uint32_t number) {
    return "message " + Hex(number) + " of section " + section;
  }

  const std::string& poPath_;
  const PoEntries& entries_;
  const LoadedMessageFile& translation_;
  const CodePageText& codePage_;
  DiagnosticList& problems_;
  MessageFileEditor editor_;
  std::unordered_map<std::string, std::string> known_;  // the base's sections and alias targets
  std::vector<std::string> knownOrder_;
  std::vector<NamedSection> sections_;  // those the entries name, in first use
  std::unordered_map<std::string, std::size_t> sectionIndex_;      // by name in the code page
  std::unordered_map<std::string, std::size_t> sectionOfContext_;  // by name in the PO file
  std::string lastContextSection_;  // entries come section by section
  std::size_t lastSection_ = kNoIndex;
  std::vector<Planned> planned_;
  std::unordered_map<MessageKey, std::size_t> lines_;     // the PO line of each translation
  std::unordered_map<MessageKey, std::size_t> expected_;  // planned_ index of each text written
  std::map<std::string, std::string> addedSections_;      // and their alias targets
  std::string current_;  // a text of the file in UTF-8, for comparing
  bool failed_ = false;
};

}  // namespace

bool ImportTranslations(const std::string& poPath, const PoEntries& entries,
                        const LoadedMessageFile& translation, const CodePageText& codePage,
                        std::string& result, ImportReport& report, DiagnosticList& problems) {
  return Importer(poPath, entries, translation, codePage, problems).Run(result, report);
}

}  // namespace tralvex::tool
