#include "compare/TranslationComparison.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "MessageFileLoader.h"
#include "Reporter.h"
#include "TextLint.h"
#include "TextTraits.h"

namespace tralvex::tool {
namespace {

struct Finding {
  Diagnostic primary;
  std::optional<Diagnostic> basePlace;
};

std::string Quoted(std::string_view text) { return "\"" + Excerpt(text) + "\""; }

std::string Placeholder(uint32_t number) {
  char text[24];
  std::snprintf(text, sizeof text, "MSG(%05X)", number);
  return text;
}

std::string NumberList(const std::vector<uint32_t>& numbers) {
  std::string list;
  for (uint32_t n : numbers) list += (list.empty() ? "" : ", ") + Hex(n);
  return "{" + list + "}";
}

bool HasLetter(std::string_view text) {
  for (char c : text) {
    if (std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) {
      return true;
    }
  }
  return false;
}

std::string Plural(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

class Comparison {
 public:
  Comparison(const LoadedMessageFile& base, const LoadedMessageFile& translation,
             const CodePageText* encoding)
      : base_(base), translation_(translation), encoding_(encoding) {}

  FileProgress Run(DiagnosticList& out) {
    FileProgress progress;
    progress.base = base_.Path();
    progress.translation = translation_.Path();
    progress.compared = true;
    for (const WrittenSection& section : base_.Layout().Sections()) {
      progress.sections.push_back(CompareSection(section));
    }
    ReportExtraSections();
    std::stable_sort(findings_.begin(), findings_.end(), [](const Finding& a, const Finding& b) {
      if (a.primary.line != b.primary.line) return a.primary.line < b.primary.line;
      return a.primary.column < b.primary.column;
    });
    for (Finding& finding : findings_) {
      out.Add(std::move(finding.primary));
      if (finding.basePlace) out.Add(std::move(*finding.basePlace));
    }
    return progress;
  }

 private:
  Diagnostic At(const LoadedMessageFile& file, std::size_t offset, Severity severity,
                std::string text, const char* check) const {
    Place place = file.PlaceOf(offset);
    return Diagnostic{file.Path(), place.line, place.column, severity, std::move(text), check};
  }

  void Add(Diagnostic primary, std::optional<Diagnostic> basePlace = std::nullopt) {
    findings_.push_back(Finding{std::move(primary), std::move(basePlace)});
  }

  // The note that goes with a finding names no check of its own, so that
  // it is not counted as one.
  Diagnostic BaseText(const FoundText& text) const {
    return At(base_, text.offset, Severity::kNote, "the base text: " + Quoted(text.text), "");
  }

  // The translation's header of a section, or the whole file.
  Diagnostic AtSection(std::size_t section, Severity severity, std::string text,
                       const char* check) const {
    const MessageFileLayout& layout = translation_.Layout();
    if (section != kNoIndex && layout.Sections()[section].header != kNoIndex) {
      return At(translation_, layout.Sections()[section].header, severity, std::move(text), check);
    }
    return Diagnostic{translation_.Path(), 0, 0, severity, std::move(text), check};
  }

  // The base section whose own line gives the text at offset.
  std::string DefiningSection(std::size_t offset) const {
    const auto& messages = base_.Layout().Messages();
    auto it =
        std::lower_bound(messages.begin(), messages.end(), offset,
                         [](const WrittenMessage& m, std::size_t at) { return m.line.end < at; });
    if (it == messages.end()) return std::string();
    return base_.Layout().Sections()[it->section].name;
  }

  SectionProgress CompareSection(const WrittenSection& written) {
    SectionProgress progress;
    progress.name = written.name;
    const std::size_t baseIndex = base_.Layout().FindSection(written.name);
    progress.total = written.own.size();
    const MessageSection* baseSection = base_.Data().FindSection(written.name);
    const std::size_t index = translation_.Layout().FindSection(written.name);
    if (baseSection == nullptr) return progress;
    if (translation_.Data().FindSection(written.name) == nullptr) {
      Add(AtSection(kNoIndex, Severity::kError,
                    "section " + written.name + " is missing: its " +
                        Plural(baseSection->MessageCount(), "message gives", "messages give") +
                        " the default text or the placeholder",
                    "missing-section"),
          At(base_, written.header == kNoIndex ? 0 : written.header, Severity::kNote,
             "the base's section " + written.name, ""));
      return progress;
    }
    for (uint32_t number : SortedNumbers(*baseSection)) {
      std::optional<FoundText> baseText = base_.Find(written.name, number);
      std::optional<FoundText> text = translation_.Find(written.name, number);
      bool own = base_.Layout().FindOwn(baseIndex, number) != kNoIndex;
      if (!text) {
        ReportMissing(written.name, index, number, *baseText, own);
        continue;
      }
      if (own) {
        ++progress.translated;
        if (text->text == baseText->text) ++progress.identical;
      }
      if (compared_.insert({baseText->offset, text->offset}).second) {
        CompareTexts(*baseText, *text);
      }
    }
    ReportExtraMessages(written.name, index, *baseSection);
    return progress;
  }

  void ReportMissing(const std::string& section, std::size_t index, uint32_t number,
                     const FoundText& baseText, bool own) {
    if (!own) {
      // An inherited message the translation's own defining section lacks is
      // reported there, once.
      std::string definer = DefiningSection(baseText.offset);
      if (!definer.empty() && !translation_.Find(definer, number)) return;
    }
    Add(AtSection(index, Severity::kError,
                  "message " + Hex(number) + " of section " + section +
                      " is missing: the application gets its default text or " +
                      Placeholder(number),
                  "missing-message"),
        BaseText(baseText));
  }

  void ReportExtraMessages(const std::string& section, std::size_t index,
                           const MessageSection& baseSection) {
    if (index == kNoIndex) return;
    const MessageFileLayout& layout = translation_.Layout();
    for (std::size_t m : layout.Sections()[index].own) {
      const WrittenMessage& message = layout.Messages()[m];
      if (baseSection.FindEntry(message.number) != nullptr) continue;
      Add(At(translation_, message.line.start, Severity::kWarning,
             "message " + Hex(message.number) + " of section " + section + " is not in the base",
             "extra-message"));
    }
  }

  void ReportExtraSections() {
    for (const WrittenSection& section : translation_.Layout().Sections()) {
      if (base_.Data().FindSection(section.name) != nullptr) continue;
      Add(AtSection(translation_.Layout().FindSection(section.name), Severity::kWarning,
                    "section " + section.name + " is not in the base", "extra-section"));
    }
  }

  void CompareTexts(const FoundText& baseText, const FoundText& text) {
    TextTraits expected = TraitsOf(baseText.text);
    TextTraits found = TraitsOf(text.text);
    auto add = [&](Severity severity, std::string what, const char* check) {
      Add(At(translation_, text.offset, severity, std::move(what), check), BaseText(baseText));
    };
    if (found.arguments != expected.arguments) {
      add(Severity::kError,
          "the text takes " + Plural(found.arguments, "argument", "arguments") +
              " (%s conversions) where the base takes " + std::to_string(expected.arguments) +
              ": arguments would be dropped or shown in the wrong place",
          "argument-count");
    }
    if (found.references != expected.references) {
      add(Severity::kWarning,
          "the text refers to messages " + NumberList(found.references) +
              " where the base refers to " + NumberList(expected.references),
          "reference-mismatch");
    }
    if (found.newlines != expected.newlines || found.tabs != expected.tabs) {
      add(Severity::kNote,
          "the text has " + Plural(found.newlines, "line break", "line breaks") + " (\\n) and " +
              Plural(found.tabs, "tab", "tabs") + " (\\t) where the base has " +
              std::to_string(expected.newlines) + " and " + std::to_string(expected.tabs),
          "escape-mismatch");
    }
    if (text.text == baseText.text && HasLetter(text.text)) {
      add(Severity::kNote, "the text is the same as the base's: perhaps untranslated",
          "identical-text");
    }
    CompareLength(baseText, text);
    CheckEncoding(text);
  }

  void CompareLength(const FoundText& baseText, const FoundText& text) {
    std::size_t size = text.text.size(), baseSize = baseText.text.size();
    const char* why = nullptr;
    Severity severity = Severity::kNote;
    std::size_t limit = 0;
    if (size > kMessageBoxLimit && baseSize <= kMessageBoxLimit) {
      why = "a message box shows only the first ";
      severity = Severity::kWarning;
      limit = kMessageBoxLimit;
    } else if (size > kErrorTextLimit && baseSize <= kErrorTextLimit) {
      why = "an error box cuts an error's text to ";
      limit = kErrorTextLimit;
    }
    if (why == nullptr) return;
    Add(At(translation_, text.offset + limit, severity,
           "the text has " + std::to_string(size) + " bytes where the base has " +
               std::to_string(baseSize) + "; " + why + std::to_string(limit),
           "text-length"),
        BaseText(baseText));
  }

  void CheckEncoding(const FoundText& text) {
    if (encoding_ == nullptr) return;
    std::string ignored;
    std::size_t bad = 0;
    if (encoding_->ToUtf8(text.text, ignored, bad)) return;
    Add(At(translation_, text.offset + bad, Severity::kError,
           "byte " + Hex(static_cast<unsigned char>(text.text[bad])) +
               " starts no character of code page " + std::to_string(encoding_->CodePage()),
           "encoding"));
  }

  const LoadedMessageFile& base_;
  const LoadedMessageFile& translation_;
  const CodePageText* encoding_;
  std::vector<Finding> findings_;
  std::set<std::pair<std::size_t, std::size_t>> compared_;  // text offsets, base and translation
};

}  // namespace

FileProgress CompareTranslation(const LoadedMessageFile& base, const LoadedMessageFile& translation,
                                const CodePageText* encoding, DiagnosticList& out) {
  return Comparison(base, translation, encoding).Run(out);
}

}  // namespace tralvex::tool
