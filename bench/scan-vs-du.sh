#!/usr/bin/env bash
# Times `brindle scan` against GNU `du -s --apparent-size` on the same generated tree, with a
# warm cache and interleaved runs, and prints the ratios and brindle's peak memory. Each size
# is measured on an even tree and on a lopsided one (95% of the files in one subfolder).
#
#   bench/scan-vs-du.sh [FILES...]     (default: 300000 1000000)
#   SHAPES="even lopsided" RUNS=5      (the defaults)
# Trees are kept in $BENCH_DIR (default /tmp/brindle-bench) between runs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
brindle=$build/Brindle/brindle
generate=$build/bench/bench_generate_tree
runs=${RUNS:-5}
bench_dir=${BENCH_DIR:-/tmp/brindle-bench}
[[ -x $brindle && -x $generate ]] || { echo "build the release preset first (make build-release)" >&2; exit 1; }

# Median of the numbers on stdin.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Wall seconds and peak resident kilobytes of one command, as "seconds kilobytes".
measure() { /usr/bin/time -f '%e %M' -o /tmp/brindle-bench-time "$@" >/dev/null 2>&1; cat /tmp/brindle-bench-time; }

for files in ${@:-300000 1000000}; do
for shape in ${SHAPES:-even lopsided}; do
  tree=$bench_dir/tree-$files-$shape
  if [[ ! -f $tree.done ]]; then
    rm -rf "$tree"; mkdir -p "$bench_dir"
    echo "generating $tree ..."
    "$generate" "$tree" "$files" "$shape"
    touch "$tree.done"
  fi
  du -s --apparent-size "$tree" >/dev/null # warm the cache
  "$brindle" scan "$tree" >/dev/null

  : >/tmp/brindle-bench-du; : >/tmp/brindle-bench-w1; : >/tmp/brindle-bench-w4; : >/tmp/brindle-bench-rss
  for ((run = 0; run < runs; run++)); do
    measure du -s --apparent-size "$tree" | cut -d' ' -f1 >>/tmp/brindle-bench-du
    read -r seconds kb < <(measure "$brindle" scan --workers 1 "$tree")
    echo "$seconds" >>/tmp/brindle-bench-w1; echo "$kb" >>/tmp/brindle-bench-rss
    read -r seconds kb < <(measure "$brindle" scan --workers 4 "$tree")
    echo "$seconds" >>/tmp/brindle-bench-w4; echo "$kb" >>/tmp/brindle-bench-rss
  done
  du_s=$(median </tmp/brindle-bench-du); w1=$(median </tmp/brindle-bench-w1); w4=$(median </tmp/brindle-bench-w4)
  rss=$(sort -n /tmp/brindle-bench-rss | tail -1)
  awk -v n="$files" -v shape="$shape" -v du="$du_s" -v w1="$w1" -v w4="$w4" -v rss="$rss" 'BEGIN {
    printf "%d files, %s: du %.2f s, brindle 1 worker %.2f s, 4 workers %.2f s\n", n, shape, du, w1, w4
    printf "  1 worker time / du time:      %.2f  (goal <= 1.0)\n", w1 / du
    printf "  4 workers time / du time:     %.2f  (goal <= %s)\n", w4 / du, shape == "lopsided" ? "0.56" : "0.50"
    printf "  peak memory: %.1f MB\n", rss / 1024
  }'
done
done
