# The game starts from its data tree into a 320 x 240 window captioned
# "Kestrion", and Escape ends it with status 0.
set -euo pipefail
source "$(dirname "$0")/e2e_lib.sh"
run_in_xvfb "$@"
KESTRION=$1
GAME_DIR=$2

start_game "$KESTRION" "$GAME_DIR"
wait_for_window
geometry=$(xwininfo -id "$WINDOW")
grep -q 'Width: 320$' <<<"$geometry" || fail "window width: $geometry"
grep -q 'Height: 240$' <<<"$geometry" || fail "window height: $geometry"
[ "$(xprop -id "$WINDOW" WM_NAME)" = 'WM_NAME(STRING) = "Kestrion"' ] || fail "caption"

# Let a few frames run, then press Escape.
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on its own"
xdotool windowfocus --sync "$WINDOW"
xdotool key Escape
wait_for_exit 20
[ "$GAME_STATUS" -eq 0 ] || fail "Escape ended the game with status $GAME_STATUS"
echo "window 320 x 240, caption Kestrion, Escape: status 0"
