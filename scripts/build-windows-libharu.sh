#!/usr/bin/env bash
# Builds libharu, the PDF library of the report, for 64-bit Windows as a
# static library (zlib beside it, from libz-mingw-w64-dev), from Debian's
# own source tarball of the version this system ships, once, into a cache
# outside the clone; a complete cache is reused as it is. Run by
# build-windows.sh in the Debian 13 system.
# Usage: scripts/build-windows-libharu.sh PREFIX
set -euo pipefail
top=$(realpath "$(dirname "$0")/..")
prefix=${1:?prefix}
# The cache holds what this script built: a changed script builds anew.
stamp=$prefix/.complete
recipe=$(sha256sum "$0" | cut -d' ' -f1)
[ "$(cat "$stamp" 2> /dev/null)" = "$recipe" ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
work=$(dirname "$prefix")/libharu-work
"${sudo[@]}" rm -rf "$prefix" "$work"
"${sudo[@]}" mkdir -p "$work" "$prefix"
"${sudo[@]}" chown "$(id -u):$(id -g)" "$work" "$prefix"

# Debian's upstream tarball, checked against its .dsc; the archive's
# .debian.tar.xz is not needed (its patches are for the autotools build).
tarball=libharu_2.3.0+dfsg.orig.tar.xz
sha256=87e8269d4b1b333a6e44168b4209bc6442ae3a11557cc8dc386fed65400bd34e
mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources | head -n 1)
cd "$work"
python3 -c 'import sys, urllib.request; urllib.request.urlretrieve(sys.argv[1], sys.argv[2])' \
    "$mirror/pool/main/libh/libharu/$tarball" "$tarball"
echo "$sha256  $tarball" | sha256sum -c --quiet
tar xf "$tarball"

# No PNG support (the report hands it raw RGB rows); its CMake predates 3.5.
cmake -S libharu-RELEASE_2_3_0 -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_POLICY_VERSION_MINIMUM=3.5 \
    -DLIBHPDF_SHARED=OFF -DLIBHPDF_STATIC=ON -DLIBHPDF_EXAMPLES=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a > /dev/null
cmake --build build
cmake --install build > /dev/null
echo "$recipe" > "$stamp"
rm -rf "$work"
