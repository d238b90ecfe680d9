# Closing the window (WM_DELETE_WINDOW, as a window manager's close button
# sends it) ends the game with status 0.
set -euo pipefail
source "$(dirname "$0")/e2e_lib.sh"
run_in_xvfb "$@"
KESTRION=$1
GAME_DIR=$2
CLOSE_WINDOW=${KESTRION_CLOSE_WINDOW:?the close_window helper is not set}

start_game "$KESTRION" "$GAME_DIR"
wait_for_window
sleep 1
"$CLOSE_WINDOW" "$WINDOW" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 20
[ "$GAME_STATUS" -eq 0 ] || fail "closing the window ended the game with status $GAME_STATUS"
echo "close button: status 0"
