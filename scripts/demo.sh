#!/usr/bin/env bash
# Builds kestro and runs the bundled example: an animated scene (arrow keys move the
# block, Q ends it). Without a display (no DISPLAY and no WAYLAND_DISPLAY) it runs the
# example on a virtual X server for a moment, saves a screenshot with the host's
# screenshot key and says where it went.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
cd build/release/examples/scene
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec ../../src/kestro "$@"
fi
echo "No display here: running the example on a virtual X server (Xvfb) and taking a screenshot"
exec xvfb-run -a -s "-screen 0 800x480x24" bash -c '
    ../../src/kestro "$@" &
    app=$!
    xdotool search --sync --onlyvisible --classname "^kestro$" windowfocus --sync >/dev/null
    sleep 1
    xdotool key F12
    sleep 1
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true' demo "$@"
