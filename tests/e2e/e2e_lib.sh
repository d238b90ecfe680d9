# Helpers shared by the end-to-end tests (sourced, not run). Each test is run
# as `bash TEST KESTRION GAME-DIR`; window tests re-run themselves inside a
# fresh Xvfb so a hung run cannot outlive its time limit or its X server.

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${GAME_LOG:-}" ] && [ -f "$GAME_LOG" ]; then
        echo "--- the game's output:" >&2
        cat "$GAME_LOG" >&2
    fi
    exit 1
}

# Re-runs the calling script under xvfb-run unless it already runs in one.
run_in_xvfb() {
    if [ "${KESTRION_E2E_IN_XVFB:-}" != 1 ]; then
        KESTRION_E2E_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 640x480x24" \
            timeout 120 bash "$0" "$@"
    fi
}

# start_game KESTRION DIR: starts the program in DIR, its output in GAME_LOG.
start_game() {
    GAME_LOG=$(mktemp)
    (cd "$2" && exec "$1") >"$GAME_LOG" 2>&1 &
    GAME_PID=$!
}

# Sets WINDOW to the game's top-level window once its caption reads "Kestrion".
wait_for_window() {
    WINDOW=$(timeout 30 xdotool search --sync --name '^Kestrion$' 2>/dev/null | head -n 1) || true
    [ -n "$WINDOW" ] || fail "no window captioned Kestrion appeared"
}

# wait_for_exit SECONDS: sets GAME_STATUS to the game's exit status.
wait_for_exit() {
    local waited=0
    while kill -0 "$GAME_PID" 2>/dev/null; do
        if [ "$waited" -ge "$(($1 * 10))" ]; then
            kill "$GAME_PID" 2>/dev/null || true
            fail "the game did not end within $1 seconds"
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    GAME_STATUS=0
    wait "$GAME_PID" || GAME_STATUS=$?
}
