# Helpers shared by the end-to-end tests (sourced, not run). Each test is run
# as `bash TEST KESTRION GAME-DIR`; window tests re-run themselves inside a
# fresh Xvfb so a hung run cannot outlive its time limit or its X server.

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${GAME_LOG:-}" ] && [ -f "$GAME_LOG" ]; then
        echo "--- the game's output (long lines cut):" >&2
        cut -c1-400 "$GAME_LOG" >&2
    fi
    exit 1
}

# start_xvfb: starts a virtual X server of its own and sets XVFB_PID and
# XVFB_DISPLAY once the server answers. The server picks a free display
# number itself (-displayfd), so tests started together never race for one;
# SDL only gets the display after xdpyinfo has been answered on it.
start_xvfb() {
    local attempt waited
    XVFB_DIR=$(mktemp -d)
    for attempt in 1 2 3; do
        : >"$XVFB_DIR/display"
        Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp \
            3>"$XVFB_DIR/display" >"$XVFB_DIR/log" 2>&1 &
        XVFB_PID=$!
        for waited in $(seq 100); do
            kill -0 "$XVFB_PID" 2>/dev/null || break
            XVFB_DISPLAY=$(head -n 1 "$XVFB_DIR/display")
            if [ -n "$XVFB_DISPLAY" ] && xdpyinfo -display ":$XVFB_DISPLAY" >/dev/null 2>&1; then
                return 0
            fi
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    done
    echo "FAIL: Xvfb did not start:" >&2
    cat "$XVFB_DIR/log" >&2
    rm -rf "$XVFB_DIR"
    exit 1
}

stop_xvfb() {
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    rm -rf "$XVFB_DIR"
}

# Re-runs the calling script with a fresh Xvfb of its own unless it already
# runs in one, under a time limit of E2E_TIMEOUT seconds (default 120); the
# server is stopped afterwards whatever the script's end.
run_in_xvfb() {
    [ "${KESTRION_E2E_IN_XVFB:-}" = 1 ] && return 0
    start_xvfb
    local status=0 child
    KESTRION_E2E_IN_XVFB=1 DISPLAY=":$XVFB_DISPLAY" timeout "${E2E_TIMEOUT:-120}" \
        bash "$0" "$@" &
    child=$!
    # Stopped from outside (a test runner's own time limit): take the run
    # and the server down with it. Waiting in the background keeps the trap
    # from waiting for the run to end first.
    trap 'kill "$child" 2>/dev/null; stop_xvfb; exit 143' TERM INT
    wait "$child" || status=$?
    trap - TERM INT
    stop_xvfb
    [ "$status" -ne 124 ] || echo "FAIL: the test did not end within ${E2E_TIMEOUT:-120} seconds" >&2
    exit "$status"
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

# --- Replays: the real program on an input script (tests/e2e/scripts/) ---

E2E_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/scripts

# run_replay GAME-DIR OUT-DIR FILE...: joins the files into one input script
# (a playthrough and the report lines a test adds to it) and runs the replay
# tool ($KESTRION_REPLAY) on it in GAME-DIR. Standard output goes to
# GAME_LOG (OUT-DIR/output.txt), standard error to OUT-DIR/errors.txt; a
# screenshot line writes into OUT-DIR. A display refused at start-up is
# tried once more.
run_replay() {
    local game_dir=$1 out=$2 attempt status
    shift 2
    : "${KESTRION_REPLAY:?the replay tool is not set}"
    cat "$@" >"$out/script.txt"
    GAME_LOG=$out/output.txt
    for attempt in 1 2; do
        status=0
        (cd "$game_dir" && timeout "${REPLAY_TIMEOUT:-90}" "$KESTRION_REPLAY" \
            "$out/script.txt" "$out") >"$GAME_LOG" 2>"$out/errors.txt" || status=$?
        grep -q "Couldn't open X11 display" "$GAME_LOG" "$out/errors.txt" || break
    done
    if [ "$status" -ne 0 ]; then
        cat "$out/errors.txt" >&2
        fail "the replay ended with status $status"
    fi
}

# expect_only_reports: every line the game printed is a report line of the
# script, so nothing was missing or failed ("Cannot load ...", "Could not
# locate ...", "Script error: ...", a loop that hit its step limit).
expect_only_reports() {
    local other
    other=$(grep -Ev '^frame [0-9]+ (pos|pixels|objects) ' "$GAME_LOG" || true)
    [ -z "$other" ] || fail "the game printed more than the reports:
$other"
}

# state FRAME: the state line of that frame (see tests/support/InputHarness.h).
state() {
    grep -m 1 "^frame $1 pos " "$GAME_LOG" || fail "no state line for frame $1"
}

# field LINE NAME: the word after NAME in a state line ("pos" gives "x,y").
field() {
    awk -v name="$2" '{ for (i = 1; i < NF; i++) if ($i == name) { print $(i + 1); exit } }' <<<"$1"
}

# count LINE CATEGORY: how many objects the category list held (0: none).
count() {
    local n
    n=$(awk -v name="$2" -F' [|] ' '{ n = split($2, w, " "); for (i = 1; i < n; i += 2) if (w[i] == name) { print w[i + 1]; exit } }' <<<"$1")
    echo "${n:-0}"
}

# sounds LINE: the sounds the frame requested, one "NAME@CHANNEL" a line.
sounds() {
    awk -F' [|] ' '{ n = split($3, w, " "); for (i = 2; i <= n; i++) print w[i] }' <<<"$1"
}

# objects FRAME CATEGORY: "Name@x,y" for each object of the list, one a line.
objects() {
    local line
    line=$(grep -m 1 "^frame $1 objects $2\( \|$\)" "$GAME_LOG") || fail "no $2 list for frame $1"
    tr ' ' '\n' <<<"$line" | tail -n +5
}

# pixels FRAME X Y W H: the colours (RRGGBB) of that screen rectangle, row by
# row from its top left, one a line.
pixels() {
    local line
    line=$(grep -m 1 "^frame $1 pixels $2,$3 $4x$5 " "$GAME_LOG") || fail "no pixels $2,$3 $4x$5 for frame $1"
    tr ' ' '\n' <<<"$line" | tail -n +6
}

# x_of LINE, y_of LINE: the hero's position in a state line.
x_of() { field "$1" pos | cut -d, -f1; }
y_of() { field "$1" pos | cut -d, -f2; }

# palette_colour PALETTE-FILE ROW COLUMN: a colour of a ".palette" source
# (game/art/), as the screen shows it: "rrggbb".
palette_colour() {
    awk -v row="$2" -v col="$3" '$1 == "row" && $2 == row { print tolower(substr($(col + 3), 2)); exit }' "$1"
}
