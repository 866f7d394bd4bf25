#!/usr/bin/env bash
# Builds the Debian package build/release/mxt_<version>_<arch>.deb from the release build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target mxt mxt_install_files
cd build/release
cpack -G DEB
