#!/usr/bin/env bash
# Builds everything and runs every test: the Linux build, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets for
# a bounded time, and the Windows DLLs with their tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

bash scripts/install-deps.sh

step() { printf '\n==== %s ====\n' "$*"; }

step "Linux build and tests"
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRALVEX_BENCH=ON >/dev/null
cmake --build build/linux -j"$jobs"
ctest --test-dir build/linux --output-on-failure -j"$jobs"

step "Sanitizer build and tests"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTRALVEX_SANITIZE=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j"$jobs"

if [ -f scripts/fuzz.sh ]; then
  step "Fuzz targets"
  bash scripts/fuzz.sh
fi

if [ -f scripts/test-windows.sh ] && [ "${TRALVEX_WINDOWS:-1}" = 1 ]; then
  step "Windows DLLs under Wine"
  bash scripts/test-windows.sh
fi

step "All tests passed"
