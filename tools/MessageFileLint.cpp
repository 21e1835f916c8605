#include "MessageFileLint.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "EncodingLint.h"
#include "NumberLint.h"
#include "Reporter.h"
#include "TextLint.h"
#include "catalogue/MessageFileSyntax.h"
#include "catalogue/TrimBlanks.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

using platform::FindChar;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

struct SectionRecord {
  std::string name;  // upper-cased, as the library keys it
  const char* aliasAt = nullptr;
  std::string_view aliasTarget;
};

// A message of a section, as the key of one map for the whole file: a file
// of many small sections costs no map per section.
uint64_t MessageKey(std::size_t section, uint32_t number) {
  return (static_cast<uint64_t>(section) << 32) | number;
}

std::string Quoted(std::string_view text) { return "\"" + Excerpt(text) + "\""; }

class MessageFileLinter {
 public:
  MessageFileLinter(std::string_view fileName, std::string_view bytes, DiagnosticList& out)
      : bytes_(bytes), report_(fileName, bytes, out) {
    // Every header begins with "[": room for as many sections, so that a
    // file of many does not grow the tables again and again.
    std::size_t brackets = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '['));
    sections_.reserve(brackets);
    index_.reserve(brackets);
  }

  void Run(const MessageLintOptions& options) {
    const char* cursor = bytes_.data();
    const char* end = cursor + bytes_.size();
    while (cursor < end) {
      std::string_view line = NextLine(cursor, end);
      CheckJoinedLines(line);
      HandleLine(line);
    }
    CheckAliases();
    CheckReferencedNumbers();
    if (options.checkEncoding) CheckEncoding(bytes_, report_);
    CheckEmpty();
  }

 private:
  void HandleLine(std::string_view line) {
    LineInfo info = ClassifyLine(line);
    switch (info.kind) {
      case LineKind::kEmpty:
      case LineKind::kComment:
        return;
      case LineKind::kSectionHeader:
        return OnHeader(line, info.name);
      case LineKind::kAlias:
        return OnAlias(line, info.target);
      case LineKind::kMessage:
        return OnMessage(line, info.number, info.text);
      case LineKind::kIgnored:
        return OnIgnored(line);
    }
  }

  // A line feed that no carriage return comes before does not end a line
  // for the library: the lines it separates are one.
  void CheckJoinedLines(std::string_view line) {
    const char* lf = static_cast<const char*>(std::memchr(line.data(), '\n', line.size()));
    if (lf == nullptr) return;
    const char* end = line.data() + line.size();
    std::size_t joined = 0;
    bool lost = false;
    for (const char* p = lf; p != nullptr;) {
      const char* next = static_cast<const char*>(std::memchr(p + 1, '\n', end - p - 1));
      std::string_view piece(p + 1, static_cast<std::size_t>((next ? next : end) - p - 1));
      while (!piece.empty() && piece.front() == ' ') piece.remove_prefix(1);
      if (!piece.empty()) ++joined;
      LineKind kind = ClassifyLine(piece).kind;
      lost |= kind == LineKind::kSectionHeader || kind == LineKind::kAlias ||
              kind == LineKind::kMessage;
      p = next;
    }
    if (joined == 0) return;  // only blank lines joined: nothing changes
    std::string text =
        "this line ends with a line feed alone: the library ends lines only at "
        "a carriage return, so the " +
        std::to_string(joined) + " line(s) after it are part of this line";
    if (lost) text += " and what they define is lost";
    report_.At(lf, lost ? Severity::kError : Severity::kWarning, text + "; save with CR LF",
               "line-endings");
  }

  void OnHeader(std::string_view line, std::string_view name) {
    std::string upper = platform::UpperCase(name);
    auto found = index_.find(upper);
    if (found == index_.end()) {
      index_.emplace(upper, sections_.size());
      sections_.push_back(SectionRecord{upper, nullptr, {}});
      current_ = sections_.size() - 1;
    } else {
      current_ = found->second;
      report_.At(line.data(), Severity::kNote,
                 "section " + upper + " is opened again: the lines below continue it",
                 "section-reopened");
    }
    const char* close = FindChar(line.data() + 1, line.data() + line.size(), ']');
    std::string_view rest =
        TrimBlanks(std::string_view(close + 1, line.data() + line.size() - close - 1));
    // A line feed here is reported as such: the joined lines are no text.
    if (!rest.empty() && rest.front() != ';' && rest.front() != '\n') {
      report_.At(rest.data(), Severity::kWarning,
                 "text after the section header's ']' is ignored: " + Quoted(rest),
                 "header-trailing-text");
    }
  }

  void OnAlias(std::string_view line, std::string_view target) {
    if (target.empty()) {
      bool colon =
          line.size() > 5 && FindChar(line.data() + 5, line.data() + line.size(), ':') != nullptr;
      report_.At(line.data(), Severity::kWarning,
                 colon ? "alias line with nothing after its ':' is ignored"
                       : "alias line without ':' is ignored",
                 "alias-ignored");
      return;
    }
    if (current_ == kNone) {
      report_.At(line.data(), Severity::kWarning,
                 "alias line before any section header or message is ignored", "alias-ignored");
      return;
    }
    SectionRecord& section = sections_[current_];
    if (section.aliasAt != nullptr) {
      report_.At(line.data(), Severity::kWarning,
                 "a second alias line in section " + section.name + " replaces the target " +
                     Quoted(section.aliasTarget) + " of line " +
                     std::to_string(report_.LineOf(section.aliasAt)),
                 "alias-replaced");
    }
    section.aliasAt = line.data();
    section.aliasTarget = target;
  }

  void OnMessage(std::string_view line, uint32_t number, std::string_view text) {
    const char* colon = FindChar(line.data(), line.data() + line.size(), ':');
    std::string_view numberPart(line.data(), static_cast<std::size_t>(colon - line.data()));
    CheckNumberPart(numberPart, number, report_);
    if (current_ == kNone) {
      index_.emplace(kInvisibleSectionName, sections_.size());
      sections_.push_back(SectionRecord{kInvisibleSectionName, nullptr, {}});
      current_ = sections_.size() - 1;
    }
    SectionRecord& section = sections_[current_];
    auto [place, added] = firstDefinition_.emplace(MessageKey(current_, number), line.data());
    if (!added) {
      report_.At(line.data(), Severity::kWarning,
                 "message " + Hex(number) + " is already defined in section " + section.name +
                     " at line " + std::to_string(report_.LineOf(place->second)) +
                     "; the first definition wins and this one is ignored",
                 "shadowed-message");
    }
    std::string_view textPart(colon + 1,
                              static_cast<std::size_t>(line.data() + line.size() - colon - 1));
    CheckCutAndQuotes(textPart, text, report_);
    for (const ReferenceUse& use : CheckReferences(text, report_)) references_.push_back(use);
    CheckConversions(text, report_);
    CheckLength(text, report_);
  }

  void OnIgnored(std::string_view line) {
    // Tabs before a comment, or tabs alone, change nothing.
    std::string_view rest = TrimBlanks(line);
    if (rest.empty() || rest.front() == ';') return;
    report_.At(line.data(), Severity::kWarning, "line is ignored: " + WhyIgnored(line),
               "ignored-line");
  }

  std::string CurrentSectionName() const {
    return current_ == kNone ? std::string("no section") : "section " + sections_[current_].name;
  }

  std::string WhyIgnored(std::string_view line) const {
    if (line.substr(0, 3) == "\xEF\xBB\xBF") {
      return "the file begins with a UTF-8 byte-order mark, which the library reads as part "
             "of the first line";
    }
    if (IsBlank(line.front()) || line.front() == '\n') {
      std::string_view rest = line;
      while (!rest.empty() && (IsBlank(rest.front()) || rest.front() == '\n'))
        rest.remove_prefix(1);
      LineKind kind = ClassifyLine(rest).kind;
      if (kind == LineKind::kSectionHeader) {
        return "a tab stands before this section header, and only spaces may; the lines below "
               "stay in " +
               CurrentSectionName();
      }
      if (kind == LineKind::kAlias)
        return "a tab stands before this alias line, and only spaces may";
    }
    const char* end = line.data() + line.size();
    if (line.front() == '[') {
      const char* close = FindChar(line.data() + 1, end, ']');
      std::string stay = "; the lines below stay in " + CurrentSectionName();
      if (close == nullptr) return "no ']' closes the section name" + stay;
      if (close - line.data() - 1 < 3) {
        return "a section name needs at least two characters" + stay;
      }
      return "the section name is empty" + stay;
    }
    const char* colon = FindChar(line.data(), end, ':');
    if (colon == nullptr)
      return "it is no header, alias, comment or message (no ':' after a number)";
    std::string_view part = TrimBlanks(std::string_view(line.data(), colon - line.data()));
    std::string white = OtherWhiteSpaceNames(part);
    if (!white.empty()) {
      return "only white space (" + white +
             ") stands before the ':', which is no message number: only spaces and tabs "
             "there make message 0";
    }
    return Quoted(part) + " before the ':' is no hexadecimal message number";
  }

  // The names of the white space other than spaces and tabs that a number
  // part consists of, or "" when it holds anything else.
  static std::string OtherWhiteSpaceNames(std::string_view part) {
    static const char* const kNames[] = {"line feed", "vertical tab", "form feed"};
    bool seen[3] = {};
    for (char c : part) {
      if (c < '\n' || c > '\f') {
        if (!IsBlank(c)) return "";
        continue;
      }
      seen[c - '\n'] = true;
    }
    std::string names;
    for (int i = 0; i < 3; ++i) {
      if (!seen[i]) continue;
      if (!names.empty()) names += ", ";
      names += kNames[i];
    }
    return names;
  }

  void CheckAliases() {
    std::vector<std::size_t> next(sections_.size(), kNone);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
      const SectionRecord& section = sections_[i];
      if (section.aliasAt == nullptr) continue;
      std::size_t target = Find(section.aliasTarget);
      if (target == kNone) {
        std::string text = "alias target " + Quoted(section.aliasTarget) +
                           " names no section of this file: the library refuses to open the "
                           "file (error 0x143, " +
                           section.name + ")";
        if (section.aliasTarget.find_first_of(";\"") != std::string_view::npos) {
          text += "; the target is taken whole, comments and quotes included";
        }
        report_.At(section.aliasAt, Severity::kError, text, "missing-alias-target");
      } else if (target == i) {
        report_.At(section.aliasAt, Severity::kWarning,
                   "section " + section.name + " names itself as its alias: the alias is dropped",
                   "alias-cycle");
      } else {
        next[i] = target;
      }
    }
    ReportCycles(next);
  }

  // A section aliases one other at most, so a walk along the aliases ends
  // at a section without one or runs into a ring. Each section is walked
  // over once: a walk stops at a section an earlier walk reached, and it
  // has found a ring when it reaches a section of its own.
  void ReportCycles(const std::vector<std::size_t>& next) {
    std::vector<std::size_t> reachedBy(next.size(), kNone);
    for (std::size_t start = 0; start < next.size(); ++start) {
      std::size_t at = start;
      while (at != kNone && reachedBy[at] == kNone) {
        reachedBy[at] = start;
        at = next[at];
      }
      if (at != kNone && reachedBy[at] == start) ReportCycle(at, next);
    }
  }

  // Reports a ring once, at the alias line of its first section in file
  // order, naming its sections from there (the middle left out of a long
  // ring).
  void ReportCycle(std::size_t member, const std::vector<std::size_t>& next) {
    std::size_t first = member;
    for (std::size_t at = next[member]; at != member; at = next[at]) first = std::min(first, at);
    std::vector<std::size_t> ring{first};
    for (std::size_t at = next[first]; at != first; at = next[at]) ring.push_back(at);
    constexpr std::size_t kShown = 8;
    std::string chain;
    for (std::size_t i = 0; i < ring.size(); ++i) {
      if (ring.size() > kShown + 1 && i == kShown - 1) {
        chain += "... -> ";
        i = ring.size() - 1;
      }
      chain += sections_[ring[i]].name + " -> ";
    }
    chain += sections_[first].name;
    if (ring.size() > kShown + 1) chain += " (" + std::to_string(ring.size()) + " sections)";
    report_.At(sections_[first].aliasAt, Severity::kWarning,
               "alias cycle " + chain +
                   ": each of these sections takes the messages it lacks "
                   "from the others",
               "alias-cycle");
  }

  std::size_t Find(std::string_view name) const {
    auto found = index_.find(platform::UpperCase(name));
    return found == index_.end() ? kNone : found->second;
  }

  void CheckReferencedNumbers() {
    if (references_.empty()) return;
    std::unordered_set<uint32_t> defined;
    for (const auto& entry : firstDefinition_) {
      defined.insert(static_cast<uint32_t>(entry.first & 0xFFFFFFFFu));
    }
    for (const ReferenceUse& use : references_) {
      if (defined.count(use.number) != 0) continue;
      char placeholder[24];
      std::snprintf(placeholder, sizeof placeholder, "MSG(%05X)", use.number);
      report_.At(use.at, Severity::kWarning,
                 "the reference names message " + Hex(use.number) +
                     ", which no section of this file defines: it evaluates to its fallback "
                     "text in a context, to " +
                     placeholder + " through a catalogue handle",
                 "undefined-reference");
    }
  }

  void CheckEmpty() {
    if (sections_.empty()) {
      report_.File(Severity::kNote, "the file defines no message", "empty-file");
    }
  }

  std::string_view bytes_;
  Reporter report_;
  std::vector<SectionRecord> sections_;
  std::unordered_map<std::string, std::size_t> index_;
  // The line of each section's first definition of a number.
  std::unordered_map<uint64_t, const char*> firstDefinition_;
  std::size_t current_ = kNone;
  std::vector<ReferenceUse> references_;
};

}  // namespace

void LintMessageFile(std::string_view fileName, std::string_view bytes,
                     const MessageLintOptions& options, DiagnosticList& out) {
  MessageFileLinter linter(fileName, bytes, out);
  linter.Run(options);
}

}  // namespace tralvex::tool
