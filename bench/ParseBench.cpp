// How fast a large message file parses: the split into lines, the sections,
// the alias resolution and the lookup indexes, from a buffer already in
// memory to a finished MessageFileData.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "catalogue/MessageFileData.h"
#include "catalogue/MessageFileSyntax.h"
#include "data/BenchTexts.h"

namespace {

constexpr int kMessages = static_cast<int>(tralvex::bench::kBenchMessages);

const std::string& MessageFile() {
  static const std::string text = tralvex::bench::ChainedSectionsText();
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
