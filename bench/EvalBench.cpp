// Formatting with three arguments against snprintf of the same format, and
// evaluation of a 200-character text with four references against the
// lookups it makes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "api/MessageFormatter.h"
#include "api/MessageReference.h"

namespace {

const char* const kFormat = "Copying %s to %s failed: %s";
const char* const kArgs[] = {"C:\\DATA\\REPORT.DOC", "D:\\BACKUP\\", "the disk is full"};

void BM_FormatThreeArguments(benchmark::State& state) {
  std::string out;
  for (auto _ : state) {
    out.clear();
    tralvex::FormatMessageArguments(kFormat, kArgs, 3, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_FormatThreeArguments);

void BM_SnprintfThreeArguments(benchmark::State& state) {
  char out[256];
  for (auto _ : state) {
    std::snprintf(out, sizeof out, kFormat, kArgs[0], kArgs[1], kArgs[2]);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_SnprintfThreeArguments);

// A 200-character text with four references.
const char* const kSource =
    "Before {1A2|OK} the file is saved, the program checks {1A3} whether the "
    "disk has room; when it has not, {1A4|a warning} is shown and the user may "
    "choose {1A5|another disk} or cancel the operation now.";

class MapLookup : public tralvex::ReferenceLookup {
 public:
  MapLookup() {
    messages_[0x1A2] = "Enter";
    messages_[0x1A3] = "Save as";
    messages_[0x1A4] = "a message";
    messages_[0x1A5] = "a directory";
  }
  const char* MessageText(uint32_t number, const char* fallback) override {
    auto found = messages_.find(number);
    return found != messages_.end() ? found->second.c_str() : fallback;
  }
  bool IsMissing(const char*) override { return false; }

 private:
  std::map<uint32_t, std::string> messages_;
};

void BM_EvaluateFourReferences(benchmark::State& state) {
  MapLookup lookup;
  char buffer[512];
  for (auto _ : state) {
    std::memset(buffer, ' ', 400);
    buffer[400] = '\0';
    tralvex::EvaluateReferences(kSource, buffer, lookup);
    benchmark::DoNotOptimize(buffer);
  }
}
BENCHMARK(BM_EvaluateFourReferences);

void BM_TheFourLookupsAlone(benchmark::State& state) {
  MapLookup lookup;
  const uint32_t numbers[] = {0x1A2, 0x1A3, 0x1A4, 0x1A5};
  for (auto _ : state) {
    for (uint32_t number : numbers) benchmark::DoNotOptimize(lookup.MessageText(number, nullptr));
  }
}
BENCHMARK(BM_TheFourLookupsAlone);

}  // namespace
