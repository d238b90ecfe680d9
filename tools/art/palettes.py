#!/usr/bin/env python3
"""Writes game/art/Palette.palette and game/art/BluePalette.palette.

Row 0 is the shared palette of the hero and the enemies; every other row
recolours the same 16 columns for one purpose (firing, flashes, charge,
enemy variants, the ready sign's sweep). The rows are derived here from row 0
so that a change of a base colour carries through; the written .palette files
are plain text and may be edited by hand afterwards.

Usage: python3 tools/art/palettes.py [GAME_DIR]   (default: game)
"""
import os
import sys

# Column: (name, colour). Keep in step with docs/art-sources.md.
BASE = [
    ("outline", (0x14, 0x10, 0x22)),
    ("blue dark", (0x1E, 0x3A, 0x8C)),
    ("blue", (0x2F, 0x6F, 0xD6)),
    ("blue light", (0x6C, 0xB8, 0xFF)),
    ("teal dark", (0x13, 0x8A, 0x8A)),
    ("teal light", (0x4F, 0xD8, 0xC8)),
    ("skin dark", (0xD0, 0x84, 0x5C)),
    ("skin light", (0xF8, 0xC8, 0xA0)),
    ("white", (0xF8, 0xF8, 0xF8)),
    ("hull dark", (0x7A, 0x24, 0x10)),
    ("hull", (0xC8, 0x50, 0x1C)),
    ("hull light", (0xF8, 0x90, 0x40)),
    ("grey dark", (0x4C, 0x54, 0x68)),
    ("grey light", (0x9A, 0xA4, 0xB8)),
    ("glow", (0x8C, 0xFF, 0xF0)),
    ("yellow", (0xF8, 0xD8, 0x38)),
]
ARMOUR = [1, 2, 3, 4, 5]
HULL = [9, 10, 11]
GLOW = 14


def luma(c):
    return (0.30 * c[0] + 0.59 * c[1] + 0.11 * c[2]) / 255.0


def mix(a, b, t):
    return tuple(max(0, min(255, round(a[i] + (b[i] - a[i]) * t))) for i in range(3))


def scale(c, f):
    return tuple(max(0, min(255, round(v * f))) for v in c)


def ramp(stops, t):
    """Colour at t (0..1) along evenly spaced stops."""
    t = max(0.0, min(1.0, t))
    pos = t * (len(stops) - 1)
    i = min(int(pos), len(stops) - 2)
    return mix(stops[i], stops[i + 1], pos - i)


def hexes(c):
    return "#%02x%02x%02x" % c


base = [c for _, c in BASE]
# Luminance spread over 0..1 across the palette, so that ramps use their range.
lumas = [luma(c) for c in base]
lo, hi = min(lumas), max(lumas)
norm = [(l - lo) / (hi - lo) for l in lumas]


def by_brightness(stops):
    return [ramp(stops, n) for n in norm]


def recolour(columns, colours):
    row = list(base)
    for col, c in zip(columns, colours):
        row[col] = c
    return row


rows = {}
comments = {}


def put(n, comment, colours):
    rows[n] = colours
    comments[n] = comment


put(0, "base: hero and enemies", base)
put(1, "hero firing: every tone lifted",
    [mix(c, (255, 255, 255), 0.12 if i == 0 else 0.28) for i, c in enumerate(base)])
put(2, "muzzle and shot flash: hot white-yellow",
    by_brightness([(0x90, 0x28, 0x08), (0xF8, 0x88, 0x18), (0xF8, 0xE0, 0x50), (0xFF, 0xFF, 0xE8)]))
put(3, "enemy variant: green hull",
    recolour(HULL, [(0x1C, 0x5C, 0x18), (0x3C, 0xA0, 0x2C), (0x98, 0xE0, 0x50)]))
put(4, "enemy variant: violet hull",
    recolour(HULL, [(0x44, 0x1C, 0x70), (0x80, 0x38, 0xC0), (0xC0, 0x80, 0xF8)]))
put(5, "charge orb: violet to white energy",
    by_brightness([(0x3C, 0x08, 0x5C), (0xA0, 0x30, 0xD8), (0xF0, 0x90, 0xFF), (0xFF, 0xF0, 0xFF)]))
put(6, "charge level 2 flash: armour green",
    recolour(ARMOUR, [(0x1A, 0x70, 0x38), (0x34, 0xC0, 0x5A), (0x98, 0xF4, 0xA4),
                      (0x2C, 0xA8, 0x50), (0xA8, 0xF8, 0xB8)]))
put(7, "charge level 3 flash: armour magenta",
    recolour(ARMOUR, [(0x74, 0x1C, 0x78), (0xD0, 0x40, 0xC0), (0xF8, 0xA8, 0xF0),
                      (0xA0, 0x30, 0x90), (0xF8, 0xB8, 0xF0)]))
put(8, "enemy variant: steel hull",
    recolour(HULL, [(0x30, 0x3C, 0x58), (0x60, 0x78, 0x98), (0xB0, 0xC4, 0xD8)]))
