#include "api/MessageFormatter.h"

#include <cstring>
#include <new>

#include "api/Escapes.h"
#include "api/ShortCopy.h"

namespace tralvex {
namespace {

constexpr std::string_view kUnfilled = "%s";

bool IsFlag(char c) {
  return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0' || c == '\'';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLengthModifier(char c) {
  return c == 'h' || c == 'l' || c == 'j' || c == 'z' || c == 't' || c == 'L' || c == 'q';
}
// Conversions that take an argument; "n" among them, though it shows nothing.
bool TakesArgument(char c) {
  constexpr std::string_view kTakingArgument = "diouxXeEfFgGaAcspn";
  return c == 's' || (c != '\0' && kTakingArgument.find(c) != std::string_view::npos);
}

// The argument texts in order; past the end each one is "%s".
class ArgumentTexts {
 public:
  ArgumentTexts(const char* const* args, std::size_t count) : args_(args), count_(count) {}
  std::string_view Next() {
    if (next_ >= count_ || args_ == nullptr) return kUnfilled;
    const char* text = args_[next_++];
    return text != nullptr ? std::string_view(text) : kUnfilled;
  }

 private:
  const char* const* args_;
  std::size_t count_;
  std::size_t next_ = 0;
};

// Output to a string that silently stops at a limit.
class StringOutput {
 public:
  StringOutput(std::string& out, std::size_t limit) : out_(out), room_(limit) {}
  bool Full() const { return room_ == 0; }
  void Append(std::string_view text) {
    std::size_t n = text.size() < room_ ? text.size() : room_;
    out_.append(text.data(), n);
    room_ -= n;
  }
  void AppendBlanks(std::size_t n) {
    if (n > room_) n = room_;
    out_.append(n, ' ');
    room_ -= n;
  }

 private:
  std::string& out_;
  std::size_t room_;
};

// Output into a caller's buffer of a given room, which it never passes.
class BufferOutput {
 public:
  BufferOutput(char* buffer, std::size_t room) : begin_(buffer), out_(buffer), room_(room) {}
  bool Full() const { return room_ == 0; }
  void Append(std::string_view text) {
    std::size_t n = text.size() < room_ ? text.size() : room_;
    CopyShort(out_, text.data(), n);
    out_ += n;
    room_ -= n;
  }
  void AppendBlanks(std::size_t n) {
    if (n > room_) n = room_;
    std::memset(out_, ' ', n);
    out_ += n;
    room_ -= n;
  }
  std::size_t Finish() {
    *out_ = '\0';
    return static_cast<std::size_t>(out_ - begin_);
  }

 private:
  char* begin_;
  char* out_;
  std::size_t room_;
};

// One conversion as written, before any argument is taken.
struct Conversion {
  std::size_t length = 0;  // from "%" through the conversion character
  bool leftAlign = false;
  bool starWidth = false;
  std::size_t width = 0;
  bool hasPrecision = false;
  bool starPrecision = false;
  std::size_t precision = 0;
  char type = '\0';  // '\0' when the text ends inside the conversion
};

std::size_t ReadDigits(std::string_view text, std::size_t& pos) {
  std::size_t value = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    value = value * 10 + static_cast<std::size_t>(text[pos] - '0');
    if (value > kMaxFieldWidth) value = kMaxFieldWidth;
  }
  return value;
}

// `text` starts at the "%".
Conversion ParseConversion(std::string_view text) {
  Conversion c;
  std::size_t pos = 1;
  for (; pos < text.size() && IsFlag(text[pos]); ++pos) c.leftAlign |= text[pos] == '-';
  if (pos < text.size() && text[pos] == '*') {
    c.starWidth = true;
    ++pos;
  } else {
    c.width = ReadDigits(text, pos);
  }
  if (pos < text.size() && text[pos] == '.') {
    c.hasPrecision = true;
    ++pos;
    if (pos < text.size() && text[pos] == '*') {
      c.starPrecision = true;
      ++pos;
    } else {
      c.precision = ReadDigits(text, pos);
    }
  }
  while (pos < text.size() && IsLengthModifier(text[pos])) ++pos;
  if (pos < text.size()) c.type = text[pos++];
  c.length = pos;
  return c;
}

// A width or precision taken by "*" is read from its argument text as a
// decimal number; a text that is no number gives 0.
long ReadStarValue(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  long value = static_cast<long>(ReadDigits(text, pos));
  return negative ? -value : value;
}

void ApplyStars(Conversion& c, ArgumentTexts& args) {
  if (c.starWidth) {
    long width = ReadStarValue(args.Next());
    if (width < 0) c.leftAlign = true;
    c.width = static_cast<std::size_t>(width < 0 ? -width : width);
  }
  if (c.starPrecision) {
    long precision = ReadStarValue(args.Next());
    c.hasPrecision = precision >= 0;
    c.precision = precision >= 0 ? static_cast<std::size_t>(precision) : 0;
  }
}

template <class Output>
void AppendField(const Conversion& c, std::string_view text, Output& out) {
  if (c.hasPrecision && text.size() > c.precision) text = text.substr(0, c.precision);
  std::size_t padding = c.width > text.size() ? c.width - text.size() : 0;
  if (!c.leftAlign) out.AppendBlanks(padding);
  out.Append(text);
  if (c.leftAlign) out.AppendBlanks(padding);
}

template <class Output>
void FormatInto(std::string_view format, const char* const* args, std::size_t count,
                Output& output) {
  ArgumentTexts arguments(args, count);
  std::size_t pos = 0;
  while (pos < format.size() && !output.Full()) {
    std::size_t percent = format.find('%', pos);
    if (percent == std::string_view::npos) percent = format.size();
    output.Append(format.substr(pos, percent - pos));
    if (percent == format.size()) break;
    std::string_view rest = format.substr(percent);
    if (rest.size() >= 2 && rest[1] == 's') {
      // A plain "%s", the conversion nearly every message uses: no flags,
      // width or precision to apply.
      output.Append(arguments.Next());
      pos = percent + 2;
      continue;
    }
    Conversion c = ParseConversion(rest);
    pos = percent + c.length;
    if (c.type == '%') {
      output.Append("%");
    } else if (!TakesArgument(c.type)) {
      // Not a conversion, or cut off by the end of the text: shown as written.
      output.Append(rest.substr(0, c.length));
    } else {
      ApplyStars(c, arguments);
      std::string_view text = arguments.Next();
      if (c.type != 'n') AppendField(c, text, output);
    }
  }
}

}  // namespace

void FormatWithTexts(std::string_view format, const char* const* args, std::size_t count,
                     std::size_t limit, std::string& out) {
  StringOutput output(out, limit);
  FormatInto(format, args, count, output);
}

std::size_t FormatIntoBuffer(std::string_view format, const char* const* args, std::size_t count,
                             char* buffer, std::size_t room) {
  BufferOutput output(buffer, room);
  FormatInto(format, args, count, output);
  return output.Finish();
}

int FormatMessageArguments(const char* text, const void* args, uint32_t count,
                           std::string& result) {
  if (text == nullptr) return 0;
  try {
    std::string expandedStore;
    std::string_view expanded = ExpandEscapes(text, expandedStore);
    if (count == 1) {
      const char* single = static_cast<const char*>(args);
      FormatWithTexts(expanded, &single, 1, kNoOutputLimit, result);
      return 1;
    }
    // Several arguments are not cut at the length of the text and its
    // arguments: a width that pads would lose the end of the result, or
    // the argument itself. The caller's buffer bounds what is kept.
    const char* const* array = static_cast<const char* const*>(args);
    std::size_t served = array != nullptr ? count : 0;
    FormatWithTexts(expanded, array, served, kNoOutputLimit, result);
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

}  // namespace tralvex
