#include "TextLint.h"

#include <cstring>
#include <string>

#include "api/MessageReference.h"
#include "catalogue/TrimBlanks.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

using platform::FindChar;
using platform::FindLastChar;

std::string Quoted(std::string_view text) { return "\"" + Excerpt(text) + "\""; }

const char* End(std::string_view text) { return text.data() + text.size(); }

// A reference as evaluation collects them: from a "{" to the first "}"
// after it, the next one searched after that "}".
struct Span {
  const char* open;
  const char* close;
};

std::vector<Span> FindReferenceSpans(std::string_view text) {
  std::vector<Span> spans;
  const char* end = End(text);
  const char* open = FindChar(text.data(), end, '{');
  while (open != nullptr) {
    const char* close = FindChar(open + 1, end, '}');
    if (close == nullptr) break;
    spans.push_back({open, close});
    open = FindChar(close + 1, end, '{');
  }
  return spans;
}

// The pieces of a printf conversion the formatter tells apart.
struct Conversion {
  std::size_t length = 1;
  bool star = false;
  bool lengthModifier = false;
  char type = '\0';
};

Conversion ReadConversion(std::string_view rest) {
  Conversion c;
  std::size_t pos = 1;
  auto has = [&](const char* set) {
    return pos < rest.size() && rest[pos] != '\0' && std::strchr(set, rest[pos]) != nullptr;
  };
  while (has("-+ #0'")) ++pos;
  if (has("*")) {
    c.star = true;
    ++pos;
  }
  while (has("0123456789")) ++pos;
  if (has(".")) {
    ++pos;
    if (has("*")) {
      c.star = true;
      ++pos;
    }
    while (has("0123456789")) ++pos;
  }
  while (has("hljztLq")) {
    c.lengthModifier = true;
    ++pos;
  }
  if (pos < rest.size()) c.type = rest[pos++];
  c.length = pos;
  return c;
}

bool TakesArgument(char c) { return c != '\0' && std::strchr("diouxXeEfFgGaAcspn", c) != nullptr; }

}  // namespace

void CheckCutAndQuotes(std::string_view textPart, std::string_view text, Reporter& report) {
  const char* end = End(textPart);
  const char* last = FindLastChar(textPart.data(), end, ';');
  std::string_view kept = textPart;
  if (last != nullptr) {
    kept = std::string_view(textPart.data(), static_cast<std::size_t>(last - textPart.data()));
    std::string_view dropped(last, static_cast<std::size_t>(end - last));
    const char* first = FindChar(textPart.data(), last, ';');
    std::string_view keptTrimmed = TrimBlanks(kept);
    if (first != nullptr) {
      report.At(first, Severity::kWarning,
                "only the last ';' starts a comment: the text keeps " + Quoted(keptTrimmed),
                "semicolon-cut");
    } else if (!keptTrimmed.empty() && !IsBlank(last[-1])) {
      std::string why =
          !keptTrimmed.empty() && keptTrimmed.front() == '"' && FindChar(last, end, '"') != nullptr
              ? " (quotes do not protect a ';')"
              : "; put a blank before a ';' that starts a comment";
      report.At(last, Severity::kWarning,
                "the text is cut at this ';': " + Quoted(dropped) + " is dropped" + why,
                "semicolon-cut");
    }
  }
  std::string_view trimmed = TrimBlanks(kept);
  bool lostOpening = !trimmed.empty() && text.data() != trimmed.data();
  bool lostClosing = End(text) != End(trimmed);
  if (lostOpening && !lostClosing) {
    report.At(trimmed.data(), Severity::kWarning,
              "the text begins with a double quote but does not end with one: the opening "
              "quote is dropped",
              "unbalanced-quotes");
  } else if (lostClosing && !lostOpening) {
    report.At(End(trimmed) - 1, Severity::kWarning,
              "the text ends with a double quote but does not begin with one: the closing "
              "quote is dropped",
              "unbalanced-quotes");
  }
}

std::vector<ReferenceUse> CheckReferences(std::string_view text, Reporter& report) {
  std::vector<ReferenceUse> uses;
  std::vector<Span> spans = FindReferenceSpans(text);
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const Span& span = spans[i];
    std::string_view written(span.open, static_cast<std::size_t>(span.close - span.open + 1));
    if (i == static_cast<std::size_t>(kMaxReferences)) {
      report.At(span.open, Severity::kWarning,
                "only the first " + std::to_string(kMaxReferences) + " references are evaluated: " +
                    std::to_string(spans.size() - i) + " more stay in the text with their braces",
                "too-many-references");
    }
    if (i >= static_cast<std::size_t>(kMaxReferences)) continue;
    ParsedReference parsed = ParseMessageReference(written);
    if (parsed.number > 0) {
      uses.push_back({static_cast<uint32_t>(parsed.number), span.open});
      continue;
    }
    std::string_view fallback = parsed.fallback;
    if (fallback.size() < 2) {
      report.At(span.open, Severity::kWarning,
                Quoted(written) + " names no message and vanishes from the text",
                "reference-syntax");
    } else {
      report.At(span.open, Severity::kWarning,
                Quoted(written) + " names no message: " + Quoted(fallback) +
                    " takes its place, without the braces",
                "reference-syntax");
    }
  }
  return uses;
}

void CheckConversions(std::string_view text, Reporter& report) {
  std::size_t pos = 0;
  while ((pos = text.find('%', pos)) != std::string_view::npos) {
    Conversion c = ReadConversion(text.substr(pos));
    std::string written(text.substr(pos, c.length));
    const char* at = text.data() + pos;
    pos += c.length;
    if (c.type == '%') continue;
    if (c.type == 's') {
      if (c.star) {
        report.At(at, Severity::kWarning,
                  Quoted(written) + " takes a width or precision from an argument text",
                  "printf-conversion");
      } else if (c.lengthModifier) {
        report.At(at, Severity::kWarning,
                  Quoted(written) + ": the length modifier is ignored, arguments are 8-bit texts",
                  "printf-conversion");
      }
    } else if (TakesArgument(c.type)) {
      report.At(at, Severity::kWarning,
                Quoted(written) +
                    " is not a text conversion: every argument is a text and is "
                    "shown as it is; use %s, or %% for a percent sign",
                "printf-conversion");
    } else {
      report.At(at, Severity::kNote,
                Quoted(written) +
                    " is no conversion and is shown as written; write %% for a "
                    "percent sign",
                "printf-conversion");
    }
  }
}

void CheckLength(std::string_view text, Reporter& report) {
  if (text.size() > kMessageBoxLimit) {
    report.At(text.data() + kMessageBoxLimit, Severity::kWarning,
              "the text has " + std::to_string(text.size()) +
                  " characters; a message box shows only the first " +
                  std::to_string(kMessageBoxLimit),
              "text-length");
  } else if (text.size() > kErrorTextLimit) {
    report.At(text.data() + kErrorTextLimit, Severity::kNote,
              "the text has " + std::to_string(text.size()) +
                  " characters; shown as an error's text, it is cut to " +
                  std::to_string(kErrorTextLimit),
              "text-length");
  }
}

}  // namespace tralvex::tool
