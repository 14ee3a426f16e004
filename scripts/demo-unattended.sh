#!/usr/bin/env bash
# The demo without a display, run by run-demo.sh inside Xvfb (no window
# manager): starts the program, waits for the pictures, holds the device still
# so that the last picture stays on screen, takes a screenshot and ends the
# program with its own exit button.
# Usage: demo-unattended.sh PROGRAM PICTURES DEVICE_PID SCREENSHOT LOG
set -euo pipefail
[ $# -eq 5 ] || { echo "usage: $0 PROGRAM PICTURES DEVICE_PID SCREENSHOT LOG" >&2; exit 2; }
program=$1 pictures=$2 device=$3 screenshot=$4 log=$5
pictureFolder=$(dirname "$program")/bmp

fail() { echo "demo: $*" >&2; exit 1; }
pictureCount() { find "$pictureFolder" -maxdepth 1 -type f -name '*.bmp' 2> /dev/null | wc -l; }
running() { kill -0 "$velsnap" 2> /dev/null; }
windows() { xdotool search --onlyvisible --pid "$velsnap" 2> /dev/null || true; }
takeScreenshot() { timeout 20 import -window root "$screenshot" || echo "demo: no screenshot" >&2; }

# A pointer resting on the window would bring up a tooltip.
xdotool mousemove 0 0
QT_QPA_PLATFORM=xcb "$program" > "$log" 2>&1 &
velsnap=$!
trap 'kill -KILL "$velsnap" 2> /dev/null || true' EXIT

limit=$((60 + 15 * pictures))
SECONDS=0
while [ "$(pictureCount)" -lt "$pictures" ]; do
    running || fail "the program ended before $pictures pictures had arrived"
    kill -0 "$device" 2> /dev/null || fail "the simulated device stopped"
    # A second window is a message box, which waits for a click that never comes.
    if [ "$(windows | wc -l)" -gt 1 ]; then
        takeScreenshot
        fail "the program shows a message (see the screenshot)"
    fi
    if [ $SECONDS -ge $limit ]; then
        takeScreenshot
        fail "only $(pictureCount) of $pictures pictures arrived within $limit s"
    fi
    sleep 0.2
done

# Held still, the device starts no further copy, so the window keeps showing
# the last picture and its thumbnail.
kill -STOP "$device"
sleep 1
takeScreenshot

window=$(windows | head -n 1)
[ -n "$window" ] || fail "the program's window has gone"
timeout 10 xdotool windowfocus --sync "$window" key alt+x || true
for _ in $(seq 100); do running || break; sleep 0.1; done
if running; then
    kill -TERM "$velsnap"
    fail "the exit button (Alt+X) did not end the program; terminated it"
fi
status=0
wait "$velsnap" || status=$?
[ $status -eq 0 ] || fail "the program ended with status $status"
