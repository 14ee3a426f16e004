#!/usr/bin/env bash
# Builds the Debian packages twice, in two folders, one after the other (so
# at two times), without ccache, and compares the .deb files byte for byte.
# Slow (two full builds), so CI does not run it.
# Usage: scripts/check-reproducible.sh [WORK_FOLDER]
set -euo pipefail
top=$(realpath "$(dirname "$0")/..")
work=$(realpath -m "${1:-$(mktemp -d /tmp/velsnap-reproducible.XXXXXX)}")
unset CMAKE_CXX_COMPILER_LAUNCHER
for run in first second; do
    echo "--- build $run: $work/$run"
    "$top/scripts/package.sh" "$work/$run/build-$run" > /dev/null
done
status=0
for deb in "$work"/first/build-first/packages/*.deb; do
    other="$work/second/build-second/packages/$(basename "$deb")"
    if cmp -s "$deb" "$other"; then
        echo "same: $(basename "$deb")"
    else
        echo "DIFFERENT: $(basename "$deb")"
        status=1
    fi
done
exit $status
