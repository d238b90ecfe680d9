# Both stages played through the real program, from the first opening to
# the second stage's exit (scripts/foundry.txt, then scripts/foundry2.txt):
# the hero walks to the first walker and ends it with shots, takes its hit
# and the life gauge shows it, charges the cannon and ends a hopper with
# one full shot, and steps into the exit gate; the game fades out and the
# second stage, Foundry2, opens with its own opening. There he kicks off a
# wall, climbs the shaft, dash-jumps onto the big block, shoots down its
# walker and turret and takes its gate back to Foundry. Nothing is missing
# from the data on the way.
set -euo pipefail
source "$(dirname "$0")/e2e_lib.sh"
E2E_TIMEOUT=240 REPLAY_TIMEOUT=200 run_in_xvfb "$@"
GAME_DIR=$2
PALETTE=$GAME_DIR/art/Palette.palette

OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
{
    for f in 349 350 429 430 431 438 445 446 447 467 480 493 494 \
        2091 2092 2094 2157 2158 2159 \
        2317 2366 2367 2414 2415 2427 2485 2486 2511 2512 2557 2558 2578 2579 2580 \
        2810 2811 3070 3071 3100 3151 3159 3166 3741 3790 3791; do
        echo "frame $f state"
    done
    for f in 349 350 493 494 2158 2159 2367 3165 3166 3399 3400; do echo "frame $f objects Enemies"; done
    echo "frame 2158 objects PlayerWeapons"
    # The life gauge's bars, x 26 from y 44 to 83 (they grow up from y 80).
    for f in 429 431 448 449 453; do echo "frame $f pixels 26 44 1 40"; done
    # A letter of the ready sign in the second stage's opening.
    for f in 2467 2512; do echo "frame $f pixels 80 118 1 1"; done
} >"$OUT/reports.txt"
run_replay "$GAME_DIR" "$OUT" "$E2E_SCRIPTS/foundry.txt" "$E2E_SCRIPTS/foundry2.txt" "$OUT/reports.txt"
expect_only_reports

has_sound() { sounds "$(state "$1")" | grep -qxF "$2"; }
flow() { awk -F' [|] ' '{ print $4 }' <<<"$(state "$1")"; }

# --- The first walker: it spawns as the view reaches it, standing on the
# floor under its placement, and three hits of the small shot end it.
[ "$(count "$(state 349)" Enemies)" = 0 ] || fail "an enemy before the view reached one: $(state 349)"
[ "$(objects 350 Enemies)" = "Walker@496.00,352.00" ] || fail "frame 350: $(objects 350 Enemies)"
for f in 467 480; do
    has_sound "$f" 'SE_PL00\ROOK_E_DAMA.WAV@-1' || fail "no hit sound at $f: $(state "$f")"
    [ "$(count "$(state "$f")" Enemies)" = 1 ] || fail "the walker fell too early, at $f"
done
[ "$(objects 493 Enemies | cut -d@ -f1)" = Walker ] || fail "frame 493: $(objects 493 Enemies)"
has_sound 494 'SE_PL00\ROOK_E_DAMA.WAV@-1' || fail "no hit sound at 494: $(state 494)"
[ -z "$(objects 494 Enemies)" ] || fail "the walker outlived its third hit: $(objects 494 Enemies)"
[ "$(count "$(state 494)" EnemyFX)" = 1 ] || fail "no burst where the walker fell: $(state 494)"

# --- The walker's hit: 2 points off, the 73-frame hurt timer, a damage
# voice on channel 2, then 16 frames of knock-back with gravity off.
at429=$(state 429)
at430=$(state 430)
[ "$(field "$at429" health)" = 32.00 ] && [ "$(field "$at429" hurt)" = 0 ] || fail "frame 429: $at429"
[ "$(field "$at430" health)" = 30.00 ] && [ "$(field "$at430" hurt)" = 73 ] || fail "frame 430: $at430"
sounds "$at430" | grep -qx 'VO_PL00\\ROOK_DAMAG[12].WAV@2' || fail "no damage voice at 430: $at430"
for f in 431 438 445; do
    [ "$(field "$(state "$f")" anim | cut -d: -f1)" = Hurt ] || fail "no knock-back at $f: $(state "$f")"
    [ "$(y_of "$(state "$f")")" = 301.75 ] || fail "the hero falls during the knock-back, at $f"
done
[ "$(x_of "$(state 431)")" = 435.00 ] && [ "$(x_of "$(state 438)")" = 424.00 ] ||
    fail "knocked back from 437 to $(x_of "$(state 431)") and $(x_of "$(state 438)"), not 435 and 424"
[ "$(field "$(state 446)" hurt)" = 57 ] && [ "$(y_of "$(state 447)")" = 302.00 ] ||
    fail "gravity is not back after the knock-back: $(state 447)"

