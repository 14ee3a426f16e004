#!/usr/bin/env bash
# Prints the path of a minimal Debian 12 system (debootstrap --variant=minbase)
# with this machine's apt sources and its updates, made once per machine and
# kept outside the clone: the package test copies it and never changes the
# cached one.
# Usage: scripts/bookworm-minbase.sh [CACHE_FOLDER]   (default /var/cache/velsnap/bookworm-minbase)
set -euo pipefail
cache=${1:-/var/cache/velsnap/bookworm-minbase}
if [ ! -e "$cache/etc/debian_version" ]; then
    command -v debootstrap > /dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap > /dev/null
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2> /dev/null | head -n 1) || true
    fresh="$cache.new.$$"
    rm -rf "$fresh"
    mkdir -p "$(dirname "$cache")"
    debootstrap --variant=minbase bookworm "$fresh" "${mirror:-http://deb.debian.org/debian}" > "$fresh.log" 2>&1 ||
        { tail -n 20 "$fresh.log" >&2; exit 1; }
    rm -f "$fresh.log"
    # The same archives as this machine, so the packages built here find the
    # library versions they were linked against.
    rm -f "$fresh/etc/apt/sources.list"
    cp /etc/apt/sources.list.d/debian.sources "$fresh/etc/apt/sources.list.d/" 2> /dev/null ||
        cp /etc/apt/sources.list "$fresh/etc/apt/"
    chroot "$fresh" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get -y -qq upgrade && apt-get clean' \
        > /dev/null 2>&1
    rm -rf "$cache"
    mv "$fresh" "$cache"
fi
echo "$cache"
