#!/usr/bin/env bash
# The thumbnail strip at start-up with many kept pictures: 1000 pictures RUNS
# times (every run, then the median of each figure), and 16385 pictures once,
# of which the last must be refused.
#
#   bench/strip.sh BUILD_DIR [RUNS]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [RUNS]" >&2; exit 2; }
bench="$1/bench/bench_strip"
runs=${2:-5}

# The median of each numeric key=value figure in the lines of file $1.
medians() {
    local keys key
    keys=$(head -n 1 "$1" | grep -oE '[a-z_0-9]+=[0-9.]+' | cut -d= -f1)
    printf 'median:'
    for key in $keys; do
        printf ' %s=%s' "$key" "$(grep -oE "(^| )$key=[0-9.]+" "$1" | cut -d= -f2 | sort -n |
            awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')"
    done
    echo
}

echo "1000 pictures, $runs runs (targets: add_s <= 2, rss_mb <= 200):"
figures=$(mktemp)
trap 'rm -f "$figures"' EXIT
for _ in $(seq "$runs"); do "$bench" 1000 | tee -a "$figures"; done
medians "$figures"
echo "16385 pictures, once:"
"$bench" 16385
