#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless, except the
# package test (label "package"), which installs the package on this machine;
# CI runs it (.ci/run). The build folder is $VELSNAP_BUILD, else build/;
# with VELSNAP_SANITIZE=1 the build is sanitized, by default in build-sanitize/,
# and a test fails at any sanitizer report (tests/sanitizer/).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -z "${VELSNAP_SANITIZE:-}" ] || export VELSNAP_BUILD=${VELSNAP_BUILD:-build-sanitize}
scripts/install-deps.sh
scripts/build.sh
cd "${VELSNAP_BUILD:-build}"
ctest --output-on-failure -j "$(nproc)" -LE package "$@"
