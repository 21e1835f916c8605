// Evaluation and formatting through the exports, each beside snprintf
// doing the same job in the same process (the side-by-side ratios), and the
// pieces they are made of.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "api/MessageFormatter.h"
#include "api/MessageReference.h"
#include "data/EvalTexts.h"
#include "tralvex/tralvex.h"

namespace {

using tralvex::bench::kFormat;
using tralvex::bench::kFormatNumber;
using MessageFile = tralvex::bench::EvalMessageFile;
const char* const* const kArgs = tralvex::bench::kFormatArgs;
const char* const kSource = tralvex::bench::kEvalSource;

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
        Msg_FormatMessage(file.Handle(), kFormatNumber, buffer, kArgs[0], kArgs[1], kArgs[2]));
  }
}
BENCHMARK(BM_MsgFormatMessageThreeArguments);

// Side by side: our call and its peer run in alternating batches of the
// same size, so that both meet the same machine (a shared, noisy one). A
// batch that another process interrupted spoils only its own pair, so each
// figure is the median over all pairs. The warm-up before timing leaves the
// heap and the caches warm.
constexpr int kBatch = 64;
constexpr int kWarmUpCalls = 2000;
constexpr std::size_t kRoom = 400;  // the caller's buffer: 400 blanks

using Clock = std::chrono::steady_clock;

template <class Call>
double NanosecondsPerCall(Call& call) {
  Clock::time_point start = Clock::now();
  for (int i = 0; i < kBatch; ++i) call();
  std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
  return elapsed.count() / kBatch;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

template <class Ours, class Peer>
void RunSideBySide(benchmark::State& state, Ours ours, Peer peer) {
  for (int i = 0; i < kWarmUpCalls; ++i) {
    ours();
    peer();
  }
  std::vector<double> oursNs, peerNs, ratios;
  bool oursFirst = true;
  for (auto _ : state) {
    double a = 0, b = 0;
    if (oursFirst) {
      a = NanosecondsPerCall(ours);
      b = NanosecondsPerCall(peer);
    } else {
      b = NanosecondsPerCall(peer);
      a = NanosecondsPerCall(ours);
    }
    oursFirst = !oursFirst;
    oursNs.push_back(a);
    peerNs.push_back(b);
    ratios.push_back(a / b);
  }
  state.counters["ours_ns"] = Median(oursNs);
  state.counters["peer_ns"] = Median(peerNs);
  state.counters["ratio"] = Median(ratios);
}

// What the caller of a prefilled-length export does before each call.
void PrefillRoom(char* buffer) {
  std::memset(buffer, ' ', kRoom);
  buffer[kRoom] = '\0';
}

// Msg_EvalMessage of the 200-character text with four references into a
// buffer of 400 blanks (the blanks written on every call), beside snprintf
// composing the same result from its nine pieces: the plain parts of the
// text and the four message texts, ready in memory.
void BM_EvalMessageBesideSnprintf(benchmark::State& state) {
  MessageFile file;
  const std::vector<std::string> pieces(std::begin(tralvex::bench::kEvalPieces),
                                        std::end(tralvex::bench::kEvalPieces));
  std::string expected;
  for (const std::string& piece : pieces) expected += piece;

  char ours[kRoom + 1];
  char theirs[kRoom + 1];
  auto evaluate = [&] {
    PrefillRoom(ours);
    benchmark::DoNotOptimize(Msg_EvalMessage(file.Handle(), kSource, ours));
    benchmark::ClobberMemory();
  };
  auto compose = [&] {
    benchmark::DoNotOptimize(
        std::snprintf(theirs, sizeof theirs, "%s%s%s%s%s%s%s%s%s", pieces[0].c_str(),
                      pieces[1].c_str(), pieces[2].c_str(), pieces[3].c_str(), pieces[4].c_str(),
                      pieces[5].c_str(), pieces[6].c_str(), pieces[7].c_str(), pieces[8].c_str()));
    benchmark::ClobberMemory();
  };
  evaluate();
  compose();
  if (expected != ours || expected != theirs) {
    state.SkipWithError("the two results differ");
    return;
  }
  RunSideBySide(state, evaluate, compose);
}
BENCHMARK(BM_EvalMessageBesideSnprintf);

// Msg_FormatMessage of "Copying %s to %s failed: %s" from the catalogue into
// a buffer of 400 blanks (lookup and blanks included), beside snprintf of
// the same format and arguments.
void BM_FormatMessageBesideSnprintf(benchmark::State& state) {
  MessageFile file;
  char ours[kRoom + 1];
  char theirs[kRoom + 1];
  auto format = [&] {
    PrefillRoom(ours);
    benchmark::DoNotOptimize(
        Msg_FormatMessage(file.Handle(), kFormatNumber, ours, kArgs[0], kArgs[1], kArgs[2]));
    benchmark::ClobberMemory();
  };
  auto print = [&] {
    benchmark::DoNotOptimize(
        std::snprintf(theirs, sizeof theirs, kFormat, kArgs[0], kArgs[1], kArgs[2]));
    benchmark::ClobberMemory();
  };
  format();
  print();
  if (std::strcmp(ours, theirs) != 0) {
    state.SkipWithError("the two results differ");
    return;
  }
  RunSideBySide(state, format, print);
}
BENCHMARK(BM_FormatMessageBesideSnprintf);

}  // namespace
