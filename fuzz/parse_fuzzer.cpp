// Feeds arbitrary bytes to the message-file parser. The first byte picks
// the code page, so that the double-byte searches are exercised too; the
// rest is the file. Beyond the sanitizers' checks, every parsed text must
// lie inside the buffer and every lookup must agree with the maps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "catalogue/MessageFileData.h"
#include "catalogue/MessageFileSyntax.h"
#include "platform/CodePage.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void SelectCodePage(uint8_t choice) {
  static const unsigned kPages[] = {1252, 65001, 932, 936, 949, 950, 1250, 1251};
  if (!tralvex::platform::UseCodePage(kPages[choice % 8])) tralvex::platform::UseCodePage(1252);
}

// The line-level functions alone, as the checking tools use them.
void ClassifyEveryLine(const char* begin, const char* end) {
  const char* cursor = begin;
  while (cursor < end) {
    const char* before = cursor;
    std::string_view line = tralvex::NextLine(cursor, end);
    Check(cursor > before && cursor <= end);
    tralvex::LineInfo info = tralvex::ClassifyLine(line);
    for (std::string_view piece : {info.name, info.target, info.text}) {
      if (piece.data() == nullptr) continue;
      Check(piece.data() >= line.data() &&
            piece.data() + piece.size() <= line.data() + line.size());
    }
  }
}

void CheckParsed(const tralvex::MessageFileData& data, const char* begin, const char* end) {
  for (const auto& named : data.Sections()) {
    Check(data.FindSection(named.name) == named.section.get());
    Check(named.section->aliasTarget == nullptr);
    const tralvex::MessageSection& section = *named.section;
    section.ForEachMessage([&](uint32_t number, const tralvex::MessageEntry& entry) {
      Check(entry.text >= begin && entry.text <= end);
      Check(entry.text + std::strlen(entry.text) <= end);
      Check(entry.shareCount >= 1);
      Check(section.FindMessage(number) == entry.text);
    });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size == 0) return 0;
  SelectCodePage(bytes[0]);
  ++bytes;
  --size;
  std::unique_ptr<char[]> owned(new char[size + 1]);
  std::memcpy(owned.get(), bytes, size);
  owned[size] = '\0';
  ClassifyEveryLine(owned.get(), owned.get() + size);

  char* buffer = owned.get();
  const char* begin = buffer;
  tralvex::MessageFileData data;
  if (data.ParseMessageFile(buffer, buffer + size) == 1) {
    Check(buffer == nullptr);
    owned.release();
    CheckParsed(data, begin, begin + size);
  } else {
    Check(buffer == owned.get());
    Check(!data.HasNoErrors());
  }
  tralvex::platform::UseSystemCodePage();
  return 0;
}
