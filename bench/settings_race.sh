#!/usr/bin/env bash
# Two windows over one settings file are stopped at the same moment, ROUNDS= times (100
# unless set). A round fails when a window does not end, ends with an error, or the file
# comes out torn, lost a hand-written line or left a file beside it. Prints
# "N passed, M failed".
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target mxt >/dev/null
mxt=$PWD/build/release/app/mxt

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME/MXT"
ini=$XDG_CONFIG_HOME/MXT/MXT.ini
keys="PosX PosY Width Height State LastDir FontName FontSize InputKanjiCode OutputKanjiCode
EscapeSequence OutputNewlineCode 7BitMode RemoveCtrlZ PreserveTimestamp WayToOverwrite
ViewerPath ViewerCmdLineOption ConvWhenExecuted ConvWhenSelected ConvWhenDropped
QuitWhenConverted DontShortenFileName"

# Starts a window with its own hand-over channel, so that the two do not meet there.
start_window() {
  local runtime=$work/runtime$1
  mkdir -p -m 700 "$runtime"
  XDG_RUNTIME_DIR=$runtime "$mxt" /E >"$work/err$1" 2>&1 &
  echo $!
}

wait_listening() {
  for _ in $(seq 100); do
    [ -S "$work/runtime$1/MXT/TMXTWClass" ] && return 0
    sleep 0.05
  done
  return 1
}

# Every value once, the hand-written line kept, nothing beside the file.
file_whole() {
  grep -qx 'Mine=kept' "$ini" || return 1
  for key in $keys; do
    [ "$(grep -c "^$key=" "$ini")" = 1 ] || return 1
  done
  [ "$(ls "$XDG_CONFIG_HOME/MXT")" = MXT.ini ]
}

passed=0 failed=0
for round in $(seq "${ROUNDS:-100}"); do
  printf '[Hand]\nMine=kept\n' >"$ini"
  rm -rf "$work"/runtime*
  first=$(start_window 1) second=$(start_window 2)
  ok=1
  wait_listening 1 && wait_listening 2 || ok=0
  kill -TERM "$first" "$second"
  for pid in $first $second; do
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    if kill -0 "$pid" 2>/dev/null; then
      ok=0
      kill -KILL "$pid"
    fi
    wait "$pid" 2>/dev/null || true
  done
  grep -q 'ｴﾗｰ\|失敗\|書き込めません' "$work"/err1 "$work"/err2 && ok=0
  file_whole || ok=0
  if [ $ok = 1 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "round $round failed:" >&2
    cat "$ini" "$work"/err1 "$work"/err2 >&2
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
