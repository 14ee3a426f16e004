#!/usr/bin/env bash
# Runs a command, as root, in a Debian 13 (trixie) system kept outside the
# clone (made once per machine from the cached minimal trixie), with this
# repository at the same path and /proc, /sys, /dev and /dev/pts bound in.
# Builds there go to build-debian13/, beside the Debian 12 build/.
# Usage: scripts/debian13.sh [COMMAND [ARG...]]   (default: a shell)
#   e.g. scripts/debian13.sh scripts/test.sh
set -euo pipefail
top=$(realpath "$(dirname "$0")/..")
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"
root=${VELSNAP_DEBIAN13:-/var/cache/velsnap/trixie-system}
if [ ! -e "$root/etc/debian_version" ]; then
    fresh="$root.new.$$"
    rm -rf "$fresh"
    cp -a "$("$top/scripts/minbase.sh" trixie)" "$fresh"
    mv "$fresh" "$root"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf" 2> /dev/null || true
mkdir -p "$root/run/lock" "$root$top"

# Runs may overlap and share the mounts: each holds the use lock shared while
# it runs, mounting and unmounting happen under the mount lock, and the last
# run out unmounts them all.
exec 8> "$root.mount-lock" 9> "$root.lock"
flock -x 8
flock -s 9
unmount() {
    flock -x 8
    flock -n -x 9 || return 0 # another run still uses them
    awk -v under="$root/" 'index($2, under) == 1 { print $2 }' /proc/self/mounts | sort -r |
        while read -r target; do umount "$target" 2> /dev/null || umount -l "$target"; done
}
trap unmount EXIT
bind() { # SOURCE TARGET-IN-ROOT
    mountpoint -q "$root$2" || mount --bind "$1" "$root$2"
}
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
bind /sys /sys
bind /dev /dev
bind /dev/pts /dev/pts
bind "$top" "$top"
flock -u 8

[ $# -gt 0 ] || set -- bash
chroot "$root" env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" VELSNAP_BUILD="$top/build-debian13" \
    sh -c 'cd "$0" && exec "$@"' "$top" "$@" 8>&- 9>&-
