#!/usr/bin/env bash
# Runs every command of the tool on what a careless or hostile user may give
# it: FIFOs (with and without a writer), devices, a full disk and a closed
# standard output, huge files and deep alias chains, missing and odd names,
# and files replaced while they are read. Each run is stopped after a time
# limit, so a hang is a failure rather than a stuck CI job; the exit status
# and the reason on standard error are checked.
#
# usage: HostileInputs_test.sh TOOL WORK-DIRECTORY
set -u
tool=$1
work=$2
limit=${TRALVEX_HOSTILE_LIMIT:-20}  # seconds; a guard, not a speed target
failures=0

rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1

# run STATUS REASON COMMAND...: runs the tool with COMMAND..., expecting
# exit status STATUS and, unless REASON is empty, an extended regular
# expression REASON matching its standard error. Standard output goes to
# "out", unless the variable redirect names a shell redirection.
redirect=">out"
run() {
  local expected=$1 reason=$2
  shift 2
  local status shown="$*"
  shown=${shown:0:100}
  eval "timeout -k 2 $limit \"\$tool\" \"\$@\" $redirect 2>err"
  status=$?
  if [ "$status" = 124 ] || [ "$status" = 137 ]; then
    echo "FAIL: tralvex $shown did not end within ${limit}s"
    failures=$((failures + 1))
  elif [ "$status" != "$expected" ]; then
    echo "FAIL: tralvex $shown $redirect: exit status $status, expected $expected"
    sed 's/^/    /' err | head -5
    failures=$((failures + 1))
  elif [ -n "$reason" ] && ! grep -Eq -- "$reason" err; then
    echo "FAIL: tralvex $shown $redirect: no '$reason' on standard error:"
    sed 's/^/    /' err | head -5
    failures=$((failures + 1))
  fi
}

# Every command that reads one message file, with arguments that make sense.
each_file_command() {
  local status=$1 reason=$2 file=$3
  run "$status" "$reason" check "$file"
  run "$status" "$reason" show "$file" 10
  run "$status" "$reason" eval "$file" "{10}"
  run "$status" "$reason" format "$file" 10 x
  run "$status" "$reason" format "$file" 10 a b c d
  run "$status" "$reason" dump "$file"
}

# The same for names: the commands share the way they resolve a name.
name_commands() {
  local status=$1 reason=$2 file=$3
  run "$status" "$reason" check "$file"
  run "$status" "$reason" format "$file" 10 a b c d
  run "$status" "$reason" dump "$file"
}

crlf() { printf '%s\r\n' "$@"; }

crlf "[Main]" "10: ten" "20: twenty %s" >good.msg
mkdir -p app
crlf "[MessageFiles]" "Texts-0FF=../good.msg" >app/Tralvex.ini

# ---- FIFOs: never opened, with or without a writer ----------------------
mkfifo fifo.msg
each_file_command 2 "is a FIFO" fifo.msg
# A writer that keeps the pipe open would make a reader wait for ever.
mkfifo held.msg
exec 3<>held.msg
each_file_command 2 "is a FIFO" held.msg
mkdir -p fifo-ini fifo-range
mkfifo fifo-ini/Tralvex.ini
crlf "[MessageFiles]" "Texts-0FF=../held.msg" >fifo-range/Tralvex.ini
for dir in fifo-ini fifo-range; do
  run 2 "is a FIFO" show "$dir" 10
  run 2 "is a FIFO" eval "$dir" "{10}"
  run 2 "is a FIFO" format "$dir" 10
done
run 2 "is a FIFO" map fifo-ini
run 2 "is a FIFO" check fifo-ini/Tralvex.ini
run 1 "" map fifo-range
grep -q "is a FIFO" out || {
  echo "FAIL: map does not tell a FIFO in a range"
  failures=$((failures + 1))
}
run 1 "" check fifo-range/Tralvex.ini
grep -q "is a FIFO.*ini-unopenable-file" out || {
  echo "FAIL: check does not tell a FIFO in a range"
  failures=$((failures + 1))
}
exec 3>&-

# ---- Devices: never read --------------------------------------------------
ln -s /dev/zero zero.msg
ln -s /dev/urandom random.msg
for device in zero random; do
  each_file_command 2 "is a device" $device.msg
done
mkdir -p device-ini
ln -s /dev/zero device-ini/Tralvex.ini
run 2 "is a device" map device-ini
run 2 "is a device" show device-ini 10
# A device named without extension: the library looks for /dev/zero.MSG.
run 2 "/dev/zero.MSG, and there is no such file" dump /dev/zero
run 2 "/dev/urandom.MSG, and there is no such file" check /dev/urandom

# ---- Output that cannot be written ----------------------------------------
for redirect in ">/dev/full" ">&-"; do
  reason="cannot write to standard output: (No space left on device|Bad file descriptor)"
  run 2 "$reason" check --werror good.msg app/Tralvex.ini
  run 2 "$reason" show good.msg 10
  run 2 "$reason" eval app "{10}"
  run 2 "$reason" format good.msg 20 x
  run 2 "$reason" dump --format=json good.msg
  run 2 "$reason" map app
  run 2 "$reason" --help
done
redirect=">out"

# ---- Huge and deep files ----------------------------------------------------
awk 'BEGIN { printf "[Main]\r\n"; for (i = 0; i < 100000; i++)
             printf "%X: message %d of a huge file {%X|fallback} %%s\r\n", i, i, i + 1 }' >huge.msg
