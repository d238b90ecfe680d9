#!/usr/bin/env bash
# tools/rebuild-assets against the build: every generated file rebuilt into a
# temporary folder must match, byte for byte, the one the build wrote into
# game/data, with nothing missing on either side; and the script's faults
# must each end the run with one line and the right status.
#
# usage: assets_rebuild_test.sh SOURCE_DIR TOOLS_DIR
set -uo pipefail

repo=${1:?usage: assets_rebuild_test.sh SOURCE_DIR TOOLS_DIR}
tools=${2:?usage: assets_rebuild_test.sh SOURCE_DIR TOOLS_DIR}
script=$repo/tools/rebuild-assets
game=$repo/game
tmp=$(mktemp -d "${TMPDIR:-/tmp}/assets-test.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

failures=0
fault() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

count_sources() {
    local folder=$1
    shift
    [ -d "$folder" ] || { echo 0; return; }
    find "$folder" "$@" -type f | wc -l
}

count_files() {
    local folder=$1 pattern=$2
    [ -d "$folder" ] || { echo 0; return; }
    find "$folder" -type f -name "$pattern" | wc -l
}

# The generated part of a game folder, one relative path a line: all of
# data/img, data/sfx and data/bgm, and the stages of data/Stages.
generated_files() {
    (
        cd "$1" || exit 1
        for folder in data/img data/sfx data/bgm; do
            [ ! -d "$folder" ] || find "$folder" ! -type d
        done
        [ ! -d data/Stages ] || find data/Stages -maxdepth 1 ! -type d -name '*.rmap'
    ) | LC_ALL=C sort
}

# Runs the script; keeps its status, standard output and standard error.
run() {
    bash "$script" "$@" >"$tmp/stdout" 2>"$tmp/stderr"
    status=$?
}

expect_one_line() {
    local what=$1 status_wanted=$2 prefix=$3
    [ "$status" -eq "$status_wanted" ] || fault "$what: exit status $status, wanted $status_wanted"
    local lines
    lines=$(wc -l <"$tmp/stderr")
    [ "$lines" -eq 1 ] || fault "$what: $lines lines on standard error, wanted 1: $(cat "$tmp/stderr")"
    case $(head -n 1 "$tmp/stderr") in
        "$prefix"*) ;;
        *) fault "$what: standard error says '$(head -n 1 "$tmp/stderr")', wanted it to start '$prefix'" ;;
    esac
}

# --- Everything, rebuilt into a fresh folder.
out=$tmp/out
run --tools "$tools" "$out"
if [ "$status" -ne 0 ]; then
    fault "the rebuild failed with status $status: $(cat "$tmp/stderr")"
    exit 1
fi
[ ! -s "$tmp/stderr" ] || fault "the rebuild wrote to standard error: $(cat "$tmp/stderr")"

# One output for each source, counted from the sources themselves, so a
# skipped source or two sources writing one file show.
sheets=$(count_sources "$game/art" \( -name '*.sprite' -o -name '*.palette' \))
stages=$(count_sources "$game/tiled" -maxdepth 1 -name '*.tmx')
sounds=$(count_sources "$game/audio/sfx" -name '*.sfx')
scores=$(count_sources "$game/audio/music" -maxdepth 1 -name '*.score')
[ "$sheets" -gt 0 ] && [ "$stages" -gt 0 ] && [ "$sounds" -gt 0 ] && [ "$scores" -gt 0 ] ||
    fault "the demo has sources of every kind: $sheets sheets, $stages stages, $sounds sounds, $scores scores"
[ "$(count_files "$out/data/img" '*.png')" -eq "$sheets" ] ||
    fault "$sheets sheet sources but $(count_files "$out/data/img" '*.png') images rebuilt"
[ "$(count_files "$out/data/Stages" '*.rmap')" -eq "$stages" ] ||
    fault "$stages stage sources but $(count_files "$out/data/Stages" '*.rmap') stages rebuilt"
[ "$(count_files "$out/data/sfx" '*.WAV')" -eq "$sounds" ] ||
    fault "$sounds sound sources but $(count_files "$out/data/sfx" '*.WAV') sounds rebuilt"
[ "$(count_files "$out/data/bgm" '*.mp3')" -eq "$scores" ] ||
    fault "$scores scores but $(count_files "$out/data/bgm" '*.mp3') music files rebuilt"
