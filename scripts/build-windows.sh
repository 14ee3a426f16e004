#!/usr/bin/env bash
# Builds VELSNAP for 64-bit Windows with Debian 13's MinGW-w64, in the
# Debian 13 system (scripts/debian13.sh) when run elsewhere: Qt from Debian
# 13's sources (an LTS) into a cache outside the clone (once), then the
# programs and their unit tests, a portable folder VELSNAP\ with everything
# they load, its zip and an NSIS installer. Prints the zip's path, then the
# installer's, last.
set -euo pipefail
top=$(realpath "$(dirname "$0")/..")
. /etc/os-release
[ "${VERSION_CODENAME:-}" = trixie ] || exec "$top/scripts/debian13.sh" scripts/build-windows.sh "$@"
out=$top/build-windows

packages=(
    cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools nsis wine wine64 zip libz-mingw-w64-dev python3
    qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils
    fonts-ipafont-gothic qt6-translations-l10n
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
export VELSNAP_QT_WIN=${VELSNAP_QT_WIN:-/var/cache/velsnap/qt-${qt%%+*}-mingw64}
"$top/scripts/build-windows-qt.sh" "$VELSNAP_QT_WIN" >&2
# The report's PDF library, linked in statically.
haru=${VELSNAP_HARU_WIN:-/var/cache/velsnap/libharu-2.3.0-mingw64}
"$top/scripts/build-windows-libharu.sh" "$haru" >&2

launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S "$top" -B "$out/build" -G Ninja "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$VELSNAP_QT_WIN;$haru" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DCMAKE_BUILD_TYPE=Release -DVELSNAP_WERROR=$werror > /dev/null
cmake --build "$out/build" -j "$(nproc)" >&2

version=$(sed -n 's/^project(velsnap VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
"$top/scripts/windows-folder.sh" "$out/build/bin" "$VELSNAP_QT_WIN" "$out/VELSNAP" >&2

zip=$out/VELSNAP-$version-windows-x64.zip
rm -f "$zip"
(cd "$out" && zip -qr "$zip" VELSNAP)

# The installer's file lists: what it puts in, and the same taken out again.
files=$out/build/install-files.nsh unfiles=$out/build/uninstall-files.nsh
(cd "$out/VELSNAP" && find . -type d | sort | while read -r dir; do
    win=${dir#.}
    echo "SetOutPath \"\$INSTDIR${win//\//\\}\""
    find "$dir" -maxdepth 1 -type f | sort | sed "s|^\./|File \"$out/VELSNAP/|; s|\$|\"|"
done) > "$files"
(cd "$out/VELSNAP" && find . -type f | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|' &&
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|') > "$unfiles"
setup=$out/VELSNAP-$version-setup.exe
makensis -V2 -DVERSION="$version" -DOUTFILE="$setup" -DICON="$top/resources/velsnap.ico" \
    -DFILES="$files" -DUNFILES="$unfiles" "$top/packaging/windows/velsnap.nsi" >&2

echo "$zip"
echo "$setup"
