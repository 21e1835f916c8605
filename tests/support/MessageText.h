// Parsing message-file text held in a test: the text is copied into a
// buffer of the kind the parser expects (new char[], NUL after the bytes).
#ifndef TRALVEX_TESTS_SUPPORT_MESSAGETEXT_H
#define TRALVEX_TESTS_SUPPORT_MESSAGETEXT_H

#include <cstring>
#include <string>
#include <string_view>

#include "catalogue/MessageFileData.h"

namespace tralvex::test {

// Parses text into data; returns the parser's result. The buffer is freed
// here when the parser leaves it with the caller.
inline int ParseText(MessageFileData& data, std::string_view text) {
  char* buffer = new char[text.size() + 1];
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  int result = data.ParseMessageFile(buffer, buffer + text.size());
  delete[] buffer;
  return result;
}

// The text of a message in a section, or "<none>" for a missing section or
// message, so that expectations read as plain strings.
inline std::string TextOf(const MessageFileData& data, std::string_view section, uint32_t number) {
  const MessageSection* found = data.FindSection(section);
  if (found == nullptr) return "<no section>";
  const char* text = found->FindMessage(number);
  return text != nullptr ? std::string(text) : std::string("<none>");
}

// The context text of the entry of code in a list, or "<absent>".
inline std::string ErrorContext(const ErrorList& list, int code) {
  unsigned position = list.FindError(code);
  if (position == 0) return "<absent>";
  int found = 0;
  const char* text = nullptr;
  list.GetErrorAt(position, found, text);
  return text != nullptr ? std::string(text) : std::string();
}

}  // namespace tralvex::test

#endif
