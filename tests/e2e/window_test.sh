# Starting and leaving the real program. A wrong option ends it with status
# 2; a missing --data folder or --stage with status 1; --stage starts in that
# stage. Without "Data\game.cfg", then
# without "input.cfg", it names the missing file on one line and ends with
# status 1 before it opens a window (no display is given, so reaching the
# window would fail differently). With its data it opens a 320 x 240 window
# captioned "Kestrion", and Escape, or the window's close button, ends it
# with status 0.
source "$(dirname "$0")/e2e_lib.sh"
KESTRION=$1
GAME_DIR=$2

# The options: a wrong one ends with the usage and status 2; a data folder
# or an opening stage that is not there, with one line and status 1.
expect_exit() {  # STATUS TEXT COMMAND...: the status, and TEXT at the start of what it printed
    local want=$1 text=$2 status=0 output
    shift 2
    output=$(cd "$GAME_DIR" && env -u DISPLAY timeout 20 "$@" 2>&1) || status=$?
    [ "$status" = "$want" ] && [[ $output == "$text"* ]] || fail "$*: status $status, output: $output"
}
expect_exit 2 'kestrion: unknown option --fullscreen' "$KESTRION" --fullscreen
expect_exit 1 "Cannot open the data folder $WORK/none: No such file or directory" "$KESTRION" --data "$WORK/none"
expect_exit 1 'Cannot start: the opening stage "Nowhere" cannot be loaded (data/Stages/Nowhere.rmap: it is missing)' \
    "$KESTRION" --stage Nowhere

mkdir -p "$WORK/bare/data"
for missing in 'Data\game.cfg' input.cfg; do
    status=0
    output=$(cd "$WORK/bare" && env -u DISPLAY timeout 20 "$KESTRION" 2>&1) || status=$?
    [ "$status:$output" = "1:Cannot open configuration file: $missing" ] || fail "status $status, output: $output"
    cp "$GAME_DIR/data/game.cfg" "$WORK/bare/data/"
done

start_xvfb
# --stage starts in that stage, --data runs another folder.
printf 'frames 1\nframe 1 state\n' >"$WORK/one.txt"
started=$(cd "$WORK" && timeout 60 "${KESTRION_REPLAY:?}" --stage Foundry2 --data "$GAME_DIR" "$WORK/one.txt" 2>&1) ||
    fail "the replay with --stage: $started"
[[ $started == *"stage Foundry2 phase 1"* ]] || fail "--stage Foundry2 started: $started"

for way in escape close; do
    GAME_LOG=$WORK/game.log
    (cd "$GAME_DIR" && exec timeout 60 "$KESTRION") >"$GAME_LOG" 2>&1 &
    game=$!
    window=$(timeout 30 xdotool search --sync --name '^Kestrion$' | head -n 1) || fail "no window captioned Kestrion"
    [ "$(xprop -id "$window" WM_NAME)" = 'WM_NAME(STRING) = "Kestrion"' ] || fail "the caption is not Kestrion"
    xwininfo -id "$window" | grep -q 'Width: 320' || fail "the window is not 320 wide"
    xwininfo -id "$window" | grep -q 'Height: 240' || fail "the window is not 240 high"
    # Start-up drains the events that came in while it ran, a quit among
    # them, so the request is repeated until the game has ended.
    for _ in $(seq 40); do
        kill -0 "$game" 2>/dev/null || break
        if [ $way = escape ]; then
            timeout 5 xdotool windowfocus --sync "$window" key Escape
        else  # a window manager's close button: WM_DELETE_WINDOW (a bare Xvfb has none)
            "${KESTRION_CLOSE_WINDOW:?the close_window helper is not set}" "$window"
        fi 2>/dev/null || true
        sleep 0.5
    done
    status=0
    wait "$game" || status=$?
    [ "$status" = 0 ] || fail "$way ended the game with status $status"
done
echo "options; missing configuration files: status 1 with their message; window 320 x 240 captioned Kestrion; Escape and close: status 0"
