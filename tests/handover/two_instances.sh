#!/usr/bin/env bash
# Two real starts of the program on one X display: a second start hands its files to the
# running window or runs a window of its own, as the rules of the single instance say.
#   xvfb-run -a bash two_instances.sh MXT
# Prints one line per case and exits 1 when any failed.
set -uo pipefail

mxt=$1
source "$(dirname "$0")/../support/display_script.sh" two
first=""
trap '[ -n "$first" ] && kill "$first" 2>/dev/null; rm -rf "$work"' EXIT

euc() { printf '\xb0\xa1 %s\n' "$1" >"$work/$1"; } # a file a run to Shift-JIS converts
converted() { [ "$(head -c 2 "$work/$1" | od -An -tx1 | tr -d ' ')" = 889f ]; }
unconverted() { ! converted "$1"; }

channel_open() { [ -S "$XDG_RUNTIME_DIR/MXT/TMXTWClass" ]; }
window_of() { xdotool search --onlyvisible --pid "$1" --name '^MXT$' 2>/dev/null | head -1; }
has_window() { [ -n "$(window_of "$1")" ]; }
box_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
has_box() { [ -n "$(box_named "$1")" ]; }

start_first() {
  "$mxt" "$@" &
  first=$!
  await channel_open && await has_window "$first"
}
stop_first() {
  kill -TERM "$first" 2>/dev/null
  wait "$first" 2>/dev/null
  first=""
}
# Presses the convert button of the first window by its access key.
convert_in_first() {
  xdotool windowfocus --sync "$(window_of "$first")" 2>/dev/null
  xdotool key alt+c
}

# 1. Files handed over are added, and not converted even when drops convert.
printf '[Options]\nConvWhenDropped=1\n' >"$ini"
euc a.txt
euc b.txt
start_first
"$mxt" "$work/a.txt" "$work/b.txt"
check "the second start with files ends at once" [ $? -eq 0 ]
sleep 0.5
check "the handed-over files are not converted" unconverted a.txt
convert_in_first
check "the handed-over files are in the first window's list" await converted b.txt
stop_first

# 2. A start without arguments brings the maximized window back to its normal state.
printf '[MainWindow]\nState=1\n' >"$ini"
start_first
"$mxt"
sleep 0.5
stop_first
check "the running window was restored" grep -q '^State=0' "$ini"

# 3. A start with an option runs a window of its own.
start_first
euc c.txt
"$mxt" /E "$work/c.txt" &
second=$!
check "a start with an option has its own window" await has_window "$second"
kill -TERM "$second"
wait "$second" 2>/dev/null

# 4. With ConvWhenExecuted stored, a second start converts its own files.
printf '[Options]\nConvWhenExecuted=1\n' >"$ini"
euc d.txt
"$mxt" "$work/d.txt" &
second=$!
check "a start that converts at start-up converts its own files" await converted d.txt
check "... in a window of its own" has_window "$second"
kill -TERM "$second"
wait "$second" 2>/dev/null
stop_first

# 5. During a run the second start is told the first is busy, and nothing is added.
printf '[Options]\n' >"$ini"
yes $'\xb0\xa1\xb0\xa1\xb0\xa1 text' | head -c 300M >"$work/big.txt"
euc e.txt
start_first /UE /J "$work/big.txt"
await sh -c "ls '$work' | grep -q MX" # the run has begun
"$mxt" "$work/e.txt" &
second=$!
check "the second start shows the busy warning" await has_box "警告"
xdotool windowfocus --sync "$(box_named "警告")" 2>/dev/null
xdotool key Return
await sh -c "! kill -0 $second 2>/dev/null"
check "the second start ended" sh -c "! kill -0 $second 2>/dev/null"
await sh -c "! ls '$work' | grep -q MX" # the run has ended
sleep 0.3
convert_in_first
check "nothing was added: converting asks to convert everything again" await has_box "確認"
xdotool key Escape
check "the busy instance's file stays as it was" unconverted e.txt
stop_first

# 6. Three thousand long names reach the first window whole and in order, in several blocks.
printf '[Options]\n' >"$ini" # the last window stored its convert-at-start-up
mkdir "$work/many"
names=()
long=$(printf '%0200d' 0)
for i in $(seq -w 1 3000); do
  names+=("$work/many/$long-$i.txt")
  printf '\xb0\xa1\n' >"${names[-1]}"
done
start_first
"$mxt" "${names[@]}"
convert_in_first
last_converted() { converted "many/$(basename "${names[-1]}")"; }
all_converted() { [ -z "$(grep -L $'^\x88\x9f' "${names[@]}")" ]; }
await last_converted
check "all 3,000 handed-over files are in the list" all_converted
# Converted in list order, so the last-write times follow the order they were given in.
check "... in the order they were given" sh -c "[ \"\$(ls -tr '$work/many')\" = \"\$(ls '$work/many')\" ]"
stop_first

# 7. Once the first instance ends, a window of its own takes the files of a later start.
printf '[Options]\n' >"$ini"
euc f.txt
euc g.txt
start_first
"$mxt" /S "$work/f.txt" &
second=$!
await has_window "$second"
stop_first
first=$second
"$mxt" "$work/g.txt" # at once: it waits for the other window to take the channel over
check "the window of its own takes the channel over" channel_open
convert_in_first
check "the later start's file is in its list" await converted g.txt
stop_first

# 8. Without a session runtime folder, a folder another user made in /tmp under this user's
#    name does not keep the starts apart: they meet in this user's cache instead.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
  home=$work/nobody
  mkdir "$home" && chown 65534:65534 "$home" && chmod 711 "$work"
  planted=/tmp/MXT-65534
  rm -rf "$planted" && mkdir -m 777 "$planted"
  # Each program runs in the place of the one before it: $! is the window's own process.
  as_nobody=(env -u XDG_RUNTIME_DIR -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen
    setpriv --reuid=65534 --regid=65534 --clear-groups)
  printf '\xb0\xa1\n' >"$home/h.txt" && chown 65534 "$home/h.txt"
  "${as_nobody[@]}" "$mxt" &
  first=$!
  await test -S "$home/.cache/MXT-runtime/TMXTWClass"
  "${as_nobody[@]}" timeout 10 "$mxt" "$home/h.txt"
  check "a planted folder in /tmp does not keep a second start from handing over" [ $? -eq 0 ]
  stop_first
  rm -rf "$planted"
fi

[ "$failed" -eq 0 ]
