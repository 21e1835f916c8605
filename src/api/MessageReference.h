// References between messages: the text from a "{" to the first "}" after
// it names a message by hexadecimal number, with an optional fallback text
// after a "|", as in {1A2|not found}.
#ifndef TRALVEX_API_MESSAGEREFERENCE_H
#define TRALVEX_API_MESSAGEREFERENCE_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace tralvex {

constexpr int kMaxReferences = 8;

struct ParsedReference {
  int32_t number = -1;             // -1 when no number was read
  const char* fallback = nullptr;  // points into the reference given
};

// `reference` holds `length` bytes of one reference with both braces and
// room for a terminator after them; it is cut down in place so that the
// fallback text ends where the reference's text does.
ParsedReference ParseMessageReference(char* reference, std::size_t length);
ParsedReference ParseMessageReference(std::string& reference);

// Gives the text of a referenced message. Never returns null.
class ReferenceLookup {
 public:
  virtual ~ReferenceLookup() = default;
  virtual const char* MessageText(uint32_t number, const char* fallback) = 0;
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
