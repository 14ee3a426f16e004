#!/usr/bin/env bash
# Captures the main window under a virtual X server, as a reviewer would see it.
#
#   tools/screenshot.sh BUILD_DIR OUT.png [--no-device]
#
# Builds nothing: BUILD_DIR must hold bin/velsnap (and bin/velsnap-device).
# By default the simulated device sends one picture on a pseudo-terminal
# mapped as COM1 and the window is captured once that picture is shown.
# With --no-device COM1 names a device that does not exist, and the window is
# captured two seconds after start-up, with the message box that says so.
# Settings and the program folder are private copies.
set -euo pipefail

usage() { echo "usage: $0 BUILD_DIR OUT.png [--no-device]" >&2; exit 2; }
[ $# -ge 2 ] && [ $# -le 3 ] || usage
bin=$(cd "$1/bin" && pwd)
out=$(realpath -m "$2")
device=yes
if [ $# -eq 3 ]; then [ "$3" = --no-device ] && device=no || usage; fi

work=$(mktemp -d "${TMPDIR:-/tmp}/velsnap-shot.XXXXXX")
pids=()
. "$(dirname "$0")/../scripts/x-server.sh"
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait "${pids[@]}" 2>/dev/null || true
    stop_x_server
    rm -rf "$work"
}
trap cleanup EXIT
start_x_server
mkdir -p "$work/program" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$bin/velsnap" "$bin/velsnap-help" "$bin/24bit.hed" "$bin/VELSNAP.HLP" "$work/program/"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"

# Preview on, COM 1; the port maps to the simulated device, or to a path that cannot be opened.
port=/dev/velsnap-no-such-port
if [ $device = yes ]; then
    # Paced like a fast line; the long pause keeps the line open and quiet after the first copy.
    "$bin/velsnap-device" --count 0 --pause 600000 --baud 460800 > "$work/line" 2> "$work/device.log" &
    pids+=($!)
    for _ in $(seq 50); do [ -s "$work/line" ] && break; sleep 0.1; done
    port=$(head -n 1 "$work/line")
    [ -n "$port" ] || { echo "the simulated device gave no port" >&2; exit 1; }
fi
printf '[Ports]\nCOM1=%s\n\n[SNAP]\nView=1\nport=1\n' "$port" > "$work/config/Velmora.ini"

"$work/program/velsnap" > "$work/velsnap.log" 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name "VELSNAP" | head -n 1)
# No window manager here: activate the window, as the user would see it.
xdotool windowfocus --sync "$window" || true

if [ $device = yes ]; then
    for _ in $(seq 300); do compgen -G "$work/program/bmp/*.bmp" > /dev/null && break; sleep 0.1; done
    compgen -G "$work/program/bmp/*.bmp" > /dev/null || { echo "no picture arrived" >&2; exit 1; }
fi
sleep 2 # the picture is shown and the next run is waiting

eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "$out"
