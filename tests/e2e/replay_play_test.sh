# The real program on recorded input under Xvfb: after the stage opening the
# hero walks right, fires a shot, dashes and dash-jumps, and the dash frame's
# picture is saved. Runs the replay tool in the demo's data tree.
set -euo pipefail
source "$(dirname "$0")/e2e_lib.sh"
run_in_xvfb "$@"
GAME_DIR=$2
REPLAY=${KESTRION_REPLAY:?the replay tool is not set}

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cat >"$WORK/play.txt" <<'SCRIPT'
# The opening is over well before frame 300 (about 240 frames with this seed).
seed 3
frames 365
frame 300 state
frame 301 press keyright
frame 340 state
frame 341 release keyright
frame 342 press keyattack1
frame 343 release keyattack1
frame 344 state
frame 350 press keydash
frame 356 state
frame 356 screenshot dash.png
frame 358 press keyjump
frame 362 state
SCRIPT

GAME_LOG=$WORK/output.txt
status=0
(cd "$GAME_DIR" && timeout 60 "$REPLAY" "$WORK/play.txt" "$WORK") >"$GAME_LOG" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "the replay ended with status $status"

# state FRAME: the state line of that frame.
state() { grep "^frame $1 " "$GAME_LOG" || fail "no state line for frame $1"; }
# field LINE NAME: the word after NAME in a state line.
field() { awk -v name="$2" '{ for (i = 1; i < NF; i++) if ($i == name) { print $(i + 1); exit } }' <<<"$1"; }

at300=$(state 300)
grep -q ' visible ' <<<"$at300" || fail "the hero is not shown yet at frame 300: $at300"
x300=$(field "$at300" pos | cut -d, -f1)

at340=$(state 340)
x340=$(field "$at340" pos | cut -d, -f1)
awk -v a="$x300" -v b="$x340" 'BEGIN { exit !(b - a > 50) }' || fail "no walk: x $x300 to $x340"
[ "$(field "$at340" anim | cut -d: -f1)" = Walk ] || fail "not walking: $at340"

at344=$(state 344)
grep -q 'PlayerWeapons 1' <<<"$at344" || fail "no shot: $at344"
[ "$(field "$at344" fire)" -gt 0 ] || fail "no fire pose: $at344"

at356=$(state 356)
[ "$(field "$at356" anim | cut -d: -f1)" = Dash ] || fail "not dashing: $at356"
[ "$(field "$at356" dash)" = 40 ] || fail "dash timer: $at356"

at362=$(state 362)
[ "$(field "$at362" air)" = 1 ] || fail "not in the air: $at362"
[ "$(field "$at362" dash)" = 1j ] || fail "not a dash jump: $at362"

# The picture: a 320 x 240 PNG with more than a few colours in it.
png=$WORK/dash.png
[ -f "$png" ] || fail "no screenshot"
[ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "not a PNG"
[ "$(od -An -j16 -N8 -tu1 "$png" | tr -s ' ')" = " 0 0 1 64 0 0 0 240" ] || fail "not 320 x 240"
values=$(od -An -v -tu1 "$png" | tr -s ' ' '\n' | sort -un | wc -l)
[ "$values" -gt 100 ] || fail "the picture is nearly blank ($values byte values)"
echo "replay: walk, shot, dash and dash jump after the opening; screenshot saved"
