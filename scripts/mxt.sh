#!/usr/bin/env bash
# Builds MXT when needed and runs it with the given arguments, for example
#   bash scripts/mxt.sh /B /E /O /tmp/sample-euc.txt samples/sample-sjis.txt
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/install-deps.sh"
cmake -S "$here" --preset release >/dev/null
cmake --build "$here/build/release" --target mxt -j2 >/dev/null
exec "$here/build/release/app/mxt" "$@"
