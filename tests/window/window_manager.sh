#!/usr/bin/env bash
# The window and its dialog under a real window manager, which draws frames around them:
# started again and again the window stays put, a maximized session keeps the normal place,
# and the options dialog opens centred over the window.
#   xvfb-run -a bash window_manager.sh MXT
# Prints one line per case and exits 1 when any failed.
set -uo pipefail

mxt=$1
source "$(dirname "$0")/../support/display_script.sh" place
openbox >/dev/null 2>&1 &
wm=$!
running=""
trap 'kill $running $wm 2>/dev/null; rm -rf "$work"' EXIT

window() { xdotool search --onlyvisible --pid "$running" --name '^MXT$' 2>/dev/null | head -1; }
shown() { [ -n "$(window)" ]; }
# The inside's top-left on the screen, as "x,y".
inside() { xdotool getwindowgeometry "$(window)" | sed -n 's/ *Position: \([0-9]*,[0-9]*\).*/\1/p'; }
# The centre of a window's inside, as "x,y".
centre() {
  xdotool getwindowgeometry "$1" | tr '\n' ' ' |
    sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2 \3 \4/p' |
    { read -r x y w h && echo "$((x + w / 2)),$((y + h / 2))"; }
}
inside_at() { [ "$(inside)" = "$1" ]; }
# A popup menu is a window of its own beside the main one.
menu_open() { [ "$(xdotool search --onlyvisible --pid "$running" 2>/dev/null | wc -l)" -ge 2 ]; }
# The window manager may still move a window just shown: its place counts once it holds.
settled() {
  local before
  before=$(inside)
  sleep 0.2
  [ -n "$before" ] && [ "$(inside)" = "$before" ]
}
start() {
  "$mxt" &
  running=$!
  await shown && await settled
}
stop() {
  kill -TERM "$running"
  wait "$running" 2>/dev/null
  running=""
}
stored() { grep -E '^(PosX|PosY|Width|Height|State)=' "$ini" | tr '\n' ' '; }
stored_is() { [ "$(stored)" = "$1" ]; }

sleep 0.5 # the window manager takes the display
printf '[MainWindow]\nPosX=100\nPosY=100\nWidth=400\nHeight=300\n' >"$ini"
start
first=$(inside)
stop
for _ in 1 2; do
  start
  check "a window started again is where it was" await inside_at "$first"
  stop
done
check "... and is stored where it was put" stored_is "PosX=100 PosY=100 Width=400 Height=300 State=0 "

# Maximized by a double click on the title bar, 28 pixels above the inside.
start
IFS=, read -r x y <<<"$(inside)"
xdotool mousemove $((x + 150)) $((y - 28)) click --repeat 2 --delay 80 1
await sh -c "[ \"\$(xdotool getwindowgeometry $(window) | grep -c 'Geometry: 400x300')\" = 0 ]"
stop
check "a maximized window keeps its normal place" stored_is \
  "PosX=100 PosY=100 Width=400 Height=300 State=1 "

# The options dialog, made on its first opening, comes up centred over the window.
printf '[MainWindow]\nPosX=100\nPosY=100\nWidth=500\nHeight=400\n' >"$ini"
start
xdotool windowfocus --sync "$(window)"
xdotool key alt+o
await menu_open
xdotool key Return
await sh -c "[ -n \"\$(xdotool search --onlyvisible --name '^オプション\$')\" ]"
dialog=$(xdotool search --onlyvisible --name '^オプション$' | head -1)
check "the options dialog is centred over the window" [ "$(centre "$dialog")" = "$(centre "$(window)")" ]
xdotool key Escape
stop

[ "$failed" -eq 0 ]
