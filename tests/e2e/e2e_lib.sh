# Helpers shared by the end-to-end tests and tools/screenshots.sh (sourced,
# not run). Everything a test starts lives in WORK and ends with the test:
# every program runs under `timeout`, so none can outlive it.
set -euo pipefail
WORK=$(mktemp -d)
XVFB_PID=
trap 'if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID"; wait "$XVFB_PID"; fi 2>/dev/null; rm -rf "$WORK"' EXIT
E2E_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/scripts

fail() {
    echo "FAIL: $*" >&2
    [ ! -f "${GAME_LOG:-}" ] || { echo "--- the game's output (long lines cut):" && cut -c1-300 "$GAME_LOG"; } >&2
    exit 1
}

# start_xvfb [SIZE]: a virtual X server of its own as DISPLAY. It picks a free
# display number itself (-displayfd), so servers started together never
# race for one. -noreset: without it the server resets when its last client
# leaves, and SDL 1.2 opens, closes and at once reopens the display during
# SDL_Init, so about one start in five met the reset and failed.
start_xvfb() {  # [WIDTHxHEIGHT]: the screen, 640x480 unless given
    : >"$WORK/display"
    Xvfb -displayfd 3 -noreset -screen 0 "${1:-640x480}x24" -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        export DISPLAY=:$(head -n 1 "$WORK/display")
        [ "$DISPLAY" != : ] && xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
}

# run_replay FILE...: the replay tool ($KESTRION_REPLAY) in the game's data
# tree (GAME_DIR) on the files joined into one input script; its pictures go
# to WORK. Its standard output, GAME_LOG, must hold only the script's
# reports: any other line is a fault ("Cannot load ...", "Could not locate
# ...", "Script error: ...", a key no binding drives).
run_replay() {
    cat "$@" >"$WORK/script.txt"
    GAME_LOG=$WORK/output.txt
    local status=0
    (cd "$GAME_DIR" && timeout 200 "${KESTRION_REPLAY:?the replay tool is not set}" "$WORK/script.txt" "$WORK") \
        >"$GAME_LOG" 2>"$WORK/errors.txt" || status=$?
    [ "$status" = 0 ] || fail "the replay ended with status $status: $(cat "$WORK/errors.txt")"
    ! grep -Ev '^frame [0-9]+ (pos|pixels|objects) ' "$GAME_LOG" || fail "the game printed more than the reports"
}