total=$((sheets + stages + sounds + scores))
expected="Rebuilt $total files into $out/data (sheets $sheets, stages $stages, sounds $sounds, music $scores)"
[ "$(cat "$tmp/stdout")" = "$expected" ] ||
    fault "standard output is '$(cat "$tmp/stdout")', wanted '$expected'"

# The same files on both sides, and the same bytes in each. The rebuild
# folder must hold nothing else at all (no scratch file, no link left).
generated_files "$game" >"$tmp/built.list"
(cd "$out" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$tmp/rebuilt.list"
while IFS= read -r file; do
    fault "$file is in game/ but the rebuild made none (no source for it, or left from an older build)"
done < <(LC_ALL=C comm -23 "$tmp/built.list" "$tmp/rebuilt.list")
while IFS= read -r file; do
    fault "$file was rebuilt but the build put none in game/"
done < <(LC_ALL=C comm -13 "$tmp/built.list" "$tmp/rebuilt.list")
compared=0
while IFS= read -r file; do
    cmp -s "$game/$file" "$out/$file" || fault "$file differs between game/ and the rebuild"
    compared=$((compared + 1))
done < <(LC_ALL=C comm -12 "$tmp/built.list" "$tmp/rebuilt.list")
[ "$compared" -eq "$total" ] || fault "$compared files compared, wanted $total"

# --- A second rebuild over the first changes nothing.
cp -R "$out" "$tmp/first"
run --tools "$tools" "$out"
[ "$status" -eq 0 ] || fault "a rebuild over a rebuild failed: $(cat "$tmp/stderr")"
diff -r "$tmp/first" "$out" >/dev/null || fault "a rebuild over a rebuild changed the files"

# --- Faults: one line each, and the run stops there.
run --bogus
expect_one_line "an unknown option" 2 "usage: tools/rebuild-assets "
run --tools "$tools" "$tmp/a" "$tmp/b"
expect_one_line "two output folders" 2 "usage: "
run --tools "$tools" --build "$tmp/build"
expect_one_line "both --tools and --build" 2 "usage: "
run --tools
expect_one_line "--tools without a folder" 2 "usage: "

run --tools "$tmp/no-tools" "$tmp/unused"
expect_one_line "a folder without the tools" 1 "tools/rebuild-assets: $tmp/no-tools: no kestrion-sheet program there"
[ ! -e "$tmp/unused" ] || fault "a run without its tools still made the output folder"

run --tools "$tools" --from "$tmp/no-game"
expect_one_line "a missing game folder" 1 "tools/rebuild-assets: $tmp/no-game: no such game folder"

touch "$tmp/plain-file"
run --tools "$tools" "$tmp/plain-file/out"
expect_one_line "an output folder under a file" 1 "tools/rebuild-assets: $tmp/plain-file/out: cannot be written"

# A small game of its own whose stage is broken: the palette before it is
# built, the converter's line is the only one, and the sound after it is not.
small=$tmp/small
mkdir -p "$small/art" "$small/tiled" "$small/audio/sfx/SE_COM"
cp "$game/art/Palette.palette" "$small/art/"
printf '<map\n' >"$small/tiled/Broken.tmx"
cp "$game/audio/sfx/SE_COM/LIFEGAGE.sfx" "$small/audio/sfx/SE_COM/"
run --tools "$tools" --from "$small"
expect_one_line "a broken stage" 1 "$small/tiled/Broken.tmx:1: "
cmp -s "$small/data/img/Palette.png" "$game/data/img/Palette.png" ||
    fault "the small game's palette was not built into its own data/img"
[ ! -e "$small/data/sfx" ] || fault "the run went on past the broken stage"

# The same game mended builds whole, into its own folder by default.
rm "$small/tiled/Broken.tmx"
run --tools "$tools" --from "$small"
[ "$status" -eq 0 ] || fault "the mended small game failed: $(cat "$tmp/stderr")"
cmp -s "$small/data/sfx/SE_COM/LIFEGAGE.WAV" "$game/data/sfx/SE_COM/LIFEGAGE.WAV" ||
    fault "the small game's sound differs from the demo's"
[ "$(cat "$tmp/stdout")" = "Rebuilt 2 files into $small/data (sheets 1, stages 0, sounds 1, music 0)" ] ||
    fault "the small game's summary is '$(cat "$tmp/stdout")'"

if [ "$failures" -gt 0 ]; then
    echo "$failures fault(s)"
    exit 1
fi
echo "all $total generated files match the build's"
