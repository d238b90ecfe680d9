#!/usr/bin/env python3
"""Writes game/art/Effects/ChargeOrb.sprite: the full-charge aura around the hero.

The orb is drawn with palette row 5 (violet to white by brightness) and sits
at (8, 16) from the hero's corner, so its 48 x 48 frame is centred on the
hero's chest. "Stand" is its idle look: nothing. "Charge" is a loop of rings
closing in on the hero while sparks run inward along turning spokes.

Usage: python3 tools/art/orb.py [GAME_DIR]
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from spritekit import Grid, write_sprite  # noqa: E402

LEGEND = [
    ("d", "1", "energy dark"),
    ("m", "2", "energy"),
    ("l", "3", "energy light"),
    ("g", "14", "energy glow"),
    ("w", "8", "white core"),
]
SIZE = 48
C = SIZE / 2.0
FRAMES = 6
TONES = "dmlgw"


def brighter(old, new):
    return new if old == "." or TONES.index(new) > TONES.index(old) else old


def paint(g, x, y, c):
    g.set(x, y, brighter(g.get(x, y), c))


def ring(g, r, tone, gaps, turn):
    """A one-pixel ring, broken into dashes that turn from frame to frame."""
    steps = int(2 * math.pi * r * 1.6) + 8
    for i in range(steps):
        a = 2 * math.pi * i / steps
        if math.sin(gaps * (a + turn)) < -0.35:
            continue
        x = int(math.floor(C + r * math.cos(a)))
        y = int(math.floor(C + r * math.sin(a)))
        bright = math.sin(gaps * (a + turn)) > 0.6
        paint(g, x, y, TONES[min(4, TONES.index(tone) + (1 if bright else 0))])


def spark(g, x, y, size):
    x, y = int(round(x)), int(round(y))
    paint(g, x, y, "w")
    for d in range(1, size + 1):
        tone = "g" if d == 1 else "l"
        for dx, dy in ((d, 0), (-d, 0), (0, d), (0, -d)):
            paint(g, x + dx, y + dy, tone)


def charge_frame(k):
    g = Grid(SIZE, SIZE)
    t = k / FRAMES
    # Three rings close in, each a third of the cycle apart.
    for n in range(3):
        u = (t + n / 3.0) % 1.0
        r = 22.0 - 14.0 * u
        tone = "d" if u < 0.25 else "m" if u < 0.6 else "l"
        ring(g, r, tone, 6, t * 1.2 + n * 0.4)
    # Sparks run inward along six turning spokes.
    for s in range(6):
        u = (t * 2 + s / 6.0) % 1.0
        a = 2 * math.pi * s / 6 + t * 1.3
        r = 20.0 - 15.0 * u
        spark(g, C + r * math.cos(a) - 0.5, C + r * math.sin(a) - 0.5, 1 if u < 0.5 else 2)
    return g


game = sys.argv[1] if len(sys.argv) > 1 else "game"
os.makedirs(os.path.join(game, "art", "Effects"), exist_ok=True)
cells = [("Stand: nothing while idle", Grid(SIZE, SIZE))]
cells += [("Charge %d" % k, charge_frame(k)) for k in range(FRAMES)]
write_sprite(os.path.join(game, "art", "Effects", "ChargeOrb.sprite"),
             "The charge orb: the aura of a full charge, drawn with palette row 5.\n"
             "Written by tools/art/orb.py; edit here or there.",
             "Effects\\ChargeOrb", "indexed", (SIZE, SIZE), 7, LEGEND, cells)
