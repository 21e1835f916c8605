// Evaluation of references and formatting with arguments together, on texts
// that steer both: the input is split at NUL bytes into the source text, the
// texts of the messages it may refer to (numbers 1, 2, ...) and the argument
// texts. Every output goes into a buffer of exactly the room granted, so a
// write beyond it is caught. Two ways to the same result must agree: a
// source evaluated in place in the buffer and a copy of it evaluated into a
// fresh one, and formatting into a buffer and into a string cut at its room.
// The high bit of the second byte selects a double-byte code page.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "api/MessageFormatter.h"
#include "api/MessageReference.h"
#include "platform/CodePage.h"

namespace {

class PartsLookup : public tralvex::ReferenceLookup {
 public:
  explicit PartsLookup(const std::vector<std::string>& parts) : parts_(parts) {}
  std::string_view MessageText(uint32_t number, std::string_view fallback) override {
    if (number < parts_.size()) return parts_[number].c_str();
    if (number % 2 == 0) return fallback;
    return missing_;
  }
  bool IsMissing(const char* text) override { return text == missing_; }

 private:
  const std::vector<std::string>& parts_;
  const char* missing_ = "MSG(FFFFF)";
};

std::vector<std::string> SplitAtNul(const uint8_t* data, std::size_t size) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      parts.emplace_back();
    } else {
      parts.back().push_back(static_cast<char>(data[i]));
    }
  }
  return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::size_t room = data[0] * 8u;
  uint32_t count = data[1] % 5;
  std::vector<std::string> parts = SplitAtNul(data + 2, size - 2);

  tralvex::platform::UseCodePage(data[1] & 0x80 ? 932 : 1252);

  PartsLookup lookup(parts);
  std::vector<char> buffer(room + 1, ' ');
  buffer[room] = '\0';
  tralvex::EvaluateReferences(parts[0].c_str(), buffer.data(), lookup);
  if (std::strlen(buffer.data()) > room) __builtin_trap();

  // The source in the buffer itself, followed by blanks that add to the room.
  std::string source = parts[0] + std::string(room % 7, ' ');
  std::vector<char> inPlace(source.begin(), source.end());
  inPlace.push_back('\0');
  std::vector<char> fresh = inPlace;
  tralvex::EvaluationResult a = tralvex::EvaluateReferences(inPlace.data(), inPlace.data(), lookup);
  tralvex::EvaluationResult b = tralvex::EvaluateReferences(source.c_str(), fresh.data(), lookup);
  if (std::strcmp(inPlace.data(), fresh.data()) != 0 || a.outcome != b.outcome ||
      a.lastMissing != b.lastMissing) {
    __builtin_trap();
  }

  std::vector<const char*> args;
  for (std::size_t i = 1; i < parts.size() && args.size() < count; ++i) {
    args.push_back(parts[i].size() % 3 == 1 ? nullptr : parts[i].c_str());
  }
  count = static_cast<uint32_t>(args.size());
  const void* argsPointer = args.data();
  if (count == 1) argsPointer = args[0];
  std::string formatted;
  tralvex::FormatMessageArguments(buffer.data(), argsPointer, count, formatted);

  std::string cut;
  tralvex::FormatWithTexts(buffer.data(), args.data(), args.size(), room, cut);
  std::vector<char> out(room + 1, ' ');
  std::size_t written =
      tralvex::FormatIntoBuffer(buffer.data(), args.data(), args.size(), out.data(), room);
  if (written != cut.size() || cut != out.data()) __builtin_trap();
  return 0;
}
