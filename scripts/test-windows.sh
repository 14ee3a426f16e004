#!/usr/bin/env bash
# Tests the Windows build under Debian 13's Wine, in the Debian 13 system
# (scripts/debian13.sh) when run elsewhere: builds it
# (scripts/build-windows.sh), runs the unit tests under wine through CTest,
# reads back a PDF report written under wine with the Linux poppler-utils,
# then end to end with COM ports mapped to pseudo-terminals, one fed by the
# Linux simulated device: velsnap-capture.exe (COM 2) and velsnap.exe as
# unzipped (COM 1, on Xvfb) receive the exact picture into bmp\ beside the
# program, Ctrl+C ends a capture with
# nothing left, the port chosen in the window is in the registry, and the
# installer installs and uninstalls silently.
set -euo pipefail
top=$(realpath "$(dirname "$0")/..")
. /etc/os-release
[ "${VERSION_CODENAME:-}" = trixie ] || exec "$top/scripts/debian13.sh" scripts/test-windows.sh "$@"
out=$top/build-windows
work=$out/test
mapfile -t built < <("$top/scripts/build-windows.sh")
zip=${built[0]} setup=${built[1]}

fail() { echo "test-windows: FAIL: $*" >&2; exit 1; }
step() { echo "test-windows: $*" >&2; }
# Runs a check every 0.2 s until it holds; fails after 60 s.
waitUntil() { # what, then the check
    local what=$1
    shift
    for _ in $(seq 300); do
        "$@" > /dev/null 2>&1 && return 0
        sleep 0.2
    done
    fail "gave up waiting: $what"
}

# The Linux side: the simulated device and the reference receiver.
linux=${VELSNAP_BUILD:-$top/build}/bin
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" > /dev/null
for tool in python3 unzip xdpyinfo; do
    command -v "$tool" > /dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends python3 unzip x11-utils > /dev/null
done

# A private Wine prefix, copied from a template made once outside the clone.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
template=${VELSNAP_WINE_TEMPLATE:-/var/cache/velsnap/wine-prefix}
if [ ! -f "$template/.complete" ]; then
    step "making the Wine prefix template (once)"
    rm -rf "$template" && mkdir -p "$template"
    WINEPREFIX=$template wineboot -i > /dev/null 2>&1
    WINEPREFIX=$template wineserver -w
    touch "$template/.complete"
fi
export WINEPREFIX=$work/wine
rm -rf "$work" && mkdir -p "$work"
cp -a "$template" "$WINEPREFIX"

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    wineserver -k 2> /dev/null || true
}
trap cleanup EXIT

# Wine draws on a plain Xvfb (under xvfb-run its window driver does not load).
. "$top/scripts/x-server.sh"
start_x_server
pids+=("$x_server_pid")

step "unit tests under wine"
(cd "$out/build" && ctest --output-on-failure)

# The portable folder as a user unzips it.
(cd "$work" && unzip -q "$zip")
folder=$work/VELSNAP

# COM 1 and COM 2 as the pseudo-terminals given; Wine takes them at its next start.
mapPorts() { # COM1-pty COM2-pty
    wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$1" /f > /dev/null 2>&1
    wine reg add 'HKLM\Software\Wine\Ports' /v COM2 /d "$2" /f > /dev/null 2>&1
    wineserver -k 2> /dev/null || true
    wineserver -w
    # Started here, its dump of objects at the next -k goes nowhere.
    wineserver -p > /dev/null 2>&1
}
# These two start a process and set $line to its pty. They are never called
# inside $(...): the process would be added to the list of a subshell, and
# nothing would end it.
quietLine() {
    python3 -c 'import os, pty, time; m, s = pty.openpty(); print(os.ttyname(s), flush=True); time.sleep(3600)' \
        > "$work/quiet.path" &
    pids+=($!)
    waitUntil "the quiet pty" test -s "$work/quiet.path"
    line=$(cat "$work/quiet.path")
}
startDevice() { # name, then device options
    local name=$1
    shift
    "$linux/velsnap-device" "$@" > "$work/$name.path" 2> "$work/$name.log" &
    pids+=($!)
    waitUntil "the device $name" test -s "$work/$name.path"
    line=$(cat "$work/$name.path")
}

