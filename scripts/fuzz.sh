#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each one for a bounded time
# from its seed corpus (fuzz/corpus/<name>/ for fuzz/<name>_fuzzer.cpp).
# TRALVEX_FUZZ_SECONDS (or FUZZ_SECONDS) sets the time per target (default
# 60 s). A crash, a sanitizer report or a failed check fails the script; the
# input that found it is left in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${TRALVEX_FUZZ_SECONDS:-${FUZZ_SECONDS:-60}}
jobs=$(nproc)

cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTRALVEX_FUZZ=ON -DTRALVEX_TESTS=OFF -DTRALVEX_TOOLS=OFF >/dev/null
cmake --build build/fuzz -j"$jobs" --target tralvex_fuzzers

mkdir -p build/fuzz/findings
status=0
for source in fuzz/*_fuzzer.cpp; do
  [ -e "$source" ] || continue
  target=$(basename "$source" .cpp)
  name=${target%_fuzzer}
  work=build/fuzz/corpus/$name
  mkdir -p "$work"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  echo "Fuzzing $target for ${seconds}s"
  if ! "build/fuzz/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=8192 -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$target-" \
      "$work" "${seeds[@]}" 2>build/fuzz/$target.log; then
    tail -n 60 "build/fuzz/$target.log"
    echo "FAILED: $target found a fault; the input is in build/fuzz/findings/" >&2
    status=1
  else
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "build/fuzz/$target.log" || true
  fi
done
exit $status
