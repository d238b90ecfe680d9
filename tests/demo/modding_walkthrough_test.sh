#!/usr/bin/env bash
# docs/modding.md ("Adding an enemy, step by step") and docs/stage-authoring.md
# done as written, in a copy of the game: a new enemy "Bouncer" made from the
# Hopper's three files, a third stage drawn as a small Tiled map with the
# Bouncer, the hero's start and an exit gate in it, converted by hand with
# kestrion-tmx2rmap, and a route into it in ExitGate.lua. Then the demo's
# property tests (test_demo) run over the copy and must all pass.
#
# usage: modding_walkthrough_test.sh SOURCE_DIR TOOLS_DIR TEST_DEMO
set -euo pipefail

repo=$1 tools=$2 test_demo=$3
tmp=$(mktemp -d "${TMPDIR:-/tmp}/modding.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
game=$tmp/game
cp -R "$repo/game" "$game"
enemies=$game/data/objects/Enemies

# 1. The sheet: the Hopper's source under the new set name. 2. The
# description, copied. 3. The behaviour: the five hooks renamed, a gold hull.
sed 's/^sheet Enemies\\Hopper/sheet Enemies\\Bouncer/' "$game/art/enemies/Hopper.sprite" \
    >"$game/art/enemies/Bouncer.sprite"
cp "$enemies/Hopper.anim" "$enemies/Bouncer.anim"
sed -e 's/^function Hopper\(Create\|Update\|HitGround\|Collide\|Death\)(/function Bouncer\1(/' \
    -e 's/SetPalette(self, 3)/SetPalette(self, 9)/' "$enemies/Hopper.lua" >"$enemies/Bouncer.lua"
[ "$(grep -c '^function Bouncer' "$enemies/Bouncer.lua")" -eq 5 ] || { echo "FAIL: 5 hooks"; exit 1; }

# 4. The stage, "Lab": 40 x 15 tiles, a floor (tile 9) over its fill (25) on
# rows 13-14, the exit teleporter (tiles 72-74 down to its pad, 120-122) with
# its pad set into the floor row; Tiled's CSV holds tile id + firstgid 1.
csv=
for ((row = 0; row < 15; row++)); do
    for ((column = 0; column < 40; column++)); do
        tile=$((row == 13 ? 9 : row == 14 ? 25 : -1))
        ((column >= 34 && column <= 36 && row >= 10 && row <= 13)) &&
            tile=$((72 + 16 * (row - 10) + column - 34))
        csv+=$((tile + 1)),
    done
    csv+=$'\n'
done
# The hero's start four cells above the floor; the Bouncer's 32 x 32 cell on
# the floor beyond the first screen (inside it, it would wait for the view to
# leave and come back, and the converter would warn); the gate 8 pixels right of the teleporter's left edge (x 544),
# 48 above its pad (y 208); one zone over the whole stage.
cat >"$game/tiled/Lab.tmx" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<map version="1.10" orientation="orthogonal" renderorder="right-down" width="40" height="15" tilewidth="16" tileheight="16" infinite="0">
 <properties><property name="tileset" value="Tiles\Foundry"/></properties>
 <tileset firstgid="1" source="Foundry.tsx"/>
 <layer name="Main" width="40" height="15">
  <properties><property name="kind" value="main"/></properties>
  <data encoding="csv">
${csv%,$'\n'}
</data>
 </layer>
 <objectgroup name="Objects">
  <object id="1" name="start" class="start" x="32" y="144"><point/></object>
  <object id="2" name="Bouncer" class="enemy" x="400" y="176"><point/></object>
  <object id="3" name="ExitGate" class="enemy" x="552" y="160"><point/></object>
  <object id="4" class="zone" x="0" y="0" width="640" height="240">
   <properties><property name="bottomEdge" type="bool" value="true"/></properties>
  </object>
 </objectgroup>
</map>
EOF
# 5. Build: the sheet as the build makes it (docs/art-sources.md), the stage
# by hand (docs/stage-authoring.md); the programs are in the build's tools/.
"$tools/kestrion-sheet" --out "$game" "$game/art/enemies/Bouncer.sprite"
converted=$("$tools/kestrion-tmx2rmap" "$game/tiled/Lab.tmx" "$game/data/Stages/Lab.rmap" 2>&1)
[ -z "$converted" ] || { echo "FAIL: the converter said: $converted"; exit 1; }

# The route: the opening stage's gate now leads to Lab, and Lab's back to it;
# then the game starts in Lab (modding.md, "Run and check").
opening=$(sed -n 's/^OpeningStage=//p' "$game/data/game.cfg" | tail -n 1)
sed -i "s/^\( *\)$opening = .*/\1$opening = \"Lab\",\n\1Lab = \"$opening\",/" "$enemies/ExitGate.lua"
grep -q "^ *Lab = \"$opening\"," "$enemies/ExitGate.lua" || { echo "FAIL: no route added"; exit 1; }
sed -i 's/^OpeningStage=.*/OpeningStage=Lab/' "$game/data/game.cfg"

KESTRION_GAME_DIR=$game KESTRION_SOURCE_DIR=$repo "$test_demo"
