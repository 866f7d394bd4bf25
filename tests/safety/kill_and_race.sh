#!/usr/bin/env bash
# Stops, kills and races `mxt /B` on real files and checks that no file is lost or mixed:
# a source is always whole (its old text or its new one), no temporary file outlives a
# stop signal, a link flipped during a conversion never leads the text elsewhere, and a
# line appended during a conversion is never lost.
#   kill_and_race.sh MXT ROUNDS [--with-sigkill-copy]
# Prints "N passed, M failed" and exits 1 when any round failed. Two cases no program can
# make safe run only with --soak and are counted on lines of their own: a SIGKILL inside
# the copy back of /TC (only the temporary file is whole then), and a line appended in the
# instant between the last check of a file and the rename that replaces it with /TR (it
# goes to the replaced file).
set -uo pipefail

mxt=$1
rounds=$2
soak=${3:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/mxt-safety-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" TMPDIR="$work/tmp/"
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$work/tmp" "$work/run"

passed=0
failed=0
mixedWithCopy=0
lostToRename=0
stoppedEarly=0

fail() {
  failed=$((failed + 1))
  echo "FAILED: $*" >&2
}

# A Shift-JIS text of 16 MB: long enough that a conversion takes a while. The rounds
# convert it to JIS and to UTF-8 by turns: the input of the second is read ahead on a thread.
line=$(printf '\x88\x9f\x82\xa0\x83\x4a\x8a\xbf\x8e\x9a text %s\n' 0123456789)
chunk=$(for _ in $(seq 2000); do printf '%s\n' "$line"; done)
for _ in $(seq 300); do printf '%s\n' "$chunk"; done >"$work/old"
# How long each conversion takes here, in milliseconds: the stops fall within it.
declare -A took
for code in /J /W; do
  cp "$work/old" "$work/run/new"
  start=$(date +%s%N)
  "$mxt" /B "$code" "$work/run/new" >/dev/null || { echo "cannot convert the sample" >&2; exit 1; }
  took[$code]=$((($(date +%s%N) - start) / 1000000 + 1))
  mv "$work/run/new" "$work/new${code#/}"
done

temporaries() {
  find "$work/run" "$work/tmp" -name '~MX*.TMP' | wc -l
}

# A moment within one conversion of the current code, in seconds.
random_moment() {
  local ms=$((RANDOM % ${took[$code]} + 1))
  printf '%d.%03d\n' $((ms / 1000)) $((ms % 1000))
}

# One conversion stopped by `signal` after a random moment.
stop_round() {
  local method=$1 signal=$2
  rm -rf "$work/run" "$work/tmp" && mkdir -p "$work/run" "$work/tmp"
  cp "$work/old" "$work/run/a.txt"
  "$mxt" /B "$code" "$method" "$work/run/a.txt" >"$work/out" 2>"$work/err" &
  local pid=$!
  sleep "$(random_moment)"
  kill -s "$signal" "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  local state=mixed
  cmp -s "$work/run/a.txt" "$work/old" && state=old
  cmp -s "$work/run/a.txt" "$work/new${code#/}" && state=new
  [ "$state" = new ] || stoppedEarly=$((stoppedEarly + 1))
  local left
  left=$(temporaries)
  if [ "$state" = mixed ]; then
    if [ "$signal" = KILL ] && [ "$method" = /TC ] &&
      cmp -s "$(find "$work/tmp" -name '~MX*.TMP' | head -1)" "$work/new${code#/}"; then
      mixedWithCopy=$((mixedWithCopy + 1))
      return
    fi
    fail "$code $method $signal: the source is neither its old nor its new text"
  elif [ "$signal" != KILL ] && [ "$left" -ne 0 ]; then
    fail "$code $method $signal: $left temporary file(s) left"
  else
    passed=$((passed + 1))
  fi
}

# A link flipped back and forth between two files while it is converted: the file it
# led to when it was opened is converted, or nothing; the other one is never written.
flip_round() {
  local method=$1
  rm -rf "$work/run" && mkdir -p "$work/run"
  cp "$work/old" "$work/run/mine"
  printf 'victim: no kanji here\n' >"$work/run/victim"
  ln -s mine "$work/run/link"
  (
    end=$((SECONDS + 1))
    while [ $SECONDS -lt $end ]; do
      ln -sfn victim "$work/run/link.new" && mv -T "$work/run/link.new" "$work/run/link"
      ln -sfn mine "$work/run/link.new" && mv -T "$work/run/link.new" "$work/run/link"
    done
  ) &
  local flipper=$!
  "$mxt" /B "$code" "$method" "$work/run/link" >/dev/null 2>&1
  kill "$flipper" 2>/dev/null
  wait "$flipper" 2>/dev/null
  if [ "$(cat "$work/run/victim")" != 'victim: no kanji here' ]; then
    fail "$code $method flip: the file the link was flipped to was written"
  elif ! cmp -s "$work/run/mine" "$work/old" && ! cmp -s "$work/run/mine" "$work/new${code#/}"; then
    fail "$code $method flip: the linked file is neither its old nor its new text"
  else
    passed=$((passed + 1))
  fi
}

# A line appended by another program while the file converts is never lost.
append_round() {
  local method=$1
  rm -rf "$work/run" "$work/tmp" && mkdir -p "$work/run" "$work/tmp"
  cp "$work/old" "$work/run/a.txt"
  touch -d '2000-01-01' "$work/run/a.txt"
  (sleep "$(random_moment)" && printf 'appended\n' >>"$work/run/a.txt") &
  local writer=$!
  "$mxt" /B "$code" "$method" "$work/run/a.txt" >/dev/null 2>&1
  wait "$writer"
  if [ "$(tail -c 9 "$work/run/a.txt")" != 'appended' ] && [ "$method" = /TR ]; then
    lostToRename=$((lostToRename + 1))
  elif [ "$(tail -c 9 "$work/run/a.txt")" != 'appended' ]; then
    fail "$code $method append: the appended line was lost"
  elif [ "$(temporaries)" -ne 0 ]; then
    fail "$code $method append: a temporary file was left"
  else
    passed=$((passed + 1))
  fi
}

for round in $(seq "$rounds"); do
  code=$([ $((round % 2)) = 1 ] && echo /J || echo /W)
  for method in /TR /TC; do
    for signal in TERM INT HUP; do
      stop_round "$method" "$signal"
    done
    flip_round "$method"
  done
  append_round /TC
  stop_round /TR KILL
  if [ "$soak" = --soak ]; then
    stop_round /TC KILL
    append_round /TR
  fi
done

echo "$passed passed, $failed failed; $stoppedEarly stop(s) came before the conversion was done"
if [ "$soak" = --soak ]; then
  echo "$mixedWithCopy SIGKILL(s) inside the /TC copy back left the source mixed, the whole text in the temporary file"
  echo "$lostToRename line(s) appended between the last check and the /TR rename went to the replaced file"
fi
[ "$failed" -eq 0 ]
