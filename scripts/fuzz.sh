#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/, clang and libFuzzer) into build-fuzz/ and
# runs each for SECONDS (default 60) from its seeds in fuzz/corpus/<target>/;
# what it finds worth keeping collects in build-fuzz/corpus/<target>/ and
# is run again next time. Ends non-zero at the first finding, kept as
# build-fuzz/findings/<target>-crash-... (run the target on it to see it again).
# Usage: scripts/fuzz.sh [SECONDS [TARGET...]]   (targets: the names in fuzz/*.cpp)
set -euo pipefail
top=$(realpath "$(dirname "$0")/..")
seconds=${1:-60}
[ $# -eq 0 ] || shift
[[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "fuzz.sh: SECONDS must be a whole number from 1" >&2; exit 2; }
build=$top/build-fuzz

"$top/scripts/install-deps.sh" --fuzz
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELSNAP_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DVELSNAP_WERROR="${CI:+ON}" > /dev/null
cmake --build "$build" -j "$(nproc)" > "$build/build.log" || { tail -n 30 "$build/build.log" >&2; exit 1; }

targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(cd "$build/bin" && ls fuzz_* | sed 's/^fuzz_//')
sanitizer=$top/tests/sanitizer
while IFS= read -r setting; do export "${setting//%DIR%/$sanitizer}"; done < <(grep -E '^[A-Z]+_OPTIONS=' "$sanitizer/options")
mkdir -p "$build/findings"
for target in "${targets[@]}"; do
    corpus=$build/corpus/$target
    log=$build/$target.log
    mkdir -p "$corpus"
    # The target's scratch files, also those a finding leaves behind.
    export TMPDIR=$build/tmp/$target
    rm -rf "$TMPDIR" && mkdir -p "$TMPDIR"
    dictionary=()
    [ ! -f "$top/fuzz/$target.dict" ] || dictionary=(-dict="$top/fuzz/$target.dict")
    status=0
    "$build/bin/fuzz_$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 "${dictionary[@]}" \
        -artifact_prefix="$build/findings/$target-" "$corpus" "$top/fuzz/corpus/$target" > "$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$target: ${runs:-no} runs in $seconds s, corpus $(ls "$corpus" | wc -l) inputs, $(grep -o 'cov: [0-9]*' "$log" | tail -n 1)"
    if [ $status -ne 0 ]; then
        tail -n 60 "$log" >&2
        echo "fuzz_$target found a fault (status $status); see $log and $build/findings/" >&2
        exit 1
    fi
done
