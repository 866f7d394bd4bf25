#!/usr/bin/env bash
# Builds MXT and runs the engine benchmark; arguments go to the benchmark program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target mxt_engine_benchmark
./build/release/bench/mxt_engine_benchmark "$@"
