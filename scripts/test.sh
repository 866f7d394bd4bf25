#!/usr/bin/env bash
# Installs what the build needs, builds MXT and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
ctest --preset release
