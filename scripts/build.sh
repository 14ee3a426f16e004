#!/usr/bin/env bash
# Configures and builds; the program and its files land in <build folder>/bin/.
# Usage: scripts/build.sh [BUILD_FOLDER]   (default: $VELSNAP_BUILD, else build/ at the top of the repository)
set -euo pipefail
build=$(realpath -m "${1:-${VELSNAP_BUILD:-$(dirname "$0")/../build}}")
cd "$(dirname "$0")/.."
# CI treats every warning as an error.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELSNAP_WERROR="${CI:+ON}" > /dev/null
cmake --build "$build" -j "$(nproc)"
