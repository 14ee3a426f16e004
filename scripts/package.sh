#!/usr/bin/env bash
# Builds the Debian package (velsnap_<version>-1_<arch>.deb) in one go:
# installs what is missing, builds, packs. Its path is the last line printed.
# Usage: scripts/package.sh [BUILD_FOLDER]   (default: build/ at the top of the repository)
set -euo pipefail
top=$(realpath "$(dirname "$0")/..")
build=$(realpath -m "${1:-$top/build}")
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$build"
rm -rf "$build/packages"
(cd "$build" && cpack --config CPackConfig.cmake)
ls "$build"/packages/velsnap_*.deb
