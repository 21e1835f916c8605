#!/usr/bin/env bash
# Builds the command-line tool and shows what the library makes of the
# example message files.
set -euo pipefail
cd "$(dirname "$0")/.."
TRALVEX_WINDOWS=0 bash scripts/install-deps.sh

cmake -S . -B build/demo -DCMAKE_BUILD_TYPE=Release -DTRALVEX_TESTS=OFF >/dev/null
cmake --build build/demo -j"$(nproc)" --target tralvex_tool >/dev/null

run() {
  printf '\n$ tralvex %s\n' "$*"
  build/demo/bin/tralvex "$@"
}

run dump examples/Notes-en.msg
run dump examples/Notes-cs.msg --section dialogs
