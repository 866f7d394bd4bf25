#!/usr/bin/env bash
# Repeats the kill and race tests of tests/safety many times over, with the two cases no
# program can make safe counted apart, and prints "N passed, M failed". ROUNDS= sets the
# rounds (each is thirteen stops, kills and races).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target mxt >/dev/null
bash tests/safety/kill_and_race.sh build/release/app/mxt "${ROUNDS:-40}" --soak
