#!/usr/bin/env bash
# Times scripts/mxt.sh called again on an unchanged tree against the program it starts,
# both converting the shipped sample with /B, and prints what the script adds (best and
# median of ROUNDS calls each, 20 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${ROUNDS:-20}
work=$(mktemp -d "${TMPDIR:-/tmp}/mxt-overhead-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
unset DISPLAY WAYLAND_DISPLAY
arguments=(/B /E /O "$work/out.txt" samples/sample-sjis.txt)
bash scripts/mxt.sh "${arguments[@]}" >/dev/null  # installs and builds when it must

# Prints the microseconds of each call of the command, in order.
time_calls() {
  for _ in $(seq "$rounds"); do
    local start=${EPOCHREALTIME//[.,]/}
    "$@" "${arguments[@]}" >/dev/null
    local end=${EPOCHREALTIME//[.,]/}
    echo $((end - start))
  done | sort -n
}

# "best median" in milliseconds.
summary() {
  awk '{ t[NR] = $1 } END { printf "%.1f %.1f\n", t[1] / 1000, t[int((NR + 1) / 2)] / 1000 }'
}

read -r scriptBest scriptMedian < <(time_calls bash scripts/mxt.sh | summary)
read -r programBest programMedian < <(time_calls build/release/app/mxt | summary)
echo "scripts/mxt.sh: best $scriptBest ms, median $scriptMedian ms"
echo "mxt:            best $programBest ms, median $programMedian ms"
echo "added by the script: $(awk -v a="$scriptMedian" -v b="$programMedian" 'BEGIN { printf "%.1f", a - b }') ms (median)"
