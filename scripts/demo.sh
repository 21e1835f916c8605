#!/usr/bin/env bash
# Builds the command-line tool and shows what the library makes of the
# example files: the range map of a Tralvex.ini, a few lookups, evaluations
# and formattings, a dump, the findings of a check on a broken file, and a
# translator's round trip: compare, PO export, import.
set -euo pipefail
cd "$(dirname "$0")/.."
TRALVEX_WINDOWS=0 bash scripts/install-deps.sh

# The build speaks only when it fails.
mkdir -p build
if ! { cmake -S . -B build/demo -DCMAKE_BUILD_TYPE=Release -DTRALVEX_TESTS=OFF &&
       cmake --build build/demo -j"$(nproc)" --target tralvex_tool; } >build/demo.log 2>&1; then
  cat build/demo.log
  exit 1
fi

# Runs the tool and shows its exit status when it is not 0; the status is
# part of what is shown, never a reason to stop.
run() {
  printf '\n$ tralvex %s\n' "$*"
  local status=0
  "${TRALVEX_TOOL:-build/demo/bin/tralvex}" "$@" || status=$?
  if [ "$status" -ne 0 ]; then printf '(exit status %s)\n' "$status"; fi
}

run map examples
run show examples 1004
run show examples/Notes-cs.msg 1202 --section Dialogs
run show examples 5000
run eval examples '{2000} in {1000|Notes}: {2003}'
run eval examples/Notes-en.msg 'Missing: {1FFF|none}'
run format examples 2001 3 12
run format examples/Notes-en.msg 1202 --section Dialogs report.txt
run dump examples/Print-en.msg
run check examples/broken/Broken.msg
run check examples/broken/Tralvex.ini

# A translation against its base, and the round trip through a PO file that
# translation tools read: export, a translator fills in a text, import.
run compare --codepage 65001 examples/Notes-en.msg examples/Notes-cs.msg
run compare --codepage 1250 examples/Print-en.msg examples/Print-cs.msg
run po export --codepage 1250 --lang cs -o build/demo/Print-cs.po examples/Print-en.msg examples/Print-cs.msg
printf '\n$ grep -B3 -A2 "PRINTING/200[14]" build/demo/Print-cs.po\n'
grep -B3 -A2 "PRINTING/200[14]" build/demo/Print-cs.po
# What a translator's tool would do: the text of message 2004.
sed -i '/^msgctxt "PRINTING\/2004"$/,/^msgstr/s/^msgstr ""$/msgstr "Okraje:\\\\t%s mm"/' build/demo/Print-cs.po
run po import --codepage 1250 -o build/demo/Print-cs.msg build/demo/Print-cs.po examples/Print-cs.msg
run compare --codepage 1250 examples/Print-en.msg build/demo/Print-cs.msg
