# A death through the real program: the hero stands in the locked room of
# the first stage (scripts/foundry.txt up to frame 1440, then
# scripts/death.txt) until its enemies bring his health to 0. The death
# sequence holds him, his voice plays as he vanishes in a ring of bursts,
# and the stage fades out and starts over from its opening, with the hero
# back at his start on a full gauge.
set -euo pipefail
source "$(dirname "$0")/e2e_lib.sh"
E2E_TIMEOUT=240 REPLAY_TIMEOUT=200 run_in_xvfb "$@"
GAME_DIR=$2
PALETTE=$GAME_DIR/art/Palette.palette

OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
awk '$1 != "frames" && !($1 == "frame" && $2 >= 1440)' "$E2E_SCRIPTS/foundry.txt" >"$OUT/room.txt"
{
    for f in 1440 2199 2200 2201 2208 2209 2249 2250 2299 2300 2347 2348 2360 2535 2536 2540; do
        echo "frame $f state"
    done
    echo "frame 2300 objects Enemies"
    # The hero's cell on the screen (the camera stands still by then).
    for f in 2208 2209 2245; do echo "frame $f pixels 104 76 64 72"; done
} >"$OUT/reports.txt"
run_replay "$GAME_DIR" "$OUT" "$OUT/room.txt" "$E2E_SCRIPTS/death.txt" "$OUT/reports.txt"
expect_only_reports

flow() { awk -F' [|] ' '{ print $4 }' <<<"$(state "$1")"; }
has_sound() { sounds "$(state "$1")" | grep -qxF "$2"; }

at1440=$(state 1440)
[ "$(field "$at1440" health)" = 26.00 ] && [ "$(count "$at1440" Enemies)" -ge 3 ] ||
    fail "the hero is not in the locked room with 26 points: $at1440"

# The last hit takes him from 1 to -2; the next frame the death sequence
# starts at 100 and counts up with the hero held still in his hurt pose.
[ "$(field "$(state 2199)" health)" = 1.00 ] || fail "frame 2199: $(state 2199)"
at2200=$(state 2200)
[ "$(field "$at2200" health)" = -2.00 ] && [ "$(field "$at2200" hurt)" = 73 ] ||
    fail "no last hit at 2200: $at2200"
at2201=$(state 2201)
[ "$(field "$at2201" hurt)" = 101 ] && [ "$(field "$at2201" anim)" = Hurt:0 ] &&
    [ "$(field "$at2201" vel)" = 0.00,0.00 ] || fail "no death sequence at 2201: $at2201"
[ "$(field "$(state 2208)" hurt)" = 108 ] || fail "frame 2208: $(state 2208)"

# At 109 his voice, the ring of twelve bursts (beside the charge orb), and
# he is no longer drawn: none of his blues are left in his cell.
at2209=$(state 2209)
[ "$(field "$at2209" hurt)" = 109 ] || fail "frame 2209: $at2209"
has_sound 2209 'VO_PL00\ROOK_OUT.WAV@-1' || fail "no death voice at 2209: $at2209"
[ "$(count "$at2209" PlayerFX)" = 13 ] || fail "no ring of bursts at 2209: $at2209"
blues() { pixels "$1" 104 76 64 72 | grep -c -x -e "$(palette_colour "$PALETTE" 0 1)" -e "$(palette_colour "$PALETTE" 0 2)" || true; }
[ "$(blues 2208)" -gt 100 ] || fail "the hero is not drawn at 2208: $(blues 2208) blue pixels"
[ "$(blues 2209)" = 0 ] && [ "$(blues 2245)" = 0 ] ||
    fail "the hero is still drawn after 108: $(blues 2209) and $(blues 2245) blue pixels"

# Fifty frames after the death the stage fades out; at black it loads again
# and its opening starts over.
[ "$(flow 2249)" = "stage Foundry phase 0 fade 0.00 input 1" ] || fail "frame 2249: $(flow 2249)"
[ "$(flow 2250)" = "stage Foundry phase 0 fade 0.02 input 1" ] || fail "no fade-out at 2250: $(flow 2250)"
[ "$(flow 2299)" = "stage Foundry phase 0 fade 1.00 input 1" ] || fail "frame 2299: $(flow 2299)"
at2300=$(state 2300)
[ "$(flow 2300)" = "stage Foundry phase 1 fade 1.00 input 0" ] || fail "no restart at 2300: $at2300"
[ "$(field "$at2300" health)" = 32.00 ] && [ "$(field "$at2300" hurt)" = 0 ] ||
    fail "the hero does not start over on a full gauge: $at2300"
[ "$(x_of "$at2300")" = 64.00 ] && [ "$(y_of "$at2300" | cut -d. -f1)" = 324 ] ||
    fail "the hero is not back at his start: $at2300"
grep -q ' hidden |' <<<"$at2300" || fail "the hero is drawn as the stage starts over: $at2300"
[ -z "$(objects 2300 Enemies)" ] || fail "the room's enemies outlived the restart: $(objects 2300 Enemies)"
[ "$(count "$(state 2347)" PlayerFX)" = 1 ] && [ "$(count "$(state 2348)" PlayerFX)" = 2 ] ||
    fail "the opening's first streak is not on frame 2348: $(state 2348)"
[ "$(count "$(state 2360)" PlayerFX)" = 4 ] || fail "no ready sign at 2360: $(state 2360)"
grep -q ' hidden |' <<<"$(state 2535)" || fail "frame 2535: $(state 2535)"
[ "$(flow 2536)" = "stage Foundry phase 0 fade 0.00 input 1" ] &&
    grep -q ' visible |' <<<"$(state 2536)" || fail "the hero does not appear at 2536: $(state 2536)"
echo "death: last hit at 2200, vanished at 109, stage faded and started over at 2300, hero back at 2536"
