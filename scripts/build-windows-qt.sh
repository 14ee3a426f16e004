#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qtbase sources, the same
# version as this system's Qt (whose tools the build uses), once, into a cache
# outside the clone; a complete cache is reused as it is. Run by
# build-windows.sh in the Debian 13 system.
# Usage: scripts/build-windows-qt.sh PREFIX
set -euo pipefail
top=$(realpath "$(dirname "$0")/..")
prefix=${1:?prefix}
# The cache holds what this script built: a changed script builds anew.
stamp=$prefix/.complete
recipe=$(sha256sum "$0" | cut -d' ' -f1)
[ "$(cat "$stamp" 2> /dev/null)" = "$recipe" ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
work=$(dirname "$prefix")/qtbase-work
"${sudo[@]}" rm -rf "$prefix"
"${sudo[@]}" mkdir -p "$work" "$prefix"
"${sudo[@]}" chown "$(id -u):$(id -g)" "$work" "$prefix"

# Debian's source archive answers only with a deb-src entry for the same archive.
sources=/etc/apt/sources.list.d/velsnap-deb-src.sources
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ /etc/apt/sources.list; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | "${sudo[@]}" tee "$sources" > /dev/null
    "${sudo[@]}" apt-get update -qq
fi
cd "$work"
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
src=$(find . -maxdepth 1 -type d -name "qt6-base-$upstream*" | head -n 1)
if [ -z "$src" ]; then
    apt-get source -qq --only-source "qt6-base=$version" 2> /dev/null || apt-get source -qq --only-source qt6-base
    src=$(find . -maxdepth 1 -type d -name "qt6-base-$upstream*" | head -n 1)
fi

# With OpenGL off, the Windows platform plugin still takes the dynamic-GL
# branch (dynamicgl stays on) and names OpenGL types that are then missing.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$src/src/plugins/platforms/windows/qwindowswindow.cpp"

# What the programs and their tests use, and nothing more, optimised for size
# (the download). Direct2D stays on because the Windows platform plugin does
# not link without it.
rm -rf build && mkdir build
cmake -S "$src" -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
    -DFEATURE_testlib=ON -DFEATURE_widgets=ON -DFEATURE_gui=ON \
    -DFEATURE_tabletevent=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
    -DFEATURE_zstd=OFF -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF \
    -DFEATURE_png=ON -DFEATURE_ico=ON \
    -DFEATURE_pdf=OFF -DFEATURE_movie=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF \
    -DFEATURE_textodfwriter=OFF -DFEATURE_raster_64bit=OFF -DFEATURE_raster_fp=OFF -DFEATURE_undocommand=OFF \
    -DFEATURE_systemtrayicon=OFF -DFEATURE_imageformat_ppm=OFF -DFEATURE_imageformat_xbm=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_doubleconversion=OFF
cmake --build build -j "$(nproc)"
cmake --install build
echo "$recipe" > "$stamp"
rm -rf "$work/build"