# The gauge: the green bar is the health, the red one behind it shows the
# loss (198, 33, 16) and drains a quarter point a frame once the knock-back
# ends. gauge FRAME FIRST LAST: the colours of rows FIRST to LAST.
GREEN=08d642
RED=c62110
gauge() { pixels "$1" 26 44 1 40 | sed -n "$(($2 - 43)),$(($3 - 43))p" | sort -u | tr '\n' ' ' | sed 's/ $//'; }
[ "$(gauge 429 48 79)" = $GREEN ] || fail "full health is not 32 green rows: $(gauge 429 48 79)"
for row in 47 80; do
    case "$(gauge 429 $row $row)" in $GREEN | $RED) fail "frame 429: row $row is a bar's colour" ;; esac
done
[ "$(gauge 431 48 49)" = $RED ] && [ "$(gauge 431 50 79)" = $GREEN ] ||
    fail "after the hit: rows 48-49 $(gauge 431 48 49), rows 50-79 $(gauge 431 50 79)"
[ "$(gauge 448 48 48)" = $RED ] || fail "the red bar drained too early: $(gauge 448 48 49)"
[ "$(gauge 449 48 48)" != $RED ] && [ "$(gauge 449 49 49)" = $RED ] ||
    fail "frame 449: rows 48-49 are $(gauge 449 48 49)"
for row in 48 49; do
    case "$(gauge 453 $row $row)" in $GREEN | $RED) fail "frame 453: row $row is still a bar" ;; esac
done
[ "$(gauge 453 50 79)" = $GREEN ] || fail "frame 453: the health bar is $(gauge 453 50 79)"

# --- The charge: pressed at 2004 and held, the counter passes 90 at 2092
# (the hero flashes palette row 7 on every other pair of frames), and the
# release at 2158 fires a BusterShotL that ends the 4-point hopper at once
# (a small shot takes 1 point).
[ "$(field "$(state 2091)" counter)" = 89 ] || fail "frame 2091: $(state 2091)"
[ "$(field "$(state 2092)" counter)" = 90 ] && [ "$(field "$(state 2092)" palette)" = 7 ] ||
    fail "no full charge at 2092: $(state 2092)"
[ "$(field "$(state 2094)" palette)" = 0 ] || fail "no charge flashing at 2094: $(state 2094)"
[ "$(field "$(state 2157)" counter)" = 155 ] || fail "frame 2157: $(state 2157)"
at2158=$(state 2158)
has_sound 2158 'SE_PL00\ROOK_TSHT_L.WAV@1' || fail "no full-shot sound at 2158: $at2158"
[ "$(objects 2158 PlayerWeapons | cut -d@ -f1)" = BusterShotL ] ||
    fail "frame 2158: the shot is $(objects 2158 PlayerWeapons)"
[ "$(field "$at2158" anim | cut -d: -f1)" = FireRecoil ] && [ "$(field "$at2158" counter)" = -14 ] ||
    fail "frame 2158: $at2158"
[ "$(objects 2158 Enemies | cut -d@ -f1)" = Hopper ] || fail "frame 2158: $(objects 2158 Enemies)"
has_sound 2159 'SE_PL00\ROOK_E_DAMA.WAV@-1' || fail "the full shot hit nothing: $(state 2159)"
[ -z "$(objects 2159 Enemies)" ] || fail "the hopper outlived the full shot: $(objects 2159 Enemies)"
[ "$(count "$(state 2159)" EnemyFX)" = 1 ] || fail "no burst where the hopper fell: $(state 2159)"

# --- The exit gate: its voice and the fade-out as the hero steps in; at
# black the second stage loads, the hero back to 32 at its start, hidden,
# input off, and the old stage's objects gone.
has_sound 2317 'SE_PL00\ROOK_DISAPP.WAV@-1' || fail "no gate voice at 2317: $(state 2317)"
[ "$(flow 2317)" = "stage Foundry phase 0 fade 0.02 input 1" ] || fail "frame 2317: $(flow 2317)"
[ "$(flow 2366)" = "stage Foundry phase 0 fade 1.00 input 1" ] || fail "frame 2366: $(flow 2366)"
at2367=$(state 2367)
[ "$(flow 2367)" = "stage Foundry2 phase 1 fade 1.00 input 0" ] || fail "no second stage at 2367: $at2367"
grep -q ' hidden |' <<<"$at2367" || fail "the hero is drawn as the second stage opens: $at2367"
[ "$(field "$at2367" health)" = 32.00 ] || fail "frame 2367: $at2367"
[ "$(x_of "$at2367")" = 48.00 ] && [ "$(y_of "$at2367" | cut -d. -f1)" = 420 ] ||
    fail "the hero is not at the second stage's start: $at2367"
[ -z "$(objects 2367 Enemies)" ] || fail "enemies of the first stage remain: $(objects 2367 Enemies)"

# Its opening, frame for frame as the first one: a streak on its 48th
# frame, the sign on its 60th, nine streaks, the voice 26 frames into the
# second phase, the beam, and the hero shown and taking input.
[ "$(count "$(state 2414)" PlayerFX)" = 1 ] && [ "$(count "$(state 2415)" PlayerFX)" = 2 ] ||
    fail "the first streak is not on frame 2415: $(state 2415)"
