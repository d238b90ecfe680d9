#!/usr/bin/env bash
# tools/screenshots.sh [--build DIR]: takes the README's screenshots into
# docs/screenshots/. The replay tool of the build (DIR, default build/)
# plays the playthrough of the end-to-end tests through both stages
# (tests/e2e/scripts/playthrough.txt) in a virtual X server of its own, and
# saves the pictures of chosen frames.
# The run is seeded and frame-counted, so the same game gives the same
# pictures.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$ROOT/build
while [ $# -gt 0 ]; do
    case $1 in
        --build) BUILD=$(cd "$2" && pwd); shift 2 ;;
        *) echo "usage: $0 [--build DIR]" >&2; exit 2 ;;
    esac
done
export KESTRION_REPLAY=$BUILD/tools/kestrion-replay
if [ ! -x "$KESTRION_REPLAY" ]; then
    echo "$0: no replay tool at $KESTRION_REPLAY; build first (cmake --build build -j2)" >&2
    exit 1
fi
source "$ROOT/tests/e2e/e2e_lib.sh"
export SDL_AUDIODRIVER=dummy

# name:frame, in the order the README shows them.
SHOTS="opening:105 wall-kick:840 locked-room:1420 charged-shot:2158 second-stage:3085 exit-gate:3700"

# And the whole window as a player sees it: game.cfg's WindowScale=0 on a
# 1024 x 768 screen makes it 640 x 480, each game pixel a 2 x 2 block.
WINDOW_SHOT=scaled-window:1420
{
    echo "frames 3700"
    for shot in $SHOTS; do echo "frame ${shot#*:} screenshot ${shot%:*}.png"; done
    echo "frame ${WINDOW_SHOT#*:} window ${WINDOW_SHOT%:*}.png"
} >"$WORK/shots.txt"

start_xvfb 1024x768
GAME_DIR=$ROOT/game run_replay "$E2E_SCRIPTS/playthrough.txt" "$WORK/shots.txt"
mkdir -p "$ROOT/docs/screenshots"
for shot in $SHOTS $WINDOW_SHOT; do
    cp "$WORK/${shot%:*}.png" "$ROOT/docs/screenshots/"
    echo "docs/screenshots/${shot%:*}.png (frame ${shot#*:})"
done
