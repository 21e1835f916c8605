#include "ratios/RatioTable.h"

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace tralvex::bench {
namespace {

// The calling thread's CPU time, user and system: on a machine shared with
// other work, the time the thread was not running counts for neither side.
double ThreadCpuNs() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

double ElapsedNs(const std::function<void()>& f) {
  const double start = ThreadCpuNs();
  f();
  return ThreadCpuNs() - start;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string Formatted(double value, const std::string& unit) {
  char text[48];
  if (unit == "ns" && value >= 1e6) {
    std::snprintf(text, sizeof text, "%.2f ms", value / 1e6);
  } else if (unit == "ns" && value >= 1e3) {
    std::snprintf(text, sizeof text, "%.2f us", value / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.2f %s", value, unit.c_str());
  }
  return text;
}

double TimedRun(const Side& side) {
  double ns = ElapsedNs(side.run);
  side.after();
  return ns;
}

}  // namespace

Timing Interleave(int rounds, std::size_t operations, const Side& ours, const Side& peer) {
  // One round of each first, untimed: caches, branch predictors, pages.
  TimedRun(ours);
  TimedRun(peer);
  std::vector<double> oursNs, peerNs, ratios;
  for (int round = 0; round < rounds; ++round) {
    double a, b;
    if (round % 2 == 0) {
      a = TimedRun(ours);
      b = TimedRun(peer);
    } else {
      b = TimedRun(peer);
      a = TimedRun(ours);
    }
    oursNs.push_back(a / static_cast<double>(operations));
    peerNs.push_back(b / static_cast<double>(operations));
    ratios.push_back(a / b);
  }
  const double bestOurs = *std::min_element(oursNs.begin(), oursNs.end());
  const double bestPeer = *std::min_element(peerNs.begin(), peerNs.end());
  return Timing{Median(oursNs), Median(peerNs), Median(ratios), bestOurs / bestPeer};
}

double MedianNs(int rounds, const Side& side) {
  TimedRun(side);
  std::vector<double> times;
  for (int round = 0; round < rounds; ++round) times.push_back(TimedRun(side));
  return Median(times);
}

void KeepHeapWarm(std::size_t bytes) {
  // Large blocks from the heap rather than fresh mappings, and nothing
  // given back to the system.
  mallopt(M_MMAP_THRESHOLD, 512 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_TOP_PAD, 64 << 20);
  char* block = static_cast<char*>(std::malloc(bytes));
  if (block == nullptr) return;
  std::memset(block, 1, bytes);
  std::free(block);
}

std::size_t HeapInUse() {
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void RatioReport::Heading(const std::string& title) {
  std::printf("\n%s\n%-64s %12s %12s %9s %9s %9s\n", title.c_str(), "", "ours", "peer", "ratio",
              "best", "target");
}

void RatioReport::Verdict(double value, double target) {
  if (target <= 0) {
    std::printf("\n");
    return;
  }
  bool met = value <= target;
  if (!met) ++missed_;
  std::printf(" %s\n", met ? "met" : "NOT MET");
}

void RatioReport::Ratio(const std::string& what, const std::string& peer, const Timing& timing,
                        double target) {
  char targetText[16] = "";
  if (target > 0) std::snprintf(targetText, sizeof targetText, "<= %.1fx", target);
  std::printf("%-64s %12s %12s %8.2fx %8.2fx %9s", (what + " / " + peer).c_str(),
              Formatted(timing.oursNs, "ns").c_str(), Formatted(timing.peerNs, "ns").c_str(),
              timing.ratio, timing.bestRatio, targetText);
  Verdict(timing.ratio, target);
  std::fflush(stdout);
}

void RatioReport::Figure(const std::string& what, double value, const std::string& unit,
                         double target) {
  char targetText[24] = "";
  if (target > 0)
    std::snprintf(targetText, sizeof targetText, "<= %s", Formatted(target, unit).c_str());
  std::printf("%-64s %12s %12s %9s %9s %9s", what.c_str(), Formatted(value, unit).c_str(), "", "",
              "", targetText);
  Verdict(value, target);
  std::fflush(stdout);
}

void RatioReport::Note(const std::string& text) {
  std::printf("  (%s)\n", text.c_str());
  std::fflush(stdout);
}

std::vector<RatioGroup>& RatioGroups() {
  static std::vector<RatioGroup> groups;
  return groups;
}

}  // namespace tralvex::bench
