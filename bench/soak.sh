#!/usr/bin/env bash
# Repeats the kill and race tests of tests/safety many times over, SIGKILL inside the copy
# back of /TC included, and prints "N passed, M failed". ROUNDS= sets the rounds (each
# is twelve stops, kills and races).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target mxt >/dev/null
bash tests/safety/kill_and_race.sh build/release/app/mxt "${ROUNDS:-40}" --with-sigkill-copy
