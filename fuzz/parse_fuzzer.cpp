// Feeds arbitrary bytes to the message-file parser. The first byte picks
// the code page, so that the double-byte searches are exercised too; the
// rest is the file. Beyond the sanitizers' checks, every parsed text must
// lie inside the buffer, and every section's lookup index must agree with
// a plain model of the sections for every number, present or not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string_view>

#include "catalogue/MessageFileData.h"
#include "catalogue/MessageFileSyntax.h"
#include "platform/CodePage.h"
#include "support/MessageFileModel.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void SelectCodePage(uint8_t choice) {
  static const unsigned kPages[] = {1252, 65001, 932, 936, 949, 950, 1250, 1251};
  if (!tralvex::platform::UseCodePage(kPages[choice % 8])) tralvex::platform::UseCodePage(1252);
}

bool SameView(std::string_view a, std::string_view b) {
  return a.data() == b.data() && a.size() == b.size();
}

// The line-level functions alone, as the checking tools use them, and the
// one-pass walk the parser uses, which must agree with them.
void ClassifyEveryLine(const char* begin, const char* end) {
  const char* cursor = begin;
  const char* walk = begin;
  const char* nextNul = tralvex::FindNul(begin, end);
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
    tralvex::LineInfo walked = tralvex::ClassifyNextLine(walk, end, nextNul);
    Check(walk == cursor && walked.kind == info.kind && walked.number == info.number);
    Check(SameView(walked.name, info.name) && SameView(walked.target, info.target) &&
          SameView(walked.text, info.text));
  }
}

// The index against the model: the same text, by position, for every
// number the file names and for numbers next to them.
void CheckAgainstModel(const tralvex::MessageFileData& data, const char* begin,
                       const tralvex::test::MessageFileModel& model) {
  std::set<uint32_t> probes = {0, UINT32_MAX};
  for (const auto& section : model.sections) {
    for (const auto& entry : section.own) probes.insert({entry.first, entry.first + 1});
  }
  Check(data.SectionCount() == model.sections.size());
  for (std::size_t i = 0; i < model.sections.size(); ++i) {
    const tralvex::MessageSection* section = data.FindSection(model.sections[i].name);
    Check(section != nullptr);
    const auto expected = *model.Resolved(i);
    Check(section->MessageCount() == expected.size());
    for (uint32_t n : probes) {
      auto found = expected.find(n);
      Check(section->FindMessage(n) == (found == expected.end() ? nullptr : begin + found->second));
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
  const auto model =
      tralvex::test::ModelOf(std::string_view(reinterpret_cast<const char*>(bytes), size));
  tralvex::MessageFileData data;
  const int result = data.ParseMessageFile(buffer, buffer + size);
  Check(result == (model.Opens() ? 1 : 0));
  if (result == 1) {
    Check(buffer == nullptr);
    owned.release();
    CheckParsed(data, begin, begin + size);
    CheckAgainstModel(data, begin, model);
  } else {
    Check(buffer == owned.get());
    Check(!data.HasNoErrors());
  }
  tralvex::platform::UseSystemCodePage();
  return 0;
}
