# Without "Data\game.cfg" or "input.cfg" the game names the missing file on
# one line and ends with status 1 before it opens a window (no X display is
# given, so reaching the window would fail differently).
set -euo pipefail
source "$(dirname "$0")/e2e_lib.sh"
KESTRION=$1
GAME_DIR=$2

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp -r "$GAME_DIR" "$WORK/game"

expect_failure() {
    local expected=$1 status=0
    output=$(cd "$WORK/game" && env -u DISPLAY timeout 20 "$KESTRION" 2>&1) || status=$?
    [ "$status" -eq 1 ] || fail "status $status, not 1; output: $output"
    [ "$output" = "$expected" ] || fail "output was: $output"
}

rm "$WORK/game/data/game.cfg"
expect_failure 'Cannot open configuration file: Data\game.cfg'

cp "$GAME_DIR/data/game.cfg" "$WORK/game/data/"
rm "$WORK/game/input.cfg"
expect_failure 'Cannot open configuration file: input.cfg'
echo "missing configuration: status 1 with its message"
