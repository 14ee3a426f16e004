#!/usr/bin/env bash
# Prints the path of a minimal Debian system (debootstrap --variant=minbase),
# bookworm (12) or trixie (13), with this machine's archive and the release's
# updates and security archives, made once per machine and kept outside the
# clone. Callers copy it and never change the cached one.
# Usage: scripts/minbase.sh bookworm|trixie [CACHE_FOLDER]   (default /var/cache/velsnap/RELEASE-minbase)
set -euo pipefail
release=${1:?bookworm or trixie}
case $release in bookworm | trixie) ;; *) echo "unknown release: $release" >&2; exit 2 ;; esac
cache=${2:-/var/cache/velsnap/$release-minbase}
if [ ! -e "$cache/etc/debian_version" ]; then
    command -v debootstrap > /dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap > /dev/null
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2> /dev/null | head -n 1) || true
    mirror=${mirror:-http://deb.debian.org/debian}
    fresh="$cache.new.$$"
    rm -rf "$fresh"
    mkdir -p "$(dirname "$cache")"
    debootstrap --variant=minbase "$release" "$fresh" "$mirror" > "$fresh.log" 2>&1 ||
        { tail -n 20 "$fresh.log" >&2; exit 1; }
    rm -f "$fresh.log"
    # The same archive as this machine, so that packages built here find the
    # library versions they were linked against.
    rm -f "$fresh/etc/apt/sources.list"
    cat > "$fresh/etc/apt/sources.list.d/debian.sources" << SOURCES
Types: deb
URIs: $mirror
Suites: $release $release-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: ${mirror%/debian}/debian-security
Suites: $release-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    cp /etc/resolv.conf "$fresh/etc/resolv.conf" 2> /dev/null || true
    chroot "$fresh" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get -y -qq upgrade && apt-get clean' \
        > /dev/null 2>&1
    rm -rf "$cache"
    mv "$fresh" "$cache"
fi
echo "$cache"
