#include "platform/posix/ProfileEncoding.h"

#include <utility>

namespace tralvex::platform {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr uint32_t kReplacement = 0xFFFD;

bool IsSurrogate(uint32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendUtf8(uint32_t c, std::string* out) {
  if (c < 0x80) {
    *out += static_cast<char>(c);
  } else if (c < 0x800) {
    *out += static_cast<char>(0xC0 | (c >> 6));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out += static_cast<char>(0xE0 | (c >> 12));
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (c >> 18));
    *out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

uint32_t UnitAt(std::string_view bytes, std::size_t at, bool bigEndian) {
  auto byte = [&](std::size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i]));
  };
  return bigEndian ? (byte(at) << 8) | byte(at + 1) : byte(at) | (byte(at + 1) << 8);
}

void AppendUnit(uint32_t unit, bool bigEndian, std::string* out) {
  char high = static_cast<char>(unit >> 8);
  char low = static_cast<char>(unit & 0xFF);
  *out += bigEndian ? high : low;
  *out += bigEndian ? low : high;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string text;
  text.reserve(bytes.size() / 2 * 3 / 2);
  std::size_t units = bytes.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    uint32_t unit = UnitAt(bytes, 2 * i, bigEndian);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
      uint32_t next = UnitAt(bytes, 2 * i + 2, bigEndian);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), &text);
        ++i;
        continue;
      }
    }
    AppendUtf8(unit, &text);  // an unpaired surrogate as well
  }
  return text;
}

void AppendUtf16(std::string_view text, bool bigEndian, std::string* out) {
  while (!text.empty()) {
    uint32_t c = kReplacement;
    std::size_t length = Utf8Sequence(text, true, &c);
    if (length == 0) length = 1;  // no text decoded from a file has such bytes
    if (c >= 0x10000) {
      AppendUnit(0xD800 + ((c - 0x10000) >> 10), bigEndian, out);
      AppendUnit(0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian, out);
    } else {
      AppendUnit(c, bigEndian, out);
    }
    text.remove_prefix(length);
  }
}

}  // namespace

std::size_t Utf8Sequence(std::string_view text, bool surrogatesAllowed, uint32_t* codePoint) {
  if (text.empty()) return 0;
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(0);
  if (lead < 0x80) {
    *codePoint = lead;
    return 1;
  }
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || text.size() < length) return 0;
  uint32_t c = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i) & 0x3F);
  }
  static const uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[length] || c > 0x10FFFF || (IsSurrogate(c) && !surrogatesAllowed)) return 0;
  *codePoint = c;
  return length;
}

DecodedProfile DecodeProfile(std::string bytes) {
  DecodedProfile decoded;
  std::string_view view(bytes);
  if (view.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    decoded.encoding = ProfileEncoding::utf8;
    decoded.text = bytes.substr(kUtf8Mark.size());
  } else if (view.substr(0, 2) == kUtf16LeMark || view.substr(0, 2) == kUtf16BeMark) {
    bool bigEndian = view.substr(0, 2) == kUtf16BeMark;
    decoded.encoding = bigEndian ? ProfileEncoding::utf16be : ProfileEncoding::utf16le;
    std::string_view units = view.substr(2);
    decoded.text = Utf16ToUtf8(units, bigEndian);
    if (units.size() % 2 != 0) decoded.tail.assign(1, units.back());
  } else {
    decoded.text = std::move(bytes);
  }
  return decoded;
}

std::string EncodeProfile(std::string_view text, ProfileEncoding encoding, std::string_view tail) {
  std::string bytes;
  switch (encoding) {
    case ProfileEncoding::codePage:
      bytes.reserve(text.size() + tail.size());
      bytes.append(text.data(), text.size());
      break;
    case ProfileEncoding::utf8:
      bytes.reserve(kUtf8Mark.size() + text.size() + tail.size());
      bytes.append(kUtf8Mark.data(), kUtf8Mark.size());
      bytes.append(text.data(), text.size());
      break;
    case ProfileEncoding::utf16le:
    case ProfileEncoding::utf16be: {
      bool bigEndian = encoding == ProfileEncoding::utf16be;
      std::string_view mark = bigEndian ? kUtf16BeMark : kUtf16LeMark;
      bytes.reserve(mark.size() + 2 * text.size() + tail.size());
      bytes.append(mark.data(), mark.size());
      AppendUtf16(text, bigEndian, &bytes);
      break;
    }
  }
  bytes.append(tail.data(), tail.size());
  return bytes;
}

}  // namespace tralvex::platform
