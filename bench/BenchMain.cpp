#include <benchmark/benchmark.h>

#include "platform/Modules.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  tralvex::OnModuleLoad();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  tralvex::OnModuleUnload();
  return 0;
}