awk 'BEGIN { printf "[Main]\r\n1: "; for (i = 0; i < 200000; i++) printf "a long line "; printf "\r\n" }' \
  >longline.msg
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "[S%d]\r\nAlias: S%d\r\n", i, i + 1;
             printf "[S100000]\r\n10: deep\r\n" }' >chain.msg
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "[S%d]\r\nAlias: S%d\r\n%X: t\r\n", i, (i + 1) % 100000, i }' \
  >ring.msg
# Sparse: larger than the library reads, yet taking no room on the disk.
truncate -s 5G sparse.msg
each_file_command 2 "is too large: the library reads files of less than 4 GB" sparse.msg
run 0 "" check huge.msg longline.msg chain.msg
run 0 "" check ring.msg
grep -q "warning: alias cycle S0 -> S1 .* (100000 sections)" out || {
  echo "FAIL: the ring of 100000 sections is not reported"
  failures=$((failures + 1))
}
run 0 "" show huge.msg 1869F
run 0 "" format --section S0 chain.msg 10
run 0 "" dump --section S0 chain.msg
grep -q "from S100000" out || {
  echo "FAIL: dump names no source past 65,535 sharers"
  failures=$((failures + 1))
}
# A reader that stops early ends the tool, quietly or by the pipe's signal.
timeout -k 2 "$limit" "$tool" dump longline.msg 2>err | head -c 100 >/dev/null
status=${PIPESTATUS[0]}
if [ "$status" != 0 ] && [ "$status" != 141 ]; then
  echo "FAIL: dump into a pipe closed early: exit status $status"
  failures=$((failures + 1))
fi

# ---- Missing and odd names ----------------------------------------------------
name_commands 2 "no such file" missing.msg
name_commands 2 "missing.MSG, and there is no such file" "$PWD/missing"
name_commands 2 "no such file" "new
line.msg"
name_commands 2 "no such file" "-"
run 2 "empty" check ""
run 2 "empty" dump ""
run 2 "empty" show "" 10
run 2 "no such file" show missing.msg 10
run 2 "no file name the library takes" eval nodir/ "{10}"
long_name=$(printf 'x%.0s' $(seq 5000)).msg
name_commands 2 "no file name the library takes" "$long_name"
name_commands 2 "no file name the library takes" "nodir/"
name_commands 2 "" ".msg"
run 2 "is a directory" check app
run 2 "is a directory" dump app
run 2 "not a directory" map good.msg
run 2 "no Tralvex.ini" show "$PWD" 10
ln -s loop.msg loop.msg
each_file_command 2 "Too many levels of symbolic links" loop.msg
mkdir -p "odd dir/Sub"
crlf "[Main]" "10: odd" >"odd dir/Sub/Odd Name.MSG"
run 0 "" show 'odd dir\sub\odd name.msg' 10
grep -qx "odd" out || {
  echo "FAIL: a name with blanks, backslashes and another case is not found"
  failures=$((failures + 1))
}
run 2 "invalid message number" show good.msg "10
"
run 2 "unknown code page" show --codepage 4294968546 good.msg 10
if [ "$(id -u)" != 0 ]; then
  crlf "[Main]" "10: secret" >secret.msg
  chmod 000 secret.msg
  each_file_command 2 "Permission denied" secret.msg
fi

# ---- Files replaced while they are read -------------------------------------
# Each run reads the file once: whatever version it gets, what it prints is
# of that one version.
filler() { awk -v text="$1" 'BEGIN { for (i = 256; i < 30000; i++) printf "%X: %s\r\n", i, text }'; }
{ crlf "[Keep]" "10: version A" "[Second]" "Alias: Keep"; filler a; } >dump-a
{ crlf "[Second]" "10: version B" "[Keep]" "Alias: Second"; filler bb; } >dump-b
{ crlf "[Keep]" "10: version A"; filler a; } >show-a
{ crlf "[Other]" "10: version B"; filler bb; } >show-b
swap() {
  while :; do
    cp "$1" "$3.tmp" && mv -f "$3.tmp" "$3"
    cp "$2" "$3.tmp" && mv -f "$3.tmp" "$3"
  done
}
cp dump-a dumped.msg
cp show-a shown.msg
swap dump-a dump-b dumped.msg &
dump_swapper=$!
swap show-a show-b shown.msg &
show_swapper=$!
for i in $(seq 6); do
  run 0 "" dump --section Keep dumped.msg
  if ! grep -Eq "^ +10  (version A|version B  \(from SECOND\))$" out; then
    echo "FAIL: dump mixed two versions of a file:"
    grep " 10  " out | sed 's/^/    /'
    failures=$((failures + 1))
  fi
  timeout -k 2 "$limit" "$tool" show --section Keep shown.msg 10 >out 2>err
  status=$?
  # A tool slowed down enough (sanitizers, a loaded machine) may see the file
  # replaced at every try: it says so and prints nothing, which mixes nothing.
  if ! { [ "$status" = 0 ] && grep -qx "version A" out; } &&
    ! { [ "$status" = 1 ] && grep -q "has no section \"Keep\" (its sections: OTHER;" err; } &&
    ! { [ "$status" = 2 ] && [ ! -s out ] && grep -q "is replaced again and again while it is read" err; }; then
    echo "FAIL: show mixed two versions of a file: exit status $status"
    sed 's/^/    /' err | head -3
    failures=$((failures + 1))
  fi
done
kill "$dump_swapper" "$show_swapper"
wait 2>/dev/null

if [ "$failures" != 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all hostile inputs handled"
