#!/usr/bin/env bash
# Runs MXT with the given arguments, for example
#   bash scripts/mxt.sh /B /E /O /tmp/sample-euc.txt samples/sample-sjis.txt
# On a fresh clone it installs the packages and builds the program first; later it builds
# only when a source is newer than the program, and otherwise starts the program at once.
set -euo pipefail
# Each program started here costs milliseconds, so plain bash finds the folders (it never
# changes folder: the arguments may name files relative to the caller's).
scripts=.
[[ $0 == */* ]] && scripts=${0%/*}
here=$scripts/..
build=$here/build/release
program=$build/app/mxt

# The package check takes a tenth of a second: it runs again only when its list changed.
deps=$here/scripts/install-deps.sh
stamp=$here/build/install-deps.done
same_text() {
  local a="" b=""
  [ -f "$2" ] || return 1
  IFS= read -r -d '' a <"$1" || true
  IFS= read -r -d '' b <"$2" || true
  [ "$a" = "$b" ]
}
if ! same_text "$deps" "$stamp"; then
  bash "$deps"
  mkdir -p "$here/build"
  cp "$deps" "$stamp"
fi

# The files the program is made of.
sources=("$here"/{CMakeLists.txt,CMakePresets.json,packaging/CMakeLists.txt}
  "$here"/{app,engine,fileconv,gui,platform,resources})

build_program() {
  echo "building mxt ..." >&2
  local log=$here/build/mxt-build.log
  if ! { [ -f "$build/CMakeCache.txt" ] || cmake -S "$here" --preset release; } >/dev/null 2>"$log" ||
    ! cmake --build "$build" --target mxt -j2 >/dev/null 2>>"$log"; then
    cat "$log" >&2
    exit 2  # as when MXT cannot start
  fi
  # A build with nothing to redo leaves the program older than the sources; without this
  # every later call would build again.
  touch "$program"
}

if [ ! -x "$program" ] || [ -n "$(find "${sources[@]}" -newer "$program" -print -quit)" ]; then
  build_program
fi
exec "$program" "$@"
