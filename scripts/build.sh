#!/usr/bin/env bash
# Configures and builds; the program and its files land in <build folder>/bin/.
# Usage: scripts/build.sh [BUILD_FOLDER]   (default: $VELSNAP_BUILD, else build/ at the top of the repository)
# With VELSNAP_SANITIZE=1 it builds with AddressSanitizer and UBSan, by default into build-sanitize/.
set -euo pipefail
folder=build
[ -z "${VELSNAP_SANITIZE:-}" ] || folder=build-sanitize
build=$(realpath -m "${1:-${VELSNAP_BUILD:-$(dirname "$0")/../$folder}}")
cd "$(dirname "$0")/.."
# CI treats every warning as an error.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELSNAP_WERROR="${CI:+ON}" \
    -DVELSNAP_SANITIZE="${VELSNAP_SANITIZE:+ON}" > /dev/null
cmake --build "$build" -j "$(nproc)"
