#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# and only those that are missing; with --fuzz, those of the fuzz targets
# (scripts/fuzz.sh) instead.
set -euo pipefail

packages=(
    cmake g++ make pkg-config clang-format
    qt6-base-dev qt6-serialport-dev libxcb1-dev libhpdf-dev
    fonts-ipafont-gothic qt6-translations-l10n qt6-qpa-plugins qt6-wayland
    xvfb xdotool imagemagick xclip weston poppler-utils
    dpkg-dev desktop-file-utils appstream
)
if [ "${1:-}" = --fuzz ]; then
    . /etc/os-release
    # libFuzzer comes with each clang release apart.
    case ${VERSION_CODENAME:-} in trixie) llvm=19 ;; *) llvm=14 ;; esac
    packages=(cmake make clang "libfuzzer-$llvm-dev" qt6-base-dev qt6-serialport-dev)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
