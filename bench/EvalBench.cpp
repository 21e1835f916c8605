// Formatting with three arguments against snprintf of the same format, and
// evaluation of a 200-character text with four references against the
// lookups it makes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "api/MessageFormatter.h"
#include "api/MessageReference.h"
#include "tralvex/tralvex.h"

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
  std::string_view MessageText(uint32_t number, std::string_view fallback) override {
    auto found = messages_.find(number);
    return found != messages_.end() ? std::string_view(found->second) : fallback;
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
    for (uint32_t number : numbers) benchmark::DoNotOptimize(lookup.MessageText(number, {}));
  }
}
BENCHMARK(BM_TheFourLookupsAlone);

// The same text through the exports, on a message file of the four
// messages, against the four lookups of Msg_GetMessagePtr it makes.
class MessageFile {
 public:
  MessageFile() {
    path_ = std::filesystem::temp_directory_path() / "tralvex-bench-eval.msg";
    std::ofstream(path_, std::ios::binary) << "[Main]\r\n1A2: Enter\r\n1A3: Save as\r\n"
                                              "1A4: a message\r\n1A5: a directory\r\n";
    Msg_OpenMessages(&handle_, path_.string().c_str(), nullptr);
  }
  ~MessageFile() {
    Msg_CloseMessages(handle_);
    std::filesystem::remove(path_);
  }
  uint32_t Handle() const { return handle_; }

 private:
  std::filesystem::path path_;
  uint32_t handle_ = TRALVEX_NO_CATALOGUE;
};

void BM_MsgEvalMessage(benchmark::State& state) {
  MessageFile file;
  char buffer[512];
  for (auto _ : state) {
    std::memset(buffer, ' ', 400);
    buffer[400] = '\0';
    benchmark::DoNotOptimize(Msg_EvalMessage(file.Handle(), kSource, buffer));
  }
  if (Msg_EvalMessage(file.Handle(), kSource, buffer) != 1) state.SkipWithError("not found");
}
BENCHMARK(BM_MsgEvalMessage);

void BM_MsgGetMessagePtrFourTimes(benchmark::State& state) {
  MessageFile file;
  const uint32_t numbers[] = {0x1A2, 0x1A3, 0x1A4, 0x1A5};
  for (auto _ : state) {
    for (uint32_t number : numbers) {
      benchmark::DoNotOptimize(Msg_GetMessagePtr(file.Handle(), number, nullptr));
    }
  }
}
BENCHMARK(BM_MsgGetMessagePtrFourTimes);

void BM_MsgFormatMessageThreeArguments(benchmark::State& state) {
  MessageFile file;
  char buffer[512];
  for (auto _ : state) {
    std::memset(buffer, ' ', 400);
    buffer[400] = '\0';
    benchmark::DoNotOptimize(
        Msg_FormatMessage(file.Handle(), 0x1A2, buffer, kArgs[0], kArgs[1], kArgs[2]));
  }
}
BENCHMARK(BM_MsgFormatMessageThreeArguments);

}  // namespace
