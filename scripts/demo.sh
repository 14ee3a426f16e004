#!/usr/bin/env bash
# Installs what is missing, builds, and shows the program receiving screen
# copies from the simulated device on a pseudo-terminal. Uses a private
# settings folder and program folder: the user's own settings are never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh

demo=$(mktemp -d "${TMPDIR:-/tmp}/velsnap-demo.XXXXXX")
mkdir -p "$demo/program" "$demo/config"
cp build/bin/velsnap build/bin/velsnap-help build/bin/24bit.hed build/bin/VELSNAP.HLP "$demo/program/"

build/bin/velsnap-device --count 0 --pause 3000 --baud 460800 > "$demo/line" 2> "$demo/device.log" &
device=$!
trap 'kill $device 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s "$demo/line" ] && break; sleep 0.1; done
printf '[Ports]\nCOM1=%s\n' "$(head -n 1 "$demo/line")" > "$demo/config/Velmora.ini"

echo "Pictures go to $demo/program/bmp"
XDG_CONFIG_HOME="$demo/config" "$demo/program/velsnap"