put(9, "enemy variant: gold hull",
    recolour(HULL, [(0x80, 0x50, 0x08), (0xD0, 0x98, 0x18), (0xF8, 0xE0, 0x68)]))
put(10, "damage flash: all white", [(0xFF, 0xFF, 0xFF)] * 16)
put(11, "hero variant: crimson armour",
    recolour(ARMOUR, [(0x74, 0x14, 0x24), (0xC8, 0x30, 0x38), (0xF8, 0x88, 0x78),
                      (0x8C, 0x6C, 0x18), (0xE8, 0xC8, 0x50)]))
put(12, "hurt flicker: darkened", [scale(c, 0.55) for c in base])
put(13, "enemy variant: alarm red hull",
    recolour(HULL + [GLOW], [(0x80, 0x08, 0x10), (0xE0, 0x20, 0x28), (0xFF, 0x80, 0x70),
                             (0xFF, 0xF0, 0x60)]))
put(14, "dim: every tone in shadow, for dark places",
    [mix(scale(c, 0.6), (0x10, 0x18, 0x40), 0.25) for c in base])
put(15, "hero variant: graphite armour",
    recolour(ARMOUR, [(0x24, 0x28, 0x34), (0x48, 0x50, 0x64), (0x8C, 0x98, 0xAC),
                      (0x9C, 0x2C, 0x1C), (0xF0, 0x70, 0x40)]))
put(16, "big muzzle: cyan-white",
    by_brightness([(0x10, 0x50, 0x90), (0x30, 0xB0, 0xF0), (0xA0, 0xF4, 0xFF), (0xFF, 0xFF, 0xFF)]))
# The ready sign: rows 17 (dark) to 28 (full gold) sweep in, 29 is its flash.
GOLD = [(0x30, 0x18, 0x04), (0xB0, 0x70, 0x10), (0xF8, 0xC8, 0x30), (0xFF, 0xF4, 0xB0)]
for k in range(12):
    t = 0.2 + 0.8 * k / 11.0
    put(17 + k, "ready sign sweep %d of 12" % (k + 1), [scale(c, t) for c in by_brightness(GOLD)])
put(29, "ready sign flash: white-gold", [mix(c, (0xFF, 0xFF, 0xF0), 0.55) for c in by_brightness(GOLD)])
put(30, "ready sign back: dark blue",
    by_brightness([(0x06, 0x08, 0x20), (0x14, 0x20, 0x60), (0x30, 0x48, 0xA8)]))
put(31, "silhouette: one dark tone", [(0x10, 0x0C, 0x1C)] * 16)

GHOST = [(0x00, 0x08, 0x18), (0x10, 0x40, 0x90), (0x38, 0xA0, 0xE8), (0xA0, 0xF0, 0xFF)]
ghost = by_brightness(GHOST)
# An after-image steps one row down per update as it ages, and is drawn
# additively, so scaling a row scales the light it adds: row 0 is the full
# ghost and each of rows 1-7 an eighth less, down to a faint eighth at row 7.
# Rows past the fade hold the faintest, so an older image never flares back.
FADE_ROWS = 8


def faded(c, row):
    """The ghost colour c at a row of the fade, rounded half up in integers."""
    left = FADE_ROWS - min(row, FADE_ROWS - 1)
    return tuple((v * left + FADE_ROWS // 2) // FADE_ROWS for v in c)


blue_rows = {n: [faded(c, n) for c in ghost] for n in range(32)}


def write(path, name, rows_by_number, header):
    with open(path, "w") as out:
        out.write(header)
        out.write("palette %s\n\n" % name)
        out.write("#      " + " ".join("%-7s" % ("%d" % i) for i in range(16)).rstrip() + "\n")
        for n in range(32):
            if n in comments and name == "Palette":
                out.write("# %s\n" % comments[n])
            out.write("row %-2d %s\n" % (n, " ".join(hexes(c) for c in rows_by_number[n])))


game = sys.argv[1] if len(sys.argv) > 1 else "game"
art = os.path.join(game, "art")
os.makedirs(art, exist_ok=True)
legend = "".join("#   %2d %s\n" % (i, name) for i, (name, _) in enumerate(BASE))
write(os.path.join(art, "Palette.palette"), "Palette", rows,
      "# The game's palettes: 32 rows of 16 columns (see docs/art-sources.md).\n"
      "# Written by tools/art/palettes.py; edit here or there.\n# Columns:\n" + legend + "\n")
write(os.path.join(art, "BluePalette.palette"), "BluePalette", blue_rows,
      "# After-images: a blue ghost of row 0, by brightness, fading from row 0\n"
      "# (full) to row 7 (an eighth); rows 8-31 repeat row 7. They are drawn\n"
      "# additively, so the dark outline adds almost nothing.\n"
      "# Written by tools/art/palettes.py; edit here or there.\n\n")
