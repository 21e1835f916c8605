#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each one for a bounded time
# (FUZZ_SECONDS, 30 by default) from its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
build=build/fuzz

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRALVEX_FUZZ=ON \
  -DTRALVEX_TESTS=OFF -DTRALVEX_TOOLS=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"$(nproc)"

for source in fuzz/*_fuzzer.cpp; do
  name=$(basename "$source" .cpp)
  corpus=fuzz/corpus/${name%_fuzzer}
  work=$(mktemp -d)
  seeds=()
  [ -d "$corpus" ] && seeds=("$corpus")
  echo "== $name for ${seconds}s"
  "$build/bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$work" "${seeds[@]}"
  rm -rf "$work"
done
