#!/usr/bin/env bash
# Installs what the build needs, checks the formatting, then builds MXT and runs every test
# suite twice: optimised, and with AddressSanitizer and UBSan with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
find app bench engine fileconv gui platform tests \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run -Werror
for preset in release debug; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
