#!/usr/bin/env bash
# Takes the pictures in docs/ on a virtual display: each page of the options dialog, the
# about box and the help window. Needs xvfb, xdotool, imagemagick and fonts-ipafont-gothic.
# MXT=path/to/mxt takes them of another build.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${MXT_SCREENSHOTS_DISPLAY:-}" ]; then
  export MXT_SCREENSHOTS_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

mxt=$(realpath "${MXT:-build/release/app/mxt}")
work=$(mktemp -d)
# A settings store and an instance lock of its own: no running MXT takes these files.
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -m 0700 "$work/run"
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

cp samples/sample-sjis.txt "$work/"
"$mxt" "$work/sample-sjis.txt" &
pid=$!

window() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
keys() {
  xdotool windowfocus --sync "$1"
  shift
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.3
  done
}
shoot() {
  sleep 0.5
  import -window "$1" "docs/$2.png"
  echo "docs/$2.png"
}

main=$(window '^MXT$')
sleep 1
keys "$main" alt+o o
options=$(window '^オプション$')
for page in output input file viewer interface; do
  shoot "$options" "options-$page"
  keys "$options" ctrl+Tab
done
keys "$options" alt+h
shoot "$(window '^MXT ヘルプ$')" help
keys "$options" Escape

keys "$main" alt+h a
shoot "$(window '^MXT について$')" about
keys "$(window '^MXT について$')" Return
