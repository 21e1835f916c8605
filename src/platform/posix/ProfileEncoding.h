// How a profile file's bytes hold its text. A file that begins with a
// byte-order mark is in the Unicode encoding the mark names, as editors
// save it; any other file is in the code page of the process, byte for
// byte. The engine works on a marked file's text in UTF-8 and writes it
// back in the file's own encoding, mark first.
#ifndef TRALVEX_PLATFORM_POSIX_PROFILEENCODING_H
#define TRALVEX_PLATFORM_POSIX_PROFILEENCODING_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tralvex::platform {

enum class ProfileEncoding { codePage, utf8, utf16le, utf16be };

struct DecodedProfile {
  std::string text;
  ProfileEncoding encoding = ProfileEncoding::codePage;
  // A UTF-16 file's odd last byte, which no character holds.
  std::string tail;
};

// The text of a file's bytes, without its mark. UTF-16 becomes UTF-8 in
// a way that gives back every unit: an unpaired surrogate becomes the three
// bytes UTF-8 would give it, so that a rewrite keeps even a damaged line.
DecodedProfile DecodeProfile(std::string bytes);

// The bytes of a text in an encoding: its mark, the text, the tail.
std::string EncodeProfile(std::string_view text, ProfileEncoding encoding, std::string_view tail);

// The length of the UTF-8 sequence at the start of text and the code point
// it stands for; 0 when it is no valid sequence (overlong, beyond U+10FFFF,
// cut short, or a surrogate unless surrogates are allowed).
std::size_t Utf8Sequence(std::string_view text, bool surrogatesAllowed, uint32_t* codePoint);

}  // namespace tralvex::platform

#endif