step "reference picture from the Linux receiver"
startDevice reference --count 1
pty=$line
"$linux/velsnap-capture" --device "$pty" --count 1 --folder "$work/reference" > /dev/null
reference=$(ls "$work"/reference/*.bmp)
quietLine
quiet=$line

step "velsnap-capture.exe receives on COM 2, under an English locale, into a folder no code page holds"
startDevice capture --count 1
mapPorts "$quiet" "$line"
# C.UTF-8 is always there: Wine takes it for US English (code page 1252) with UTF-8 file names.
english=(env LANG=C.UTF-8 LC_ALL=C.UTF-8)
unicode="$work/Ünï-写真-Ωμέγα"
mkdir -p "$unicode"
"${english[@]}" timeout 120 wine "$folder/velsnap-capture.exe" --port 2 --count 1 \
    --folder "$("${english[@]}" winepath -w "$unicode")" > "$work/capture.out" 2> "$work/capture.err" ||
    fail "velsnap-capture.exe ended with status $?"
received=$(ls "$unicode"/*.bmp) || fail "no picture in $unicode"
cmp "$reference" "$received" || fail "the picture differs from the one the Linux receiver got"
# Written to files, the path and the messages are UTF-8, whatever the code page.
[ "$(tr -d '\r' < "$work/capture.out")" = "$("${english[@]}" winepath -w "$received")" ] ||
    fail "printed path: $(cat "$work/capture.out")"
grep -q '受信完了' "$work/capture.err" || fail "the messages are not readable: $(cat "$work/capture.err")"

step "a PDF report written under Wine, from a folder no code page holds, reads back on Linux"
# test_report.exe writes the report where VELSNAP_REPORT_PDF says (the font
# beside it reaches libharu's fopen() by its short name); the Linux
# test_report then reads that file with poppler-utils. QtTest under wine
# writes its log only to a file it is given.
report=$work/report/report.pdf
beside="$work/報告-Ωμέγα"
mkdir -p "$beside"
cp -r "$out/build/tests/test_report.exe" "$out/build/tests/"*.dll "$out/build/tests/fonts" "$beside/"
(cd "$beside" && VELSNAP_REPORT_PDF=$("${english[@]}" winepath -w "$report") "${english[@]}" timeout 120 \
    wine ./test_report.exe -o "$("${english[@]}" winepath -w "$work/report-wine.log"),txt" > /dev/null 2>&1) ||
    fail "test_report.exe: $(cat "$work/report-wine.log")"
[ -f "$report" ] || fail "test_report.exe wrote no report: $(cat "$work/report-wine.log")"
VELSNAP_REPORT_PDF=$report "${VELSNAP_BUILD:-$top/build}/tests/test_report" > "$work/report-linux.log" 2>&1 ||
    fail "the report from Wine: $(cat "$work/report-linux.log")"

step "the port doctor on a COM port the Device Manager does not know"
status=0
"${english[@]}" wine "$folder/velsnap-ports.exe" --check COM8 > "$work/check.out" 2> /dev/null || status=$?
[ "$status" -eq 1 ] || fail "velsnap-ports.exe --check COM8 ended with status $status"
grep -q 'デバイス COM8 がありません' "$work/check.out" || fail "the doctor said: $(cat "$work/check.out")"

step "Ctrl+C in the middle of a picture leaves nothing"
startDevice stopped --stop-after 50000
mapPorts "$quiet" "$line"
wine "$folder/velsnap-capture.exe" --port 2 > /dev/null 2> "$work/stopped.err" &
capture=$!
waitUntil "the device to cut its copy" grep -q '止められるまで黙ります' "$work/stopped.log"
sleep 1
kill -INT "$capture"
status=0
timeout 20 tail --pid="$capture" -f /dev/null || fail "velsnap-capture.exe did not end on Ctrl+C"
wait "$capture" || status=$?
[ "$status" -eq 0 ] || fail "velsnap-capture.exe ended with status $status on Ctrl+C"
[ -z "$(ls -A "$folder/bmp")" ] || fail "Ctrl+C left files: $(ls -A "$folder/bmp")"

step "a first byte at any moment after the open is answered, also after what a cut copy left in the line"
for options in "--after-open 0" "--after-open 100" "--after-open 300" "--leftover 3000"; do
    # shellcheck disable=SC2086 # the options are words
    startDevice "first-byte${options// /}" --count 1 $options
    mapPorts "$quiet" "$line"
    timeout 60 wine "$folder/velsnap-capture.exe" --port 2 --count 1 --folder "$(winepath -w "$work" 2> /dev/null)" \
        > /dev/null 2>&1 || fail "no picture with $options"
    cmp "$reference" "$(ls "$work"/*.bmp)" || fail "the picture with $options differs"
    rm -f "$work"/*.bmp
done

step "a line lost in the middle of a picture ends with its status and no file"
startDevice lost --hangup-after 50000
mapPorts "$quiet" "$line"
status=0
timeout 60 wine "$folder/velsnap-capture.exe" --port 2 --count 1 > /dev/null 2>&1 || status=$?
[ "$status" -eq 5 ] || fail "velsnap-capture.exe ended with status $status on a lost line"
[ -z "$(ls -A "$folder/bmp")" ] || fail "the lost line left files: $(ls -A "$folder/bmp")"

step "velsnap.exe, as unzipped: the picture from COM 1 in bmp\\, then COM 2 chosen"
startDevice window --count 1
mapPorts "$line" "$quiet"
wine "$folder/velsnap.exe" > "$work/window.log" 2>&1 &
disown
pids+=($!)
waitUntil "the VELSNAP window" xdotool search --onlyvisible --name 'VELSNAP'
window=$(xdotool search --onlyvisible --name 'VELSNAP' | head -n 1)
picture() { compgen -G "$folder/bmp/*.bmp"; }
waitUntil "the window's picture (see $work/window.log)" picture
sleep 1
import -window root "$work/window-received.png" 2> /dev/null || true
received=$(ls "$folder"/bmp/*.bmp)
cmp "$reference" "$received" || fail "the window's picture differs from the one the Linux receiver got"
# Stop waiting, choose COM 2 in the list (the wheel on the port list), start
# again; by mouse, as there is no window manager to give focus.
click() { xdotool mousemove --window "$window" "$1" "$2" sleep 0.3 click "$3" sleep 0.7; }
click 162 336 1
click 480 14 5
click 162 336 1
stored() { wine reg query 'HKCU\Software\Velmora\SNAP' /v port | tr -d '\r' | grep -qE 'port\s+REG_SZ\s+2$'; }
waitUntil "COM 2 as the chosen port in the registry" stored
wineserver -k || true

step "the installer installs and uninstalls silently"
wine "$setup" /S
wineserver -w
installed=$WINEPREFIX/drive_c/Program\ Files/VELSNAP
(cd "$folder" && find . -type f ! -path "./bmp/*" | sort) > "$work/portable.list"
(cd "$installed" && find . -type f ! -name uninstall.exe | sort) > "$work/installed.list"
diff -u "$work/portable.list" "$work/installed.list" || fail "the installer did not put in the portable folder's files"
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/VELSNAP.lnk" ] ||
    fail "no Start-menu entry"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VELSNAP'
wine reg query "$uninstall" /v UninstallString > /dev/null || fail "no Add/Remove Programs entry"
mkdir -p "$installed/bmp" && echo picture > "$installed/bmp/260101_000000.bmp"
wine "$installed/uninstall.exe" /S
wineserver -w
[ "$(cd "$installed" && find . -type f)" = "./bmp/260101_000000.bmp" ] ||
    fail "the uninstaller left or took files: $(cd "$installed" && find . -type f)"
! wine reg query "$uninstall" > /dev/null 2>&1 || fail "the Add/Remove Programs entry stayed"
wine reg query 'HKCU\Software\Velmora\SNAP' /v port > /dev/null || fail "the uninstaller took the settings"

step "all passed"
