// Reading settings through the profile files: every value of a file of
// 2,000 keywords, and one read from cached files of growing size.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "platform/Profile.h"
#include "profile/SystemIniFile.h"

namespace {

std::string KeywordName(int i) { return "Keyword" + std::to_string(100000 + i); }

// A settings file of the given number of keywords in one section, with two
// smaller sections around it. It is left alone for longer than a tick of
// the file clock (which its change time follows), so that the cached copy
// is trusted on the file's identity alone from the first read.
class SettingsFile {
 public:
  explicit SettingsFile(int keywords) {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("tralvex-bench-" + std::to_string(random()) + ".ini");
    std::ofstream out(path_, std::ios::binary);
    out << "; generated for the benchmark\r\n[Before]\r\nA=1\r\nB=2\r\n\r\n[Values]\r\n";
    for (int i = 0; i < keywords; ++i) {
      out << KeywordName(i) << " = value of keyword " << i << " ; a note\r\n";
    }
    out << "\r\n[After]\r\nC=3\r\n";
    out.close();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ~SettingsFile() { std::filesystem::remove(path_); }

  std::string Name() const { return path_.string(); }
  std::uintmax_t Size() const { return std::filesystem::file_size(path_); }

 private:
  std::filesystem::path path_;
};

void ReadEveryValue(benchmark::State& state) {
  const int keywords = 2000;
  SettingsFile file(keywords);
  tralvex::SystemIniFile ini;
  if (ini.OpenIniFile(file.Name().c_str(), 0) == 0) {
    state.SkipWithError("cannot open the settings file");
    return;
  }
  std::vector<std::string> names;
  for (int i = 0; i < keywords; ++i) names.push_back(KeywordName(i));
  std::string value;
  for (auto _ : state) {
    for (const std::string& name : names) {
      ini.GetKeywordValue("Values", name.c_str(), value);
      benchmark::DoNotOptimize(value.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * keywords);
}
BENCHMARK(ReadEveryValue)->Unit(benchmark::kMillisecond);

// One value from a cached file: the cost must not grow with the file.
void ReadOneValueBySize(benchmark::State& state) {
  const int keywords = static_cast<int>(state.range(0));
  SettingsFile file(keywords);
  tralvex::SystemIniFile ini;
  if (ini.OpenIniFile(file.Name().c_str(), 0) == 0) {
    state.SkipWithError("cannot open the settings file");
    return;
  }
  std::string name = KeywordName(keywords / 2);
  std::string value;
  for (auto _ : state) {
    ini.GetKeywordValue("Values", name.c_str(), value);
    benchmark::DoNotOptimize(value.data());
  }
  state.counters["file_bytes"] = static_cast<double>(file.Size());
}
BENCHMARK(ReadOneValueBySize)->Arg(10)->Arg(2000)->Arg(20000)->Arg(200000);

// The same read straight through the private-profile function.
void PlatformReadBySize(benchmark::State& state) {
  const int keywords = static_cast<int>(state.range(0));
  SettingsFile file(keywords);
  std::string name = KeywordName(keywords / 2);
  std::string path = file.Name();
  char buffer[1024];
  for (auto _ : state) {
    benchmark::DoNotOptimize(tralvex::platform::GetProfileString(
        "Values", name.c_str(), ";;", buffer, sizeof buffer, path.c_str()));
  }
  state.counters["file_bytes"] = static_cast<double>(file.Size());
}
BENCHMARK(PlatformReadBySize)->Arg(10)->Arg(2000)->Arg(20000)->Arg(200000);

}  // namespace
