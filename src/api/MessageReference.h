// References between messages: the text from a "{" to the first "}" after
// it names a message by hexadecimal number, with an optional fallback text
// after a "|", as in {1A2|not found}.
#ifndef TRALVEX_API_MESSAGEREFERENCE_H
#define TRALVEX_API_MESSAGEREFERENCE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tralvex {

constexpr int kMaxReferences = 8;

struct ParsedReference {
  int32_t number = -1;        // -1 when no number was read
  std::string_view fallback;  // a part of the reference given
};

// `reference` is one reference with both braces.
ParsedReference ParseMessageReference(std::string_view reference);

// Gives the text of a referenced message.
class ReferenceLookup {
 public:
  virtual ~ReferenceLookup() = default;
  // The text to insert; it stays valid until the next call.
  virtual std::string_view MessageText(uint32_t number, std::string_view fallback) = 0;
  // True when `text` is the stand-in for a missing message.
  virtual bool IsMissing(const char* text) = 0;
};

enum class Evaluation {
  kRefused,    // null source or buffer: nothing written
  kCopied,     // no reference: the source was copied
  kEvaluated,  // references were replaced
  kNoMemory,   // nothing written yet; the caller decides what to show
};

struct EvaluationResult {
  Evaluation outcome = Evaluation::kRefused;
  // Whether the last reference looked up found its message missing.
  bool lastMissing = false;
};

// Replaces the first eight references of `source` by the texts they name
// and writes the result into `buffer` by the prefilled-length rule: the
// length of the text in the buffer on entry is the room. Source and buffer
// may overlap.
EvaluationResult EvaluateReferences(const char* source, char* buffer, ReferenceLookup& lookup);

// The prefilled-length rule: copies at most as many bytes as the text in the
// buffer holds, then a terminator. Nothing happens when either is null.
void CopyIntoPrefilled(char* buffer, const char* source);

}  // namespace tralvex

#endif
