#!/usr/bin/env bash
# The thumbnail strip at start-up with many kept pictures, each a distinct
# file: for each number of pictures, RUNS start-ups (every run, then the
# median of each figure). 16384 is the strip's limit; that run also checks
# that one more picture is refused.
#
#   bench/strip.sh BUILD_DIR [RUNS] [COUNT...]     (default: 5 runs of 1000, 4000 and 16384)
#
# The pictures lie in a temporary folder while their runs last: 16384 take 3.8 GB.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [RUNS] [COUNT...]" >&2; exit 2; }
bench="$1/bench/bench_strip"
runs=${2:-5}
shift $(($# >= 2 ? 2 : 1))
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1000 4000 16384)

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

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "targets: to_port_open_s <= 0.5 for 1000 and <= 3 for 16384, rss_mb <= 200, step and jump < 2 ms"
for count in "${counts[@]}"; do
    "$bench" make "$work/bmp" "$count"
    echo "$count distinct pictures, $runs runs:"
    : > "$work/figures"
    for _ in $(seq "$runs"); do "$bench" run "$work/bmp" | tee -a "$work/figures"; done
    medians "$work/figures"
    rm -rf "$work/bmp"
done
