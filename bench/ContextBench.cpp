// A lookup through a message context of eight files and eight ranges, every
// file already open, against the lookup by handle in one catalogue. Numbers
// are drawn at random beforehand, so both loops read the same kind of spread.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tralvex/tralvex.h"

namespace {

constexpr int kFiles = 8;
constexpr uint32_t kPerFile = 0x100;

// Eight files of 256 messages each and the "Tralvex.ini" that maps file i
// to the numbers i*0x100 .. i*0x100+0xFF; removed with the object.
class ContextFiles {
 public:
  ContextFiles() {
    directory_ = std::filesystem::temp_directory_path() / "tralvex-context-bench";
    std::filesystem::create_directories(directory_);
    std::ofstream ini(directory_ / "Tralvex.ini", std::ios::binary);
    ini << "[MessageFiles]\r\n";
    for (int f = 0; f < kFiles; ++f) {
      std::string name = "part" + std::to_string(f) + ".msg";
      std::ofstream file(directory_ / name, std::ios::binary);
      for (uint32_t n = 0; n < kPerFile; ++n) {
        uint32_t number = f * kPerFile + n;
        char line[80];
        std::snprintf(line, sizeof line, "%X: Message %X of file %d\r\n", number, number, f);
        file << line;
      }
      char keyword[32];
      std::snprintf(keyword, sizeof keyword, "Part%d-%X", f, (f + 1) * kPerFile - 1);
      ini << keyword << "=" << name << "\r\n";
    }
  }
  ~ContextFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
  std::string Directory() const { return directory_.string(); }
  std::string File(int f) const {
    return (directory_ / ("part" + std::to_string(f) + ".msg")).string();
  }

 private:
  std::filesystem::path directory_;
};

std::vector<uint32_t> RandomNumbers(uint32_t limit) {
  std::mt19937 random(42);
  std::uniform_int_distribution<uint32_t> pick(0, limit - 1);
  std::vector<uint32_t> numbers(4096);
  for (uint32_t& n : numbers) n = pick(random);
  return numbers;
}

void BM_ContextLookup(benchmark::State& state) {
  ContextFiles files;
  Mes_Context* context = nullptr;
  if (Mes_OpenProcess(&context, files.Directory().c_str(), "Bench", 0) != 1) {
    state.SkipWithError("the context could not be opened");
    return;
  }
  for (int f = 0; f < kFiles; ++f) Mes_GetMessagePtr(context, f * kPerFile, nullptr);
  std::vector<uint32_t> numbers = RandomNumbers(kFiles * kPerFile);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Mes_GetMessagePtr(context, numbers[i], nullptr));
    i = (i + 1) & (numbers.size() - 1);
  }
  Mes_CloseProcess(context);
}
BENCHMARK(BM_ContextLookup);

void BM_HandleLookup(benchmark::State& state) {
  ContextFiles files;
  uint32_t handle = 0;
  if (Msg_OpenMessages(&handle, files.File(0).c_str(), nullptr) != 1) {
    state.SkipWithError("the catalogue could not be opened");
    return;
  }
  std::vector<uint32_t> numbers = RandomNumbers(kPerFile);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Msg_GetMessagePtr(handle, numbers[i], nullptr));
    i = (i + 1) & (numbers.size() - 1);
  }
  Msg_CloseMessages(handle);
}
BENCHMARK(BM_HandleLookup);

}  // namespace
