# Starting and leaving the real program. A wrong option ends it with status
# 2; a missing --data folder or --stage with status 1; --stage starts in that
# stage. Without "Data\game.cfg", then
# without "input.cfg", it names the missing file on one line and ends with
# status 1 before it opens a window (no display is given, so reaching the
# window would fail differently). With its data (WindowScale=0) on a
# 1024 x 768 screen it opens a 640 x 480 window captioned "Kestrion"; Alt+Enter
# goes fullscreen and F11 back; Escape, or the window's close button, ends it
# with status 0. A run it records plays back to the same end.
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

start_xvfb 1024x768
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
    xwininfo -id "$window" | grep -q 'Width: 640' || fail "the window is not 640 wide"
    xwininfo -id "$window" | grep -q 'Height: 480' || fail "the window is not 480 high"
    if [ $way = escape ]; then
        # SDL puts the game's drawing window into a screen-sized one of its own.
        fullscreen() { xwininfo -root -tree | grep -Eq '^ {8}0x[0-9a-f]+ .* 1024x768\+0\+0'; }
        for _ in $(seq 40); do  # keys wait while the stage opens
            timeout 5 xdotool windowfocus --sync "$window" key alt+Return 2>/dev/null || true
            sleep 0.5
            ! fullscreen || break
        done
        fullscreen || fail "Alt+Enter did not go fullscreen: $(xwininfo -root -tree)"
        timeout 5 xdotool key F11
        sleep 0.5
        ! fullscreen || fail "F11 did not leave fullscreen"
        xwininfo -id "$window" | grep -q 'Width: 640' || fail "the window is not 640 wide again"
    fi
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
# A run recorded with --record plays back with --play to the same end; a
# replay of another stage is refused.
RUN=$WORK/run.txt
GAME_LOG=$WORK/record.log
(cd "$GAME_DIR" && exec timeout 60 "$KESTRION" --record "$RUN") >"$GAME_LOG" 2>&1 &
game=$!
window=$(timeout 30 xdotool search --sync --name '^Kestrion$' | head -n 1) || fail "no window to record"
sleep 4  # the stage opens
timeout 5 xdotool windowfocus --sync "$window" keydown Right sleep 0.4 key z sleep 0.3 keyup Right key p sleep 0.3 key p key x ||
    fail "xdotool could not type into the game"
for _ in $(seq 40); do
    kill -0 "$game" 2>/dev/null || break
    timeout 5 xdotool key Escape 2>/dev/null || true
    sleep 0.5
done
wait "$game" || fail "the recorded run ended with status $?"
grep -q '^frame [0-9]* press keyright$' "$RUN" && grep -q '^frame [0-9]* expect pos ' "$RUN" || fail "the record: $(cat "$RUN")"
played=$(cd "$GAME_DIR" && timeout 60 "$KESTRION" --play "$RUN" 2>&1) || fail "--play: $played"
[[ $played == "The replay ended as recorded after "*" frames." ]] || fail "--play said: $played"
expect_exit 1 "Cannot play $RUN: it was recorded in the stage Foundry, not Foundry2" "$KESTRION" --stage Foundry2 --play "$RUN"

echo "options; missing configuration files: status 1 with their message; window 640 x 480 captioned Kestrion; Alt+Enter and F11; Escape and close: status 0; --record then --play"
