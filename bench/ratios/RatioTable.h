// What every row of the ratio program shares: timing our call and its peer
// interleaved in one process, keeping the heap warm, measuring the heap,
// and printing a row with its target.
//
// A group of rows is a function registered under a name (see
// CatalogueRatios.cpp); the program runs every group, or those named on
// its command line.
#ifndef TRALVEX_BENCH_RATIOS_RATIOTABLE_H
#define TRALVEX_BENCH_RATIOS_RATIOTABLE_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tralvex::bench {

struct RatioOptions {
  int rounds = 9;
  std::string dataDirectory;  // where the benchmark texts and catalogues are
};

// The medians of one interleaved comparison, per operation.
struct Timing {
  double oursNs = 0;
  double peerNs = 0;
  // The median of the rounds' ratios: steadier on a busy machine than the
  // ratio of the medians, since both sides of a round see the same load.
  double ratio = 0;
  // The ratio of the two sides' fastest rounds, the least disturbed ones.
  double bestRatio = 0;
};

// One side of a comparison: what is timed, and what must follow it
// untimed (closing what it opened, for instance).
struct Side {
  std::function<void()> run;
  std::function<void()> after = [] {};
};

// Runs ours and peer in turn, rounds times, alternating which goes first;
// each run does operations operations. Times are the thread's CPU time.
Timing Interleave(int rounds, std::size_t operations, const Side& ours, const Side& peer);

// The median time of one run of side over rounds runs, in nanoseconds.
double MedianNs(int rounds, const Side& side);

// Sets the allocator to keep what it is given back and touches bytes of
// it, so that measured work does not pay for the first touch of fresh
// pages (microseconds each on this kind of machine).
void KeepHeapWarm(std::size_t bytes);

// Bytes allocated and not freed, as the allocator counts them.
std::size_t HeapInUse();

// Prints the table as rows come.
class RatioReport {
 public:
  void Heading(const std::string& title);
  // A comparison with a peer; target is the highest ratio wanted, or 0 for
  // none.
  void Ratio(const std::string& what, const std::string& peer, const Timing& timing, double target);
  // A figure of its own (time, size, ratio), with the highest value wanted
  // (0 for none).
  void Figure(const std::string& what, double value, const std::string& unit, double target);
  void Note(const std::string& text);
  bool AllTargetsMet() const { return missed_ == 0; }

 private:
  void Verdict(double value, double target);
  int missed_ = 0;
};

using RatioGroupFunction = void (*)(RatioReport&, const RatioOptions&);

struct RatioGroup {
  const char* name;
  RatioGroupFunction run;
};

std::vector<RatioGroup>& RatioGroups();

// A static of this type registers a group: "static RegisterRatioGroup
// kGroup("lookup", &RunLookupRows);".
struct RegisterRatioGroup {
  RegisterRatioGroup(const char* name, RatioGroupFunction run) {
    RatioGroups().push_back(RatioGroup{name, run});
  }
};

}  // namespace tralvex::bench

#endif
