// How fast a large message file parses: the split into lines, the sections,
// the message maps and the alias resolution, from a buffer already in
// memory to a finished MessageFileData.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "catalogue/MessageFileData.h"
#include "catalogue/MessageFileSyntax.h"

namespace {

constexpr int kSections = 50;
constexpr int kMessages = 200000;
constexpr int kChainLength = 5;  // every fifth section starts a chain

// A file of kMessages messages in kSections sections with CRLF line ends.
// Sections come in chains of five: each aliases its predecessor, overrides
// half of its numbers and adds as many of its own, as translations and
// product variants do.
std::string MakeMessageFile() {
  std::string text;
  text.reserve(11 << 20);
  char line[160];
  const int perSection = kMessages / kSections;
  text += "; Generated messages for the parse benchmark.\r\n";
  for (int s = 0; s < kSections; ++s) {
    std::snprintf(line, sizeof line, "[Section_%02d]\r\n", s);
    text += line;
    int chainStart = s - s % kChainLength;
    if (s != chainStart) {
      std::snprintf(line, sizeof line, "Alias: SECTION_%02d\r\n", s - 1);
      text += line;
    }
    for (int m = 0; m < perSection; ++m) {
      unsigned number =
          static_cast<unsigned>(chainStart * 0x10000 + (s - chainStart) * perSection / 2 + m);
      switch (m % 8) {
        case 0:
          std::snprintf(line, sizeof line, "%X: \"File %%s could not be opened.\" ; id %d\r\n",
                        number, m);
          break;
        case 1:
          std::snprintf(line, sizeof line, "  %05X : Value {%X|none} out of range:\\n%%s\r\n",
                        number, number + 1);
          break;
        default:
          std::snprintf(line, sizeof line, "%X: Message text number %d of section %d here.\r\n",
                        number, m, s);
      }
      text += line;
    }
  }
  return text;
}

const std::string& MessageFile() {
  static const std::string text = MakeMessageFile();
  return text;
}

void BM_ParseMessageFile(benchmark::State& state) {
  const std::string& text = MessageFile();
  for (auto _ : state) {
    state.PauseTiming();
    char* buffer = new char[text.size() + 1];
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    auto* data = new tralvex::MessageFileData;
    state.ResumeTiming();
    int result = data->ParseMessageFile(buffer, buffer + text.size());
    benchmark::DoNotOptimize(result);
    state.PauseTiming();
    if (result != 1) state.SkipWithError("parse failed");
    delete data;
    delete[] buffer;
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kMessages);
  state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ParseMessageFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The line grammar alone, as a checking tool walks a file.
void BM_ClassifyLines(benchmark::State& state) {
  const std::string& text = MessageFile();
  for (auto _ : state) {
    const char* cursor = text.data();
    const char* end = cursor + text.size();
    const char* nextNul = tralvex::FindNul(cursor, end);
    std::size_t messages = 0;
    while (cursor < end) {
      tralvex::LineInfo info = tralvex::ClassifyLine(tralvex::NextLine(cursor, end, nextNul));
      messages += info.kind == tralvex::LineKind::kMessage;
    }
    benchmark::DoNotOptimize(messages);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ClassifyLines)->Unit(benchmark::kMillisecond);

void BM_LookupMessage(benchmark::State& state) {
  const std::string& text = MessageFile();
  char* buffer = new char[text.size() + 1];
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  tralvex::MessageFileData data;
  if (data.ParseMessageFile(buffer, buffer + text.size()) != 1) state.SkipWithError("parse failed");
  tralvex::MessageSection* section = data.FindSection("SECTION_04");
  uint32_t number = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(section->FindMessage(number));
    number = (number + 7919) & 0x1FFF;
  }
  delete[] buffer;
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_LookupMessage);

}  // namespace
