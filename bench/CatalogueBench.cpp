// Lookups by handle over a 200,000-message catalogue, beside catgets on the
// same texts; the first open of that file and the reopen of a loaded one.
#include <benchmark/benchmark.h>
#include <nl_types.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "data/BenchTexts.h"
#include "tralvex/tralvex.h"

namespace {

using tralvex::bench::kBenchMessages;

const std::string kDataDir = TRALVEX_BENCH_DATA;

// The message file by its full name, written on first use.
std::string MessageFilePath() {
  std::string path = kDataDir + "/texts.msg";
  if (!std::filesystem::exists(path)) tralvex::bench::WriteMessageFile(kDataDir);
  return path;
}

std::vector<uint32_t> RandomNumbers() {
  std::mt19937 random(42);
  std::uniform_int_distribution<uint32_t> pick(1, kBenchMessages);
  std::vector<uint32_t> numbers(1 << 16);
  for (uint32_t& n : numbers) n = pick(random);
  return numbers;
}

uint32_t OpenTexts() {
  static const std::string path = MessageFilePath();
  uint32_t handle = 0xFFFF;
  Msg_OpenMessages(&handle, path.c_str(), nullptr);
  return handle;
}

void BM_MsgGetMessagePtr(benchmark::State& state) {
  uint32_t handle = OpenTexts();
  if (handle == 0xFFFF) {
    state.SkipWithError("texts.msg cannot be opened");
    return;
  }
  std::vector<uint32_t> numbers = RandomNumbers();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Msg_GetMessagePtr(handle, numbers[i++ & 0xFFFF], nullptr));
  }
  Msg_CloseMessages(handle);
}
BENCHMARK(BM_MsgGetMessagePtr);

void BM_Catgets(benchmark::State& state) {
  std::string path = kDataDir + "/texts.cat";
  nl_catd catalog = std::filesystem::exists(path) ? catopen(path.c_str(), 0) : (nl_catd)-1;
  if (catalog == (nl_catd)-1) {
    state.SkipWithError("no texts.cat: build the target tralvex_bench_gencat first");
    return;
  }
  std::vector<uint32_t> numbers = RandomNumbers();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(catgets(catalog, 1, static_cast<int>(numbers[i++ & 0xFFFF]), nullptr));
  }
  catclose(catalog);
}
BENCHMARK(BM_Catgets);

// Read and parse: the only catalogue on the file is closed again each time,
// which frees the parse (outside the timing).
void BM_FirstOpen(benchmark::State& state) {
  for (auto _ : state) {
    uint32_t handle = OpenTexts();
    state.PauseTiming();
    if (handle == 0xFFFF) {
      state.SkipWithError("texts.msg cannot be opened");
      break;
    }
    Msg_CloseMessages(handle);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstOpen)->Unit(benchmark::kMillisecond);

// Another catalogue holds the file: opening it again finds it loaded.
void BM_ReopenLoaded(benchmark::State& state) {
  uint32_t held = OpenTexts();
  for (auto _ : state) {
    uint32_t handle = OpenTexts();
    state.PauseTiming();
    Msg_CloseMessages(handle);
    state.ResumeTiming();
  }
  Msg_CloseMessages(held);
}
BENCHMARK(BM_ReopenLoaded)->Unit(benchmark::kMicrosecond);

}  // namespace
