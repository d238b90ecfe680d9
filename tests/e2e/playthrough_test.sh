# One seeded playthrough of both stages through the real program and its
# drawing (scripts/playthrough.txt, run by the replay tool under Xvfb),
# checked at checkpoints against the table below. A row is "FRAME WHAT
# EXPECTED", EXPECTED a shell pattern; WHAT is
#   a word of the state line   the word after it (pos, anim, health, Enemies: a list's size)
#   flow                       the stage flow: "stage S phase P fade F input I"
#   shown                      visible or hidden
#   sound                      a sound the frame requested, as NAME@CHANNEL (not a pattern)
#   objects:LIST               "Name@x,y" of each object of a category list
#   colours:X,Y,W,H            the distinct colours (rrggbb) of a screen rectangle
#   picture                    the size of the frame's saved PNG
# The report lines the replay needs are made from the rows themselves.
source "$(dirname "$0")/e2e_lib.sh"
GAME_DIR=$2

CHECKS=$(grep -v '^ *#' <<'EOF'
# The opening: black, input off, the hero hidden until he stands at his start.
1     flow                stage Foundry phase 1 fade 0.98 input 0
1     shown               hidden
226   shown               hidden
227   flow                stage Foundry phase 0 fade 0.00 input 1
227   shown               visible
227   pos                 64.00,324.*
58    colours:92,126,9,1  4e887c
227   colours:92,126,9,1  1e3a8c 2f6fd6 6cb8ff
# The first walker spawns as the view reaches it; the third small shot ends
# it in a burst.
349   Enemies             ""
350   objects:Enemies     Walker@496.00,352.00
480   sound               SE_PL00\ROOK_E_DAMA.WAV@-1
493   objects:Enemies     Walker@*
494   sound               SE_PL00\ROOK_E_DAMA.WAV@-1
494   objects:Enemies     ""
494   EnemyFX             1
# Its hit: 2 points, the hurt timer, a damage voice, the knock-back with
# gravity off.
429   health              32.00
430   health              30.00
430   hurt                73
430   sound               VO_PL00\ROOK_DAMAG2.WAV@2
431   anim                Hurt:*
431   pos                 435.00,301.75
# The life gauge (x 26, bars from y 80 up): 32 green rows; after the hit the
# top two turn red.
429   colours:26,48,1,32  08d642
429   colours:26,47,1,1   b4bece
431   colours:26,48,1,2   c62110
431   colours:26,50,1,30  08d642
# The charge: full at 90 (the hero flashes palette row 7), and its shot ends
# the 4-point hopper at once.
2091  counter             89
2092  counter             90
2092  palette             7
2158  sound               SE_PL00\ROOK_TSHT_L.WAV@1
2158  objects:PlayerWeapons  BusterShotL@*
2158  objects:Enemies     Hopper@*
2159  sound               SE_PL00\ROOK_E_DAMA.WAV@-1
2159  objects:Enemies     ""
# The exit gate fades out to the second stage, which opens like the first.
2317  sound               SE_PL00\ROOK_DISAPP.WAV@-1
2317  flow                stage Foundry phase 0 fade 0.02 input 1
2367  flow                stage Foundry2 phase 1 fade 1.00 input 0
2367  pos                 48.00,420.*
2367  objects:Enemies     ""
2579  flow                stage Foundry2 phase 0 fade 0.00 input 1
# A wall kick, a dash jump, and the second stage's gate back to the first.
2811  vel                 -2.00,-5.75
3071  dash                1j
3085  picture             320x240
3741  flow                stage Foundry2 phase 0 fade 0.02 input 1
3791  flow                stage Foundry phase 1 fade 1.00 input 0
EOF
)

while read -r frame what expected; do
    case $what in
        objects:*) echo "frame $frame objects ${what#*:}" ;;
        colours:*) echo "frame $frame pixels ${what#*:}" | tr , ' ' ;;
        picture) echo "frame $frame screenshot $frame.png" ;;
        *) echo "frame $frame state" ;;
    esac
done <<<"$CHECKS" | sort -u >"$WORK/reports.txt"
start_xvfb
run_replay "$E2E_SCRIPTS/playthrough.txt" "$WORK/reports.txt"

# actual FRAME WHAT: what the run showed, as the table writes it.
actual() {
    local line
    case $2 in
        objects:*) line=$(grep -m 1 "^frame $1 objects ${2#*:}\( \|$\)" "$GAME_LOG") && cut -d' ' -f5- <<<"$line" ;;
        colours:*) IFS=, read -r x y w h <<<"${2#*:}"
            grep -m 1 "^frame $1 pixels $x,$y ${w}x$h " "$GAME_LOG" | cut -d' ' -f6- | tr ' ' '\n' | sort -u | paste -sd' ' ;;
        picture) od -An -j16 -N8 -tu4 --endian=big "$WORK/$1.png" | awk '{ print $1 "x" $2 }' ;;
        *) line=$(grep -m 1 "^frame $1 pos " "$GAME_LOG") && case $2 in
            flow) awk '{ for (i = 1; i < NF; i++) if ($i ~ /^(stage|phase|fade|input)$/) s = s " " $i " " $(i + 1); print substr(s, 2) }' <<<"$line" ;;
            shown) grep -owm 1 -E 'visible|hidden' <<<"$line" ;;
            sound) echo "$line" ;;
            *) awk -v name="$2" '{ for (i = 1; i < NF; i++) if ($i == name) { print $(i + 1); exit } }' <<<"$line" ;;
        esac ;;
    esac
}

failed=0
while read -r frame what expected; do
    [ "$expected" != '""' ] || expected=
    got=$(actual "$frame" "$what") || got="(no report)"
    if [ "$what" = sound ]; then [[ " $got " == *" $expected "* ]]; else [[ $got == $expected ]]; fi ||
        { echo "frame $frame $what: expected '$expected', got '$got'" >&2; failed=$((failed + 1)); }
done <<<"$CHECKS"
[ "$failed" = 0 ] || fail "$failed of $(wc -l <<<"$CHECKS") checks failed"
echo "playthrough: $(wc -l <<<"$CHECKS") checks passed"
