#!/usr/bin/env bash
# Takes the pictures in docs/ on a virtual display, of the Japanese window and of the English
# one (named *-en.png): the main window after a run, each page of the options dialog, the
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

# The window in one language: the locale, the suffix of its pictures, and its titles of the
# options dialog, the help window and the about box.
take() {
  local locale=$1 suffix=$2 options_title=$3 help_title=$4 about_title=$5
  mkdir -p "$work/$locale"
  cp samples/sample-sjis.txt "$work/$locale/"
  printf 'UTF-8 のメモ\n' >"$work/$locale/utf8-notes.txt"
  LANG=$locale LC_ALL=$locale "$mxt" /W "$work/$locale/sample-sjis.txt" \
    "$work/$locale/utf8-notes.txt" &
  pid=$!
  local main
  main=$(window '^MXT$')
  sleep 1
  keys "$main" alt+c
  sleep 1
  shoot "$main" "mxt-window$suffix"
  keys "$main" alt+o o
  local options
  options=$(window "^$options_title\$")
  for page in output input file viewer interface; do
    shoot "$options" "options-$page$suffix"
    keys "$options" ctrl+Tab
  done
  keys "$options" alt+h
  shoot "$(window "^$help_title\$")" "help$suffix"
  keys "$options" Escape
  keys "$main" alt+h a
  shoot "$(window "^$about_title\$")" "about$suffix"
  keys "$(window "^$about_title\$")" Return
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=
}

take C.UTF-8 "" 'オプション' 'MXT ヘルプ' 'MXT について'
take en_US.UTF-8 -en 'Options' 'MXT Help' 'About MXT'
