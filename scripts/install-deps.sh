#!/usr/bin/env bash
# Installs the Debian packages MXT needs to build, test, package and benchmark.
# Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  build-essential cmake clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libgl-dev libxkbcommon-dev fonts-dejavu-core
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  librsvg2-bin
  desktop-file-utils appstream man-db
  nkf
  manpages-ja
  bc time
  acl attr
  xvfb xauth xdotool openbox
)

# One dpkg-query for all: one per package made every call of scripts/mxt.sh slow.
declare -A installed=()
while read -r status name; do
  [ "$status" = ii ] && installed[$name]=1
done < <(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
