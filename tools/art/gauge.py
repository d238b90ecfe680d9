#!/usr/bin/env python3
"""Writes game/art/Health.sprite, the life gauge (true colour, 64 x 64).

The engine draws the texture at screen (15, 46) and the bars over it at
screen x 24..28 from y 80 upwards, one pixel per health point (32 full). In
texture pixels that is x 9..13, y 2..33: the dark slot sits exactly there.

Usage: python3 tools/art/gauge.py [GAME_DIR]
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from spritekit import Grid, write_sprite  # noqa: E402

LEGEND = [
    ("o", "#141022", "outline"),
    ("d", "#4c5468", "casing shadow"),
    ("m", "#7a869c", "casing"),
    ("l", "#b4bece", "casing light"),
    ("h", "#e8eef8", "casing shine"),
    ("s", "#0a0814", "slot"),
    ("t", "#1e1c34", "slot notch"),
    ("B", "#1e3a8c", "badge blue dark"),
    ("b", "#2f6fd6", "badge blue"),
    ("c", "#6cb8ff", "badge blue light"),
    ("y", "#f8d838", "emblem gold"),
    ("w", "#f8f8f8", "emblem shine"),
]

SLOT_LEFT, SLOT_RIGHT = 9, 13  # inclusive
SLOT_TOP, SLOT_BOTTOM = 2, 33
CX = 11  # the gauge's middle column

g = Grid(64, 64)

# The tube: outline, two casing columns either side of the slot.
for y in range(SLOT_TOP, SLOT_BOTTOM + 2):
    g.set(SLOT_LEFT - 3, y, "o")
    g.set(SLOT_LEFT - 2, y, "l")
    g.set(SLOT_LEFT - 1, y, "m")
    g.set(SLOT_RIGHT + 1, y, "m")
    g.set(SLOT_RIGHT + 2, y, "d")
    g.set(SLOT_RIGHT + 3, y, "o")
for y in range(SLOT_TOP, SLOT_BOTTOM + 1):
    for x in range(SLOT_LEFT, SLOT_RIGHT + 1):
        g.set(x, y, "t" if (y - SLOT_TOP) % 2 == 1 else "s")
# Quarter marks on the casing.
for y in (9, 17, 25):
    g.set(SLOT_LEFT - 2, y, "h")
    g.set(SLOT_RIGHT + 2, y, "m")
# The rounded cap above the slot.
g.draw(["ooooooo"], SLOT_LEFT - 1, 0)
g.draw(["ohhlllmmo"], SLOT_LEFT - 2, 1)
g.set(SLOT_LEFT - 2, SLOT_TOP, "h")

# The badge: a steel ring around a blue disc, lit from the upper left.
BY, R = 43, 7.6
for y in range(BY - 9, BY + 10):
    for x in range(CX - 9, CX + 10):
        dx, dy = x - CX, y - BY
        d = math.hypot(dx, dy)
        if d > R + 0.9:
            continue
        light = -(dx + dy) / (d + 0.001)  # +1 towards the upper left
        if d > R:
            c = "o"
        elif d > R - 2:
            c = "h" if light > 0.75 else "l" if light > 0.0 else "m" if light > -0.7 else "d"
        elif d > R - 3:
            c = "o"
        else:
            c = "c" if light > 0.6 and d > R - 5 else "b" if dy < 2 else "B"
        g.set(x, y, c)
# The tube meets the badge.
for x in range(SLOT_LEFT - 2, SLOT_RIGHT + 3):
    g.set(x, SLOT_BOTTOM + 1, "m" if SLOT_LEFT <= x <= SLOT_RIGHT else g.get(x, SLOT_BOTTOM + 1))
g.set(SLOT_LEFT - 1, SLOT_BOTTOM + 1, "l")

# The emblem: a gold K with a wing stroke, shadowed to the lower right.
EMBLEM = [
    "y...yy",
    "y..yy.",
    "y.yy..",
    "yyy...",
    "y.yy..",
    "y..yy.",
    "y...yy",
]
ex, ey = CX - 3, BY - 3
for y, row in enumerate(EMBLEM):
    for x, c in enumerate(row):
        if c == "y" and g.get(ex + x + 1, ey + y + 1) in "bBc":
            g.set(ex + x + 1, ey + y + 1, "B")
for y, row in enumerate(EMBLEM):
    for x, c in enumerate(row):
        if c == "y":
            g.set(ex + x, ey + y, "w" if (x == 0 and y < 2) else "y")

game = sys.argv[1] if len(sys.argv) > 1 else "game"
write_sprite(os.path.join(game, "art", "Health.sprite"),
             "The life gauge. Drawn by the engine at screen (15, 46); the bars\n"
             "cover the slot at x 9..13, y 2..33 of this image (one pixel a health point).\n"
             "Written by tools/art/gauge.py; edit here or there.",
             "Health", "rgba", (64, 64), 1, LEGEND, [("the gauge", g)])
