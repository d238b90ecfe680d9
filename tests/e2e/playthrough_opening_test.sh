# The opening of the first stage through the real program: the stage fades
# in from black with the hero hidden and input off, the streaks fly, the
# ready sign sweeps through its colours and flashes with its voice, the beam
# comes down, and then the hero stands at his start, drawn and taking input.
set -euo pipefail
source "$(dirname "$0")/e2e_lib.sh"
run_in_xvfb "$@"
GAME_DIR=$2
PALETTE=$GAME_DIR/art/Palette.palette

OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
{
    for f in 1 47 48 59 60 112 113 138 139 184 185 226 227 235 250; do echo "frame $f state"; done
    # A letter of the ready sign (its fill is palette column 8), before the
    # sign, during the sweep, once swept and at the flash.
    for f in 58 61 100 139; do echo "frame $f pixels 80 118 1 1"; done
    # The hero's cell at his start, while he is hidden and once he is shown.
    for f in 58 240; do echo "frame $f pixels 80 96 32 64"; done
} >"$OUT/reports.txt"
run_replay "$GAME_DIR" "$OUT" "$E2E_SCRIPTS/opening.txt" "$OUT/reports.txt"
expect_only_reports

flow() { awk -F' [|] ' '{ print $4 }' <<<"$(state "$1")"; }
hidden() { grep -q ' hidden |' <<<"$(state "$1")"; }

# Black, input off, the hero hidden; the fade lifts 0.02 a frame.
[ "$(flow 1)" = "stage Foundry phase 1 fade 0.98 input 0" ] || fail "frame 1: $(flow 1)"
for f in 1 60 113 185 226; do
    hidden "$f" || fail "the hero is drawn during the opening at frame $f: $(state "$f")"
    [ "$(field "$(state "$f")" input)" = 0 ] || fail "input is on at frame $f"
done
[ "$(field "$(state 1)" health)" = 32.00 ] || fail "the stage starts the hero at 32: $(state 1)"

# The first streak on the 48th frame, the two ready signs on the 60th.
[ "$(count "$(state 47)" PlayerFX)" = 1 ] || fail "frame 47: $(state 47)"
[ "$(count "$(state 48)" PlayerFX)" = 2 ] || fail "no first streak at 48: $(state 48)"
[ "$(count "$(state 59)" PlayerFX)" = 2 ] || fail "frame 59: $(state 59)"
[ "$(count "$(state 60)" PlayerFX)" = 4 ] || fail "no ready sign at 60: $(state 60)"

# Nine streaks end the first phase; 26 frames later the sign flashes and
# the ready voice plays, once.
[ "$(field "$(state 112)" phase)" = 1 ] || fail "frame 112: $(state 112)"
[ "$(field "$(state 113)" phase)" = 2 ] || fail "frame 113: $(state 113)"
[ "$(count "$(state 113)" PlayerFXBack)" = 8 ] || fail "eight back streaks at 113: $(state 113)"
[ "$(sounds "$(state 139)")" = 'SE_COM\NA_READY.WAV@-1' ] || fail "no ready voice at 139: $(state 139)"
[ -z "$(sounds "$(state 138)")" ] || fail "frame 138: $(state 138)"

# The sign's letter: not there before frame 60, then palette rows 18
# (the sweep's second step), 28 (swept) and 29 (the flash).
letter() { pixels "$1" 80 118 1 1; }
before=$(letter 58)
for row in 18 28 29; do
    [ "$before" != "$(palette_colour "$PALETTE" "$row" 8)" ] || fail "the sign's colour shows before the sign"
done
[ "$(letter 61)" = "$(palette_colour "$PALETTE" 18 8)" ] || fail "frame 61: the letter is $(letter 61)"
[ "$(letter 100)" = "$(palette_colour "$PALETTE" 28 8)" ] || fail "frame 100: the letter is $(letter 100)"
[ "$(letter 139)" = "$(palette_colour "$PALETTE" 29 8)" ] || fail "frame 139: the letter is $(letter 139)"

# The beam: a second "Player" object and the teleport sound at 185, gone
# once the hero stands in its place at 227, visible and taking input.
[ "$(count "$(state 185)" Player)" = 2 ] || fail "no beam at 185: $(state 185)"
grep -q 'SE_PL00\\ROOK_DISAPP.WAV' <<<"$(sounds "$(state 185)")" || fail "no beam sound at 185: $(state 185)"
at227=$(state 227)
grep -q ' visible |' <<<"$at227" || fail "the hero is not shown at 227: $at227"
[ "$(awk -F' [|] ' '{ print $4 }' <<<"$at227")" = "stage Foundry phase 0 fade 0.00 input 1" ] ||
    fail "frame 227: $at227"
[ "$(count "$at227" Player)" = 1 ] || fail "the beam is still there at 227: $at227"
[ "$(x_of "$at227")" = 64.00 ] && [ "$(y_of "$at227" | cut -d. -f1)" = 324 ] ||
    fail "the hero is not at his start: $at227"

# The press and release made during the opening moved nothing; the press
# after it does.
[ "$(x_of "$(state 235)")" = 64.00 ] || fail "input during the opening moved the hero: $(state 235)"
[ "$(x_of "$(state 250)")" = 80.50 ] || fail "the hero does not walk after the opening: $(state 250)"

# Drawn: the hero's blue and outline in his cell once shown, none before.
hero_pixels() { pixels "$1" 80 96 32 64 | grep -c -x -e "$(palette_colour "$PALETTE" 0 2)" -e "$(palette_colour "$PALETTE" 0 0)" || true; }
[ "$(hero_pixels 58)" = 0 ] || fail "hero colours in his cell while hidden: $(hero_pixels 58)"
[ "$(hero_pixels 240)" -gt 150 ] || fail "the hero is not drawn at 240: $(hero_pixels 240) pixels"
echo "opening: fade-in, streaks, ready sign rows 18/28/29 and voice, beam, hero shown with input on at 227"
