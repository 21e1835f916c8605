#include "api/Escapes.h"

#include "platform/CodePage.h"

namespace tralvex {
namespace {

// The end of the character at p, which is end itself when p is.
const char* CharacterEnd(const char* p, const char* end) {
  if (p == end) return end;
  return p + (platform::IsLeadByte(static_cast<unsigned char>(*p)) && p + 1 < end ? 2 : 1);
}

}  // namespace

const char* ExpandEscapes(const char* text, std::string& storage) {
  if (text == nullptr || *text == '\0') return text;
  std::string_view expanded = ExpandEscapes(std::string_view(text), storage);
  return expanded.data() == text ? text : storage.c_str();
}

std::string_view ExpandEscapes(std::string_view text, std::string& storage) {
  // Most texts hold no backslash byte at all, which a plain byte search
  // tells sooner than the code page's character search.
  if (text.find('\\') == std::string_view::npos) return text;
  const char* end = text.data() + text.size();
  const char* backslash = platform::FindChar(text.data(), end, '\\');
  if (backslash == nullptr) return text;
  storage.clear();
  const char* from = text.data();
  while (backslash != nullptr) {
    storage.append(from, backslash);
    const char* escaped = backslash + 1;
    if (escaped < end && *escaped == 'n') {
      storage.push_back('\n');
      from = escaped + 1;
    } else if (escaped < end && *escaped == 't') {
      storage.push_back('\t');
      from = escaped + 1;
    } else {
      // The backslash and the character after it stay as they are; a
      // backslash at the very end stays alone.
      from = CharacterEnd(escaped, end);
      storage.append(backslash, from);
    }
    backslash = platform::FindChar(from, end, '\\');
  }
  storage.append(from, end);
  return storage;
}

}  // namespace tralvex
