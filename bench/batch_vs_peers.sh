#!/usr/bin/env bash
# Times "mxt /B" against cp, iconv and nkf on the same files, in one run:
#   - a generated Shift-JIS file of $MB megabytes (default 190) converted to EUC, and the
#     same text to and from UTF-8, and the same conversion between pipes ("-");
#   - a one-line file, as a script converts one file at a time;
#   - $COUNT small files (default 10000) against nkf --overwrite;
#   - mxt's peak memory for a 1 MB and the large file.
# Builds what it needs first: bash bench/batch_vs_peers.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target mxt mxt_sample_text >/dev/null
build=build/release
mxt=${MXT:-$build/app/mxt}  # MXT= times another build of it
sample=$build/bench/mxt_sample_text
MB=${MB:-190}
COUNT=${COUNT:-10000}
work=$(mktemp -d "${TMPDIR:-/tmp}/mxt-batch-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
unset DISPLAY WAYLAND_DISPLAY

seconds() { # runs the command with standard output to $1, prints the elapsed seconds
  local out=$1 start end
  shift
  start=$(date +%s.%N)
  "$@" >"$out"
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
ratio() { echo "scale=2; $1 / $2" | bc -l; }
cpu_seconds() { # the processor time (user and system, all threads) the command takes
  local TIMEFORMAT='%3U + %3S'
  { time "$@" >/dev/null 2>&1; } 2>&1 | bc -l
}
best() { # best of five runs, each on a fresh copy of the sample and with no output yet
  local best="" t
  for _ in 1 2 3 4 5; do
    cp "$work/big.txt" "$work/in.txt"
    rm -f "$work/out.txt" "$work/copy.txt"
    sync
    t=$(seconds "$@")
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

"$sample" "$work/big.txt" "$MB"
size=$(stat -c %s "$work/big.txt")
echo "large file: $size bytes of Shift-JIS text"

# Like cp, iconv and nkf, "/O" reads the file and writes a new one. In place, mxt
# writes a temporary file and renames it over the source, which makes ext4 allocate
# and start writing the new file before the rename; "cp + mv" does the same.
t_mxt=$(best /dev/null "$mxt" /B /E /O "$work/out.txt" "$work/in.txt")
t_place=$(best /dev/null "$mxt" /B /E "$work/in.txt")
t_cp=$(best /dev/null cp "$work/in.txt" "$work/copy.txt")
t_cpmv=$(best /dev/null sh -c "cp '$work/in.txt' '$work/copy.txt' && mv '$work/copy.txt' '$work/in.txt'")
t_iconv=$(best "$work/out.txt" iconv -f SHIFT_JIS -t EUC-JP "$work/in.txt")
printf 'mxt /B /E /O   %8.3f s\n' "$t_mxt"
printf 'cp             %8.3f s   mxt/cp     %s (goal <= 1.5)\n' "$t_cp" "$(ratio "$t_mxt" "$t_cp")"
printf 'iconv          %8.3f s   iconv/mxt  %s (goal >= 3)\n' "$t_iconv" "$(ratio "$t_iconv" "$t_mxt")"
if command -v nkf >/dev/null; then
  t_nkf=$(best "$work/out.txt" nkf -S -e "$work/in.txt")
  printf 'nkf            %8.3f s   nkf/mxt    %s (goal >= 20)\n' "$t_nkf" "$(ratio "$t_nkf" "$t_mxt")"
fi
printf 'mxt /B /E      %8.3f s   in place:  /cp %s, /(cp + mv) %s (cp + mv %.3f s)\n' \
  "$t_place" "$(ratio "$t_place" "$t_cp")" "$(ratio "$t_place" "$t_cpmv")" "$t_cpmv"
# The filter: the same conversion from standard input to standard output, against the run
# into a new file; then from a pipe, where cat's copying shares the two cores.
t_filter=$(best "$work/out.txt" sh -c "'$mxt' /B /E - <'$work/in.txt' 2>/dev/null")
t_pipe=$(best "$work/out.txt" sh -c "cat '$work/in.txt' | '$mxt' /B /E - 2>/dev/null")
printf 'mxt /B /E -    %8.3f s   /(mxt /B /E /O) %s (goal <= 1.3); from cat: %.3f s, %s\n' \
  "$t_filter" "$(ratio "$t_filter" "$t_mxt")" "$t_pipe" "$(ratio "$t_pipe" "$t_mxt")"

# UTF-8 both ways on the same text, against iconv with Windows' table (CP932) and EUC-JP.
iconv -f CP932 -t UTF-8 "$work/big.txt" >"$work/big-utf8.txt"
iconv -f CP932 -t EUC-JP "$work/big.txt" >"$work/big-euc.txt"
t_w=$(best /dev/null "$mxt" /B /W /O "$work/out.txt" "$work/in.txt")
t_w_iconv=$(best "$work/out.txt" iconv -f CP932 -t UTF-8 "$work/in.txt")
t_ew=$(best /dev/null "$mxt" /B /W /O "$work/out.txt" "$work/big-euc.txt")
t_ew_iconv=$(best "$work/out.txt" iconv -f EUC-JP -t UTF-8 "$work/big-euc.txt")
t_ws=$(best /dev/null "$mxt" /B /S /O "$work/out.txt" "$work/big-utf8.txt")
t_ws_iconv=$(best "$work/out.txt" iconv -f UTF-8 -t CP932 "$work/big-utf8.txt")
t_we=$(best /dev/null "$mxt" /B /E /O "$work/out.txt" "$work/big-utf8.txt")
t_we_iconv=$(best "$work/out.txt" iconv -f UTF-8 -t EUC-JP "$work/big-utf8.txt")
# What writing the UTF-8 output alone costs (it is half as large again as the input), beside
# cp, which copies within the system (copy_file_range) and never through a program's memory.
utf8_blocks=$(( ($(stat -c %s "$work/big-utf8.txt") + 262143) / 262144 ))
t_w_write=$(best /dev/null dd if=/dev/zero of="$work/out.txt" bs=256K count="$utf8_blocks" status=none)
# Reading, converting and writing together take this much processor time: on two cores the
# run can take no less than half of it, however the work is shared among threads.
rm -f "$work/out.txt" && sync
t_w_cpu=$(cpu_seconds "$mxt" /B /W /O "$work/out.txt" "$work/in.txt")
t_w_least=$(echo "$t_w_cpu / 2" | bc -l)
echo "UTF-8, the same text:"
printf 'Shift-JIS to UTF-8  mxt %6.3f s  iconv %6.3f s  iconv/mxt %s (goal >= 3)  mxt/cp %s (goal <= 2)\n' \
  "$t_w" "$t_w_iconv" "$(ratio "$t_w_iconv" "$t_w")" "$(ratio "$t_w" "$t_cp")"
printf '  writing its %d bytes alone (dd) %6.3f s  /cp %s\n' "$(stat -c %s "$work/big-utf8.txt")" \
  "$t_w_write" "$(ratio "$t_w_write" "$t_cp")"
printf '  processor time of the run %6.3f s: on two cores at least %6.3f s, /cp %s\n' "$t_w_cpu" \
  "$t_w_least" "$(ratio "$t_w_least" "$t_cp")"
printf 'EUC to UTF-8        mxt %6.3f s  iconv %6.3f s  iconv/mxt %s (goal >= 3)\n' \
  "$t_ew" "$t_ew_iconv" "$(ratio "$t_ew_iconv" "$t_ew")"
printf 'UTF-8 to Shift-JIS  mxt %6.3f s  iconv %6.3f s  iconv/mxt %s (goal >= 2)\n' \
  "$t_ws" "$t_ws_iconv" "$(ratio "$t_ws_iconv" "$t_ws")"
printf 'UTF-8 to EUC        mxt %6.3f s  iconv %6.3f s  iconv/mxt %s (goal >= 2)\n' \
  "$t_we" "$t_we_iconv" "$(ratio "$t_we_iconv" "$t_we")"

# One short file at a time: starting the program is most of what such a run costs.
per_run() { # best of five: the mean seconds of 50 runs of the command, each on a fresh copy
  local best="" start end t
  for _ in 1 2 3 4 5; do
    start=$(date +%s.%N)
    for _ in $(seq 50); do
      cp "$work/line.txt" "$work/one.txt"
      "$@" >/dev/null
    done
    end=$(date +%s.%N)
    t=$(echo "($end - $start) / 50" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}
head -n 1 "$work/big.txt" >"$work/line.txt"
t_copy=$(per_run true)  # what copying the file in costs every run
t_one=$(per_run "$mxt" /B /E "$work/one.txt")
t_one_out=$(per_run "$mxt" /B /E /O "$work/one-out.txt" "$work/one.txt")
t_one_iconv=$(per_run iconv -f SHIFT_JIS -t EUC-JP "$work/one.txt" -o "$work/one-out.txt")
less_copy() { echo "$1 - $t_copy" | bc -l; }
echo "one line ($(stat -c %s "$work/line.txt") bytes), mean of 50 runs:"
printf 'mxt /B /E /O   %8.4f s   mxt/iconv  %s (goal <= 1.5)\n' "$(less_copy "$t_one_out")" \
  "$(ratio "$(less_copy "$t_one_out")" "$(less_copy "$t_one_iconv")")"
printf 'mxt /B /E      %8.4f s   mxt/iconv  %s (in place)\n' "$(less_copy "$t_one")" \
  "$(ratio "$(less_copy "$t_one")" "$(less_copy "$t_one_iconv")")"
printf 'iconv          %8.4f s\n' "$(less_copy "$t_one_iconv")"

mkdir -p "$work/small-mxt" "$work/small-nkf"
"$sample" "$work/small-mxt" "$COUNT" 2000
cp "$work/small-mxt"/*.txt "$work/small-nkf/"
t_small_mxt=$(seconds /dev/null "$mxt" /B /E "$work/small-mxt/*.txt")
echo "$COUNT small files:"
printf 'mxt /B /E   %8.3f s\n' "$t_small_mxt"
if command -v nkf >/dev/null; then
  t_small_nkf=$(seconds /dev/null sh -c "cd '$work/small-nkf' && find . -name '*.txt' -print0 | xargs -0 nkf -S -e --overwrite")
  printf 'nkf --overwrite %4.3f s   nkf/mxt    %s (goal >= 1)\n' "$t_small_nkf" "$(ratio "$t_small_nkf" "$t_small_mxt")"
fi

peak() { /usr/bin/time -f %M "$mxt" /B /E "$1" 2>&1 >/dev/null | tail -n 1; }
cp "$work/big.txt" "$work/in.txt"
"$sample" "$work/one-mb.txt" 1
echo "peak memory: 1 MB file $(peak "$work/one-mb.txt") KB (goal <= 6144), $MB MB file $(peak "$work/in.txt") KB"
