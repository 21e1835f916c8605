#include "api/Escapes.h"

#include <cstring>

#include "platform/CodePage.h"

namespace tralvex {

const char* ExpandEscapes(const char* text, std::string& storage) {
  if (text == nullptr || *text == '\0') return text;
  const char* end = text + std::strlen(text);
  const char* backslash = platform::FindChar(text, end, '\\');
  if (backslash == nullptr) return text;
  storage.clear();
  const char* from = text;
  while (backslash != nullptr) {
    storage.append(from, backslash);
    const char* escaped = backslash + 1;
    if (*escaped == 'n') {
      storage.push_back('\n');
      from = escaped + 1;
    } else if (*escaped == 't') {
      storage.push_back('\t');
      from = escaped + 1;
    } else {
      // The backslash and the character after it stay as they are; a
      // backslash at the very end stays alone.
      from = platform::NextChar(escaped);
      storage.append(backslash, from);
    }
    backslash = platform::FindChar(from, end, '\\');
  }
  storage.append(from, end);
  return storage.c_str();
}

}  // namespace tralvex
