// The ratio program: our calls and their peers side by side in one
// process, each row with its target. Usage:
//   tralvex_ratios [--rounds N] [--data DIR] [group ...]
// Groups: every one registered (see RatioTable.h); all when none is named.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Modules.h"
#include "ratios/RatioTable.h"

using namespace tralvex::bench;

namespace {

void PrintLoad(const char* when) {
  double load[3] = {};
  if (getloadavg(load, 3) == 3) {
    std::printf("load average %s: %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RatioOptions options;
  options.dataDirectory = TRALVEX_BENCH_DATA;
  std::vector<std::string> groups;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      options.rounds = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
      options.dataDirectory = argv[++i];
    } else if (argv[i][0] == '-') {
      std::fprintf(stderr, "usage: %s [--rounds N] [--data DIR] [group ...]\n", argv[0]);
      return 2;
    } else {
      groups.push_back(argv[i]);
    }
  }
  if (options.rounds < 1) options.rounds = 1;
  // Heap warm for every row, ours and the peers' alike.
  KeepHeapWarm(std::size_t{128} << 20);
  tralvex::OnModuleLoad();
  PrintLoad("before");
  std::printf(
      "thread CPU time, medians of %d interleaved rounds; ratio: the median of the rounds' "
      "ours / peer; best: fastest ours / fastest peer\n",
      options.rounds);
  RatioReport report;
  for (const RatioGroup& group : RatioGroups()) {
    bool wanted = groups.empty();
    for (const std::string& name : groups) wanted |= name == group.name;
    if (wanted) group.run(report, options);
  }
  PrintLoad("after");
  tralvex::OnModuleUnload();
  return report.AllTargetsMet() ? 0 : 1;
}
