#!/bin/sh
# compile-catalogues.sh GENCAT DIR LAYOUT...: compiles DIR/LAYOUT.gencat
# into DIR/LAYOUT.cat where the catalogue is missing or older than its
# source, all at once (gencat takes minutes for 200,000 messages).
set -e
gencat=$1
dir=$2
shift 2
pids=
for layout in "$@"; do
  if [ ! "$dir/$layout.cat" -nt "$dir/$layout.gencat" ]; then
    echo "gencat $layout.cat"
    rm -f "$dir/$layout.cat"
    "$gencat" "$dir/$layout.cat.part" "$dir/$layout.gencat" &&
      mv "$dir/$layout.cat.part" "$dir/$layout.cat" &
    pids="$pids $!"
  fi
done
status=0
for pid in $pids; do wait "$pid" || status=1; done
exit $status
