#!/usr/bin/env bash
# The Debian packages as a user meets them, as root: built by
# scripts/package.sh; lintian has nothing to say; the desktop entry and the
# AppStream entry validate; in a clean minimal Debian 12 and Debian 13 (copies
# of cached debootstraps, never this machine) velsnap-capture alone installs without
# any display stack or font, velsnap then installs with its Depends alone and
# receives a picture as an ordinary user, the autopkgtest passes, and a purge
# leaves nothing behind. Last, a second build in another folder gives
# byte-identical .deb files.
# Usage: test_package.sh BUILD_FOLDER
set -euo pipefail
top=$(realpath "$(dirname "$0")/../..")
build=$(realpath -m "${1:?build folder}")
[ "$(id -u)" -eq 0 ] || { echo "needs root (CI runs it as root)"; exit 77; }

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "--- $*"; }

step "build"
mapfile -t debs < <("$top/scripts/package.sh" "$build")
main=${debs[-1]}
capture=${debs[-2]}
[[ $(basename "$main") == velsnap_*.deb && $(basename "$capture") == velsnap-capture_*.deb ]] ||
    fail "package.sh printed: ${debs[*]}"

step "lintian --pedantic"
command -v lintian > /dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends lintian > /dev/null
said=$(lintian --pedantic --display-info --fail-on error,warning,info,pedantic "${debs[@]}" 2> /dev/null) &&
    [ -z "$said" ] || fail "lintian: $said"

step "validators"
unpacked=$(mktemp -d)
root=
cleanup() {
    local busy=
    [ -n "$root" ] || return 0
    for mount in dev/pts dev proc var/cache/apt/archives; do
        if mountpoint -q "$root/$mount"; then
            umount "$root/$mount" || umount -l "$root/$mount" || busy=1
        fi
    done
    # Never into this machine's /dev or the kept downloads.
    [ -n "$busy" ] || rm -rf --one-file-system "$root"
}
trap 'cleanup; rm -rf "$unpacked"' EXIT
dpkg-deb -x "$main" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/velsnap.desktop"
appstreamcli validate --no-net --pedantic "$unpacked"/usr/share/metainfo/*.xml > /dev/null

# Installs, uses, tests and purges the packages in a copy of a minimal system
# of RELEASE.
in_minimal_system() {
    local release=$1
    step "a clean minimal $release"
    root=$(mktemp -d)
    cp -a "$("$top/scripts/minbase.sh" "$release")/." "$root/"
    # Downloads kept across runs, outside the copy.
    archives=/var/cache/velsnap/$release-archives
    mkdir -p "$archives/partial" "$root/var/cache/apt/archives"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    mount -t proc proc "$root/proc"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    cp /etc/resolv.conf "$root/etc/resolv.conf" 2> /dev/null || true
    mkdir -p "$root/debs"
    cp "${debs[@]}" "$root/debs/"
    in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
    installed() { in_root dpkg-query -W -f '${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }' | sort; }
    installed > "$unpacked/before"
    in_root apt-get update -qq

    step "velsnap-capture alone, headless"
    # No Qt Gui: it would bring fontconfig and a font.
    in_root apt-get install -y -qq --no-install-recommends "/debs/$(basename "$capture")" > /dev/null
    installed > "$unpacked/headless"
    pulled=$(comm -13 "$unpacked/before" "$unpacked/headless")
    display=$(grep -E '^(qt6-qpa-plugins|qt6-translations-l10n|qt6-wayland|fonts-.*|fontconfig.*|libqt6gui6|libqt6widgets6)$' <<< "$pulled") || true
    [ -z "$display" ] || fail "velsnap-capture pulled in: $display"
    echo "pulled in $(wc -l <<< "$pulled") packages"

    step "velsnap with its Depends alone"
    in_root apt-get install -y -qq --no-install-recommends "/debs/$(basename "$main")" > /dev/null
    # What the window loads at run time beyond its libraries came with it.
    for file in /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so /usr/share/qt6/translations/qtbase_ja.qm; do
        [ -e "$root$file" ] || fail "$file is missing"
    done
    in_root sh -c '
        set -eu
        home=$(mktemp -d); chown nobody:nogroup "$home"; chmod 755 "$home"
        cd "$home"
        # setpriv becomes the program, so $! is the program itself.
        nobody="setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=$home QT_QPA_PLATFORM=offscreen"
        mkfifo line
        $nobody velsnap-device --count 0 --pause 600000 > line 2> /dev/null &
        device=$!
        window=
        trap "kill \$device \$window 2> /dev/null || true" EXIT
        read -r pty < line
        $nobody mkdir -p "$home/.config"
        printf "[Ports]\nCOM1=%s\n" "$pty" | $nobody tee "$home/.config/Velmora.ini" > /dev/null
        $nobody velsnap > window.log 2>&1 &
        window=$!
        for second in $(seq 60); do
            ls "$home"/Pictures/VELSNAP/*.bmp > /dev/null 2>&1 && break
            sleep 1
        done
        kill "$window" 2> /dev/null || true
        wait "$window" || true
        picture=$(ls "$home"/Pictures/VELSNAP/*.bmp) || { cat window.log; exit 1; }
        [ "$(stat -c %s "$picture")" -eq 230454 ] && [ "$(stat -c %U "$picture")" = nobody ]
        echo "received $picture"
    ' || fail "the window received no picture"

    step "autopkgtest in it"
    command -v autopkgtest > /dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends autopkgtest > /dev/null
    cp -a "$top/debian" "$unpacked/"
    autopkgtest --no-built-binaries "$capture" "$main" "$unpacked" -- chroot "$root" > "$unpacked/autopkgtest.log" 2>&1 ||
        { tail -n 40 "$unpacked/autopkgtest.log"; fail "autopkgtest"; }
    grep -E '^capture +PASS' "$unpacked/autopkgtest.log"

    step "purge leaves nothing"
    in_root dpkg-query -L velsnap velsnap-capture | sort -u > "$unpacked/files"
    in_root apt-get purge -y -qq velsnap velsnap-capture > /dev/null
    while read -r path; do
        [ -d "$root$path" ] && [ ! -L "$root$path" ] && [[ $path != /usr/lib/velsnap* && $path != /usr/share/doc/velsnap* ]] &&
            continue # folders shared with other packages
        [ ! -e "$root$path" ] && [ ! -L "$root$path" ] || fail "$path is left"
    done < "$unpacked/files"
    left=$(find "$root/usr" "$root/etc" "$root/var/lib" -name '*velsnap*' 2> /dev/null) || true
    [ -z "$left" ] || fail "left: $left"
    cleanup
    root=
}

in_minimal_system bookworm
in_minimal_system trixie

step "a second build, in another folder and later, is byte-identical"
again="$build/reproduced"
mapfile -t rebuilt < <("$top/scripts/package.sh" "$again")
[ ${#rebuilt[@]} -eq ${#debs[@]} ] || fail "the second build made ${rebuilt[*]}"
for deb in "${debs[@]}"; do
    cmp "$deb" "$again/packages/$(basename "$deb")" || fail "$(basename "$deb") differs between the builds"
done
rm -rf "$again"
echo "PASS"
