#!/usr/bin/env bash
# Builds the Debian packages from debian/ with dpkg-buildpackage, in a copy of
# the source tree (dpkg-buildpackage writes beside the tree it builds). Installs
# the build dependencies that are missing, nothing else. Prints the paths of the
# built .deb files, one a line: debug symbols, velsnap-capture, velsnap last.
# Usage: scripts/package.sh [BUILD_FOLDER]   (default: build/ at the top of the repository;
# the packages land in BUILD_FOLDER/packages/)
set -euo pipefail
top=$(realpath "$(dirname "$0")/..")
build=$(realpath -m "${1:-$top/build}")
out="$build/packages"
version=$(dpkg-parsechangelog -l "$top/debian/changelog" -S Version 2> /dev/null || sed -n '1s/.*(\(.*\)).*/\1/p' "$top/debian/changelog")
tree="$out/velsnap-${version%-*}"

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
apt_install() {
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "$@" -y -qq --no-install-recommends > /dev/null
}
command -v dpkg-buildpackage > /dev/null && dpkg -s build-essential > /dev/null 2>&1 ||
    apt_install install build-essential dpkg-dev
(cd "$top" && dpkg-checkbuilddeps > /dev/null 2>&1) || (cd "$top" && apt_install build-dep ./)

# What git tracks and what it would track, as it stands in the work tree.
rm -rf "$out"
mkdir -p "$tree"
(cd "$top" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 -I{} sh -c 'test ! -e "$1" || printf "%s\0" "$1"' _ {} | tar --null -T - -cf -) | tar -xf - -C "$tree"

(cd "$tree" && DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -us -uc -b) \
    > "$out/build.log" 2>&1 || { tail -n 40 "$out/build.log" >&2; exit 1; }
ls "$out"/velsnap*-dbgsym_*.deb
ls "$out"/velsnap-capture_*.deb "$out"/velsnap_*.deb
