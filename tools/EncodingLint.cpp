#include "EncodingLint.h"

#include <cstdio>
#include <string>

#include "CodePageText.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

// Past this many findings a file is in another encoding altogether, and one
// summary says more than a screenful of findings.
constexpr int kMaxFindings = 10;

bool In(unsigned char c, int low, int high) { return c >= low && c <= high; }

std::string HexByte(unsigned char c) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", c);
  return text;
}

class Findings {
 public:
  explicit Findings(Reporter& report) : report_(report) {}
  void Add(const char* at, std::string text) {
    if (++count_ <= kMaxFindings) {
      report_.At(at, Severity::kError, std::move(text), "encoding");
    }
  }
  ~Findings() {
    if (count_ > kMaxFindings) {
      report_.File(Severity::kNote,
                   std::to_string(count_ - kMaxFindings) +
                       " more invalid byte sequences; is the file in another code page?",
                   "encoding");
    }
  }

 private:
  Reporter& report_;
  int count_ = 0;
};

void CheckUtf8(std::string_view bytes, Findings& findings) {
  auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  auto* end = p + bytes.size();
  while (p < end) {
    std::size_t length = Utf8SequenceLength(
        std::string_view(reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p)));
    if (length == 0) {
      findings.Add(reinterpret_cast<const char*>(p),
                   "byte " + HexByte(*p) + " does not start a valid UTF-8 character");
      length = 1;
    }
    p += length;
  }
}

void CheckDoubleByte(std::string_view bytes, const platform::CodePage& page, Findings& findings) {
  auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  auto* end = p + bytes.size();
  while (p < end) {
    if (!page.leadByte[*p]) {
      ++p;
      continue;
    }
    const char* at = reinterpret_cast<const char*>(p);
    if (p + 1 == end || p[1] == '\r' || p[1] == '\n') {
      findings.Add(at, "lead byte " + HexByte(*p) + " ends the line: its second byte is missing");
      ++p;
    } else if (!IsTrailByte(page.id, p[1])) {
      findings.Add(at, "lead byte " + HexByte(*p) + " is followed by " + HexByte(p[1]) +
                           ", which is no second byte on code page " + std::to_string(page.id) +
                           "; the library takes both as one character");
      p += 2;
    } else {
      p += 2;
    }
  }
}

}  // namespace

bool IsTrailByte(unsigned id, unsigned char c) {
  switch (id) {
    case 932:
      return In(c, 0x40, 0x7E) || In(c, 0x80, 0xFC);
    case 936:
      return In(c, 0x40, 0x7E) || In(c, 0x80, 0xFE);
    case 949:
      return In(c, 0x41, 0x5A) || In(c, 0x61, 0x7A) || In(c, 0x81, 0xFE);
    case 950:
      return In(c, 0x40, 0x7E) || In(c, 0xA1, 0xFE);
    default:
      return c >= 0x40;
  }
}

void CheckEncoding(std::string_view bytes, Reporter& report) {
  const platform::CodePage& page = platform::ActiveCodePage();
  Findings findings(report);
  if (page.id == 65001) {
    CheckUtf8(bytes, findings);
  } else if (page.doubleByte) {
    CheckDoubleByte(bytes, page, findings);
  }
}

}  // namespace tralvex::tool