[ "$(count "$(state 2427)" PlayerFX)" = 4 ] || fail "no ready sign at 2427: $(state 2427)"
[ "$(field "$(state 2485)" phase)" = 1 ] && [ "$(field "$(state 2486)" phase)" = 2 ] ||
    fail "the second phase does not begin at 2486: $(state 2486)"
[ -z "$(sounds "$(state 2511)")" ] && has_sound 2512 'SE_COM\NA_READY.WAV@-1' ||
    fail "no ready voice at 2512: $(state 2512)"
[ "$(pixels 2467 80 118 1 1)" = "$(palette_colour "$PALETTE" 28 8)" ] &&
    [ "$(pixels 2512 80 118 1 1)" = "$(palette_colour "$PALETTE" 29 8)" ] ||
    fail "the ready sign's letter is $(pixels 2467 80 118 1 1) and $(pixels 2512 80 118 1 1)"
[ "$(count "$(state 2557)" Player)" = 1 ] && [ "$(count "$(state 2558)" Player)" = 2 ] &&
    has_sound 2558 'SE_PL00\ROOK_DISAPP.WAV@-1' || fail "no beam at 2558: $(state 2558)"
grep -q ' hidden |' <<<"$(state 2578)" || fail "the hero is shown before the beam lands: $(state 2578)"
at2579=$(state 2579)
grep -q ' visible |' <<<"$at2579" || fail "the hero is not shown at 2579: $at2579"
[ "$(flow 2579)" = "stage Foundry2 phase 0 fade 0.00 input 1" ] || fail "frame 2579: $at2579"
[ "$(x_of "$(state 2580)")" = 48.00 ] || fail "the hero left his start on his own: $(state 2580)"

# --- The second stage: a kick off the face of the shaft's lowest platform
# (the slide turned him away from it, the kick sends him off it, rising)...
at2810=$(state 2810)
at2811=$(state 2811)
[ "$(field "$at2810" anim)" = Slide:0 ] && [ "$(field "$at2810" wall)" = 11 ] || fail "no wall slide at 2810: $at2810"
[ "$(field "$at2811" anim)" = SlideJump:0 ] && [ "$(field "$at2811" vel)" = -2.00,-5.75 ] &&
    has_sound 2811 'SE_PL00\ROOK_KBKERI.WAV@0' || fail "no wall kick at 2811: $at2811"
# ... a dash jump from the top platform, at the dash speed, onto the big
# block (its top is y 128, his feet 60 below his corner) ...
[ "$(field "$(state 3070)" anim)" = Dash:0 ] || fail "no dash at 3070: $(state 3070)"
at3071=$(state 3071)
[ "$(field "$at3071" dash)" = 1j ] && [ "$(field "$at3071" vel)" = 4.00,-5.75 ] || fail "no dash jump at 3071: $at3071"
[ "$(field "$(state 3100)" air)" = 0 ] && [ "$(y_of "$(state 3100)" | cut -d. -f1)" = 68 ] ||
    fail "not on the big block at 3100: $(state 3100)"
# ... its walker (three hits) and turret shot down ...
for f in 3151 3159 3166; do has_sound "$f" 'SE_PL00\ROOK_E_DAMA.WAV@-1' || fail "no hit at $f: $(state "$f")"; done
[ "$(objects 3165 Enemies | cut -d@ -f1)" = Walker ] && [ -z "$(objects 3166 Enemies)" ] ||
    fail "the block's walker: $(objects 3165 Enemies) / $(objects 3166 Enemies)"
[ "$(objects 3399 Enemies)" = "Turret@1152.00,128.00" ] && [ -z "$(objects 3400 Enemies)" ] ||
    fail "the turret below the block: $(objects 3399 Enemies) / $(objects 3400 Enemies)"
# ... and its exit gate leads back to the first stage, which opens again.
has_sound 3741 'SE_PL00\ROOK_DISAPP.WAV@-1' && [ "$(flow 3741)" = "stage Foundry2 phase 0 fade 0.02 input 1" ] ||
    fail "no exit gate at 3741: $(state 3741)"
[ "$(flow 3790)" = "stage Foundry2 phase 0 fade 1.00 input 1" ] || fail "frame 3790: $(flow 3790)"
at3791=$(state 3791)
[ "$(flow 3791)" = "stage Foundry phase 1 fade 1.00 input 0" ] || fail "Foundry does not open again at 3791: $at3791"
[ "$(field "$at3791" health)" = 32.00 ] && [ "$(x_of "$at3791")" = 64.00 ] && grep -q ' hidden |' <<<"$at3791" ||
    fail "frame 3791: $at3791"
echo "both stages: walker shot down, hit and gauge, full shot, exit gate, Foundry2 opened, climbed and left back to Foundry"
