#!/usr/bin/env bash
# Shows the built program receiving screen copies from the simulated device.
# Everything lives in a demo folder of its own (settings, a copy of the program
# and so its pictures), so the user's own settings and pictures are never touched.
# With a display it runs until the window is closed. Without one it runs under
# Xvfb for a number of pictures, saves a screenshot and ends the program.
set -euo pipefail

usage() {
    cat <<'EOF'
Usage: scripts/demo.sh [OPTION]...      install what is missing, build, run the demo
       scripts/run-demo.sh [OPTION]...  run the demo on an existing build

  --build FOLDER   build folder that holds bin/velsnap (default: build)
  --pictures N     without a display: pictures to receive before the
                   screenshot is taken and the program ended (default 3)
  --folder FOLDER  demo folder, new or empty (default: a new one in $TMPDIR)

With a display the demo runs until its window is closed; without one
(no DISPLAY and no WAYLAND_DISPLAY) it runs under Xvfb.
EOF
}

# 460800 baud is eight times the real line: a picture takes about 3.3 s instead
# of 27 s, still slow enough to watch the preview fill and the counter run.
# The pause after a copy leaves the finished picture on screen for a few
# seconds before the next copy clears it.
readonly BAUD=460800
readonly PAUSE_MS=3000

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
pictures=3
demo=
while [ $# -gt 0 ]; do
    case $1 in
        --build) build=$(realpath -m "${2:?--build needs a folder}"); shift ;;
        --pictures) pictures=${2:?--pictures needs a number}; shift ;;
        --folder) demo=$(realpath -m "${2:?--folder needs a folder}"); shift ;;
        -h | --help) usage; exit 0 ;;
        *) echo "run-demo.sh: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
    esac
    shift
done
[[ $pictures =~ ^[1-9][0-9]*$ ]] || { echo "run-demo.sh: --pictures needs a whole number from 1" >&2; exit 2; }

fail() { echo "demo: $*" >&2; exit 1; }

display=no
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    display=yes
else
    for tool in Xvfb xdotool import; do
        command -v "$tool" > /dev/null || fail "$tool is missing; scripts/install-deps.sh installs it"
    done
fi

bin=$build/bin
for file in velsnap velsnap-help velsnap-device 24bit.hed VELSNAP.HLP; do
    [ -e "$bin/$file" ] || fail "$bin/$file is missing; build first (scripts/build.sh)"
done

if [ -z "$demo" ]; then
    demo=$(mktemp -d "${TMPDIR:-/tmp}/velsnap-demo.XXXXXX")
else
    mkdir -p "$demo"
    # Pictures left from an earlier demo would make the program ask about them first.
    [ -z "$(ls -A "$demo")" ] || fail "$demo is not empty"
fi
mkdir -p "$demo/program" "$demo/config"
cp "$bin/velsnap" "$bin/velsnap-help" "$bin/24bit.hed" "$bin/VELSNAP.HLP" "$demo/program/"
pictureFolder=$demo/program/bmp

# The device and its record of what it sent; the record is only kept for a
# run that ends by itself, where it can be compared with the pictures.
sent=()
[ $display = yes ] || sent=(--save-sent "$demo/sent.rgb565")
"$bin/velsnap-device" --count 0 --pause "$PAUSE_MS" --baud "$BAUD" "${sent[@]}" \
    > "$demo/line" 2> "$demo/device.log" &
device=$!
stopDevice() {
    kill -TERM "$device" 2> /dev/null || return 0
    kill -CONT "$device" 2> /dev/null || true # it may be held still
    for _ in $(seq 50); do kill -0 "$device" 2> /dev/null || return 0; sleep 0.1; done
    kill -KILL "$device" 2> /dev/null || true
}
. "$root/scripts/x-server.sh"
trap 'stop_x_server; stopDevice' EXIT

for _ in $(seq 50); do [ -s "$demo/line" ] && break; sleep 0.1; done
line=$(head -n 1 "$demo/line")
[ -n "$line" ] || fail "the simulated device did not start; see $demo/device.log"
printf '[Ports]\nCOM1=%s\n' "$line" > "$demo/config/Velmora.ini"
export XDG_CONFIG_HOME=$demo/config

echo "Simulated device on $line (COM 1), a screen copy every few seconds."
echo "Pictures go to $pictureFolder/"

if [ $display = yes ]; then
    echo "Close the window to end the demo."
    status=0
    "$demo/program/velsnap" > "$demo/velsnap.log" 2>&1 || status=$?
    [ $status -eq 0 ] || fail "the program ended with status $status; see $demo/velsnap.log"
    echo "Demo ended. Pictures: $pictureFolder/"
    exit 0
fi

if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    mkdir -m 700 "$demo/runtime"
    export XDG_RUNTIME_DIR=$demo/runtime
fi
# Bounded even if the X server hangs; the session's own waits come first.
limit=$((150 + 20 * pictures))
echo "No display: running under Xvfb for $pictures pictures."
start_x_server "$demo/xvfb.log" || fail "no X server"
status=0
timeout --kill-after=10 "$limit" \
    "$root/scripts/demo-unattended.sh" "$demo/program/velsnap" "$pictures" "$device" \
    "$demo/screenshot.png" "$demo/velsnap.log" || status=$?
[ $status -ne 124 ] && [ $status -ne 137 ] || fail "the demo did not end within $limit s; see $demo/xvfb.log"
[ $status -eq 0 ] || fail "see $demo/velsnap.log, $demo/device.log and, if it was taken, $demo/screenshot.png"

echo "Pictures ($pictures):"
ls -1 "$pictureFolder"/*.bmp | sed 's/^/  /'
echo "Screenshot: $demo/screenshot.png"
