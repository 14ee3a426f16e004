#!/usr/bin/env bash
# Installs what is missing, builds, and shows the program receiving screen
# copies from the simulated device (scripts/run-demo.sh, which takes the same
# options). Uses a private settings folder and program folder: the user's own
# settings are never touched.
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
build=$scripts/../build
for ((i = 1; i <= $#; ++i)); do
    case ${!i} in
        -h | --help) exec "$scripts/run-demo.sh" --help ;;
        --build) next=$((i + 1)); build=${!next:-} ;;
    esac
done
"$scripts/install-deps.sh"
"$scripts/build.sh" "$build"
exec "$scripts/run-demo.sh" "$@"
