#!/usr/bin/env bash
# Times the window against a minimal Qt window and against the batch run, on an X display
# of its own (Xvfb): start to first paint, adding 10,000 and 100,000 files from the command
# line (with the memory an entry takes), and a run over 10,000 small files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target mxt mxt_window_benchmark >/dev/null
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24" \
  build/release/bench/mxt_window_benchmark "$@" "$PWD/build/release/app/mxt"
